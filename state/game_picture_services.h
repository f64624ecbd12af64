// GamePictureServices: the library's picture services served from the game state's folders and fonts.
#pragma once

#include "lib/media/picture_services.h"

class GameState;

class GamePictureServices : public PictureServices {
public:
    explicit GamePictureServices(GameState& state)
        : m_state(state)
    {
    }
    std::string bitmapPath(const char* fileName) const override;
    std::string programFilePath(const char* fileName) const override;
    HFONT smallFont() override;
    bool drawHexBuilding(HDC dc, int hexX, int hexY) override;

private:
    GameState& m_state;
};
