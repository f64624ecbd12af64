// Fonts and text: face mapping, extents and metrics, drawing, and DrawTextA layout.
#include "gdi_test_util.h"

#include "platform/kernel/host.h"

#include <string>

namespace {

std::string sjis(const char* utf8) { return platform::utf8ToCp932(utf8); }

HFONT makeFont(int height, int weight, const char* faceUtf8)
{
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, sjis(faceUtf8).c_str());
}

SIZE extent(HDC dc, const std::string& text)
{
    SIZE size {};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size));
    return size;
}

// Rows of the box that contain at least one pixel of `ink`.
int inkedRows(const TestCanvas& c, const RECT& box, COLORREF ink)
{
    int rows = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (c.at(x, y) == ink) {
                ++rows;
                break;
            }
    return rows;
}

} // namespace

TEST(TextExtent, DoubleByteCharacterIsTwiceAHalfWidthOneInTheFixedFace)
{
    TestCanvas c(8, 8);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    SIZE half = extent(c.dc, "A");
    SIZE wide = extent(c.dc, sjis("漢"));
    EXPECT_GT(half.cx, 0);
    EXPECT_EQ(wide.cx, 2 * half.cx);
    EXPECT_EQ(extent(c.dc, sjis("ゲーム")).cx, 3 * wide.cx);
    TEXTMETRICA tm {};
    ASSERT_TRUE(GetTextMetricsA(c.dc, &tm));
    EXPECT_EQ(half.cy, tm.tmHeight);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "the fixed face reports fixed pitch";
    char face[LF_FACESIZE] {};
    EXPECT_GT(GetTextFaceA(c.dc, sizeof face, face), 0);
    EXPECT_EQ(std::string(face), sjis("ＭＳ ゴシック"));
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextExtent, BoldIsAtLeastAsWideAndSizesFollowTheHeight)
{
    TestCanvas c(8, 8);
    HFONT normal = makeFont(-14, FW_NORMAL, "");
    HFONT bold = makeFont(-14, FW_BOLD, "");
    HFONT big = makeFont(-28, FW_NORMAL, "");
    std::string text = sjis("ゲーム開始 ABC");
    HGDIOBJ old = SelectObject(c.dc, normal);
    SIZE n = extent(c.dc, text);
    SelectObject(c.dc, bold);
    SIZE b = extent(c.dc, text);
    SelectObject(c.dc, big);
    SIZE g = extent(c.dc, text);
    EXPECT_GE(b.cx, n.cx);
    EXPECT_GT(g.cx, n.cx + n.cx / 2);
    EXPECT_GT(g.cy, n.cy + n.cy / 2);
    // A positive height is the cell height.
    HFONT cell = makeFont(16, FW_NORMAL, "ＭＳ Ｐゴシック");
    SelectObject(c.dc, cell);
    TEXTMETRICA tm {};
    ASSERT_TRUE(GetTextMetricsA(c.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    // No face name but fixed pitch asked for: the fixed gothic.
    HFONT fixed = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_TT_PRECIS, 0, 0,
        FIXED_PITCH | FF_MODERN, "");
    SelectObject(c.dc, fixed);
    EXPECT_EQ(extent(c.dc, "i").cx, 8);
    EXPECT_EQ(extent(c.dc, "W").cx, 8);
    SelectObject(c.dc, old);
    for (HFONT f : { normal, bold, big, cell, fixed })
        DeleteObject(f);
}

TEST(TextDrawing, DrawsInTextColourOnlyWhereGlyphsAreAndHonoursBackgroundMode)
{
    TestCanvas c(64, 20);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    SetTextColor(c.dc, RGB(255, 0, 0));
    SetBkColor(c.dc, RGB(0, 0, 255));
    SetBkMode(c.dc, TRANSPARENT);
    std::string text = sjis("漢字");
    ASSERT_TRUE(TextOutA(c.dc, 2, 2, text.data(), int(text.size())));
    SIZE size = extent(c.dc, text);
    RECT cell { 2, 2, 2 + size.cx, 2 + size.cy };
    EXPECT_GT(inkedRows(c, cell, RGB(255, 0, 0)), 5);
    EXPECT_EQ(inkedRows(c, { 0, 0, 64, 20 }, RGB(0, 0, 255)), 0);
    EXPECT_EQ(inkedRows(c, { cell.right + 1, 0, 64, 20 }, RGB(255, 0, 0)), 0);
    // Opaque mode fills the cell behind the glyphs.
    SetBkMode(c.dc, OPAQUE);
    ASSERT_TRUE(TextOutA(c.dc, 2, 2, text.data(), int(text.size())));
    EXPECT_EQ(c.at(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(c.at(cell.right - 1, cell.bottom - 1), RGB(0, 0, 255));
    EXPECT_EQ(c.at(cell.right, 2), RGB(255, 255, 255));
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextDrawing, SmallSizesRenderWithoutAntialiasing)
{
    TestCanvas c(40, 20);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ 明朝");
    HGDIOBJ old = SelectObject(c.dc, font);
    SetTextColor(c.dc, RGB(0, 0, 0));
    std::string text = sjis("漢");
    TextOutA(c.dc, 0, 0, text.data(), int(text.size()));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            COLORREF p = c.at(x, y);
            ASSERT_TRUE(p == RGB(0, 0, 0) || p == RGB(255, 255, 255)) << x << "," << y;
        }
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextDrawing, AlignmentMovesTheTextAroundThePoint)
{
    TestCanvas c(80, 30);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 255, 0));
    SIZE size = extent(c.dc, "AB");
    SetTextAlign(c.dc, TA_RIGHT | TA_BOTTOM);
    TextOutA(c.dc, 60, 25, "AB", 2);
    EXPECT_EQ(c.at(59, 24), RGB(0, 255, 0));
    EXPECT_EQ(c.at(60 - size.cx, 25 - size.cy), RGB(0, 255, 0));
    EXPECT_NE(c.at(60, 24), RGB(0, 255, 0));
    EXPECT_NE(c.at(59, 25), RGB(0, 255, 0));
    EXPECT_NE(c.at(59 - size.cx, 24), RGB(0, 255, 0));
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextLayout, WrapsJapaneseBetweenAnyCharactersAndLatinAtSpaces)
{
    TestCanvas c(8, 8);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    SIZE wide = extent(c.dc, sjis("漢"));
    // Five full-width characters in a box three wide: two lines.
    std::string japanese = sjis("漢字漢字漢");
    RECT box { 0, 0, 3 * wide.cx, 0 };
    int height = DrawTextA(c.dc, japanese.data(), -1, &box, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, 2 * wide.cy);
    EXPECT_EQ(box.right, 3 * wide.cx);
    // One more pixel is still three characters a line.
    box = { 0, 0, 3 * wide.cx + wide.cx / 2 + 1, 0 };
    EXPECT_EQ(DrawTextA(c.dc, japanese.data(), -1, &box, DT_WORDBREAK | DT_CALCRECT), 2 * wide.cy);
    // Latin words break only at spaces; a word longer than the line stays whole.
    SIZE word = extent(c.dc, "abcd");
    box = { 0, 0, word.cx + 1, 0 };
    EXPECT_EQ(DrawTextA(c.dc, "abcd abcd", -1, &box, DT_WORDBREAK | DT_CALCRECT), 2 * wide.cy);
    EXPECT_EQ(box.right, word.cx);
    box = { 0, 0, word.cx / 2, 0 };
    EXPECT_EQ(DrawTextA(c.dc, "abcdabcd", -1, &box, DT_WORDBREAK | DT_CALCRECT), wide.cy);
    // Closing punctuation never opens a line: the character before it goes along.
    box = { 0, 0, 4 * wide.cx, 0 };
    DrawTextA(c.dc, sjis("漢字漢字。」").data(), -1, &box, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(box.right, 3 * wide.cx);
    // Explicit line ends.
    box = { 0, 0, 200, 0 };
    EXPECT_EQ(DrawTextA(c.dc, "a\r\nb\nc", -1, &box, DT_CALCRECT), 3 * wide.cy);
    EXPECT_EQ(DrawTextA(c.dc, "a\r\nb\nc", -1, &box, DT_CALCRECT | DT_SINGLELINE), wide.cy);
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextLayout, NeverSplitsADoubleByteCharacterWithAnAsciiTrailByte)
{
    TestCanvas c(8, 8);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    // "表" is 0x95 0x5C: its trail byte is a backslash, and "ソ" ends in 0x5C too.
    std::string text = sjis("表ソ表ソ");
    ASSERT_EQ(text.size(), 8u);
    SIZE wide = extent(c.dc, sjis("表"));
    EXPECT_EQ(extent(c.dc, text).cx, 4 * wide.cx);
    RECT box { 0, 0, wide.cx, 0 };
    EXPECT_EQ(DrawTextA(c.dc, text.data(), -1, &box, DT_WORDBREAK | DT_CALCRECT), 4 * wide.cy);
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextLayout, EllipsesShortenTheTextToTheBox)
{
    TestCanvas c(8, 8);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    SIZE half = extent(c.dc, "a");
    RECT box { 0, 0, 8 * half.cx, 0 };
    DrawTextA(c.dc, "abcdefghijkl", -1, &box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(box.right, 8 * half.cx);
    box = { 0, 0, 12 * half.cx, 0 };
    DrawTextA(c.dc, "C:\\folder\\deeper\\file.txt", -1, &box, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(box.right, 12 * half.cx);
    EXPECT_GE(box.right, 11 * half.cx);
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextLayout, PrefixUnderlinesTheMarkedCharacterAndAlignsInTheBox)
{
    TestCanvas c(60, 20);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, RGB(0, 0, 0));
    SIZE half = extent(c.dc, "a");
    RECT calc { 0, 0, 60, 0 };
    DrawTextA(c.dc, "&File", -1, &calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.right, 4 * half.cx);
    RECT box { 0, 0, 60, 20 };
    DrawTextA(c.dc, "&&", -1, &calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.right, half.cx);
    int height = DrawTextA(c.dc, "&File", -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    TEXTMETRICA tm {};
    GetTextMetricsA(c.dc, &tm);
    int left = (60 - 4 * half.cx) / 2, top = (20 - tm.tmHeight) / 2;
    EXPECT_EQ(height, top + tm.tmHeight);
    // The underline runs under the whole 'F' cell one row below the baseline.
    int underline = top + tm.tmAscent + 1;
    EXPECT_EQ(c.row(underline, left, left + half.cx, RGB(0, 0, 0)), std::string(size_t(half.cx), '#'));
    EXPECT_EQ(inkedRows(c, { 0, 0, left, 20 }, RGB(0, 0, 0)), 0);
    EXPECT_EQ(inkedRows(c, { left + 4 * half.cx, 0, 60, 20 }, RGB(0, 0, 0)), 0);
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextLayout, ExpandsTabsToEightAverageCharacters)
{
    TestCanvas c(8, 8);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    TEXTMETRICA tm {};
    GetTextMetricsA(c.dc, &tm);
    SIZE half = extent(c.dc, "a");
    RECT box { 0, 0, 400, 0 };
    DrawTextA(c.dc, "a\tb", -1, &box, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(box.right, 8 * tm.tmAveCharWidth + half.cx);
    box = { 0, 0, 400, 0 };
    DrawTextA(c.dc, "a\tb", -1, &box, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_LT(box.right, 8 * tm.tmAveCharWidth);
    SelectObject(c.dc, old);
    DeleteObject(font);
}

TEST(TextDrawing, ExtTextOutFillsAndClipsToItsRectangle)
{
    TestCanvas c(40, 20);
    HFONT font = makeFont(-12, FW_NORMAL, "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(c.dc, font);
    SetBkMode(c.dc, TRANSPARENT);
    SetBkColor(c.dc, RGB(0, 255, 0));
    SetTextColor(c.dc, RGB(0, 0, 0));
    RECT r { 2, 2, 8, 16 };
    std::string text = sjis("漢字漢字");
    ASSERT_TRUE(ExtTextOutA(c.dc, 2, 2, ETO_OPAQUE | ETO_CLIPPED, &r, text.data(), UINT(text.size()), nullptr));
    EXPECT_EQ(c.at(2, 15), RGB(0, 255, 0));
    EXPECT_EQ(c.at(8, 2), RGB(255, 255, 255));
    EXPECT_GT(inkedRows(c, r, RGB(0, 0, 0)), 3);
    EXPECT_EQ(inkedRows(c, { 8, 0, 40, 20 }, RGB(0, 0, 0)), 0);
    SelectObject(c.dc, old);
    DeleteObject(font);
}
