// The drawing helpers and DC holders: inclusive rectangles and lines, transparent blits that
// do not depend on the DC's colours, restored DC state, and holders that give back their DCs.
#include "lib/media/dc_holders.h"
#include "tests/lib/media/picture_checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using testing_pictures::Canvas;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST(ColourRectangles, FrameOfEqualCornersIsOnePixel)
{
    Canvas canvas(20, 20);
    canvas.holder().frameRectColor(10, 10, 10, 10, kRed);
    EXPECT_EQ(canvas.at(10, 10), kRed);
    for (auto [x, y] : { std::pair { 9, 10 }, { 11, 10 }, { 10, 9 }, { 10, 11 } })
        EXPECT_EQ(canvas.at(x, y), kBlack) << x << "," << y;
}

TEST(ColourRectangles, RightAndBottomAreInclusive)
{
    Canvas canvas(20, 20);
    canvas.holder().frameRectColor(2, 3, 6, 8, kRed);
    EXPECT_EQ(canvas.at(2, 3), kRed);
    EXPECT_EQ(canvas.at(6, 8), kRed);
    EXPECT_EQ(canvas.at(6, 5), kRed);
    EXPECT_EQ(canvas.at(4, 5), kBlack); // a frame leaves the inside alone
    EXPECT_EQ(canvas.at(7, 8), kBlack);
    EXPECT_EQ(canvas.at(6, 9), kBlack);

    canvas.holder().fillRectColor(10, 10, 12, 11, kGreen);
    EXPECT_EQ(canvas.at(10, 10), kGreen);
    EXPECT_EQ(canvas.at(12, 11), kGreen);
    EXPECT_EQ(canvas.at(13, 11), kBlack);
    EXPECT_EQ(canvas.at(12, 12), kBlack);
}

TEST(Polyline, DrawsBothEndPoints)
{
    Canvas canvas(10, 4);
    canvas.holder().drawPolyline(0, 0, 5, 0, kRed);
    for (int x = 0; x <= 5; ++x)
        EXPECT_EQ(canvas.at(x, 0), kRed) << x;
    EXPECT_EQ(canvas.at(6, 0), kBlack);

    canvas.holder().drawPolyline(3, 3, 0, 3, kGreen);
    for (int x = 0; x <= 3; ++x)
        EXPECT_EQ(canvas.at(x, 3), kGreen) << x;
}

TEST(Polyline, UsesTheGivenPenAndRestoresThePrevious)
{
    Canvas canvas(10, 4);
    HGDIOBJ before = GetCurrentObject(canvas.dc(), OBJ_PEN);
    GdiObjectHolder pen(CreatePen(PS_SOLID, 1, kBlue));
    canvas.holder().drawPolyline(0, 1, 4, 1, kRed, static_cast<HPEN>(pen.get()));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(canvas.at(x, 1), kBlue) << x;
    EXPECT_EQ(canvas.at(4, 1), kRed); // the end point is set in the colour
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), before);
}

TEST(DrawTextColor, DrawsInTheColourAndRestoresTheDc)
{
    Canvas canvas(60, 20, RGB(255, 255, 255));
    SetTextColor(canvas.dc(), kBlue);
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), kBlack);
    HGDIOBJ fontBefore = GetCurrentObject(canvas.dc(), OBJ_FONT);
    GdiObjectHolder font(CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, ""));
    canvas.holder().drawTextColor(2, 2, "WM", kRed, static_cast<HFONT>(font.get()));

    int red = 0, other = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            COLORREF c = canvas.at(x, y);
            red += c == kRed;
            other += c != kRed && c != RGB(255, 255, 255);
        }
    EXPECT_GT(red, 10);
    EXPECT_EQ(other, 0); // no opaque background box, no anti-aliased fringe
    EXPECT_EQ(GetTextColor(canvas.dc()), kBlue);
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), fontBefore);
}

// A bitmap selected nowhere, drawn by colourAt(x, y).
template<typename F>
HBITMAP pictureOf(int width, int height, F colourAt)
{
    HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
    MemoryDcHolder dc(nullptr);
    HGDIOBJ old = SelectObject(dc.dc(), bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(dc.dc(), x, y, colourAt(x, y));
    SelectObject(dc.dc(), old);
    return bitmap;
}

// A 4 by 2 picture: key, red, key, green over blue, key, key, near-black.
HBITMAP keyedPicture(COLORREF key)
{
    const COLORREF pixels[2][4] = { { key, kRed, key, kGreen }, { kBlue, key, key, RGB(1, 2, 3) } };
    return pictureOf(4, 2, [&](int x, int y) { return pixels[y][x]; });
}

struct TransparentCase {
    COLORREF key;
    COLORREF destBack; // the destination DC's own background colour, which must not matter
};

std::string caseName(const TransparentCase& c)
{
    char text[40];
    std::snprintf(text, sizeof text, "Key%08XOnBackground%06X", unsigned(c.key), unsigned(c.destBack & 0xFFFFFF));
    return text;
}

void PrintTo(const TransparentCase& c, std::ostream* out) { *out << caseName(c); }

class TransparentBlit : public testing::TestWithParam<TransparentCase> { };

TEST_P(TransparentBlit, KeepsDestinationUnderKeyPixelsOnly)
{
    const COLORREF key = GetParam().key;
    const COLORREF keyRgb = key & 0xFFFFFF;
    const COLORREF ground = RGB(201, 101, 51); // odd channels: a mask that is not pure white shows
    Canvas canvas(6, 4, ground);
    SetBkColor(canvas.dc(), GetParam().destBack);
    SetTextColor(canvas.dc(), RGB(90, 90, 90));
    GdiObjectHolder picture(keyedPicture(keyRgb));

    canvas.holder().blitTransparent(1, 1, static_cast<HBITMAP>(picture.get()), RECT { 0, 0, 4, 2 }, key);

    const COLORREF expected[2][4] = { { ground, kRed, ground, kGreen }, { kBlue, ground, ground, RGB(1, 2, 3) } };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(canvas.at(1 + x, 1 + y), expected[y][x])
                << x << "," << y;
    EXPECT_EQ(canvas.at(0, 0), ground);
    EXPECT_EQ(canvas.at(5, 3), ground);
    EXPECT_EQ(GetBkColor(canvas.dc()), GetParam().destBack);
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(90, 90, 90));
}

TEST_P(TransparentBlit, SourceWhollyOfKeyLeavesDestinationAlone)
{
    const COLORREF key = GetParam().key;
    GdiObjectHolder source(pictureOf(5, 5, [&](int, int) { return key & 0xFFFFFF; }));
    Canvas canvas(5, 5, RGB(11, 21, 31));
    SetBkColor(canvas.dc(), GetParam().destBack);
    canvas.holder().blitTransparent(0, 0, static_cast<HBITMAP>(source.get()), RECT { 0, 0, 5, 5 }, key);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(canvas.at(x, y), RGB(11, 21, 31)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(BothSequences, TransparentBlit,
    testing::Values(TransparentCase { kPictureKey, RGB(255, 255, 255) }, TransparentCase { kPictureKey, kBlack },
        TransparentCase { kPictureKey, RGB(12, 34, 56) }, TransparentCase { kNoColour, RGB(255, 255, 255) },
        TransparentCase { kNoColour, RGB(12, 34, 56) }),
    [](const testing::TestParamInfo<TransparentCase>& info) { return caseName(info.param); });

TEST(Blits, CopyAndStretchTheSourceRectangle)
{
    Canvas canvas(12, 8);
    GdiObjectHolder picture(keyedPicture(RGB(255, 0, 255)));
    HBITMAP bitmap = static_cast<HBITMAP>(picture.get());
    canvas.holder().blitBitmap(5, 0, bitmap, RECT { 1, 0, 4, 1 });
    EXPECT_EQ(canvas.at(4, 0), kBlack);
    EXPECT_EQ(canvas.at(5, 0), kRed);
    EXPECT_EQ(canvas.at(7, 0), kGreen);
    EXPECT_EQ(canvas.at(8, 0), kBlack);
    EXPECT_EQ(canvas.at(5, 1), kBlack);

    canvas.holder().stretchBlitBitmap(RECT { 0, 2, 8, 6 }, bitmap, RECT { 0, 0, 4, 2 });
    EXPECT_EQ(canvas.at(2, 2), kRed);
    EXPECT_EQ(canvas.at(3, 3), kRed);
    EXPECT_EQ(canvas.at(0, 4), kBlue);
    EXPECT_EQ(canvas.at(1, 5), kBlue);
    EXPECT_EQ(canvas.at(7, 5), RGB(1, 2, 3));
}

int brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

TEST(Edges, RaisedIsLitTopLeftAndSunkenBottomRight)
{
    Canvas canvas(40, 20, GetSysColor(COLOR_BTNFACE));
    canvas.holder().drawRaisedEdge(RECT { 0, 0, 20, 20 });
    canvas.holder().drawSunkenEdge(RECT { 20, 0, 40, 20 });
    EXPECT_GT(brightness(canvas.at(0, 5)), brightness(canvas.at(19, 5)));
    EXPECT_GT(brightness(canvas.at(5, 0)), brightness(canvas.at(5, 19)));
    EXPECT_LT(brightness(canvas.at(20, 5)), brightness(canvas.at(39, 5)));
    EXPECT_EQ(canvas.at(10, 10), GetSysColor(COLOR_BTNFACE));
}

TEST(Holders, ObjectHolderDeletesOnceAndNeverAgain)
{
    HBRUSH first = CreateSolidBrush(kRed);
    GdiObjectHolder holder(first);
    holder.release();
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(holder.get(), nullptr);
    HBRUSH second = CreateSolidBrush(kGreen);
    holder.release();
    EXPECT_EQ(GetObjectType(second), DWORD(OBJ_BRUSH));
    DeleteObject(second);
}

TEST(Holders, MemoryAndScreenDcsAreGivenBack)
{
    HDC memory;
    HDC screen;
    {
        MemoryDcHolder holder(nullptr);
        WindowDcHolder screenHolder(nullptr);
        memory = holder.dc();
        screen = screenHolder.dc();
        ASSERT_NE(memory, nullptr);
        ASSERT_NE(screen, nullptr);
    }
    EXPECT_EQ(GetObjectType(memory), 0u);
    EXPECT_EQ(GetObjectType(screen), 0u);
}

TEST(Holders, BitmapAndTextHoldersGiveBackWhatTheySelected)
{
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    {
        BitmapDcHolder page(bitmap);
        EXPECT_EQ(GetCurrentObject(page.dc(), OBJ_BITMAP), bitmap);
        page.fillRectColor(0, 0, 7, 7, kRed);
    }
    {
        // Selectable again, and what was drawn through the holder is on it.
        BitmapDcHolder again(bitmap);
        EXPECT_EQ(GetPixel(again.dc(), 3, 3), kRed);
    }
    DeleteObject(bitmap);

    Canvas canvas(8, 8);
    SetTextColor(canvas.dc(), kBlue);
    SetBkMode(canvas.dc(), OPAQUE);
    const HGDIOBJ fontBefore = GetCurrentObject(canvas.dc(), OBJ_FONT);
    GdiObjectHolder font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, ""));
    for (HFONT chosen : { static_cast<HFONT>(font.get()), HFONT(nullptr) }) {
        {
            TextHolder text(canvas.dc(), chosen, kGreen);
            EXPECT_EQ(GetTextColor(canvas.dc()), kGreen);
            EXPECT_EQ(GetBkMode(canvas.dc()), TRANSPARENT);
            EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), chosen ? chosen : fontBefore);
        }
        EXPECT_EQ(GetTextColor(canvas.dc()), kBlue);
        EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
        EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), fontBefore);
    }
}

LRESULT CALLBACK plainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(Holders, PaintHolderValidatesTheWindowWhenDone)
{
    WNDCLASSA cls {};
    cls.lpfnWndProc = plainProc;
    cls.lpszClassName = "LibGdiHolderTest";
    RegisterClassA(&cls);
    HWND window = CreateWindowExA(0, "LibGdiHolderTest", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE));
    {
        PaintDcHolder paint(window);
        ASSERT_NE(paint.dc(), nullptr);
        paint.fillRectColor(0, 0, 49, 39, kRed);
    }
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    {
        WindowDcHolder client(window);
        EXPECT_EQ(GetPixel(client.dc(), 10, 10), kRed);
    }
    DestroyWindow(window);
}

} // namespace
