// What the library's pictures need of the game above it: where the bitmap folder and the data
// files are, the game's small font, and the picture of a hex. The game state installs its own
// implementation; the default one serves the program folder and draws no hexes.
#pragma once

#include "platform/windows.h"

#include <string>

class PictureServices {
public:
    virtual ~PictureServices() = default;

    // The path of a file in the bitmap folder ("<program folder>tkbmp\" by default).
    virtual std::string bitmapPath(const char* fileName) const;
    virtual std::string programFilePath(const char* fileName) const;
    virtual HFONT smallFont();
    // Draws the picture of hex (x, y) with its building at (0, 0); false when there is no map.
    virtual bool drawHexBuilding(HDC dc, int hexX, int hexY);

private:
    HFONT m_smallFont = nullptr;
};

PictureServices& pictureServices();
// Installs services owned by the caller; null goes back to the default.
void setPictureServices(PictureServices* services);
