// The sheets start-up builds from the loaded pictures: the 16-pixel buildings and the unit icons
// in the sides' colours.
#include "app/game_state_services.h"

#include "lib/error.h"
#include "lib/file.h"
#include "lib/media/bitmap.h"
#include "state/data_path.h"
#include "state/game_state.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kIcon = 32;
constexpr int kUnitSheetWidth = 1024;
constexpr int kUnitSheetHeight = 512;
constexpr COLORREF kKey = RGB(255, 0, 255);

// Countries 0..7, then the neutral side.
constexpr COLORREF kSideColours[kSideCount] = {
    RGB(200, 40, 40), RGB(40, 80, 210), RGB(40, 160, 60), RGB(220, 190, 40), RGB(150, 60, 180),
    RGB(40, 180, 190), RGB(230, 120, 30), RGB(110, 80, 50), RGB(150, 150, 150),
};

std::unique_ptr<swCBitmap> compatibleBitmap(int width, int height)
{
    HDC screen = GetDC(nullptr);
    PaletteHolder holder(screen);
    auto bitmap = std::make_unique<swCBitmap>(holder, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap->handle() ? std::move(bitmap) : nullptr;
}

void fillBitmap(swCBitmap& bitmap, COLORREF colour)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap.handle());
    HBRUSH brush = CreateSolidBrush(colour);
    const SIZE size = bitmap.bitmapGetSize();
    RECT all { 0, 0, size.cx, size.cy };
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
}

// The whole file, or nothing when it cannot be read.
std::vector<uint8_t> fileImage(const char* name)
{
    std::vector<uint8_t> bytes;
    try {
        swCFile file(dataPath(name, kFolderBitmap).c_str(), 0);
        bytes.resize(file.fileGetSize());
        if (file.fileRead(bytes.data(), DWORD(bytes.size())) != bytes.size())
            bytes.clear();
    } catch (swCError* error) {
        delete error;
        bytes.clear();
    }
    return bytes;
}

} // namespace

// The building row (the second 16-pixel row) of the 16-pixel terrain strip.
std::unique_ptr<swCBitmap> AppGameStateServices::buildSmallBuildingSheets(GameState& state)
{
    swCBitmap* strip = state.baseBitmap(kLand16Base);
    if (!strip || !strip->handle())
        return nullptr;
    const SIZE size = strip->bitmapGetSize();
    if (size.cy < 32)
        return nullptr;
    auto sheet = compatibleBitmap(size.cx, 16);
    if (sheet)
        sheet->bitmapBlit(0, 0, strip->handle(), RECT { 0, 16, size.cx, 32 });
    return sheet;
}

// Row s holds the icons of "unit32.bmp" tinted in side s's colour; the other rows stay key colour.
std::unique_ptr<swCBitmap> AppGameStateServices::buildUnitSheet(GameState&)
{
    const std::vector<uint8_t> image = fileImage("unit32.bmp");
    if (image.empty())
        return nullptr;
    auto sheet = compatibleBitmap(kUnitSheetWidth, kUnitSheetHeight);
    if (!sheet)
        return nullptr;
    fillBitmap(*sheet, kKey);
    for (int side = 0; side < kSideCount; ++side) {
        swCBitmap row;
        try {
            row.bitmapFromPackedDIB(image, kKey, kSideColours[side]);
        } catch (swCError* error) {
            delete error;
            return nullptr;
        }
        const SIZE size = row.bitmapGetSize();
        const RECT source { 0, 0, std::min<LONG>(size.cx, kUnitSheetWidth), std::min<LONG>(size.cy, kIcon) };
        sheet->bitmapBlit(0, side * kIcon, row.handle(), source);
    }
    return sheet;
}
