// GamePictureServices: the library's picture services served from the game's folders and the
// presentation's fonts and hex pictures.
#pragma once

#include "lib/media/picture_services.h"

class Presentation;

class GamePictureServices : public PictureServices {
public:
    explicit GamePictureServices(const Presentation& look)
        : m_look(look)
    {
    }
    std::string bitmapPath(const char* fileName) const override;
    std::string programFilePath(const char* fileName) const override;
    HFONT smallFont() override;
    bool drawHexBuilding(HDC dc, int hexX, int hexY) override;

private:
    const Presentation& m_look;
};
