// Input: activation and focus, capture, disabled windows, hooks, typed text, dragging windows
// by their caption and window scroll bars.
#include "user_test_util.h"

#include <gtest/gtest.h>

using namespace usertest;
namespace harness = platform::harness;

namespace {

struct Input : ::testing::Test {
    void TearDown() override
    {
        destroyAll();
        ReleaseCapture();
    }
};

using Activation = Input;
using MouseRouting = Input;
using Keyboard = Input;
using NonClientMouse = Input;

std::vector<std::pair<HWND, UINT>> sequence(const std::vector<UINT>& kinds)
{
    std::vector<std::pair<HWND, UINT>> result;
    for (const Entry& e : Recorder::instance().entries())
        if (std::find(kinds.begin(), kinds.end(), e.message) != kinds.end())
            result.emplace_back(e.hwnd, e.message);
    return result;
}

const std::vector<UINT> kActivation = { WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS };

TEST_F(Activation, FirstWindowActivatesTheApplicationThenFocusMoves)
{
    Recorder::instance().clear();
    HWND a = createFrame("a", 0, 0, 200, 100);
    EXPECT_EQ(sequence(kActivation), (std::vector<std::pair<HWND, UINT>> {
        { a, WM_ACTIVATEAPP }, { a, WM_NCACTIVATE }, { a, WM_ACTIVATE }, { a, WM_SETFOCUS } }));
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);

    Recorder::instance().clear();
    HWND b = createFrame("b", 50, 50, 200, 100);
    EXPECT_EQ(sequence(kActivation), (std::vector<std::pair<HWND, UINT>> {
        { a, WM_NCACTIVATE }, { a, WM_ACTIVATE }, { b, WM_NCACTIVATE }, { b, WM_ACTIVATE }, { a, WM_KILLFOCUS },
        { b, WM_SETFOCUS } }));
    for (const Entry& e : Recorder::instance().entries()) {
        if (e.message == WM_ACTIVATE) {
            EXPECT_EQ(LOWORD(e.wParam), e.hwnd == b ? WA_ACTIVE : WA_INACTIVE);
        }
    }

    HWND child = createChild(b, 1, 0, 0, 20, 20);
    Recorder::instance().clear();
    EXPECT_EQ(SetFocus(child), b);
    EXPECT_EQ(sequence(kActivation), (std::vector<std::pair<HWND, UINT>> { { b, WM_KILLFOCUS }, { child, WM_SETFOCUS } }));
}

TEST_F(Activation, ClickActivatesAndADisabledOwnerPassesItToItsDialog)
{
    HWND owner = createFrame("owner", 0, 0, 300, 300);
    HWND dialog = createFrame("dialog", 400, 0, 100, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, owner);
    HWND other = createFrame("other", 600, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), other);

    harness::click(650, 50);
    harness::click(150, 150);
    pump();
    EXPECT_EQ(GetActiveWindow(), owner);

    // A modal dialog disables its owner: a click on the owner activates the dialog instead.
    EnableWindow(owner, FALSE);
    SetActiveWindow(other);
    Recorder::instance().clear();
    harness::click(150, 150);
    pump();
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_TRUE(Recorder::instance().messages(owner, { WM_LBUTTONDOWN }).empty());
}

TEST_F(MouseRouting, MessagesGoToTheWindowUnderTheCursorOrTheCapture)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND left = createChild(frame, 1, 0, 0, 100, 100);
    HWND right = createChild(frame, 2, 150, 0, 100, 100);
    pump();
    Recorder::instance().clear();
    harness::click(160, 20);
    pump();
    auto rightEntries = Recorder::instance().messages(right, { WM_LBUTTONDOWN, WM_LBUTTONUP });
    EXPECT_EQ(rightEntries, (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP }));
    for (const Entry& e : Recorder::instance().entries()) {
        if (e.message == WM_LBUTTONDOWN) {
            EXPECT_EQ(GET_X_LPARAM(e.lParam), 10);   // client coordinates of the child
            EXPECT_EQ(GET_Y_LPARAM(e.lParam), 20);
        }
    }

    SetCapture(left);
    Recorder::instance().clear();
    harness::mouseDown(160, 20);
    harness::mouseUp(160, 20);
    pump();
    EXPECT_TRUE(Recorder::instance().messages(right, { WM_LBUTTONDOWN, WM_LBUTTONUP }).empty());
    EXPECT_EQ(Recorder::instance().messages(left, { WM_LBUTTONDOWN, WM_LBUTTONUP }),
        (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP }));
    for (const Entry& e : Recorder::instance().entries()) {
        if (e.message == WM_LBUTTONDOWN) {
            EXPECT_EQ(GET_X_LPARAM(e.lParam), 160);
        }
    }

    Recorder::instance().clear();
    ReleaseCapture();
    EXPECT_EQ(Recorder::instance().messages(left, { WM_CAPTURECHANGED }), (std::vector<UINT> { WM_CAPTURECHANGED }));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MouseRouting, ButtonPressInAChildIsAnnouncedToItsParents)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND panel = createChild(frame, 1, 50, 50, 200, 100);
    HWND button = createChild(panel, 2, 10, 10, 50, 50);
    pump();
    Recorder::instance().clear();
    harness::click(70, 70, harness::Button::Right);
    pump();
    std::vector<std::pair<HWND, LPARAM>> notes;
    for (const Entry& e : Recorder::instance().entries())
        if (e.message == WM_PARENTNOTIFY && LOWORD(e.wParam) == WM_RBUTTONDOWN)
            notes.emplace_back(e.hwnd, e.lParam);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].first, panel);
    EXPECT_EQ(notes[0].second, MAKELPARAM(20, 20));
    EXPECT_EQ(notes[1].first, frame);
    EXPECT_EQ(notes[1].second, MAKELPARAM(70, 70));
    EXPECT_EQ(Recorder::instance().messages(button, { WM_RBUTTONDOWN }), (std::vector<UINT> { WM_RBUTTONDOWN }));
}

TEST_F(MouseRouting, DisabledChildPassesTheClickToItsParent)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND child = createChild(frame, 1, 0, 0, 100, 100);
    EnableWindow(child, FALSE);
    pump();
    Recorder::instance().clear();
    harness::click(20, 20);
    pump();
    EXPECT_TRUE(Recorder::instance().messages(child, { WM_LBUTTONDOWN }).empty());
    EXPECT_EQ(Recorder::instance().messages(frame, { WM_LBUTTONDOWN }), (std::vector<UINT> { WM_LBUTTONDOWN }));
}

TEST_F(MouseRouting, DoubleClicksNeedTheClassStyle)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    pump();
    Recorder::instance().clear();
    harness::doubleClick(20, 20);
    pump();
    EXPECT_EQ(Recorder::instance().messages(frame, { WM_LBUTTONDOWN, WM_LBUTTONDBLCLK }),
        (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONDBLCLK }));
}

TEST_F(MouseRouting, TransparentWindowPassesTheClickBelow)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND glass = createChild(frame, 2, 0, 0, 100, 100);   // the first child is on top
    HWND under = createChild(frame, 1, 0, 0, 100, 100);
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* out) {
        if (hwnd == glass && message == WM_NCHITTEST) {
            *out = HTTRANSPARENT;
            return true;
        }
        return false;
    };
    EXPECT_EQ(WindowFromPoint(POINT { 20, 20 }), under);
    EXPECT_EQ(ChildWindowFromPoint(frame, POINT { 20, 20 }), glass);   // geometry only
    pump();
    Recorder::instance().clear();
    harness::click(20, 20);
    pump();
    EXPECT_TRUE(Recorder::instance().messages(glass, { WM_LBUTTONDOWN }).empty());
    EXPECT_EQ(Recorder::instance().messages(under, { WM_LBUTTONDOWN }), (std::vector<UINT> { WM_LBUTTONDOWN }));
}

TEST_F(MouseRouting, CloseRequestFromTheDesktopClosesTheMainWindow)
{
    HWND main = createFrame("main", 0, 0, 300, 200);
    platform::desktop::InputEvent close;
    close.kind = platform::desktop::InputEvent::Kind::CloseRequest;
    platform::desktop::Desktop::instance().postInput(close);
    pump();
    EXPECT_FALSE(IsWindow(main));
}

HHOOK g_mouseHook = nullptr;
LRESULT CALLBACK swallowRightButton(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && (wParam == WM_RBUTTONDOWN || wParam == WM_RBUTTONUP))
        return 1;
    return CallNextHookEx(g_mouseHook, code, wParam, lParam);
}

TEST_F(MouseRouting, MouseHookSwallowsClicksItClaims)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    g_mouseHook = SetWindowsHookExA(WH_MOUSE, swallowRightButton, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(g_mouseHook);
    pump();
    Recorder::instance().clear();
    harness::click(20, 20, harness::Button::Right);
    harness::click(20, 20);
    pump();
    EXPECT_TRUE(Recorder::instance().messages(frame, { WM_RBUTTONDOWN, WM_RBUTTONUP }).empty());
    EXPECT_EQ(Recorder::instance().messages(frame, { WM_LBUTTONDOWN, WM_LBUTTONUP }),
        (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP }));
    UnhookWindowsHookEx(g_mouseHook);
}

std::vector<std::pair<WPARAM, UINT>> g_hookHeard;
LRESULT CALLBACK recordButtons(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && (wParam == WM_RBUTTONDOWN || wParam == WM_NCRBUTTONDOWN))
        g_hookHeard.emplace_back(wParam, reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->wHitTestCode);
    return CallNextHookEx(g_mouseHook, code, wParam, lParam);
}

TEST_F(MouseRouting, MouseHookHearsAClickOnAWindowThatIsDisabled)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    g_mouseHook = SetWindowsHookExA(WH_MOUSE, recordButtons, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(g_mouseHook);
    EnableWindow(frame, FALSE);
    pump();
    Recorder::instance().clear();
    g_hookHeard.clear();
    harness::click(20, 20, harness::Button::Right);
    pump();
    EXPECT_TRUE(Recorder::instance().messages(frame, { WM_RBUTTONDOWN, WM_NCRBUTTONDOWN }).empty()) << "the window itself hears nothing";
    ASSERT_EQ(g_hookHeard.size(), 1u);
    EXPECT_EQ(g_hookHeard[0].second, UINT(HTERROR));
    UnhookWindowsHookEx(g_mouseHook);
}

HHOOK g_hook = nullptr;
LRESULT CALLBACK swallowF5(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == VK_F5)
        return 1;
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(Keyboard, HookSwallowsAKeyBeforeTheWindowSeesIt)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200);
    SetFocus(frame);
    g_hook = SetWindowsHookExA(WH_KEYBOARD, swallowF5, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(g_hook);
    Recorder::instance().clear();
    harness::pressKey(VK_F5);
    harness::pressKey(VK_F6);
    pump();
    std::vector<WPARAM> keys;
    for (const Entry& e : Recorder::instance().entries())
        if (e.hwnd == frame && e.message == WM_KEYDOWN)
            keys.push_back(e.wParam);
    EXPECT_EQ(keys, (std::vector<WPARAM> { VK_F6 }));
    EXPECT_TRUE(UnhookWindowsHookEx(g_hook));
    EXPECT_FALSE(UnhookWindowsHookEx(g_hook));
}

TEST_F(Keyboard, TypedDoubleByteCharacterArrivesAsTwoCharsLeadFirst)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200);
    SetFocus(frame);
    Recorder::instance().clear();
    harness::typeText("あA");
    pump();
    std::vector<WPARAM> chars;
    for (const Entry& e : Recorder::instance().entries())
        if (e.hwnd == frame && e.message == WM_CHAR)
            chars.push_back(e.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM> { 0x82, 0xA0, 'A' }));
}

TEST_F(Keyboard, KeyMessagesCarryStateAndGetKeyStateFollows)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200);
    SetFocus(frame);
    Recorder::instance().clear();
    harness::keyDown(VK_SHIFT);
    harness::keyDown(VK_RETURN);
    MSG msg;
    std::vector<MSG> got;
    while (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYUP, PM_REMOVE)) {
        got.push_back(msg);
        TranslateMessage(&msg);
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].wParam, WPARAM(VK_RETURN));
    EXPECT_EQ(got[1].lParam & 0xFFFF, 1);                  // repeat count
    EXPECT_EQ((got[1].lParam >> 31) & 1, 0);               // pressed
    EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM('\r'));
    harness::keyUp(VK_RETURN);
    harness::keyUp(VK_SHIFT);
    pump();
    EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
    // Alt + key is a system key.
    harness::keyDown(VK_MENU);
    harness::keyDown('F');
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_SYSKEYDOWN));
    EXPECT_TRUE(msg.lParam & (1 << 29));
    harness::keyUp('F');
    harness::keyUp(VK_MENU);
    pump();
}

TEST_F(NonClientMouse, DraggingTheCaptionMovesTheWindow)
{
    HWND frame = createFrame("frame", 100, 100, 200, 150);
    pump();
    RECT before;
    GetWindowRect(frame, &before);
    int x = 150, y = 100 + GetSystemMetrics(SM_CYFRAME) + 5;
    ASSERT_EQ(SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)), HTCAPTION);
    Recorder::instance().clear();
    harness::mouseDown(x, y);
    harness::mouseMove(x + 10, y + 5);
    harness::mouseMove(x + 30, y + 20);
    harness::mouseUp(x + 30, y + 20);
    pump();
    RECT after;
    GetWindowRect(frame, &after);
    EXPECT_EQ(after.left, before.left + 30);
    EXPECT_EQ(after.top, before.top + 20);
    EXPECT_EQ(after.right - after.left, 200);
    auto seen = Recorder::instance().messages(frame, { WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE });
    EXPECT_EQ(seen, (std::vector<UINT> { WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE }));
    EXPECT_FALSE(Recorder::instance().messages(frame, { WM_MOVING }).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(NonClientMouse, CaptionlessWindowAnsweringHtCaptionIsDraggedByItsBody)
{
    HWND frame = createFrame("body", 100, 100, 100, 100, WS_POPUP | WS_VISIBLE);
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* out) {
        if (hwnd == frame && message == WM_NCHITTEST) {
            *out = HTCAPTION;
            return true;
        }
        return false;
    };
    pump();
    harness::mouseDown(150, 150);
    harness::mouseMove(170, 140);
    harness::mouseUp(170, 140);
    pump();
    RECT after;
    GetWindowRect(frame, &after);
    EXPECT_EQ(after.left, 120);
    EXPECT_EQ(after.top, 90);
}

TEST_F(NonClientMouse, ScrollBarClicksSendScrollCodes)
{
    HWND frame = createFrame("scroll", 0, 0, 200, 200, WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    SCROLLINFO info { sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0 };
    SetScrollInfo(frame, SB_VERT, &info, TRUE);
    pump();
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
    int x = 200 - 8;
    auto codes = [&] {
        std::vector<int> result;
        for (const Entry& e : Recorder::instance().entries())
            if (e.hwnd == frame && e.message == WM_VSCROLL)
                result.push_back(LOWORD(e.wParam));
        return result;
    };
    Recorder::instance().clear();
    harness::click(x, 200 - 5);   // the down arrow
    pump();
    EXPECT_EQ(codes(), (std::vector<int> { SB_LINEDOWN, SB_ENDSCROLL }));

    Recorder::instance().clear();
    harness::click(x, 150);       // the track below the thumb
    pump();
    EXPECT_EQ(codes(), (std::vector<int> { SB_PAGEDOWN, SB_ENDSCROLL }));

    Recorder::instance().clear();
    harness::mouseDown(x, 16 + 4);   // the thumb at position 0
    harness::mouseMove(x, 60);
    harness::mouseUp(x, 60);
    pump();
    std::vector<int> drag = codes();
    ASSERT_GE(drag.size(), 3u);
    EXPECT_EQ(drag.front(), SB_THUMBTRACK);
    EXPECT_EQ(drag[drag.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(drag.back(), SB_ENDSCROLL);
    for (const Entry& e : Recorder::instance().entries()) {
        if (e.hwnd == frame && e.message == WM_VSCROLL && LOWORD(e.wParam) == SB_THUMBPOSITION) {
            EXPECT_GT(HIWORD(e.wParam), 0);
        }
    }
}

} // namespace
