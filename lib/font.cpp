// swCFont: creation and release.
#include "lib/font.h"

#include <cstring>

bool swCFont::fontCreate(int height, int weight, const char* faceName)
{
    LOGFONTA log {};
    log.lfHeight = height;
    log.lfWeight = weight;
    log.lfCharSet = SHIFTJIS_CHARSET;
    log.lfOutPrecision = OUT_TT_PRECIS;
    log.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    if (faceName)
        std::strncpy(log.lfFaceName, faceName, sizeof log.lfFaceName - 1);
    HFONT font = CreateFontIndirectA(&log);
    if (!font)
        return false;
    deleteGdiObject();
    m_font = font;
    return true;
}

void swCFont::deleteGdiObject()
{
    if (m_font)
        DeleteObject(m_font);
    m_font = nullptr;
}
