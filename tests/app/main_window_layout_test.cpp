// Where the main window puts its sub-windows, and the notices of the dialog link.
#include "app/app_dialog_link.h"
#include "app/main_window_layout.h"
#include "tests/app/main_window_world.h"

#include <cstring>

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
        MoveWindow(world.handle(), 10, 20, 900, 700, TRUE);
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
        EXPECT_EQ(swCProfileKey("WindowInfo", "MainWindowWindowPosRight").profileReadInt(-1), 910);
    }
}

TEST(DialogLinkNotices, TextsNameTheUnitOrTheCountries)
{
    main_window_test::World world;
    GameState& state = world.state();
    std::strcpy(state.country(1).name, platform::utf8ToCp932("青国").c_str());
    std::strcpy(state.country(2).name, platform::utf8ToCp932("緑国").c_str());
    EXPECT_EQ(platform::cp932ToUtf8(AppDialogLink::noticeText(state, 13, 1, 2)), "青国陣営が緑国陣営領に進入しました。");
    EXPECT_EQ(platform::cp932ToUtf8(AppDialogLink::noticeText(state, 3, 0, 999)), "民間人を目標地点に輸送しました。");
    EXPECT_TRUE(AppDialogLink::noticeText(state, 17, 0, 0).empty());
    EXPECT_TRUE(AppDialogLink::noticeText(state, -1, 0, 0).empty());
}
