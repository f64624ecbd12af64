// A test card of shapes, blits and Japanese text, written as a PNG and read back byte for byte.
#include "gdi_test_util.h"

#include "platform/gdi/dc_view.h"
#include "platform/gdi/png.h"
#include "platform/kernel/host.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include <zlib.h>

namespace {

uint32_t bigEndian(const std::vector<uint8_t>& b, size_t at)
{
    return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) | b[at + 3];
}

// The zlib stream inflated to `expected` bytes; empty when it does not inflate to exactly that.
std::vector<uint8_t> inflated(const std::vector<uint8_t>& z, size_t expected)
{
    std::vector<uint8_t> out(expected + 1);
    uLongf size = uLongf(out.size());
    if (uncompress(out.data(), &size, z.data(), uLong(z.size())) != Z_OK || size != expected)
        return {};
    out.resize(size);
    return out;
}

// The chunk's stored CRC matches its type and data.
bool chunkCrcHolds(const std::vector<uint8_t>& png, size_t at)
{
    uint32_t length = bigEndian(png, at);
    if (at + 12 + length > png.size())
        return false;
    return bigEndian(png, at + 8 + length) == uint32_t(crc32(0, &png[at + 4], uInt(length + 4)));
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void drawCard(HDC dc, int w, int h)
{
    RECT all { 0, 0, w, h };
    FillRect(dc, &all, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT raised { 8, 8, 150, 60 };
    DrawEdge(dc, &raised, EDGE_RAISED, BF_RECT);
    RECT sunken { 160, 8, 312, 60 };
    DrawEdge(dc, &sunken, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    RECT push { 16, 16, 90, 40 }, check { 100, 18, 116, 34 }, radio { 120, 18, 136, 34 };
    DrawFrameControl(dc, &push, DFC_BUTTON, DFCS_BUTTONPUSH);
    DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    RECT up { 170, 16, 186, 32 }, down { 188, 16, 204, 32 }, close { 210, 16, 226, 30 };
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP);
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);

    HBRUSH red = CreateSolidBrush(RGB(220, 40, 40));
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 160));
    HPEN thick = CreatePen(PS_SOLID, 3, RGB(0, 120, 0));
    HPEN dotted = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, red);
    Ellipse(dc, 10, 70, 70, 110);
    SelectObject(dc, hatch);
    Rectangle(dc, 80, 70, 140, 110);
    HGDIOBJ oldPen = SelectObject(dc, thick);
    POINT star[] = { { 175, 70 }, { 187, 108 }, { 155, 84 }, { 195, 84 }, { 163, 108 } };
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    SetPolyFillMode(dc, WINDING);
    Polygon(dc, star, 5);
    SelectObject(dc, dotted);
    SetBkMode(dc, TRANSPARENT);
    MoveToEx(dc, 10, 116, nullptr);
    LineTo(dc, 310, 116);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);

    // A magenta-keyed sprite, copied transparently and stretched.
    TestCanvas sprite(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            sprite.set(x, y, (x + y) % 4 == 0 ? RGB(255, 0, 255) : RGB(40, 40 + 20 * x, 200 - 20 * y));
    TransparentBlt(dc, 210, 70, 32, 32, sprite.dc, 0, 0, 8, 8, RGB(255, 0, 255));
    StretchBlt(dc, 250, 70, 48, 32, sprite.dc, 7, 0, -8, 8, SRCCOPY);

    const std::string text = platform::utf8ToCp932("ゲーム開始 ＡＢＣ 漢字");
    HFONT normal = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "");
    HFONT bold = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 1, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "");
    HFONT large = CreateFontA(-28, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
        platform::utf8ToCp932("ＭＳ 明朝").c_str());
    HGDIOBJ oldFont = SelectObject(dc, normal);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 10, 124, text.data(), int(text.size()));
    SelectObject(dc, bold);
    SetTextColor(dc, RGB(0, 0, 160));
    TextOutA(dc, 10, 142, text.data(), int(text.size()));
    SelectObject(dc, large);
    SetTextColor(dc, RGB(120, 0, 0));
    TextOutA(dc, 10, 162, text.data(), int(text.size()));
    SelectObject(dc, oldFont);
    for (HGDIOBJ o : { HGDIOBJ(red), HGDIOBJ(hatch), HGDIOBJ(thick), HGDIOBJ(dotted), HGDIOBJ(normal), HGDIOBJ(bold),
             HGDIOBJ(large) })
        DeleteObject(o);
}

} // namespace

TEST(TestCard, WritesAPngWhosePixelsReadBackExactly)
{
    const int w = 320, h = 200;
    TestCanvas card(w, h);
    drawCard(card.dc, w, h);
    platform::gdi::Image image = platform::gdi::readPixels(card.dc);
    ASSERT_EQ(image.width, w);
    const std::string path = "gdi_test_card.png";
    ASSERT_TRUE(platform::writePng(path, w, h, image.pixels.data(), w));

    std::vector<uint8_t> png = readFile(path);
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    EXPECT_EQ(bigEndian(png, 16), uint32_t(w));
    EXPECT_EQ(bigEndian(png, 20), uint32_t(h));
    size_t idat = 33;
    ASSERT_EQ(std::string(png.begin() + ptrdiff_t(idat + 4), png.begin() + ptrdiff_t(idat + 8)), "IDAT");
    uint32_t length = bigEndian(png, idat);
    std::vector<uint8_t> z(png.begin() + ptrdiff_t(idat + 8), png.begin() + ptrdiff_t(idat + 8 + length));
    EXPECT_TRUE(chunkCrcHolds(png, 8));
    EXPECT_TRUE(chunkCrcHolds(png, idat));
    std::vector<uint8_t> raw = inflated(z, size_t(h) * (size_t(w) * 3 + 1));
    ASSERT_EQ(raw.size(), size_t(h) * (size_t(w) * 3 + 1));
    const size_t rowBytes = size_t(w) * 3 + 1;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = &raw[size_t(y) * rowBytes];
        ASSERT_EQ(row[0], 2) << "each row filtered against the one above";
        if (y > 0) {
            const uint8_t* above = row - rowBytes;
            for (size_t i = 1; i < rowBytes; ++i)
                row[i] = uint8_t(row[i] + above[i]);
        }
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &row[1 + size_t(x) * 3];
            ASSERT_EQ((uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2], image.at(x, y)) << x << "," << y;
        }
    }
    EXPECT_FALSE(platform::writePng("/nonexistent-folder/card.png", w, h, image.pixels.data(), w));
}

TEST(TestCard, AWholeScreenOfItIsWrittenDeflated)
{
    const int w = 320, h = 200;
    TestCanvas card(w, h);
    drawCard(card.dc, w, h);
    platform::gdi::Image image = platform::gdi::readPixels(card.dc);
    // A 1280 x 960 screen of cards: 3.6 MB of rows, which deflate keeps far below that.
    const int sw = 1280, sh = 960;
    std::vector<uint32_t> screen(size_t(sw) * sh);
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
            screen[size_t(y) * sw + size_t(x)] = image.at(x % w, y % h);
    const std::string path = "gdi_test_screen.png";
    ASSERT_TRUE(platform::writePng(path, sw, sh, screen.data(), sw));
    std::vector<uint8_t> png = readFile(path);
    EXPECT_LT(png.size(), size_t(sw) * sh * 3 / 10);
    std::remove(path.c_str());
}

TEST(TestCard, BmpFilesAreBottomUp24BitWithPaddedRows)
{
    const uint32_t pixels[6] = { 0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203 };
    const std::string path = "gdi_test_small.bmp";
    ASSERT_TRUE(platform::writeBmp(path, 3, 2, pixels, 3));
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bmp.size(), 14u + 40u + 2u * 12u);
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    std::memcpy(&file, bmp.data(), sizeof file);
    std::memcpy(&info, bmp.data() + sizeof file, sizeof info);
    // Copies: members of the packed headers may be misaligned for a reference.
    WORD type = file.bfType, bitCount = info.biBitCount;
    DWORD offset = file.bfOffBits;
    LONG height = info.biHeight;
    EXPECT_EQ(type, 0x4D42);
    EXPECT_EQ(offset, 54u);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(bitCount, 24);
    // The first stored row is the bottom one: 0xA0B0C0 as blue, green, red.
    EXPECT_EQ(bmp[54], 0xC0);
    EXPECT_EQ(bmp[55], 0xB0);
    EXPECT_EQ(bmp[56], 0xA0);
    EXPECT_EQ(bmp[54 + 12], 0x30);
    EXPECT_FALSE(platform::writeBmp(path, 0, 2, pixels, 3));
    std::remove(path.c_str());
}
