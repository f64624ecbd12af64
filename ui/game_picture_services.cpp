// The game's picture services.
#include "ui/game_picture_services.h"

#include "state/data_path.h"
#include "ui/presentation.h"

std::string GamePictureServices::bitmapPath(const char* fileName) const { return m_look.bitmapPath(fileName); }

std::string GamePictureServices::programFilePath(const char* fileName) const
{
    return dataPath(fileName, kFolderProgram);
}

HFONT GamePictureServices::smallFont()
{
    HFONT font = m_look.font(kSmallFont).handle();
    return font ? font : PictureServices::smallFont();
}

bool GamePictureServices::drawHexBuilding(HDC dc, int hexX, int hexY) { return m_look.drawHexBuilding(dc, 0, 0, hexX, hexY); }
