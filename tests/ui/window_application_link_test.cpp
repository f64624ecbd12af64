// The windows' answers to the game state: message boxes, the restart flag, raising a window.
#include "ui/window_application_link.h"

#include "lib/application.h"
#include "platform/desktop/harness.h"
#include "platform/windows.h"

#include <gtest/gtest.h>

namespace {

TEST(FrontWindow, RaisesAWindowAndRefusesAStaleHandle)
{
    HWND a = CreateWindowExA(0, "STATIC", "a", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND b = CreateWindowExA(0, "STATIC", "b", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(bringWindowToFront(a));
    EXPECT_EQ(GetForegroundWindow(), a);
    DestroyWindow(b);
    EXPECT_FALSE(bringWindowToFront(b));
    EXPECT_EQ(GetForegroundWindow(), a);
    DestroyWindow(a);
}


TEST(WindowApplicationLink, NoticesBecomeMessageBoxesAndTheRestartFlagIsTheApplications)
{
    platform::harness::clearMessageBoxes();
    WindowApplicationLink& link = windowApplicationLink();
    link.tell("stop", "a", NoticeIcon::Stop, NoticeOwner::Nobody);
    link.tell("plain", "b", NoticeIcon::None, NoticeOwner::MainWindow);
    const auto boxes = platform::harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text + boxes[0].caption, "stopa");
    EXPECT_EQ(boxes[0].style, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(boxes[1].text + boxes[1].caption, "plainb");
    EXPECT_EQ(boxes[1].style, UINT(MB_OK));

    link.setRestartRequested(true);
    EXPECT_TRUE(theApplication().restartRequested());
    link.setRestartRequested(false);
    EXPECT_FALSE(theApplication().restartRequested());
    // No main window yet: nothing to raise.
    EXPECT_FALSE(link.raiseMainWindow());
}

}
