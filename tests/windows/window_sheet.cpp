// The contact sheet, composed in a DIB section so that the names are written by the program's fonts.
#include "lib/media/dc_holders.h"
#include "tests/windows/window_sheet.h"

#include "platform/windows.h"

#include <algorithm>

namespace window_sheet {
namespace {

constexpr int kSheetWidth = 1920;
constexpr int kGap = 8;
constexpr int kNameHeight = 16;
constexpr uint32_t kBackground = 0x404040;

// Halves a picture by averaging each 2 x 2 block, so that thin lines stay visible.
platform::harness::Image halved(const platform::harness::Image& image)
{
    platform::harness::Image half;
    half.width = image.width / 2;
    half.height = image.height / 2;
    half.pixels.resize(size_t(half.width) * size_t(half.height));
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x) {
            uint32_t sum[3] = {};
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += image.at(2 * x + dx, 2 * y + dy) >> (8 * c) & 0xFF;
            half.pixels[size_t(y) * size_t(half.width) + size_t(x)] = sum[0] / 4 | sum[1] / 4 << 8 | sum[2] / 4 << 16;
        }
    return half;
}

struct Placed {
    const Picture* picture;
    platform::harness::Image image;
    int x;
    int y;
};

} // namespace

platform::harness::Image sheetOf(const std::vector<Picture>& pictures)
{
    // Rows filled left to right, each as high as its highest picture and its name.
    std::vector<Placed> placed;
    int x = kGap;
    int y = kGap;
    int rowHeight = 0;
    for (const Picture& picture : pictures) {
        const bool large = picture.image.width > kSheetWidth / 3 || picture.image.height > 480;
        platform::harness::Image image = large ? halved(picture.image) : picture.image;
        if (x + image.width + kGap > kSheetWidth) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        placed.push_back({ &picture, std::move(image), x, y });
        x += placed.back().image.width + kGap;
        rowHeight = std::max(rowHeight, placed.back().image.height + kNameHeight);
    }
    const int height = y + rowHeight + kGap;

    BITMAPINFO info = topDownBitmapInfo(kSheetWidth, height);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    platform::harness::Image sheet;
    if (!bitmap || !bits) {
        DeleteDC(dc);
        return sheet;
    }
    auto* pixels = static_cast<uint32_t*>(bits);
    std::fill(pixels, pixels + size_t(kSheetWidth) * size_t(height), kBackground);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, nullptr);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    GdiFlush();
    for (const Placed& p : placed) {
        for (int row = 0; row < p.image.height; ++row)
            std::copy_n(&p.image.pixels[size_t(row) * size_t(p.image.width)], p.image.width,
                pixels + size_t(p.y + kNameHeight + row) * kSheetWidth + size_t(p.x));
        TextOutA(dc, p.x, p.y + 2, p.picture->name.c_str(), int(p.picture->name.size()));
    }
    GdiFlush();
    sheet.width = kSheetWidth;
    sheet.height = height;
    sheet.pixels.assign(pixels, pixels + size_t(kSheetWidth) * size_t(height));
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return sheet;
}

} // namespace window_sheet
