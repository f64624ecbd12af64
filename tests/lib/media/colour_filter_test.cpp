// The colour filter against worked values: each mode's rule, the colours it spares, the floor
// against black, and pictures without a colour table passing unchanged.
#include "lib/media/colour_filter.h"
#include "platform/gdi/dc_view.h"
#include "tests/lib/media/bmp_files.h"

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

TEST(HueRotate, TurnsByTheGivenDegrees)
{
    EXPECT_EQ(hue(0, { 255, 0, 0 }), (Colour { 255, 0, 0 }));
    EXPECT_EQ(hue(120, { 255, 0, 0 }), (Colour { 0, 255, 0 }));
    EXPECT_EQ(hue(240, { 255, 0, 0 }), (Colour { 0, 0, 255 }));
    // h = 85, turned by 256 steps into the second sextant; saturation and value kept.
    EXPECT_EQ(hue(60, { 200, 100, 50 }), (Colour { 150, 200, 50 }));
    EXPECT_EQ(hue(240, { 10, 200, 30 }), (Colour { 200, 29, 10 }));
}

TEST(HueRotate, FullCircleGivesTheColourBack)
{
    for (Colour c : { Colour { 200, 100, 50 }, Colour { 17, 240, 99 }, Colour { 3, 4, 250 }, Colour { 128, 0, 64 } }) {
        Colour back = hue(360, c);
        for (int i = 0; i < 3; ++i)
            EXPECT_LE(std::abs(back[i] - c[i]), 1) << c[0] << "," << c[1] << "," << c[2];
    }
}

TEST(HueRotate, LeavesGreysAlone)
{
    EXPECT_EQ(hue(90, { 77, 77, 77 }), (Colour { 77, 77, 77 }));
    EXPECT_EQ(hue(90, { 0, 0, 0 }), (Colour { 0, 0, 0 }));
}

TEST(HueRotate, StaysInsideTheByteAtSextantEdges)
{
    // Blue turned half a circle lands on the edge between two sextants.
    EXPECT_EQ(hue(180, { 0, 0, 255 }), (Colour { 255, 255, 0 }));
}

TEST(HueRotate, TurnsPastAFullCircleWrap)
{
    EXPECT_EQ(hue(480, { 255, 0, 0 }), hue(120, { 255, 0, 0 }));
}

TEST(FadeColour, PalesAndDarkensToEightyPercent)
{
    Colour c { 200, 100, 50 };
    fadeColour(255, c[0], c[1], c[2]);
    EXPECT_EQ(c, (Colour { 125, 62, 31 }));
    c = { 200, 100, 50 };
    fadeColour(0, c[0], c[1], c[2]);
    EXPECT_EQ(c, (Colour { 160, 160, 160 }));
    c = { 90, 90, 90 };
    fadeColour(100, c[0], c[1], c[2]);
    EXPECT_EQ(c, (Colour { 90, 90, 90 }));
}

TEST(ColourFilterModes, TintGreysByLevel)
{
    EXPECT_EQ(filtered(255, 0, 0, 0, { 100, 100, 100 }), (Colour { 100, 0, 0 }));
    EXPECT_EQ(filtered(255, 128, 64, 0, { 200, 200, 200 }), (Colour { 200, 100, 50 }));
    EXPECT_EQ(filtered(255, 0, 0, 0, { 20, 20, 20 }), (Colour { 32, 32, 32 }));
    EXPECT_EQ(filtered(255, 0, 0, 0, { 0, 0, 0 }), (Colour { 0, 0, 0 }));
    EXPECT_EQ(filtered(255, 0, 0, 0, { 10, 200, 30 }), (Colour { 10, 200, 30 }));
}

TEST(ColourFilterModes, TintByBlueSparesGreys)
{
    EXPECT_EQ(filtered(255, 255, 255, 1, { 0, 0, 200 }), (Colour { 200, 200, 200 }));
    EXPECT_EQ(filtered(255, 128, 0, 1, { 90, 10, 200 }), (Colour { 200, 100, 0 }));
    EXPECT_EQ(filtered(255, 255, 255, 1, { 255, 255, 255 }), (Colour { 255, 255, 255 }));
    EXPECT_EQ(filtered(255, 255, 255, 1, { 0, 0, 0 }), (Colour { 0, 0, 0 }));
    EXPECT_EQ(filtered(255, 255, 255, 1, { 10, 0, 5 }), (Colour { 32, 32, 32 }));
}

TEST(ColourFilterModes, FactorsAboveFullSaturate)
{
    EXPECT_EQ(filtered(510, 255, 0, 0, { 200, 200, 200 }), (Colour { 255, 200, 0 }));
}

TEST(ColourFilterModes, HueTurnWithFloorSparesBlack)
{
    EXPECT_EQ(filtered(120, 0, 0, 2, { 255, 0, 0 }), (Colour { 0, 255, 0 }));
    EXPECT_EQ(filtered(120, 0, 0, 2, { 10, 0, 0 }), (Colour { 32, 32, 32 }));
    EXPECT_EQ(filtered(120, 0, 0, 2, { 0, 0, 0 }), (Colour { 0, 0, 0 }));
}

TEST(ColourFilterModes, HueTurnWithoutFloorSparesMagenta)
{
    EXPECT_EQ(filtered(120, 0, 0, 3, { 255, 0, 255 }), (Colour { 255, 0, 255 }));
    EXPECT_EQ(filtered(120, 0, 0, 3, { 10, 0, 0 }), (Colour { 0, 10, 0 }));
    EXPECT_EQ(filtered(60, 0, 0, 3, { 200, 100, 50 }), (Colour { 150, 200, 50 }));
}

TEST(ColourFilterModes, FadeSparesMagenta)
{
    EXPECT_EQ(filtered(0, 255, 0, 4, { 200, 100, 50 }), (Colour { 125, 62, 31 }));
    EXPECT_EQ(filtered(0, 255, 0, 4, { 255, 0, 255 }), (Colour { 255, 0, 255 }));
}

TEST(ColourFilterModes, UnknownModeLeavesColours)
{
    EXPECT_EQ(filtered(120, 255, 0, 5, { 200, 100, 50 }), (Colour { 200, 100, 50 }));
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
