// DIB sections of every depth and the DIB transfer calls.
#include "gdi_test_util.h"

#include "platform/gdi/dc_view.h"

#include <cstring>
#include <vector>

namespace {

// A BITMAPINFO with room for a full colour table or bit masks.
struct DibInfo {
    BITMAPINFOHEADER header {};
    RGBQUAD colours[256] {};

    DibInfo(int width, int height, int bits, DWORD compression = BI_RGB)
    {
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = WORD(bits);
        header.biCompression = compression;
    }
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
    BITMAPINFO* info() { return reinterpret_cast<BITMAPINFO*>(this); }
};

size_t stride(int width, int bits) { return size_t((width * bits + 31) / 32 * 4); }

struct DepthCase {
    int bits;
    DWORD compression;
    // Writes the pixel (1, row) of a 4-pixel-wide row with a recognisable colour.
    void (*write)(uint8_t* row);
    COLORREF expected;
};

const DepthCase kDepths[] = {
    { 1, BI_RGB, [](uint8_t* r) { r[0] = 0x40; }, RGB(200, 10, 10) },
    { 4, BI_RGB, [](uint8_t* r) { r[0] = 0x01; }, RGB(200, 10, 10) },
    { 8, BI_RGB, [](uint8_t* r) { r[1] = 1; }, RGB(200, 10, 10) },
    // RGB555 (31, 0, 16): 0x7C10.
    { 16, BI_RGB, [](uint8_t* r) { r[2] = 0x10, r[3] = 0x7C; }, RGB(255, 0, 132) },
    // RGB565 (31, 63, 0): 0xFFE0.
    { 16, BI_BITFIELDS, [](uint8_t* r) { r[2] = 0xE0, r[3] = 0xFF; }, RGB(255, 255, 0) },
    // RGB565 (1, 32, 16): 0x0C10; each channel's top bits repeat below it.
    { 16, BI_BITFIELDS, [](uint8_t* r) { r[2] = 0x10, r[3] = 0x0C; }, RGB(8, 130, 132) },
    { 24, BI_RGB, [](uint8_t* r) { r[3] = 30, r[4] = 20, r[5] = 10; }, RGB(10, 20, 30) },
    { 32, BI_RGB, [](uint8_t* r) { r[4] = 30, r[5] = 20, r[6] = 10; }, RGB(10, 20, 30) },
};

} // namespace

TEST(DibSection, EveryDepthWrittenThroughItsBitsReadsBackThroughGetPixel)
{
    for (const DepthCase& c : kDepths) {
        for (int height : { 3, -3 }) {
            DibInfo dib(4, height, c.bits, c.compression);
            dib.colours[0] = { 255, 255, 255, 0 };
            dib.colours[1] = { 10, 10, 200, 0 };
            if (c.compression == BI_BITFIELDS) {
                const DWORD masks[3] = { 0xF800, 0x07E0, 0x001F };
                std::memcpy(dib.colours, masks, sizeof masks);
            }
            void* bits = nullptr;
            HBITMAP bitmap = CreateDIBSection(nullptr, dib.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
            ASSERT_TRUE(bitmap && bits) << c.bits;
            // Logical row 1 is memory row 1 either way up (three rows); row 0 is the top or bottom.
            uint8_t* top = static_cast<uint8_t*>(bits) + (height > 0 ? 2 : 0) * stride(4, c.bits);
            c.write(top);
            TestCanvas canvas(bitmap);
            EXPECT_EQ(canvas.at(1, 0), c.expected) << c.bits << " bits, height " << height;
            EXPECT_NE(canvas.at(1, 2), c.expected) << c.bits << " bits, height " << height;
            DIBSECTION ds {};
            ASSERT_EQ(GetObjectA(bitmap, sizeof ds, &ds), int(sizeof ds));
            EXPECT_EQ(ds.dsBm.bmBits, bits);
            EXPECT_EQ(ds.dsBm.bmBitsPixel, c.bits);
            EXPECT_EQ(ds.dsBmih.biHeight, height);
        }
    }
}

TEST(DibSection, RoundTripsRgb555WordsWrittenByGdi)
{
    DibInfo dib(2, -1, 16);
    void* bits = nullptr;
    TestCanvas canvas(CreateDIBSection(nullptr, dib.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
    SetPixelV(canvas.dc, 0, 0, RGB(255, 0, 255));
    SetPixelV(canvas.dc, 1, 0, RGB(8, 16, 24));
    const uint16_t* words = static_cast<const uint16_t*>(bits);
    EXPECT_EQ(words[0], 0x7C1F);
    EXPECT_EQ(words[1], (1 << 10) | (2 << 5) | 3);
    // A blit between two 16-bit sections keeps the words exactly.
    DibInfo other(2, -1, 16);
    void* otherBits = nullptr;
    TestCanvas copy(CreateDIBSection(nullptr, other.info(), DIB_RGB_COLORS, &otherBits, nullptr, 0));
    BitBlt(copy.dc, 0, 0, 2, 1, canvas.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(std::memcmp(bits, otherBits, 4), 0);
}

TEST(DibSection, ColourTableRewritesChangeTheColours)
{
    DibInfo dib(2, 1, 8);
    dib.header.biClrUsed = 2;
    dib.colours[1] = { 0, 0, 255, 0 };
    void* bits = nullptr;
    TestCanvas canvas(CreateDIBSection(nullptr, dib.info(), DIB_RGB_COLORS, &bits, nullptr, 0));
    static_cast<uint8_t*>(bits)[1] = 1;
    EXPECT_EQ(canvas.at(1, 0), RGB(255, 0, 0));
    RGBQUAD table[4] {};
    EXPECT_EQ(GetDIBColorTable(canvas.dc, 0, 4, table), 2u);
    const RGBQUAD green { 0, 255, 0, 0 };
    EXPECT_EQ(SetDIBColorTable(canvas.dc, 1, 1, &green), 1u);
    EXPECT_EQ(canvas.at(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(SetDIBColorTable(canvas.dc, 2, 1, &green), 0u) << "entries past the table are refused";
}

TEST(DibTransfer, CreateDIBitmapAndGetDIBitsRoundTripABottomUpPicture)
{
    // 3 x 2, 24 bits, bottom-up: the first stored row is the bottom one.
    DibInfo dib(3, 2, 24);
    std::vector<uint8_t> rows(stride(3, 24) * 2, 0);
    rows[0] = 0xFF;                 // bottom-left blue
    rows[stride(3, 24) + 8] = 0xFF; // top-right red
    HDC screen = platform::gdi::createScreenDC();
    HBITMAP ddb = CreateDIBitmap(screen, &dib.header, CBM_INIT, rows.data(), dib.info(), DIB_RGB_COLORS);
    ASSERT_TRUE(ddb);
    {
        TestCanvas canvas(ddb);
        EXPECT_EQ(canvas.at(0, 1), RGB(0, 0, 255));
        EXPECT_EQ(canvas.at(2, 0), RGB(255, 0, 0));
        EXPECT_EQ(canvas.at(1, 0), RGB(0, 0, 0));
        canvas.bitmap = nullptr; // keep the bitmap for GetDIBits below
    }
    DibInfo query(0, 0, 0);
    ASSERT_NE(GetDIBits(screen, ddb, 0, 0, nullptr, query.info(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(query.header.biWidth, 3);
    EXPECT_EQ(query.header.biHeight, 2);
    EXPECT_EQ(query.header.biBitCount, 32);
    DibInfo out(3, 2, 24);
    std::vector<uint8_t> back(rows.size(), 0xAA);
    EXPECT_EQ(GetDIBits(screen, ddb, 0, 2, back.data(), out.info(), DIB_RGB_COLORS), 2);
    for (size_t y = 0; y < 2; ++y)
        EXPECT_EQ(std::memcmp(&back[y * stride(3, 24)], &rows[y * stride(3, 24)], 9), 0) << y;
    // With no DC the bitmap is mono, as Win32 makes it.
    HBITMAP mono = CreateDIBitmap(nullptr, &dib.header, CBM_INIT, rows.data(), dib.info(), DIB_RGB_COLORS);
    BITMAP info {};
    GetObjectA(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    DeleteObject(mono);
    DeleteObject(ddb);
    DeleteDC(screen);
}

TEST(DibTransfer, StretchDIBitsAndSetDIBitsToDeviceMeasureBottomUpRowsFromTheBottom)
{
    // 2 x 2, 32 bits, bottom-up: stored rows are bottom (A B), then top (C D).
    const uint32_t pixels[4] = { 0x0000FF, 0x00FF00, 0xFF0000, 0x010203 };
    DibInfo dib(2, 2, 32);
    TestCanvas canvas(4, 4);
    EXPECT_EQ(SetDIBitsToDevice(canvas.dc, 0, 0, 2, 1, 0, 0, 0, 2, pixels, dib.info(), DIB_RGB_COLORS), 2);
    // ySrc 0 and height 1 is the bottom row.
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.at(0, 1), RGB(255, 255, 255));
    EXPECT_NE(StretchDIBits(canvas.dc, 0, 2, 4, 2, 0, 0, 2, 2, pixels, dib.info(), DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(canvas.at(0, 2), RGB(255, 0, 0)); // the top row is C D
    EXPECT_EQ(canvas.at(3, 2), RGB(1, 2, 3));
    EXPECT_EQ(canvas.at(1, 3), RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(2, 3), RGB(0, 255, 0));
}

TEST(DibTransfer, RefusesWhatItCannotDraw)
{
    DibInfo rle(4, 4, 8, BI_RLE8);
    void* bits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, rle.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    DibInfo odd(4, 4, 7);
    EXPECT_EQ(CreateDIBSection(nullptr, odd.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    DibInfo huge(70000, 4, 32);
    EXPECT_EQ(CreateDIBSection(nullptr, huge.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    DibInfo masks(4, 4, 16, BI_BITFIELDS);
    const DWORD strange[3] = { 0xF000, 0x0F00, 0x00F0 };
    std::memcpy(masks.colours, strange, sizeof strange);
    EXPECT_EQ(CreateDIBSection(nullptr, masks.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}
