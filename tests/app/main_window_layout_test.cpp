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

// With no taskbar on the desktop, the caption a minimised window leaves at the bottom of the screen
// and Alt+Tab bring the game back as it was, tool windows included.
TEST(MainWindowLayout, MinimisedWindowComesBackByItsCaptionAndByAltTab)
{
    namespace harness = platform::harness;
    main_window_test::World world;
    ASSERT_TRUE(world.startGame());
    harness::TestClock clock;
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kTroopList, 0);
    main_window_test::World::pump();
    HWND troops = world.window().troopList();
    RECT before {}, after {};
    GetWindowRect(world.handle(), &before);
    const POINT view = world.window().mapWindow()->viewOrigin();
    const RECT work = platform::desktop::Desktop::instance().workArea();
    for (bool byClick : { true, false }) {
        // The minimise box, left of the maximise and close boxes; clicks a second apart.
        harness::advanceClock(1000);
        harness::click(before.right - 48, before.top + 12);
        main_window_test::World::pump();
        ASSERT_TRUE(IsIconic(world.handle()) && !IsWindowVisible(troops)) << byClick;
        byClick ? harness::click(work.left + 40, work.bottom - 8) : (harness::keyDown(VK_MENU), harness::pressKey(VK_TAB), harness::keyUp(VK_MENU));
        main_window_test::World::pump();
        GetWindowRect(world.handle(), &after);
        const POINT now = world.window().mapWindow()->viewOrigin();
        EXPECT_TRUE(!IsIconic(world.handle()) && EqualRect(&before, &after) && IsWindowVisible(troops) && GetActiveWindow() == world.handle()
            && now.x == view.x && now.y == view.y) << byClick;
    }
}
