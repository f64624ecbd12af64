// Strip pictures for the button tests: 24-bit BMP files of solid rectangles, and reading a
// button's pixels back from the screen.
#pragma once

#include "platform/desktop/harness.h"
#include "platform/windows.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testing_buttons {

struct Fill {
    RECT rect;
    COLORREF colour;
};

inline void put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

// Black where no fill covers; later fills win.
inline void writeStrip(const std::filesystem::path& path, int width, int height, const std::vector<Fill>& fills)
{
    const uint32_t stride = (uint32_t(width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> out;
    put(out, 0x4D42, 2);
    put(out, 54 + stride * uint32_t(height), 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, uint32_t(width), 4);
    put(out, uint32_t(height), 4);
    put(out, 1, 2);
    put(out, 24, 2);
    for (int i = 0; i < 6; ++i)
        put(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = 0;
            for (const Fill& f : fills) {
                if (x >= f.rect.left && x < f.rect.right && y >= f.rect.top && y < f.rect.bottom)
                    c = f.colour;
            }
            out.push_back(GetBValue(c));
            out.push_back(GetGValue(c));
            out.push_back(GetRValue(c));
        }
        for (uint32_t pad = uint32_t(width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
}

// The colour on screen at (x, y) of the window's client area, as a COLORREF.
inline COLORREF screenPixel(HWND window, int x, int y)
{
    POINT p { x, y };
    ClientToScreen(window, &p);
    const auto image = platform::harness::readRect({ p.x, p.y, p.x + 1, p.y + 1 });
    const uint32_t xrgb = image.at(0, 0);
    return RGB((xrgb >> 16) & 255, (xrgb >> 8) & 255, xrgb & 255);
}

} // namespace testing_buttons
