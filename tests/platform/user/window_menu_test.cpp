// The window menu by the keys alone: Alt+Space opens it on the active window, whichever of its
// children has the keyboard; the arrows and Enter choose, Escape leaves, and a move or size chosen
// there is worked by the arrows too.
#include "user_test_util.h"

#include <gtest/gtest.h>

using namespace usertest;
namespace harness = platform::harness;

TEST(WindowMenu, AltSpaceOpensItAndTheKeysWorkEachCommand)
{
    constexpr DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    // The frame's menu: Restore, Move, Size, Minimise, Maximise, a line, Close. The arrows pass
    // greyed commands too (Restore of a window not maximised); Enter does nothing on them. A move
    // or size steps 8 pixels an arrow; the first arrow of a direction picks the edge to size.
    // `change` moves the window rectangle's edges; all 1: the window closed.
    const struct { DWORD style; bool maximised; std::vector<UINT> keys; RECT change; bool zoomed; bool iconic; } cases[] = {
        { kFrame, false, { VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN }, {}, true, false },
        { kFrame, true, { VK_DOWN, VK_RETURN }, {}, false, false },
        { kFrame, false, { VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN }, {}, false, true },
        { kFrame, false, { VK_DOWN, VK_RETURN, VK_ESCAPE }, {}, false, false },
        { kFrame, false, { VK_DOWN, VK_DOWN, VK_RETURN, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN }, { 16, 8, 16, 8 }, false, false },
        { kFrame, false, { VK_DOWN, VK_DOWN, VK_RETURN, VK_LEFT, VK_UP, VK_ESCAPE }, {}, false, false },
        { kFrame, false, { VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_UP, VK_UP, VK_RETURN },
            { 0, -8, 16, 0 }, false, false },
        { kFrame, false, { VK_UP, VK_RETURN }, { 1, 1, 1, 1 }, false, false },
        { kFrame, false, { VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_ESCAPE }, {}, false, false },
        // A fixed frame has Move and Close only.
        { WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, false, { VK_DOWN, VK_DOWN, VK_RETURN }, { 1, 1, 1, 1 }, false, false },
    };
    for (const auto& c : cases) {
        const int row = int(&c - cases);
        HWND w = createFrame("window menu", 100, 100, 300, 200, c.style);
        RECT before {}, after {};
        GetWindowRect(w, &before);
        ShowWindow(w, c.maximised ? SW_MAXIMIZE : SW_SHOWNORMAL);
        // The keys go to a child, as they go to the map in the game's main window.
        SetFocus(createChild(w, 1, 10, 10, 50, 50));
        pump();
        // The menu and a move or size it starts take the keys queued behind Alt+Space.
        harness::keyDown(VK_MENU), harness::pressKey(VK_SPACE), harness::keyUp(VK_MENU);
        for (UINT key : c.keys)
            harness::pressKey(key);
        pump();
        EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr) << row;
        if (c.change.left == 1) {
            EXPECT_FALSE(IsWindow(w)) << row;
            continue;
        }
        GetWindowRect(w, &after);
        const RECT expected { before.left + c.change.left, before.top + c.change.top, before.right + c.change.right,
            before.bottom + c.change.bottom };
        EXPECT_TRUE(c.iconic || c.zoomed || EqualRect(&after, &expected)) << row;
        EXPECT_EQ(IsZoomed(w) != FALSE, c.zoomed) << row;
        EXPECT_EQ(IsIconic(w) != FALSE, c.iconic) << row;
        destroyAll();
    }
}
