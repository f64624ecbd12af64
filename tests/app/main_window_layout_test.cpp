// Where the main window puts its sub-windows.
#include "app/main_window_layout.h"
#include "app/menu_ids.h"
#include "tests/app/main_window_world.h"


namespace {

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }

} // namespace

TEST(MainWindowLayout, ColumnSitsOnTheChosenSideAndTheMapTakesTheRest)
{
    const ChildSizes sizes { 28, 216, 288 };
    for (bool left : { true, false }) {
        MainLayout l = layoutMainWindow(1000, 700, sizes, left);
        EXPECT_EQ(l.tool.bottom, 28);
        EXPECT_EQ(width(l.tool), 1000);
        EXPECT_EQ(width(l.panel), 216);
        EXPECT_EQ(height(l.panel), 288);
        EXPECT_EQ(l.commands.top, l.panel.bottom);
        EXPECT_EQ(l.commands.bottom, 700);
        EXPECT_EQ(width(l.map), 1000 - 216);
        EXPECT_EQ(l.map.top, 28);
        EXPECT_EQ(l.map.bottom, 700);
        EXPECT_EQ(l.panel.left, left ? 0 : 1000 - 216);
        EXPECT_EQ(l.map.left, left ? 216 : 0);
    }
}

TEST(MainWindowLayout, TooSmallAClientGivesEmptyRectanglesNeverNegativeOnes)
{
    for (auto [w, h] : { std::pair { 100, 20 }, std::pair { 0, 0 }, std::pair { -5, 300 } }) {
        MainLayout l = layoutMainWindow(w, h, ChildSizes { 28, 216, 288 }, true);
        for (const RECT& r : { l.tool, l.panel, l.commands, l.map }) {
            EXPECT_GE(width(r), 0) << w << "x" << h;
            EXPECT_GE(height(r), 0) << w << "x" << h;
        }
    }
}

TEST(MainWindowLayout, WindowPlacesItsSubWindowsAndKeepsItsPlacement)
{
    {
        main_window_test::World world;
        HWND map = world.link().mapWindow();
        HWND panel = world.link().panel();
        ASSERT_TRUE(map && panel);
        RECT mapRect {}, panelRect {};
        GetWindowRect(map, &mapRect);
        GetWindowRect(panel, &panelRect);
        EXPECT_EQ(mapRect.left, panelRect.right) << "the column is on the left by default";
        MoveWindow(world.handle(), 10, 20, 1000, 740, TRUE);
        main_window_test::World::pump();
        GetWindowRect(map, &mapRect);
        RECT client {};
        GetClientRect(world.handle(), &client);
        POINT corner { client.right, client.bottom };
        ClientToScreen(world.handle(), &corner);
        EXPECT_EQ(mapRect.right, corner.x);
        EXPECT_EQ(mapRect.bottom, corner.y);
        DestroyWindow(world.handle());
        EXPECT_EQ(swCProfileKey("WindowInfo", "MainWindowWindowPosLeft").profileReadInt(-1), 10);
        EXPECT_EQ(swCProfileKey("WindowInfo", "MainWindowWindowPosRight").profileReadInt(-1), 1010);
    }
}

namespace {

BOOL CALLBACK collectButton(HWND child, LPARAM list)
{
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "Button")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

} // namespace

// Sized down by a person or by a kept placement, the window still shows every tool button and the
// command column down to its last row: those are the only ways to give some orders.
TEST(MainWindowLayout, NoSizeCutsOffAButton)
{
    main_window_test::World world;
    std::vector<HWND> buttons;
    EnumChildWindows(world.handle(), collectButton, reinterpret_cast<LPARAM>(&buttons));
    ASSERT_GT(buttons.size(), 30u);
    for (SIZE asked : { SIZE { 820, 620 }, SIZE { 400, 300 } }) {
        MoveWindow(world.handle(), 0, 0, asked.cx, asked.cy, TRUE);
        main_window_test::World::pump();
        RECT client {};
        GetClientRect(world.handle(), &client);
        MapWindowPoints(world.handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        for (HWND button : buttons) {
            RECT r {}, inside {};
            GetWindowRect(button, &r);
            IntersectRect(&inside, &r, &client);
            EXPECT_TRUE(EqualRect(&inside, &r)) << "button " << GetDlgCtrlID(button) << " at " << r.left << "," << r.top
                                                << " in a window asked to be " << asked.cx << "x" << asked.cy;
        }
    }
}

namespace {

POINT captionBox(HWND window, LRESULT box)
{
    RECT r {};
    GetWindowRect(window, &r);
    for (int y = r.top; y < r.top + 40; ++y)
        for (int x = r.right - 1; x > r.right - 120; --x)
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == box)
                return { x, y };
    return { -1, -1 };
}

} // namespace

// With no taskbar on the desktop, the minimised window's caption at the bottom of the screen and
// Alt+Tab are the ways back; either brings the game back as it was, tool windows included.
TEST(MainWindowLayout, MinimisedWindowComesBackByItsCaptionAndByAltTab)
{
    namespace harness = platform::harness;
    main_window_test::World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(5));
    harness::TestClock clock;
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kTroopList, 0);
    main_window_test::World::pump();
    HWND list = world.window().troopList();
    ASSERT_TRUE(list && IsWindowVisible(list));
    RECT before {};
    GetWindowRect(world.handle(), &before);
    const POINT view = world.window().mapWindow()->viewOrigin();
    const POINT minimise = captionBox(world.handle(), HTMINBUTTON);
    ASSERT_GE(minimise.x, 0);
    const RECT work = platform::desktop::Desktop::instance().workArea();
    auto backAsItWas = [&](const char* how) {
        EXPECT_FALSE(IsIconic(world.handle())) << how;
        RECT after {};
        GetWindowRect(world.handle(), &after);
        EXPECT_TRUE(EqualRect(&before, &after)) << how;
        EXPECT_TRUE(IsWindowVisible(list)) << how;
        EXPECT_EQ(GetActiveWindow(), world.handle()) << how;
        EXPECT_EQ(world.window().mapWindow()->viewOrigin().x, view.x) << how;
        EXPECT_EQ(world.window().mapWindow()->viewOrigin().y, view.y) << how;
        EXPECT_TRUE(world.state().handshake().waitingForAnswer()) << how;
    };

    // The troop list has the keyboard: the box works on the main window all the same.
    harness::click(minimise.x, minimise.y);
    main_window_test::World::pump();
    ASSERT_TRUE(IsIconic(world.handle()));
    EXPECT_FALSE(IsWindowVisible(list));
    harness::keepShot("main_window_minimised.png");
    harness::click(work.left + 40, work.bottom - 8);
    main_window_test::World::pump();
    backAsItWas("a click on its caption");

    // Not a double click on the box.
    harness::advanceClock(1000);
    harness::click(minimise.x, minimise.y);
    main_window_test::World::pump();
    ASSERT_TRUE(IsIconic(world.handle()));
    harness::keyDown(VK_MENU);
    harness::pressKey(VK_TAB);
    harness::keyUp(VK_MENU);
    main_window_test::World::pump();
    backAsItWas("Alt+Tab");
}
