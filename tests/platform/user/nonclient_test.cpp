// The non-client area: frame sizes, sizing by the frame within WM_GETMINMAXINFO limits, window
// scroll bar state, and frame-only repaints.
#include "platform/user/menubar_hooks.h"
#include "user_test_util.h"

#include <gtest/gtest.h>

using namespace usertest;
namespace harness = platform::harness;

namespace {

struct NonClient : ::testing::Test {
    void TearDown() override { destroyAll(); }
};

using FrameLayout = NonClient;
using WindowScrollBar = NonClient;

TEST_F(FrameLayout, ClientAreaMatchesAdjustWindowRectForEachFrameKind)
{
    struct Case {
        DWORD style;
        DWORD exStyle;
    };
    const Case cases[] = {
        { WS_OVERLAPPEDWINDOW, 0 },
        { WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME },
        { WS_POPUP | WS_BORDER, 0 },
        { WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW },
        { WS_POPUP, WS_EX_CLIENTEDGE },
        { WS_POPUP | WS_THICKFRAME, WS_EX_STATICEDGE },
    };
    for (const Case& c : cases) {
        RECT r { 0, 0, 160, 90 };
        AdjustWindowRectEx(&r, c.style, FALSE, c.exStyle);
        HWND w = createFrame("k", 0, 0, r.right - r.left, r.bottom - r.top, c.style | WS_VISIBLE, c.exStyle);
        RECT client;
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, 160) << std::hex << c.style << " " << c.exStyle;
        EXPECT_EQ(client.bottom, 90) << std::hex << c.style << " " << c.exStyle;
        DestroyWindow(w);
    }
}

TEST_F(FrameLayout, HitTestFindsFramePartsAndBoxes)
{
    HWND w = createFrame("frame", 100, 100, 300, 200);
    auto hit = [&](int x, int y) { return SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(hit(101, 150), HTLEFT);
    EXPECT_EQ(hit(398, 150), HTRIGHT);
    EXPECT_EQ(hit(101, 101), HTTOPLEFT);
    EXPECT_EQ(hit(398, 298), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(200, 100 + frame + 3), HTCAPTION);
    EXPECT_EQ(hit(398 - frame - 6, 100 + frame + 8), HTCLOSE);
    EXPECT_EQ(hit(200, 200), HTCLIENT);
    EXPECT_EQ(hit(50, 50), HTNOWHERE);
}

TEST_F(FrameLayout, CaptionBoxesAndDoubleClickRunTheirCommands)
{
    HWND w = createFrame("boxes", 100, 100, 300, 200);
    int frame = GetSystemMetrics(SM_CXFRAME);
    int captionY = 100 + frame + 8;
    pump();
    harness::doubleClick(200, captionY);
    pump();
    EXPECT_TRUE(IsZoomed(w));
    harness::doubleClick(200, frame + 8);   // the caption of the maximised window
    pump();
    EXPECT_FALSE(IsZoomed(w));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    Recorder::instance().clear();
    harness::click(398 - frame - 6, captionY);   // the close box
    pump();
    EXPECT_FALSE(IsWindow(w));
    auto commands = Recorder::instance().messages(w, { WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY });
    EXPECT_EQ(commands, (std::vector<UINT> { WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY }));
}

TEST_F(FrameLayout, SizingByTheFrameStopsAtTheMinimumTrackSize)
{
    HWND w = createFrame("sized", 100, 100, 300, 200);
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM lParam, LRESULT* out) {
        if (hwnd == w && message == WM_GETMINMAXINFO) {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
            mmi->ptMinTrackSize = { 250, 150 };
            *out = 0;
            return true;
        }
        return false;
    };
    pump();
    harness::mouseDown(398, 298);
    harness::mouseMove(300, 250);
    harness::mouseMove(200, 200);
    harness::mouseUp(200, 200);
    pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 150);
    EXPECT_FALSE(Recorder::instance().messages(w, { WM_SIZING }).empty());
    // Programmatic moves of a sizable window obey the same limits.
    MoveWindow(w, 0, 0, 10, 10, TRUE);
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 250);
}

TEST_F(FrameLayout, MovingHandlerMayCorrectTheDraggedRectangle)
{
    HWND w = createFrame("kept", 100, 100, 200, 150);
    // As the game's windows do: stay inside the work area.
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM lParam, LRESULT* out) {
        if (hwnd != w || message != WM_MOVING)
            return false;
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (r->left < 0) {
            r->right -= r->left;
            r->left = 0;
        }
        *out = TRUE;
        return true;
    };
    pump();
    int y = 100 + GetSystemMetrics(SM_CYFRAME) + 5;
    harness::mouseDown(150, y);
    harness::mouseMove(20, y);
    harness::mouseUp(20, y);
    pump();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 200);
}

struct DragError {
};

TEST_F(FrameLayout, ErrorThrownDuringADragLeavesNoCaptureBehind)
{
    HWND w = createFrame("thrower", 100, 100, 200, 150);
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) -> bool {
        if (hwnd == w && message == WM_MOVING)
            throw DragError {};
        return false;
    };
    pump();
    int y = 100 + GetSystemMetrics(SM_CYFRAME) + 5;
    harness::mouseDown(150, y);
    harness::mouseMove(160, y);
    harness::mouseUp(160, y);
    bool caught = false;
    MSG msg;
    try {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    } catch (const DragError&) {
        caught = true;
    }
    EXPECT_TRUE(caught);
    EXPECT_EQ(GetCapture(), nullptr);
    Recorder::instance().handler = nullptr;
    pump();
}

TEST_F(FrameLayout, DirtyFrameAloneIsRedrawnWithoutAPaintMessage)
{
    HWND w = createFrame("frame", 0, 0, 200, 100);
    pump();
    Recorder::instance().clear();
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
    ValidateRect(w, nullptr);
    pump();
    EXPECT_EQ(Recorder::instance().messages(w, { WM_NCPAINT, WM_PAINT }), (std::vector<UINT> { WM_NCPAINT }));
}

struct MenuBarProbe {
    static inline int clicks = 0;
    static inline LPARAM lastKey = -1;
    static int height(HWND, HMENU, int) { return 20; }
    static void click(HWND, HMENU, POINT) { ++clicks; }
    static void keyMenu(HWND, HMENU, LPARAM key) { lastKey = key; }
};

TEST_F(FrameLayout, MenuBarHooksShapeTheFrameAndTakeClicksAndKeys)
{
    auto& hooks = platform::user::menuBarHooks();
    platform::user::MenuBarHooks saved = hooks;
    hooks.height = MenuBarProbe::height;
    hooks.click = MenuBarProbe::click;
    hooks.keyMenu = MenuBarProbe::keyMenu;
    hooks.paint = nullptr;
    RECT r { 0, 0, 200, 100 };
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND w = createFrame("menu", 0, 0, r.right - r.left, r.bottom - r.top);
    HMENU fakeMenu = reinterpret_cast<HMENU>(uintptr_t(0x1234));
    ASSERT_TRUE(platform::user::setWindowMenu(w, fakeMenu));
    EXPECT_EQ(platform::user::windowMenu(w), fakeMenu);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.bottom, 100 - 20);
    int frame = GetSystemMetrics(SM_CYFRAME), caption = GetSystemMetrics(SM_CYCAPTION);
    int y = frame + caption + 5;
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(50, y)), HTMENU);
    MenuBarProbe::clicks = 0;
    harness::click(50, y);
    pump();
    EXPECT_EQ(MenuBarProbe::clicks, 1);
    SetFocus(w);
    MenuBarProbe::lastKey = -1;
    harness::pressKey(VK_MENU);
    pump();
    EXPECT_EQ(MenuBarProbe::lastKey, 0);
    hooks = saved;
}

TEST_F(WindowScrollBar, PositionStaysWithinRangeMinusPage)
{
    HWND w = createFrame("scroll", 0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    SCROLLINFO info { sizeof(info), SIF_ALL, 0, 99, 10, 500, 0 };
    EXPECT_EQ(SetScrollInfo(w, SB_VERT, &info, TRUE), 90);
    EXPECT_EQ(SetScrollPos(w, SB_VERT, -5, TRUE), 90);
    EXPECT_EQ(GetScrollPos(w, SB_VERT), 0);
    int lo = -1, hi = -1;
    GetScrollRange(w, SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 99);
}

TEST_F(WindowScrollBar, BarShowsOnlyWhileThereIsSomethingToScroll)
{
    HWND w = createFrame("scroll", 0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 200);
    SetScrollRange(w, SB_HORZ, 0, 50, TRUE);
    EXPECT_TRUE(GetWindowLongPtrA(w, GWL_STYLE) & WS_HSCROLL);
    GetClientRect(w, &client);
    EXPECT_EQ(client.bottom, 200 - GetSystemMetrics(SM_CYHSCROLL));
    SetScrollRange(w, SB_HORZ, 0, 0, TRUE);
    EXPECT_FALSE(GetWindowLongPtrA(w, GWL_STYLE) & WS_HSCROLL);
    GetClientRect(w, &client);
    EXPECT_EQ(client.bottom, 200);
    // Asked to stay, the bar remains when the range empties.
    SCROLLINFO info { sizeof(info), SIF_RANGE, 0, 50, 0, 0, 0 };
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    info = { sizeof(info), SIF_RANGE | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0 };
    SetScrollInfo(w, SB_VERT, &info, TRUE);
    EXPECT_TRUE(GetWindowLongPtrA(w, GWL_STYLE) & WS_VSCROLL);
    ShowScrollBar(w, SB_VERT, FALSE);
    EXPECT_FALSE(GetWindowLongPtrA(w, GWL_STYLE) & WS_VSCROLL);
}

} // namespace
