// The default picture services and the one installed instance.
#include "lib/media/picture_services.h"

#include "lib/application.h"

#include <atomic>

namespace {

std::atomic<PictureServices*> g_installed { nullptr };

PictureServices& defaultServices()
{
    static PictureServices services;
    return services;
}

} // namespace

std::string PictureServices::bitmapPath(const char* fileName) const
{
    return theApplication().appProgramFolder() + "tkbmp\\" + fileName;
}

std::string PictureServices::programFilePath(const char* fileName) const
{
    return theApplication().appProgramFolder() + fileName;
}

HFONT PictureServices::smallFont()
{
    if (!m_smallFont) {
        LOGFONTA log {};
        log.lfHeight = 12;
        log.lfCharSet = SHIFTJIS_CHARSET;
        log.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        m_smallFont = CreateFontIndirectA(&log);
    }
    return m_smallFont;
}

bool PictureServices::drawHexBuilding(HDC, int, int)
{
    return false;
}

PictureServices& pictureServices()
{
    PictureServices* installed = g_installed.load();
    return installed ? *installed : defaultServices();
}

void setPictureServices(PictureServices* services)
{
    g_installed.store(services);
}
