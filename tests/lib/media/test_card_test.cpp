// Draws a test card through the library (shapes, blits, transparency, Japanese text, tinted and
// mirrored pictures from the generated test card) and writes it as a PNG beside the program
// folder for a person to look at; the pixels that must hold are checked here.
#include "lib/file.h"
#include "lib/media/colour_filter.h"
#include "platform/gdi/png.h"
#include "platform/kernel/host.h"
#include "tests/lib/media/picture_checks.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_pictures::Canvas;

namespace {

constexpr int kCardWidth = 96;
constexpr int kCardHeight = 64;
const char* const kCardFile = "tkbmp\\testcard.bmp";

void checkerboard(PaletteHolder& dc, int left, int top, int width, int height)
{
    for (int y = 0; y < height; y += 8)
        for (int x = 0; x < width; x += 8)
            dc.fillRectColor(left + x, top + y, left + x + 7, top + y + 7,
                ((x + y) / 8) % 2 ? RGB(250, 250, 250) : RGB(140, 170, 210));
}

TEST(LibraryTestCard, DrawsEveryHelperIntoOnePicture)
{
    std::string folder = DERAZODO_PROGRAM_DIR;
    folder += '/';
    platform::setProgramFolder(folder);
    Canvas canvas(480, 360, RGB(192, 192, 192));
    PaletteHolder& dc = canvas.holder();

    const std::string text = platform::utf8ToCp932("ゲーム開始 ＡＢＣ 漢字");
    dc.drawTextColor(10, 6, text.c_str(), RGB(0, 0, 0));
    GdiObjectHolder bold(CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
        platform::utf8ToCp932("ＭＳ ゴシック").c_str()));
    dc.drawTextColor(10, 28, text.c_str(), RGB(160, 0, 0), static_cast<HFONT>(bold.get()));

    dc.drawRaisedEdge(RECT { 250, 6, 320, 46 });
    dc.drawSunkenEdge(RECT { 330, 6, 400, 46 });
    dc.frameRectColor(410, 6, 470, 46, RGB(0, 0, 160));
    dc.fillRectColor(415, 11, 465, 41, RGB(255, 220, 0));
    for (int i = 0; i <= 8; ++i)
        dc.drawPolyline(250 + i * 27, 300, 358, 240, RGB(0, 100, 0));
    for (int i = 0; i < 40; ++i)
        dc.setPixelColor(380 + i * 2, 330, RGB(200, 0, 0));

    swCBitmap card;
    card.bitmapLoadFile(kCardFile);
    ASSERT_EQ(card.bitmapGetSize().cx, kCardWidth);
    const RECT whole { 0, 0, kCardWidth, kCardHeight };
    dc.blitBitmap(10, 60, card.handle(), whole);
    checkerboard(dc, 120, 60, kCardWidth, kCardHeight);
    dc.blitTransparent(120, 60, card.handle(), whole, kPictureKey);

    swCBitmap tinted;
    std::vector<uint8_t> file;
    {
        swCFile in(kCardFile, 0);
        file.resize(in.fileGetSize());
        in.fileRead(file.data(), DWORD(file.size()));
    }
    tinted.bitmapFromPackedDIB(file, kPictureKey, RGB(255, 128, 0));
    checkerboard(dc, 230, 60, kCardWidth, kCardHeight);
    dc.blitTransparent(230, 60, tinted.handle(), whole, kPictureKey);
    ColourFilter turned(120, 0, 0, 3);
    turned.bitmapLoadFile(kCardFile);
    checkerboard(dc, 340, 60, kCardWidth, kCardHeight);
    dc.blitTransparent(340, 60, turned.handle(), whole, kPictureKey);

    swCBitmap mirrored;
    mirrored.bitmapLoadRect(kCardFile, 0, 0, kCardWidth, kCardHeight, kMirrorLeftRight);
    dc.blitBitmap(10, 140, mirrored.handle(), whole);
    swCBitmap upsideDown;
    upsideDown.bitmapLoadRect(kCardFile, 48, 0, 96, 64, kMirrorLeftRight | kMirrorTopBottom);
    dc.blitBitmap(120, 140, upsideDown.handle(), RECT { 0, 0, 48, 64 });
    dc.stretchBlitBitmap(RECT { 10, 220, 202, 348 }, card.handle(), RECT { 48, 0, 96, 64 });

    const std::filesystem::path png = std::filesystem::path(DERAZODO_PROGRAM_DIR).parent_path() / "lib_test_card.png";
    platform::gdi::Image image = platform::gdi::readPixels(canvas.dc());
    ASSERT_TRUE(platform::writePng(png.string(), image.width, image.height, image.pixels.data(), image.width));

    // Magenta shows in the plain copy and nowhere under the transparent ones.
    const COLORREF magenta = RGB(255, 0, 255);
    EXPECT_EQ(canvas.at(10 + 51, 60 + 1), magenta);
    for (int left : { 120, 230, 340 })
        for (int y = 0; y < kCardHeight; ++y)
            for (int x = 0; x < kCardWidth; ++x)
                ASSERT_NE(canvas.at(left + x, 60 + y), magenta) << left << ": " << x << "," << y;
    // The tint multiplies each channel; hue 120 turns the red bar green.
    EXPECT_EQ(canvas.at(230 + 4, 60 + 4), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(230 + 44, 60 + 4), RGB(255, 128, 0));
    EXPECT_EQ(canvas.at(340 + 4, 60 + 4), RGB(0, 255, 0));
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < kCardWidth; ++x) {
            ASSERT_EQ(canvas.at(10 + x, 140 + y), canvas.at(10 + kCardWidth - 1 - x, 60 + y)) << x << "," << y;
            if (x < 48) {
                ASSERT_EQ(canvas.at(120 + x, 140 + y), canvas.at(10 + kCardWidth - 1 - x, 60 + kCardHeight - 1 - y));
            }
        }

    int textPixels = 0, boldPixels = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 240; ++x) {
            textPixels += canvas.at(x, y) == RGB(0, 0, 0);
            boldPixels += canvas.at(x, y) == RGB(160, 0, 0);
        }
    EXPECT_GT(textPixels, 100);
    EXPECT_GT(boldPixels, textPixels);
}

} // namespace
