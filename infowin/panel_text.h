// Small drawing helpers the panels share: transparent text in a rectangle in the interface font,
// formatted figures, cells cut from a sheet, and the panels' colours.
#pragma once

#include "infowin/sheet_layout.h"
#include "lib/media/bitmap.h"
#include "lib/media/dc_holders.h"
#include "ui/palette_colours.h"

class Presentation;
class swCFont;

#include <cstdint>
#include <cstdio>
#include <string>
#include <memory>

namespace panel {

// A slot without ammunition is lighter than the lists' grey.
constexpr COLORREF kNoAmmoGrey = 0x02A0A0A0;

// Selects the font (the game's interface font) and transparent white text for its lifetime.
class TextScope : public TextHolder {
public:
    TextScope(HDC dc, const swCFont& font);
};

void text(HDC dc, int left, int top, int right, int bottom, const char* text, UINT align = DT_LEFT);
template <typename... Args>
void format(HDC dc, int left, int top, int right, int bottom, UINT align, const char* pattern, Args... values)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    text(dc, left, top, right, bottom, buffer, align);
}
// A figure of `digits` places: dashes for a negative value, the largest figure for one too large.
std::string cappedFigure(int64_t value, int digits);

// A value's colour against its whole: red at a quarter or less, orange at a half or less.
COLORREF shareColour(int value, int whole);

// Copies a cell of the sheet to (x, y), opaque or leaving out the key colour; a cell the sheet does
// not hold draws nothing.
void blitCell(HDC dc, int x, int y, const swCBitmap& sheet, const info_sheet::Cell& cell);
void blitKeyed(HDC dc, int x, int y, const swCBitmap& sheet, const RECT& cell, COLORREF key);
bool sheetHas(const swCBitmap& sheet, const RECT& cell);
// A picture of the bitmap folder; null when it cannot be loaded.
std::unique_ptr<swCBitmap> loadPicture(const Presentation& look, const char* file);
// The presentation's base bitmap when it was loaded, else null.
const swCBitmap* loadedSheet(const Presentation& look, int index);

} // namespace panel
