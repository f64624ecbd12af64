// BitBlt, StretchBlt, PatBlt and TransparentBlt against hand-computed pixels.
#include "gdi_test_util.h"

#include <cstring>

namespace {

const COLORREF kDest = RGB(0x0F, 0xF0, 0x55);
const COLORREF kSource = RGB(0x33, 0x33, 0xAA);
const COLORREF kPattern = RGB(0x5A, 0xC3, 0xFF);

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF expected;
};

const RopCase kRops[] = {
    { "SRCCOPY", SRCCOPY, RGB(0x33, 0x33, 0xAA) },
    { "SRCAND", SRCAND, RGB(0x03, 0x30, 0x00) },
    { "SRCPAINT", SRCPAINT, RGB(0x3F, 0xF3, 0xFF) },
    { "SRCINVERT", SRCINVERT, RGB(0x3C, 0xC3, 0xFF) },
    { "SRCERASE", SRCERASE, RGB(0x30, 0x03, 0xAA) },
    { "NOTSRCCOPY", NOTSRCCOPY, RGB(0xCC, 0xCC, 0x55) },
    { "NOTSRCERASE", NOTSRCERASE, RGB(0xC0, 0x0C, 0x00) },
    { "MERGECOPY", MERGECOPY, RGB(0x12, 0x03, 0xAA) },
    { "MERGEPAINT", MERGEPAINT, RGB(0xCF, 0xFC, 0x55) },
    { "PATCOPY", PATCOPY, RGB(0x5A, 0xC3, 0xFF) },
    { "PATPAINT", PATPAINT, RGB(0xDF, 0xFF, 0xFF) },
    { "PATINVERT", PATINVERT, RGB(0x55, 0x33, 0xAA) },
    { "DSTINVERT", DSTINVERT, RGB(0xF0, 0x0F, 0xAA) },
    { "BLACKNESS", BLACKNESS, RGB(0, 0, 0) },
    { "WHITENESS", WHITENESS, RGB(255, 255, 255) },
};

void fill(TestCanvas& c, int w, int h, COLORREF colour)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.set(x, y, colour);
}

} // namespace

TEST(RasterOperation, EachCodeCombinesPatternSourceAndDestination)
{
    TestCanvas source(4, 2);
    fill(source, 4, 2, kSource);
    HBRUSH brush = CreateSolidBrush(kPattern);
    for (const RopCase& c : kRops) {
        TestCanvas dest(4, 2);
        fill(dest, 4, 2, kDest);
        HGDIOBJ old = SelectObject(dest.dc, brush);
        ASSERT_TRUE(BitBlt(dest.dc, 1, 0, 2, 1, source.dc, 0, 0, c.rop)) << c.name;
        SelectObject(dest.dc, old);
        EXPECT_EQ(dest.at(1, 0), c.expected) << c.name;
        EXPECT_EQ(dest.at(2, 0), c.expected) << c.name;
        EXPECT_EQ(dest.at(0, 0), kDest) << c.name << " wrote outside its rectangle";
        EXPECT_EQ(dest.at(3, 0), kDest) << c.name;
        EXPECT_EQ(dest.at(1, 1), kDest) << c.name;
    }
    DeleteObject(brush);
}

TEST(RasterOperation, PatBltRefusesCodesThatNeedASource)
{
    TestCanvas dest(2, 2);
    EXPECT_FALSE(PatBlt(dest.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(PatBlt(dest.dc, 0, 0, 2, 2, BLACKNESS));
    EXPECT_EQ(dest.at(1, 1), RGB(0, 0, 0));
    EXPECT_FALSE(BitBlt(dest.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
}

TEST(MonoConversion, MonoSourceTakesTextAndBackgroundColoursOfTheDestination)
{
    // Row bits 0101 0000, WORD-aligned rows.
    const unsigned char bits[2] = { 0x50, 0x00 };
    TestCanvas mask(CreateBitmap(4, 1, 1, 1, bits));
    TestCanvas dest(4, 1);
    SetTextColor(dest.dc, RGB(255, 0, 0));
    SetBkColor(dest.dc, RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(dest.dc, 0, 0, 4, 1, mask.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dest.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dest.at(1, 0), RGB(0, 0, 255));
    EXPECT_EQ(dest.at(2, 0), RGB(255, 0, 0));
    EXPECT_EQ(dest.at(3, 0), RGB(0, 0, 255));
}

TEST(MonoConversion, ColourSourceBecomesOneWhereItMatchesItsBackgroundColour)
{
    TestCanvas source(4, 1);
    source.set(0, 0, RGB(255, 0, 255));
    source.set(1, 0, RGB(0, 255, 0));
    source.set(2, 0, RGB(255, 0, 255));
    source.set(3, 0, RGB(0, 0, 0));
    // The palette-relative flag byte is ignored.
    SetBkColor(source.dc, 0x02FF00FF);
    TestCanvas mask(CreateBitmap(4, 1, 1, 1, nullptr));
    ASSERT_TRUE(BitBlt(mask.dc, 0, 0, 4, 1, source.dc, 0, 0, SRCCOPY));
    unsigned char bits[2] = {};
    ASSERT_EQ(GetBitmapBits(mask.bitmap, 2, bits), 2);
    EXPECT_EQ(bits[0] & 0xF0, 0xA0);
    EXPECT_EQ(mask.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(mask.at(1, 0), RGB(0, 0, 0));
}

TEST(MonoConversion, CompatibleBitmapOfAFreshMemoryDCIsMono)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(dc, 8, 8);
    BITMAP info {};
    ASSERT_EQ(GetObjectA(mono, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidthBytes, 2);
    HBITMAP colour = CreateBitmap(8, 8, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, colour);
    HBITMAP compatible = CreateCompatibleBitmap(dc, 8, 8);
    ASSERT_EQ(GetObjectA(compatible, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 32);
    SelectObject(dc, old);
    DeleteDC(dc);
    for (HBITMAP b : { mono, colour, compatible })
        EXPECT_TRUE(DeleteObject(b));
}

// The two mask sequences the picture helpers use for a key colour: AND/OR for a black key,
// XOR/AND/XOR for any other. Both leave key pixels' destination alone and copy the rest.
TEST(TransparentBlit, MaskSequencesKeepDestinationUnderKeyPixels)
{
    for (COLORREF key : { COLORREF(0x02000000), COLORREF(0x02FF00FF) }) {
        TestCanvas source(3, 1);
        source.set(0, 0, key & 0xFFFFFF);
        source.set(1, 0, RGB(10, 20, 30));
        source.set(2, 0, RGB(200, 100, 50));
        TestCanvas dest(3, 1);
        for (int x = 0; x < 3; ++x)
            dest.set(x, 0, RGB(1, 2, 3));
        TestCanvas mask(CreateBitmap(3, 1, 1, 1, nullptr));
        SetTextColor(dest.dc, 0x02000000);
        SetBkColor(source.dc, key);
        BitBlt(mask.dc, 0, 0, 3, 1, source.dc, 0, 0, SRCCOPY);
        if (key == 0x02000000) {
            BitBlt(dest.dc, 0, 0, 3, 1, mask.dc, 0, 0, SRCAND);
            BitBlt(dest.dc, 0, 0, 3, 1, source.dc, 0, 0, SRCPAINT);
        } else {
            BitBlt(dest.dc, 0, 0, 3, 1, source.dc, 0, 0, SRCINVERT);
            BitBlt(dest.dc, 0, 0, 3, 1, mask.dc, 0, 0, SRCAND);
            BitBlt(dest.dc, 0, 0, 3, 1, source.dc, 0, 0, SRCINVERT);
        }
        EXPECT_EQ(dest.at(0, 0), RGB(1, 2, 3)) << std::hex << key;
        EXPECT_EQ(dest.at(1, 0), RGB(10, 20, 30)) << std::hex << key;
        EXPECT_EQ(dest.at(2, 0), RGB(200, 100, 50)) << std::hex << key;
    }
}

TEST(TransparentBlit, KeyColourPixelsAreSkipped)
{
    TestCanvas source(2, 2);
    source.set(0, 0, RGB(255, 0, 255));
    source.set(1, 0, RGB(9, 9, 9));
    source.set(0, 1, RGB(255, 0, 255));
    source.set(1, 1, RGB(255, 0, 255));
    TestCanvas dest(4, 4);
    ASSERT_TRUE(TransparentBlt(dest.dc, 0, 0, 4, 4, source.dc, 0, 0, 2, 2, RGB(255, 0, 255)));
    EXPECT_EQ(dest.row(0, 0, 4, RGB(9, 9, 9)), "..##");
    EXPECT_EQ(dest.row(1, 0, 4, RGB(9, 9, 9)), "..##");
    EXPECT_EQ(dest.row(2, 0, 4, RGB(255, 255, 255)), "####");
}

TEST(StretchBlit, EnlargesShrinksAndMirrors)
{
    const COLORREF a = RGB(255, 0, 0), b = RGB(0, 255, 0), c = RGB(0, 0, 255), d = RGB(9, 9, 9);
    TestCanvas source(4, 1);
    source.set(0, 0, a);
    source.set(1, 0, b);
    source.set(2, 0, c);
    source.set(3, 0, d);

    TestCanvas big(8, 2);
    ASSERT_TRUE(StretchBlt(big.dc, 0, 0, 8, 2, source.dc, 0, 0, 4, 1, SRCCOPY));
    const COLORREF enlarged[8] = { a, a, b, b, c, c, d, d };
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(big.at(x, 0), enlarged[x]) << x;
        EXPECT_EQ(big.at(x, 1), enlarged[x]) << x;
    }

    TestCanvas small(2, 1);
    ASSERT_TRUE(StretchBlt(small.dc, 0, 0, 2, 1, source.dc, 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(small.at(0, 0), a);
    EXPECT_EQ(small.at(1, 0), c);

    // A negative destination width runs leftwards from x: x = 3, width -4 covers 0..3.
    TestCanvas mirrored(4, 1);
    ASSERT_TRUE(StretchBlt(mirrored.dc, 3, 0, -4, 1, source.dc, 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(mirrored.at(0, 0), d);
    EXPECT_EQ(mirrored.at(1, 0), c);
    EXPECT_EQ(mirrored.at(2, 0), b);
    EXPECT_EQ(mirrored.at(3, 0), a);
}

TEST(BlitClipping, SourceOutsideItsBitmapLeavesDestinationAlone)
{
    TestCanvas source(2, 2);
    fill(source, 2, 2, RGB(0, 0, 0));
    TestCanvas dest(4, 4);
    ASSERT_TRUE(BitBlt(dest.dc, 0, 0, 4, 4, source.dc, -1, -1, SRCCOPY));
    EXPECT_EQ(dest.row(0, 0, 4, RGB(0, 0, 0)), "....");
    EXPECT_EQ(dest.row(1, 0, 4, RGB(0, 0, 0)), ".##.");
    EXPECT_EQ(dest.row(2, 0, 4, RGB(0, 0, 0)), ".##.");
    EXPECT_EQ(dest.row(3, 0, 4, RGB(0, 0, 0)), "....");
}

TEST(BlitClipping, OverlappingCopyWithinOneBitmapScrolls)
{
    TestCanvas c(4, 1);
    const COLORREF colours[4] = { RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0) };
    for (int x = 0; x < 4; ++x)
        c.set(x, 0, colours[x]);
    ASSERT_TRUE(BitBlt(c.dc, 1, 0, 3, 1, c.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(c.at(0, 0), colours[0]);
    EXPECT_EQ(c.at(1, 0), colours[0]);
    EXPECT_EQ(c.at(2, 0), colours[1]);
    EXPECT_EQ(c.at(3, 0), colours[2]);
}

TEST(PlainCopy, SixteenBitSourceLandsPixelForPixelInsideTheClipOnly)
{
    struct Dest {
        const char* name;
        int bits;   // 0: a device bitmap
        int height; // negative: top-down
    };
    const Dest dests[] = { { "ddb32", 0, 10 }, { "dib32 bottom-up", 32, 10 }, { "dib24 top-down", 24, -10 } };
    BITMAPINFO sourceInfo {};
    sourceInfo.bmiHeader = { sizeof(BITMAPINFOHEADER), 12, 6, 1, 16, BI_RGB, 0, 0, 0, 0, 0 };
    void* sourceBits = nullptr;
    TestCanvas source(CreateDIBSection(nullptr, &sourceInfo, DIB_RGB_COLORS, &sourceBits, nullptr, 0));
    ASSERT_NE(sourceBits, nullptr);
    auto* words = static_cast<uint16_t*>(sourceBits);
    for (int i = 0; i < 12 * 6; ++i)
        words[i] = uint16_t((i * 2731 + 977) & 0x7FFF);
    const RECT clipRects[2] = { { 4, 3, 9, 7 }, { 10, 4, 14, 9 } };
    for (const Dest& d : dests) {
        BITMAPINFO info {};
        info.bmiHeader = { sizeof(BITMAPINFOHEADER), 16, d.height, 1, WORD(d.bits), BI_RGB, 0, 0, 0, 0, 0 };
        void* bits = nullptr;
        TestCanvas dest(d.bits ? CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                               : CreateBitmap(16, 10, 1, 32, nullptr));
        fill(dest, 16, 10, RGB(1, 2, 3));
        HRGN clip = CreateRectRgnIndirect(&clipRects[0]);
        HRGN second = CreateRectRgnIndirect(&clipRects[1]);
        CombineRgn(clip, clip, second, RGN_OR);
        SelectClipRgn(dest.dc, clip);
        ASSERT_TRUE(BitBlt(dest.dc, 3, 2, 10, 6, source.dc, 1, 0, SRCCOPY)) << d.name;
        SelectClipRgn(dest.dc, nullptr);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool inBlit = x >= 3 && x < 13 && y >= 2 && y < 8;
                const bool copied = inBlit && (PtInRegion(clip, x, y) != 0);
                const COLORREF expected = copied ? source.at(x - 2, y - 2) : RGB(1, 2, 3);
                ASSERT_EQ(dest.at(x, y), expected) << d.name << " at " << x << "," << y;
            }
        DeleteObject(second);
        DeleteObject(clip);
    }
}
