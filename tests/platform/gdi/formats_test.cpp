// Raster operations across every pixel format, and brushes with patterns.
#include "gdi_test_util.h"

#include <cstring>

namespace {

// The eight colours whose channels are 0 or 255: closed under the bitwise raster operations and
// exact in every format below.
const RGBQUAD kPrimaries[8] = { { 0, 0, 0, 0 }, { 0, 0, 255, 0 }, { 0, 255, 0, 0 }, { 0, 255, 255, 0 },
    { 255, 0, 0, 0 }, { 255, 0, 255, 0 }, { 255, 255, 0, 0 }, { 255, 255, 255, 0 } };

struct Format {
    const char* name;
    int bits;
    DWORD compression;
};
const Format kFormats[] = { { "ddb32", 0, BI_RGB }, { "dib4", 4, BI_RGB }, { "dib8", 8, BI_RGB },
    { "dib555", 16, BI_RGB }, { "dib565", 16, BI_BITFIELDS }, { "dib24", 24, BI_RGB }, { "dib32", 32, BI_RGB } };

HBITMAP makeBitmap(const Format& f, int width, int height)
{
    if (f.bits == 0)
        return CreateBitmap(width, height, 1, 32, nullptr);
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[16];
    } info {};
    info.h = { sizeof(BITMAPINFOHEADER), width, height, 1, WORD(f.bits), f.compression, 0, 0, 0, 0, 0 };
    if (f.compression == BI_BITFIELDS) {
        const DWORD masks[3] = { 0xF800, 0x07E0, 0x001F };
        std::memcpy(info.colours, masks, sizeof masks);
    } else if (f.bits <= 8) {
        info.h.biClrUsed = 8;
        std::memcpy(info.colours, kPrimaries, sizeof kPrimaries);
    }
    void* bits = nullptr;
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
}

} // namespace

TEST(RasterOperation, EveryFormatPairCombinesExactly)
{
    const COLORREF source[4] = { RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255) };
    const COLORREF dest[4] = { RGB(0, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 255) };
    const COLORREF xored[4] = { RGB(255, 255, 255), RGB(0, 255, 0), RGB(255, 255, 0), RGB(0, 255, 0) };
    for (const Format& from : kFormats)
        for (const Format& to : kFormats) {
            TestCanvas s(makeBitmap(from, 4, 2));
            TestCanvas d(makeBitmap(to, 4, 2));
            for (int x = 0; x < 4; ++x) {
                s.set(x, 1, source[x]);
                d.set(x, 1, dest[x]);
            }
            ASSERT_TRUE(BitBlt(d.dc, 0, 1, 4, 1, s.dc, 0, 1, SRCINVERT));
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(d.at(x, 1), xored[x]) << from.name << " -> " << to.name << " at " << x;
            ASSERT_TRUE(BitBlt(d.dc, 0, 1, 4, 1, s.dc, 0, 1, SRCCOPY));
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(d.at(x, 1), source[x]) << from.name << " -> " << to.name << " at " << x;
        }
}

TEST(PatternBrush, MonoPatternTakesTextAndBackgroundColoursAndTilesFromTheBrushOrigin)
{
    // 2 x 2 checker: row 0 bits 10, row 1 bits 01 (WORD-aligned rows).
    const unsigned char bits[4] = { 0x80, 0, 0x40, 0 };
    HBITMAP checker = CreateBitmap(2, 2, 1, 1, bits);
    HBRUSH brush = CreatePatternBrush(checker);
    DeleteObject(checker); // the brush keeps its own copy
    TestCanvas c(4, 2);
    SetTextColor(c.dc, RGB(255, 0, 0));
    SetBkColor(c.dc, RGB(0, 0, 255));
    RECT all { 0, 0, 4, 2 };
    FillRect(c.dc, &all, brush);
    EXPECT_EQ(c.row(0, 0, 4, RGB(0, 0, 255)), "#.#.");
    EXPECT_EQ(c.row(1, 0, 4, RGB(0, 0, 255)), ".#.#");
    SetBrushOrgEx(c.dc, 1, 0, nullptr);
    FillRect(c.dc, &all, brush);
    EXPECT_EQ(c.row(0, 0, 4, RGB(0, 0, 255)), ".#.#");
    HGDIOBJ old = SelectObject(c.dc, brush);
    PatBlt(c.dc, 0, 0, 4, 2, PATINVERT);
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 0)) << "red xor red";
    SelectObject(c.dc, old);
    DeleteObject(brush);
}

TEST(PatternBrush, FillsOfAMonoBitmapPickTheNearerOfBlackAndWhite)
{
    TestCanvas mono(CreateBitmap(2, 1, 1, 1, nullptr));
    HBRUSH light = CreateSolidBrush(RGB(200, 200, 200));
    RECT r { 0, 0, 1, 1 };
    FillRect(mono.dc, &r, light);
    EXPECT_EQ(mono.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(mono.at(1, 0), RGB(0, 0, 0));
    DeleteObject(light);
}

TEST(DibTransfer, GetDIBitsOfAnIndexedSectionKeepsItsIndicesAndTable)
{
    TestCanvas section(makeBitmap(kFormats[2], 4, 1));
    section.set(2, 0, RGB(255, 0, 255));
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colours[256];
    } info {};
    info.h = { sizeof(BITMAPINFOHEADER), 4, 1, 1, 8, BI_RGB, 0, 0, 0, 0, 0 };
    uint8_t bits[4] {};
    HDC dc = CreateCompatibleDC(nullptr);
    // GetDIBits wants the bitmap out of its DC in Win32; this layer reads it either way.
    EXPECT_EQ(GetDIBits(dc, section.bitmap, 0, 1, bits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 1);
    EXPECT_EQ(bits[2], 5);
    EXPECT_EQ(info.colours[5].rgbRed, 255);
    EXPECT_EQ(info.colours[5].rgbBlue, 255);
    DeleteDC(dc);
}
