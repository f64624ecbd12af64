// A greyed Close in the system menu: the close box is drawn disabled and the person's ways of
// closing (the box, Alt+F4, the desktop's close request) do nothing, while code's SC_CLOSE still
// closes; MF_ENABLED gives everything back.
#include "platform/desktop/harness.h"
#include "user_test_util.h"

#include <gtest/gtest.h>

using namespace usertest;
namespace harness = platform::harness;

namespace {

struct GreyedClose : ::testing::Test {
    void TearDown() override { destroyAll(); }
};

// The close box on the screen, found by hit-testing the caption's right end.
RECT closeBoxOf(HWND w)
{
    RECT frame, box { 1 << 20, 1 << 20, -1, -1 };
    GetWindowRect(w, &frame);
    for (int y = frame.top; y < frame.top + 40; ++y)
        for (int x = frame.right - 60; x < frame.right; ++x)
            if (SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                box = { std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                    std::max<LONG>(box.bottom, y + 1) };
            }
    return box;
}

// Pixels of a colour inside a rectangle of the screen.
int countColour(const RECT& r, int sysColour)
{
    COLORREF c = GetSysColor(sysColour);
    uint32_t xrgb = (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
    harness::Image image = harness::readRect(r);
    int n = 0;
    for (uint32_t p : image.pixels)
        n += (p & 0xFFFFFF) == xrgb;
    return n;
}

void pressAltF4()
{
    harness::keyDown(VK_MENU);
    harness::pressKey(VK_F4);
    harness::keyUp(VK_MENU);
    pump();
}

void desktopCloseRequest()
{
    platform::desktop::InputEvent close;
    close.kind = platform::desktop::InputEvent::Kind::CloseRequest;
    platform::desktop::Desktop::instance().postInput(close);
    pump();
}

TEST_F(GreyedClose, BoxAltF4AndTheDesktopRequestDoNothingButCodeStillCloses)
{
    HWND w = createFrame("battle", 100, 100, 300, 200);
    pump();
    RECT box = closeBoxOf(w);
    ASSERT_LT(box.left, box.right);
    EXPECT_GT(countColour(box, COLOR_BTNTEXT), 0) << "a live close box has a dark cross";

    EnableMenuItem(GetSystemMenu(w, FALSE), SC_CLOSE, MF_GRAYED);
    pump();
    harness::keepShot("greyed_close.png");
    EXPECT_EQ(countColour(box, COLOR_BTNTEXT), 0) << "drawn disabled at once";
    EXPECT_GT(countColour(box, COLOR_GRAYTEXT), 0);

    Recorder::instance().clear();
    harness::click((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    pump();
    pressAltF4();
    desktopCloseRequest();
    EXPECT_TRUE(IsWindow(w));
    EXPECT_TRUE(Recorder::instance().messages(w, { WM_CLOSE }).empty());

    SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(w)) << "code's SC_CLOSE closes as before";
}

TEST_F(GreyedClose, EnabledAgainTheBoxTheKeysAndTheDesktopCloseOnceMore)
{
    auto closesBy = [](const std::function<void(HWND)>& how) {
        HWND w = createFrame("battle", 100, 100, 300, 200);
        pump();
        HMENU menu = GetSystemMenu(w, FALSE);
        EnableMenuItem(menu, SC_CLOSE, MF_GRAYED);
        pump();
        EnableMenuItem(menu, SC_CLOSE, MF_ENABLED);
        pump();
        how(w);
        bool closed = !IsWindow(w);
        if (!closed)
            DestroyWindow(w);
        return closed;
    };
    EXPECT_TRUE(closesBy([](HWND w) {
        RECT box = closeBoxOf(w);
        EXPECT_GT(countColour(box, COLOR_BTNTEXT), 0) << "drawn live again";
        harness::click((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        pump();
    }));
    EXPECT_TRUE(closesBy([](HWND w) {
        SetForegroundWindow(w);
        pump();
        pressAltF4();
    }));
    EXPECT_TRUE(closesBy([](HWND) { desktopCloseRequest(); }));
}

} // namespace
