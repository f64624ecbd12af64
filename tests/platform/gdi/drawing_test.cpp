// Lines, rectangles, shapes and 3-D edges against hand-computed pixels.
#include "gdi_test_util.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

const COLORREF kBack = RGB(1, 2, 3);

// The canvas as rows of letters, one per colour in `legend`, '.' for the background, '?' else.
std::vector<std::string> picture(const TestCanvas& c, int w, int h, const std::map<COLORREF, char>& legend)
{
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            COLORREF p = c.at(x, y);
            auto it = legend.find(p);
            row += p == kBack ? '.' : it != legend.end() ? it->second : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

void clear(TestCanvas& c, int w, int h)
{
    HBRUSH brush = CreateSolidBrush(kBack);
    RECT all { 0, 0, w, h };
    FillRect(c.dc, &all, brush);
    DeleteObject(brush);
}

using Rows = std::vector<std::string>;
const std::map<COLORREF, char> kInk { { RGB(0, 0, 0), '#' }, { RGB(255, 0, 0), 'r' }, { RGB(0, 0, 255), 'b' } };

} // namespace

TEST(Lines, PolylineLeavesOutOnlyTheLastEndPoint)
{
    TestCanvas c(6, 4);
    clear(c, 6, 4);
    POINT points[] = { { 0, 0 }, { 4, 0 }, { 4, 3 } };
    ASSERT_TRUE(Polyline(c.dc, points, 3));
    EXPECT_EQ(picture(c, 6, 4, kInk), (Rows { "#####.", "....#.", "....#.", "......" }));
    // The helpers add the end point with SetPixel: six pixels from (0, 0) to (5, 0).
    clear(c, 6, 4);
    POINT line[] = { { 0, 0 }, { 5, 0 } };
    Polyline(c.dc, line, 2);
    SetPixel(c.dc, 5, 0, RGB(0, 0, 0));
    EXPECT_EQ(c.row(0, 0, 6, RGB(0, 0, 0)), "######");
}

TEST(Lines, LineToDrawsFromTheCurrentPositionInEveryDirection)
{
    TestCanvas c(5, 5);
    clear(c, 5, 5);
    MoveToEx(c.dc, 0, 0, nullptr);
    LineTo(c.dc, 4, 4);
    POINT position {};
    GetCurrentPositionEx(c.dc, &position);
    EXPECT_EQ(position.x, 4);
    LineTo(c.dc, 4, 0);
    LineTo(c.dc, 0, 4); // runs up to but not onto (0, 4)
    EXPECT_EQ(picture(c, 5, 5, kInk), (Rows { "#...#", ".#.##", "..#.#", ".#.##", "....#" }));
}

TEST(Lines, XorPenDrawnTwiceRestoresAndDotsAlternateWithTheBackground)
{
    TestCanvas c(12, 2);
    clear(c, 12, 2);
    HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    HGDIOBJ old = SelectObject(c.dc, white);
    SetROP2(c.dc, R2_XORPEN);
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(c.dc, 0, 0, nullptr);
        LineTo(c.dc, 12, 0);
        EXPECT_EQ(c.at(3, 0), pass == 0 ? RGB(254, 253, 252) : kBack);
    }
    SetROP2(c.dc, R2_COPYPEN);
    HPEN dots = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    SelectObject(c.dc, dots);
    SetBkMode(c.dc, TRANSPARENT);
    MoveToEx(c.dc, 0, 0, nullptr);
    LineTo(c.dc, 12, 0);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 255));
    MoveToEx(c.dc, 0, 1, nullptr);
    LineTo(c.dc, 12, 1);
    EXPECT_EQ(picture(c, 12, 2, kInk), (Rows { "###...###...", "###bbb###bbb" }));
    SelectObject(c.dc, old);
    DeleteObject(dots);
}

TEST(Rectangles, FrameRectDrawsOnePixelInsideTheRectangle)
{
    TestCanvas c(6, 5);
    clear(c, 6, 5);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT dot { 5, 4, 6, 5 };
    FrameRect(c.dc, &dot, black);
    RECT frame { 0, 0, 4, 3 };
    FrameRect(c.dc, &frame, black);
    EXPECT_EQ(picture(c, 6, 5, kInk), (Rows { "####..", "#..#..", "####..", "......", ".....#" }));
    RECT empty { 3, 3, 3, 5 };
    EXPECT_TRUE(FrameRect(c.dc, &empty, black));
    EXPECT_EQ(c.at(3, 3), kBack);
}

TEST(Rectangles, FillRectTakesSystemColourIndicesAndInvertRectInverts)
{
    TestCanvas c(2, 1);
    RECT r { 0, 0, 1, 1 };
    EXPECT_TRUE(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(c.at(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(InvertRect(c.dc, &r));
    EXPECT_EQ(c.at(0, 0), GetSysColor(COLOR_BTNFACE) ^ 0xFFFFFF);
    EXPECT_EQ(FillRect(c.dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_PEN))), 0);
}

TEST(Shapes, RectangleOutlinesWithThePenAndFillsWithTheBrush)
{
    TestCanvas c(6, 5);
    clear(c, 6, 5);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ oldBrush = SelectObject(c.dc, red);
    Rectangle(c.dc, 0, 0, 5, 4);
    EXPECT_EQ(picture(c, 6, 5, kInk), (Rows { "#####.", "#rrr#.", "#rrr#.", "#####.", "......" }));
    // Without a pen the fill is one pixel smaller on the right and bottom.
    clear(c, 6, 5);
    HGDIOBJ oldPen = SelectObject(c.dc, GetStockObject(NULL_PEN));
    Rectangle(c.dc, 0, 0, 5, 4);
    EXPECT_EQ(picture(c, 6, 5, kInk), (Rows { "rrrr..", "rrrr..", "rrrr..", "......", "......" }));
    SelectObject(c.dc, oldPen);
    SelectObject(c.dc, oldBrush);
    DeleteObject(red);
}

TEST(Shapes, EllipseAndPolygonStayInsideTheirOutline)
{
    TestCanvas c(12, 12);
    clear(c, 12, 12);
    HGDIOBJ old = SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    Ellipse(c.dc, 0, 0, 11, 11);
    EXPECT_EQ(c.at(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(c.at(0, 0), kBack);
    EXPECT_EQ(c.at(10, 10), kBack);
    EXPECT_EQ(c.at(11, 5), kBack);
    clear(c, 12, 12);
    POINT triangle[] = { { 0, 0 }, { 10, 0 }, { 0, 10 } };
    Polygon(c.dc, triangle, 3);
    EXPECT_EQ(c.at(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(c.at(8, 8), kBack);
    SelectObject(c.dc, old);
}

TEST(Edges, RaisedAndSunkenEdgesUseTheirFourColours)
{
    const std::map<COLORREF, char> legend { { GetSysColor(COLOR_3DLIGHT), 'L' },
        { GetSysColor(COLOR_3DDKSHADOW), 'D' }, { GetSysColor(COLOR_BTNHIGHLIGHT), 'H' },
        { GetSysColor(COLOR_BTNSHADOW), 'S' }, { GetSysColor(COLOR_BTNFACE), 'F' } };
    TestCanvas c(6, 6);
    clear(c, 6, 6);
    RECT r { 0, 0, 6, 6 };
    ASSERT_TRUE(DrawEdge(c.dc, &r, EDGE_RAISED, BF_RECT));
    EXPECT_EQ(picture(c, 6, 6, legend), (Rows { "LLLLLD", "LHHHSD", "LH..SD", "LH..SD", "LSSSSD", "DDDDDD" }));
    clear(c, 6, 6);
    DrawEdge(c.dc, &r, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
    EXPECT_EQ(picture(c, 6, 6, legend), (Rows { "SSSSSH", "SDDDLH", "SDFFLH", "SDFFLH", "SLLLLH", "HHHHHH" }));
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right, 4);
    EXPECT_EQ(r.bottom, 4);
    clear(c, 6, 6);
    r = { 0, 0, 6, 6 };
    DrawEdge(c.dc, &r, BDR_RAISEDOUTER, BF_BOTTOM | BF_LEFT);
    EXPECT_EQ(picture(c, 6, 6, legend), (Rows { "L.....", "L.....", "L.....", "L.....", "L.....", "DDDDDD" }));
}

TEST(Edges, FrameControlsDrawInsideTheirRectangle)
{
    TestCanvas c(40, 20);
    clear(c, 40, 20);
    RECT push { 0, 0, 20, 20 };
    ASSERT_TRUE(DrawFrameControl(c.dc, &push, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_EQ(c.at(10, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.at(19, 19), GetSysColor(COLOR_3DDKSHADOW));
    RECT close { 20, 0, 36, 14 };
    ASSERT_TRUE(DrawFrameControl(c.dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    int ink = 0;
    for (int y = 2; y < 12; ++y)
        for (int x = 22; x < 34; ++x)
            ink += c.at(x, y) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(ink, 8) << "the close glyph is drawn";
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(c.at(37, y), kBack);
    EXPECT_EQ(c.at(30, 15), kBack);
}

// A tool window's close box is 10 pixels: its glyph must stay a cross, every inked pixel on one of
// two diagonals that meet, not a blob of two-pixel strokes.
TEST(Edges, ASmallCloseGlyphIsACross)
{
    TestCanvas c(10, 10);
    clear(c, 10, 10);
    RECT close { 0, 0, 10, 10 };
    ASSERT_TRUE(DrawFrameControl(c.dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    std::vector<POINT> ink;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            if (c.at(x, y) == GetSysColor(COLOR_BTNTEXT))
                ink.push_back({ x, y });
    ASSERT_FALSE(ink.empty());
    // The top row holds the start of both strokes: its first pixel falls, its last rises.
    const POINT top = ink.front();
    const auto lastOfTop = std::find_if(ink.begin(), ink.end(), [&](const POINT& p) { return p.y != top.y; }) - 1;
    const LONG falling = top.x - top.y;
    const LONG rising = lastOfTop->x + lastOfTop->y;
    int onFalling = 0, onRising = 0;
    for (const POINT& p : ink) {
        EXPECT_TRUE(p.x - p.y == falling || p.x + p.y == rising) << p.x << "," << p.y;
        onFalling += p.x - p.y == falling;
        onRising += p.x + p.y == rising;
    }
    EXPECT_GE(onFalling, 5);
    EXPECT_GE(onRising, 5);
}

// Steps outside the clip are skipped arithmetically; the visible pixels must be the ones a walk
// from the far end point would give, dashes included.
TEST(Lines, FarEndPointsGiveTheSamePixelsAsAFullWalk)
{
    const POINT from { -1000, -377 }, to { 1000, 377 };
    TestCanvas whole(2001, 755);
    TestCanvas window(30, 30);
    for (int style : { PS_SOLID, PS_DOT }) {
        clear(whole, 2001, 755);
        clear(window, 30, 30);
        for (TestCanvas* c : { &whole, &window }) {
            HPEN pen = CreatePen(style, 1, RGB(0, 0, 0));
            HGDIOBJ old = SelectObject(c->dc, pen);
            SetBkMode(c->dc, TRANSPARENT);
            // The whole canvas sees the line shifted into it; the window sees the part near (0, 0).
            SetViewportOrgEx(c->dc, c == &whole ? 1000 : 15, c == &whole ? 377 : 15, nullptr);
            MoveToEx(c->dc, from.x, from.y, nullptr);
            LineTo(c->dc, to.x, to.y);
            SetViewportOrgEx(c->dc, 0, 0, nullptr);
            SelectObject(c->dc, old);
            DeleteObject(pen);
        }
        int inked = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                ASSERT_EQ(window.at(x, y), whole.at(x - 15 + 1000, y - 15 + 377)) << style << ": " << x << "," << y;
                inked += window.at(x, y) == RGB(0, 0, 0);
            }
        EXPECT_GT(inked, 5);
    }
}

TEST(Shapes, HugeShapesOnlyConvertTheVisibleRows)
{
    TestCanvas c(8, 8);
    clear(c, 8, 8);
    HGDIOBJ old = SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(Ellipse(c.dc, -100000000, -100000000, 100000000, 100000000));
    EXPECT_EQ(c.row(4, 0, 8, RGB(0, 0, 0)), "########");
    clear(c, 8, 8);
    POINT triangle[] = { { -50000000, -50000000 }, { 200000000, -50000000 }, { -50000000, 200000000 } };
    ASSERT_TRUE(Polygon(c.dc, triangle, 3));
    EXPECT_EQ(c.row(7, 0, 8, RGB(0, 0, 0)), "########");
    HRGN region = CreateEllipticRgn(-100000000, -100000000, 100000000, 100000000);
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    DeleteObject(region);
    SelectObject(c.dc, old);
    TestCanvas other(2, 2);
    EXPECT_FALSE(StretchBlt(c.dc, 0, 0, 1 << 30, 4, other.dc, 0, 0, 2, 2, SRCCOPY));
}
