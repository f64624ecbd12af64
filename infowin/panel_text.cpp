// The panels' text and cell helpers.
#include "infowin/panel_text.h"

#include "lib/error.h"
#include "lib/font.h"
#include "ui/presentation.h"

#include <algorithm>

namespace panel {

TextScope::TextScope(HDC dc, const swCFont& font)
    : TextHolder(dc, font.handle(), kWhite)
{
}

void text(HDC dc, int left, int top, int right, int bottom, const char* text, UINT align)
{
    RECT box { left, top, right, bottom };
    DrawTextA(dc, text, -1, &box, align | DT_NOPREFIX | DT_SINGLELINE);
}

std::string cappedFigure(int64_t value, int digits)
{
    if (value < 0)
        return "--------";
    int64_t largest = 1;
    for (int i = 0; i < digits; ++i)
        largest *= 10;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%*lld", digits, static_cast<long long>(std::min(value, largest - 1)));
    return buffer;
}

COLORREF shareColour(int value, int whole)
{
    return value <= whole / 4 ? kRed : value <= whole / 2 ? kOrange : kWhite;
}

std::unique_ptr<swCBitmap> loadPicture(const Presentation& look, const char* file)
{
    auto bitmap = std::make_unique<swCBitmap>();
    try {
        bitmap->bitmapLoadFile(look.bitmapPath(file).c_str());
    } catch (swCError* error) {
        delete error;
        return nullptr;
    }
    return bitmap;
}

const swCBitmap* loadedSheet(const Presentation& look, int index)
{
    const swCBitmap* bitmap = look.baseBitmap(index);
    return bitmap && bitmap->handle() ? bitmap : nullptr;
}

bool sheetHas(const swCBitmap& sheet, const RECT& cell)
{
    if (!sheet.handle())
        return false;
    const SIZE size = sheet.bitmapGetSize();
    return cell.left >= 0 && cell.top >= 0 && cell.right <= size.cx && cell.bottom <= size.cy;
}

void blitCell(HDC dc, int x, int y, const swCBitmap& sheet, const info_sheet::Cell& cell)
{
    const RECT source { cell.x, cell.y, cell.right(), cell.bottom() };
    if (sheetHas(sheet, source))
        PaletteHolder(dc).blitBitmap(x, y, sheet.handle(), source);
}

void blitKeyed(HDC dc, int x, int y, const swCBitmap& sheet, const RECT& cell, COLORREF key)
{
    if (sheetHas(sheet, cell))
        PaletteHolder(dc).blitTransparent(x, y, sheet.handle(), cell, key);
}

} // namespace panel
