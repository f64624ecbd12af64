// The sheets start-up builds from the loaded pictures: the 16-pixel buildings and the unit icons
// in the sides' colours.
#include "app/game_state_services.h"

#include "app/map_renderer_impl.h"

#include "lib/media/bitmap.h"
#include "lib/media/dc_holders.h"
#include "state/game_state.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kIcon = 32;
constexpr int kUnitSheetWidth = 1024;
constexpr int kUnitSheetHeight = 512;
constexpr uint32_t kKeyPixel = 0xFF00FF;
constexpr uint32_t kNearKeyPixel = 0xFE00FF;

std::unique_ptr<swCBitmap> compatibleBitmap(int width, int height)
{
    HDC screen = GetDC(nullptr);
    PaletteHolder holder(screen);
    auto bitmap = std::make_unique<swCBitmap>(holder, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap->handle() ? std::move(bitmap) : nullptr;
}

} // namespace

// The building row (the second 16-pixel row) of the 16-pixel terrain strip.
std::unique_ptr<swCBitmap> AppGameStateServices::buildSmallBuildingSheets(const Presentation& look)
{
    swCBitmap* strip = look.baseBitmap(kLand16Base);
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

// Rows 2c and 2c + 1 hold the icons of "unit32.bmp" in country c's custom colour, the second
// row with each icon facing the other way; magenta stays the transparent key.
std::unique_ptr<swCBitmap> AppGameStateServices::buildUnitSheet(const Presentation& look)
{
    map_render::IndexedSheet icons;
    if (map_render::readSheetFile("unit32.bmp", icons) != FileFault::None)
        return nullptr;
    auto sheet = compatibleBitmap(kUnitSheetWidth, kUnitSheetHeight);
    if (!sheet)
        return nullptr;
    std::vector<uint32_t> pixels(size_t(kUnitSheetWidth) * kUnitSheetHeight, kKeyPixel);
    const int width = std::min(icons.width, kUnitSheetWidth) / kIcon * kIcon;
    const int height = std::min(icons.height, kIcon);
    for (int country = 0; country < kCountryCount; ++country) {
        const map_render::ColourTable colours = map_render::tintedColours(icons, look.customColors(), country);
        uint32_t* facing = pixels.data() + size_t(2 * country * kIcon) * kUnitSheetWidth;
        uint32_t* mirrored = facing + size_t(kIcon) * kUnitSheetWidth;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t c = colours[icons.row(y)[x]];
                // A colour turned exactly onto the key (pure blue turned by 60 degrees) would vanish.
                const uint32_t pixel = c == map_render::kClear ? kKeyPixel : c == kKeyPixel ? kNearKeyPixel : c;
                facing[size_t(y) * kUnitSheetWidth + size_t(x)] = pixel;
                mirrored[size_t(y) * kUnitSheetWidth + size_t(x / kIcon * kIcon + kIcon - 1 - x % kIcon)] = pixel;
            }
    }
    BITMAPINFO info = topDownBitmapInfo(kUnitSheetWidth, kUnitSheetHeight);
    HDC screen = GetDC(nullptr);
    const int rows = SetDIBits(screen, sheet->handle(), 0, kUnitSheetHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == kUnitSheetHeight ? std::move(sheet) : nullptr;
}
