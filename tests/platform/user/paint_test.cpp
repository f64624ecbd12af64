// Painting: when WM_PAINT comes, what BeginPaint sends and validates, and where children and
// shaped windows draw in the top-level window's backing store.
#include "platform/gdi/dc_view.h"
#include "user_test_util.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

using namespace usertest;

namespace {

struct Painting : ::testing::Test {
    void TearDown() override { destroyAll(); }
};

using PaintOrder = Painting;
using PaintPixels = Painting;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr uint32_t kRedPixel = 0xFF0000;
constexpr uint32_t kBluePixel = 0x0000FF;

// Windows whose WM_PAINT fills the update area with a colour of their own.
std::map<HWND, COLORREF>& paintColours()
{
    static std::map<HWND, COLORREF> colours;
    return colours;
}

void installFiller()
{
    paintColours().clear();
    Recorder::instance().handler = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* out) {
        auto it = paintColours().find(hwnd);
        if (message != WM_PAINT || it == paintColours().end())
            return false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(it->second);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, brush);   // the DC clips to what may be painted
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        *out = 0;
        return true;
    };
}

// The backing store of a top-level window, in window coordinates.
platform::gdi::Image store(HWND top)
{
    HDC dc = GetWindowDC(top);
    platform::gdi::Image image = platform::gdi::readPixels(dc);
    ReleaseDC(top, dc);
    return image;
}

uint32_t pixelOf(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }

bool hasPaint(HWND hwnd)
{
    MSG msg;
    return PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_NOREMOVE) && msg.hwnd == hwnd;
}

TEST_F(PaintOrder, PaintComesOnlyWhenNothingElseIsQueued)
{
    HWND frame = createFrame("frame", 0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
    pump();
    ASSERT_FALSE(hasPaint(frame));
    InvalidateRect(frame, nullptr, TRUE);
    PostMessageA(frame, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_USER));
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_PAINT));
    EXPECT_EQ(msg.hwnd, frame);
}

TEST_F(PaintOrder, BeginPaintErasesThenValidates)
{
    HWND frame = createFrame("frame", 0, 0, 200, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    pump();
    Recorder::instance().clear();
    RECT part { 10, 10, 50, 40 };
    InvalidateRect(frame, &part, TRUE);
    RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    ASSERT_TRUE(hasPaint(frame));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(frame, &ps);
    ASSERT_TRUE(dc);
    EXPECT_EQ(Recorder::instance().messages(frame, { WM_NCPAINT, WM_ERASEBKGND, WM_PAINT }),
        (std::vector<UINT> { WM_NCPAINT, WM_ERASEBKGND }));
    EXPECT_FALSE(ps.fErase);   // the class brush erased it
    EXPECT_EQ(ps.rcPaint.left, 0);
    EXPECT_EQ(ps.rcPaint.right, 200 - 2 * GetSystemMetrics(SM_CXFRAME));
    EndPaint(frame, &ps);
    EXPECT_FALSE(hasPaint(frame));
    RECT update;
    EXPECT_FALSE(GetUpdateRect(frame, &update, FALSE));
}

TEST_F(PaintOrder, UpdateRectIsStillReportedDuringErase)
{
    HWND frame = createFrame("frame", 0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
    pump();
    RECT seen {};
    BOOL seenResult = FALSE;
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_ERASEBKGND)
            seenResult = GetUpdateRect(hwnd, &seen, FALSE);
        return false;
    };
    RECT part { 20, 30, 60, 70 };
    InvalidateRect(frame, &part, TRUE);
    UpdateWindow(frame);
    EXPECT_TRUE(seenResult);
    EXPECT_EQ(seen.left, 20);
    EXPECT_EQ(seen.top, 30);
    EXPECT_EQ(seen.right, 60);
    EXPECT_EQ(seen.bottom, 70);
    RECT after;
    EXPECT_FALSE(GetUpdateRect(frame, &after, FALSE));
}

TEST_F(PaintOrder, ValidateRectRemovesPartOfTheUpdateRegion)
{
    HWND frame = createFrame("frame", 0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
    pump();
    InvalidateRect(frame, nullptr, FALSE);
    RECT left { 0, 0, 100, 100 };
    ValidateRect(frame, &left);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(frame, &update, FALSE));
    EXPECT_EQ(update.left, 100);
    ValidateRect(frame, nullptr);
    EXPECT_FALSE(hasPaint(frame));
}

TEST_F(PaintOrder, HiddenWindowsAreNotPainted)
{
    HWND frame = createFrame("frame", 0, 0, 200, 100, WS_POPUP);
    InvalidateRect(frame, nullptr, TRUE);
    EXPECT_FALSE(hasPaint(frame));
    ShowWindow(frame, SW_SHOW);
    EXPECT_TRUE(hasPaint(frame));
    ShowWindow(frame, SW_HIDE);
    EXPECT_FALSE(hasPaint(frame));
}

TEST_F(PaintPixels, ChildPaintsItsPartClippedBySiblingAbove)
{
    installFiller();
    HWND frame = createFrame("frame", 100, 100, 200, 100, WS_POPUP | WS_VISIBLE);
    HWND above = createChild(frame, 2, 40, 20, 60, 40);   // the first child is on top
    HWND below = createChild(frame, 1, 10, 10, 60, 40);
    paintColours()[below] = kRed;
    paintColours()[above] = kBlue;
    pump();
    platform::gdi::Image image = store(frame);
    ASSERT_EQ(image.width, 200);
    EXPECT_EQ(image.at(15, 15), kRedPixel);       // only the lower child
    EXPECT_EQ(image.at(50, 30), kBluePixel);      // the overlap belongs to the upper child
    EXPECT_EQ(image.at(95, 55), kBluePixel);
    EXPECT_EQ(image.at(150, 80), pixelOf(GetSysColor(COLOR_WINDOW)));   // the parent's class brush

    // Repainting the lower child alone leaves the upper one untouched.
    InvalidateRect(below, nullptr, TRUE);
    UpdateWindow(below);
    image = store(frame);
    EXPECT_EQ(image.at(50, 30), kBluePixel);
    EXPECT_EQ(image.at(15, 15), kRedPixel);

    // What the screen shows is the store at the window's place.
    platform::harness::Image screen = platform::harness::readRect(RECT { 100, 100, 300, 200 });
    EXPECT_EQ(screen.at(15, 15), kRedPixel);
    EXPECT_EQ(screen.at(50, 30), kBluePixel);
}

TEST_F(PaintPixels, MovingAChildRepaintsWhatItUncovered)
{
    installFiller();
    HWND frame = createFrame("frame", 0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
    paintColours()[frame] = RGB(0, 255, 0);
    HWND child = createChild(frame, 1, 0, 0, 50, 50);
    paintColours()[child] = kRed;
    pump();
    EXPECT_EQ(store(frame).at(10, 10), kRedPixel);
    MoveWindow(child, 100, 0, 50, 50, TRUE);
    pump();
    platform::gdi::Image image = store(frame);
    EXPECT_EQ(image.at(10, 10), 0x00FF00u);
    EXPECT_EQ(image.at(110, 10), kRedPixel);
}

// A tab's page swap: the old page hidden, the new one shown and painted at once; the parent, which
// does not clip its children, paints the uncovered area later, and the new page comes back over it.
TEST_F(PaintPixels, AChildPaintedBeforeItsParentIsPaintedAgainAfterIt)
{
    installFiller();
    HWND frame = createFrame("frame", 0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
    paintColours()[frame] = RGB(0, 255, 0);
    HWND oldPage = createChild(frame, 1, 10, 10, 80, 80);
    HWND newPage = createChild(frame, 2, 10, 10, 80, 80, WS_CHILD);
    HWND row = createChild(newPage, 3, 5, 5, 20, 20);
    paintColours().insert({ { oldPage, kBlue }, { newPage, kRed }, { row, kBlue } });
    pump();
    ShowWindow(oldPage, SW_HIDE);
    SetWindowPos(newPage, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(newPage);
    pump();
    const platform::gdi::Image image = store(frame);
    EXPECT_EQ(image.at(60, 60), kRedPixel);
    EXPECT_EQ(image.at(20, 20), kBluePixel) << "the page's own child too";
    EXPECT_EQ(image.at(150, 50), 0x00FF00u);
}

TEST_F(PaintPixels, HiddenAndMinimisedWindowsLeaveTheScreen)
{
    installFiller();
    HWND frame = createFrame("frame", 500, 500, 100, 100, WS_POPUP | WS_VISIBLE);
    paintColours()[frame] = kRed;
    pump();
    auto at = [] { return platform::harness::readRect(RECT { 550, 550, 551, 551 }).at(0, 0); };
    EXPECT_EQ(at(), kRedPixel);
    ShowWindow(frame, SW_MINIMIZE);
    pump();
    EXPECT_NE(at(), kRedPixel);
    ShowWindow(frame, SW_RESTORE);
    pump();
    EXPECT_EQ(at(), kRedPixel);
    ShowWindow(frame, SW_HIDE);
    pump();
    EXPECT_NE(at(), kRedPixel);
}

TEST_F(PaintPixels, AnotherThreadDrawsThroughGetDC)
{
    HWND frame = createFrame("frame", 0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
    HWND child = createChild(frame, 1, 50, 20, 40, 40);
    pump();
    std::thread drawer([&] {
        HDC dc = GetDC(child);
        HBRUSH brush = CreateSolidBrush(kBlue);
        RECT all { -100, -100, 300, 300 };
        FillRect(dc, &all, brush);   // clipped to the child
        DeleteObject(brush);
        ReleaseDC(child, dc);
    });
    drawer.join();
    platform::gdi::Image image = store(frame);
    EXPECT_EQ(image.at(60, 30), kBluePixel);
    EXPECT_NE(image.at(40, 30), kBluePixel);
    EXPECT_NE(image.at(95, 30), kBluePixel);
}

TEST_F(PaintPixels, ScrollWindowMovesPixelsAndInvalidatesTheUncoveredPart)
{
    HWND frame = createFrame("frame", 0, 0, 100, 50, WS_POPUP | WS_VISIBLE);
    pump();
    HDC dc = GetDC(frame);
    HBRUSH red = CreateSolidBrush(kRed), blue = CreateSolidBrush(kBlue);
    RECT left { 0, 0, 50, 50 }, right { 50, 0, 100, 50 };
    FillRect(dc, &left, red);
    FillRect(dc, &right, blue);
    DeleteObject(red);
    DeleteObject(blue);
    ReleaseDC(frame, dc);
    RECT pending { 60, 10, 70, 20 };
    InvalidateRect(frame, &pending, FALSE);

    RECT uncovered;
    EXPECT_EQ(ScrollWindowEx(frame, -50, 0, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE), SIMPLEREGION);
    EXPECT_EQ(uncovered.left, 50);
    EXPECT_EQ(uncovered.right, 100);
    platform::gdi::Image image = store(frame);
    EXPECT_EQ(image.at(10, 10), kBluePixel);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(frame, &update, FALSE));
    EXPECT_EQ(update.left, 10);   // the pending part moved along
    EXPECT_EQ(update.right, 100);
}

TEST_F(PaintPixels, WindowRegionClipsPaintingAndHitTesting)
{
    installFiller();
    HWND under = createFrame("under", 0, 0, 300, 300, WS_POPUP | WS_VISIBLE);
    HWND shaped = createFrame("shaped", 0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    paintColours()[shaped] = kRed;
    // Only the left half belongs to the window.
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 50, 100), TRUE);
    pump();
    platform::gdi::Image image = store(shaped);
    EXPECT_EQ(image.at(10, 10), kRedPixel);
    EXPECT_NE(image.at(80, 10), kRedPixel);
    EXPECT_EQ(WindowFromPoint(POINT { 10, 10 }), shaped);
    EXPECT_EQ(WindowFromPoint(POINT { 80, 10 }), under);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shaped, copy), SIMPLEREGION);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box.right, 50);
    DeleteObject(copy);
}

} // namespace
