// The colour filter against worked values: each mode's rule, the colours it spares, the floor
// against black, and pictures without a colour table passing unchanged.
#include "lib/media/colour_filter.h"
#include "platform/gdi/dc_view.h"
#include "tests/platform/gdi/bmp_files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

using Colour = std::array<int, 3>;

Colour hue(uint32_t degrees, Colour c)
{
    hueRotate(degrees, c[0], c[1], c[2]);
    return c;
}

// One colour through the filter's table hook, as a one-entry paletted DIB.
Colour filtered(uint32_t p1, uint32_t p2, uint32_t p3, uint32_t mode, Colour c)
{
    BITMAPINFOHEADER h {};
    h.biSize = sizeof h;
    h.biWidth = 1;
    h.biHeight = 1;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biClrUsed = 1;
    PackedDib dib(h, 4, 4);
    dib.colours()[0] = RGBQUAD { BYTE(c[2]), BYTE(c[1]), BYTE(c[0]), 0x5A };
    ColourFilter(p1, p2, p3, mode).apply(dib);
    const RGBQUAD out = dib.colours()[0];
    EXPECT_EQ(out.rgbReserved, 0x5A); // the spare byte is never touched
    return { out.rgbRed, out.rgbGreen, out.rgbBlue };
}

struct Worked {
    uint32_t p1, p2, p3, mode;
    Colour in, out;
};

TEST(ColourFilterModes, MatchWorkedValues)
{
    const Worked cases[] = {
        // 3: hue turn sparing magenta. h = 85 turned by 256 steps keeps saturation and value.
        { 0, 0, 0, 3, { 255, 0, 0 }, { 255, 0, 0 } },
        { 120, 0, 0, 3, { 255, 0, 0 }, { 0, 255, 0 } },
        { 240, 0, 0, 3, { 255, 0, 0 }, { 0, 0, 255 } },
        { 60, 0, 0, 3, { 200, 100, 50 }, { 150, 200, 50 } },
        { 240, 0, 0, 3, { 10, 200, 30 }, { 200, 29, 10 } },
        { 90, 0, 0, 3, { 77, 77, 77 }, { 77, 77, 77 } },
        { 120, 0, 0, 3, { 10, 0, 0 }, { 0, 10, 0 } },
        { 120, 0, 0, 3, { 255, 0, 255 }, { 255, 0, 255 } },
        { 180, 0, 0, 3, { 0, 0, 255 }, { 255, 255, 0 } }, // lands on a sextant edge: 256 must not wrap
        { 480, 0, 0, 3, { 255, 0, 0 }, { 0, 255, 0 } },   // past a full circle wraps
        // 0: tint greys by level, floor at 32, black spared.
        { 255, 0, 0, 0, { 100, 100, 100 }, { 100, 0, 0 } },
        { 255, 128, 64, 0, { 200, 200, 200 }, { 200, 100, 50 } },
        { 255, 0, 0, 0, { 20, 20, 20 }, { 32, 32, 32 } },
        { 255, 0, 0, 0, { 0, 0, 0 }, { 0, 0, 0 } },
        { 255, 0, 0, 0, { 10, 200, 30 }, { 10, 200, 30 } },
        { 510, 255, 0, 0, { 200, 200, 200 }, { 255, 200, 0 } }, // factors above 255 saturate
        // 1: tint by blue, greys spared.
        { 255, 255, 255, 1, { 0, 0, 200 }, { 200, 200, 200 } },
        { 255, 128, 0, 1, { 90, 10, 200 }, { 200, 100, 0 } },
        { 255, 255, 255, 1, { 255, 255, 255 }, { 255, 255, 255 } },
        { 255, 255, 255, 1, { 0, 0, 0 }, { 0, 0, 0 } },
        { 255, 255, 255, 1, { 10, 0, 5 }, { 32, 32, 32 } },
        // 2: hue turn with the floor, black spared.
        { 120, 0, 0, 2, { 255, 0, 0 }, { 0, 255, 0 } },
        { 120, 0, 0, 2, { 10, 0, 0 }, { 32, 32, 32 } },
        { 120, 0, 0, 2, { 0, 0, 0 }, { 0, 0, 0 } },
        // 4: fade sparing magenta and greys; amount 255 only darkens to 80 % of the maximum.
        { 0, 255, 0, 4, { 200, 100, 50 }, { 125, 62, 31 } },
        { 0, 0, 0, 4, { 200, 100, 50 }, { 160, 160, 160 } },
        { 0, 100, 0, 4, { 90, 90, 90 }, { 90, 90, 90 } },
        { 0, 255, 0, 4, { 255, 0, 255 }, { 255, 0, 255 } },
        { 120, 255, 0, 5, { 200, 100, 50 }, { 200, 100, 50 } },
    };
    for (const Worked& w : cases)
        EXPECT_EQ(filtered(w.p1, w.p2, w.p3, w.mode, w.in), w.out)
            << "mode " << w.mode << " p1 " << w.p1 << " from " << w.in[0] << "," << w.in[1] << "," << w.in[2];
}

TEST(HueRotate, FullCircleGivesTheColourBack)
{
    for (Colour c : { Colour { 200, 100, 50 }, Colour { 17, 240, 99 }, Colour { 3, 4, 250 }, Colour { 128, 0, 64 } }) {
        Colour back = hue(360, c);
        for (int i = 0; i < 3; ++i)
            EXPECT_LE(std::abs(back[i] - c[i]), 1) << c[0] << "," << c[1] << "," << c[2];
    }
}

TEST(ColourFilterModes, RewritesEveryEntryOfALoadedPicture)
{
    testing_bmp::Layout l;
    l.bits = 4;
    l.width = 6;
    l.height = 2;
    ColourFilter filter(120, 0, 0, 3);
    filter.bitmapFromPackedDIB(testing_bmp::makeBmp(l));
    platform::gdi::Image image = platform::gdi::readPixels(filter.handle());
    for (int y = 0; y < l.height; ++y)
        for (int x = 0; x < l.width; ++x) {
            const uint32_t c = testing_bmp::expectedColour(l, x, y);
            Colour want = hue(120, { int(c >> 16 & 255), int(c >> 8 & 255), int(c & 255) });
            if ((c & 0xFFFFFF) == 0xFF00FF)
                want = { 255, 0, 255 };
            const uint32_t got = image.at(x, y);
            EXPECT_EQ((Colour { int(got >> 16 & 255), int(got >> 8 & 255), int(got & 255) }), want) << x << "," << y;
        }
}

TEST(ColourFilterModes, PicturesWithoutTableLoadUnchanged)
{
    testing_bmp::Layout l;
    l.bits = 24;
    l.width = 5;
    l.height = 3;
    for (uint32_t mode = 0; mode < 5; ++mode) {
        ColourFilter filter(120, 200, 100, mode);
        filter.bitmapFromPackedDIB(testing_bmp::makeBmp(l));
        platform::gdi::Image image = platform::gdi::readPixels(filter.handle());
        for (int y = 0; y < l.height; ++y)
            for (int x = 0; x < l.width; ++x)
                ASSERT_EQ(image.at(x, y) & 0xFFFFFF, testing_bmp::expectedColour(l, x, y)) << "mode " << mode;
    }
}

} // namespace
