// The weapon information, terrain and history windows from the main window: at most two weapon
// information windows (a shown type raised, a third refused), the terrain list with its docked
// display-item window, the tables, the history with its setting, and the refreshes posted to them.
#include "app/app_window_services.h"
#include "ui/private_messages.h"
#include "app/menu_ids.h"
#include "infowin/action_history_window.h"
#include "infowin/land_list_window.h"
#include "infowin/unit_info_ids.h"
#include "infowin/weapon_info_window.h"
#include "platform/kernel/host.h"
#include "rules/main_window_link.h"
#include "state/action_history.h"
#include "tests/app/main_window_world.h"

#include <cstdlib>

namespace {

using main_window_test::World;
namespace harness = platform::harness;

// The world with the main window's services installed as the program installs them.
class Windows : public ::testing::Test {
protected:
    Windows() { setMainWindowServices(&services); }
    ~Windows() override { setMainWindowServices(nullptr); }

    std::vector<int> typeIds(size_t n) const
    {
        std::vector<int> ids;
        for (const UnitTypeRecord& type : const_cast<World&>(world).state().unitTypes())
            if (ids.size() < n && type.available == 1)
                ids.push_back(type.id);
        return ids;
    }

    World world;
    AppWindowServices services { world.link() };
};

} // namespace

TEST_F(Windows, AtMostTwoWeaponInformationWindows)
{
    const std::vector<int> ids = typeIds(3);
    harness::clearMessageBoxes();
    world.post(ui_message::kWeaponInfo, WPARAM(ids[0]));
    world.post(ui_message::kWeaponInfo, WPARAM(ids[1]));
    EXPECT_EQ(world.window().weaponInfoCount(), 2);
    const HWND first = world.window().weaponInfoWindow(0);
    const HWND second = world.window().weaponInfoWindow(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetWindow(first, GW_OWNER), world.handle());

    // A type already shown raises its window; nothing new opens and nothing is refused.
    world.post(ui_message::kWeaponInfo, WPARAM(ids[0]));
    EXPECT_EQ(world.window().weaponInfoCount(), 2);
    EXPECT_TRUE(harness::messageBoxes().empty());

    world.post(ui_message::kWeaponInfo, WPARAM(ids[2]));
    EXPECT_EQ(world.window().weaponInfoCount(), 2);
    const auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, platform::utf8ToCp932("これ以上兵器詳細ウィンドウを開くことはできません。"));
    EXPECT_EQ(boxes[0].caption, platform::utf8ToCp932("注意"));

    // The close request frees key 0, which the next window takes.
    SendMessageA(first, WM_COMMAND, unit_info_id::kClose, 0);
    World::pump();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(world.window().weaponInfoCount(), 1);
    world.post(ui_message::kWeaponInfo, WPARAM(ids[2]));
    EXPECT_NE(world.window().weaponInfoWindow(0), nullptr);
    // A window that browsed on is found under its new type.
    world.window().setWeaponInfoShown(1, ids[0]);
    world.post(ui_message::kWeaponInfo, WPARAM(ids[0]));
    EXPECT_EQ(world.window().weaponInfoCount(), 2);
}

TEST_F(Windows, TheTerrainListComesWithItsDisplayItemWindowDocked)
{
    world.command(menu_id::kTerrainList);
    const HWND list = world.window().terrainList();
    const HWND options = world.window().landListOption();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(IsWindowVisible(options));
    EXPECT_EQ(GetWindow(options, GW_OWNER), list);

    // The list's button shows it docked at the list's side, level with its client area.
    RECT client {};
    GetClientRect(list, &client);
    POINT button { client.right - 8, 8 };
    ClientToScreen(list, &button);
    harness::click(button.x, button.y);
    World::pump();
    EXPECT_TRUE(IsWindowVisible(options));
    RECT outer {}, side {};
    GetWindowRect(list, &outer);
    GetWindowRect(options, &side);
    POINT top { 0, 0 };
    ClientToScreen(list, &top);
    // Beside the right edge where the desktop has room for it, else beside the left one.
    const auto besideList = [&] { return outer.right + (side.right - side.left) <= GetSystemMetrics(SM_CXSCREEN) ? outer.right : side.left; };
    EXPECT_EQ(side.left, besideList());
    EXPECT_EQ(side.top, top.y);
    RECT both {};
    UnionRect(&both, &outer, &side);
    if (const char* folder = std::getenv("DERAZODO_SHOTS"))
        harness::writePng(harness::readRect(both), std::string(folder) + "/terrain_list_with_items.png");

    // It follows the list as the list moves; a move of its own does not pull the list along.
    SetWindowPos(list, nullptr, outer.left + 30, outer.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    World::pump();
    GetWindowRect(list, &outer);
    GetWindowRect(options, &side);
    EXPECT_EQ(side.left, besideList());
    SetWindowPos(options, nullptr, side.left + 50, side.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    World::pump();
    RECT still {};
    GetWindowRect(list, &still);
    EXPECT_EQ(still.left, outer.left);

    harness::click(button.x + 30, button.y + 20);
    World::pump();
    EXPECT_FALSE(IsWindowVisible(options));
    world.command(menu_id::kTerrainList);
    EXPECT_EQ(world.window().terrainList(), list) << "raised, not made again";
    world.post(ui_message::kCloseTerrainList);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_FALSE(IsWindow(options));
    EXPECT_EQ(world.window().terrainList(), nullptr);
}

TEST_F(Windows, TablesOpenFromTheMenuAndCloseOnTheirRequests)
{
    const std::pair<UINT, LandTable> menus[] = {
        { menu_id::kMoveTable, LandTable::Move },
        { menu_id::kAvoidTable, LandTable::Avoid },
        { menu_id::kTransportTable, LandTable::Transport },
    };
    for (const auto& [menu, table] : menus) {
        world.command(menu);
        const HWND window = world.window().landTable(table);
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        World::pump();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(world.window().landTable(table), nullptr);
    }
}

TEST_F(Windows, TheHistoryKeepsItsSettingAndTakesTheRefreshes)
{
    world.state().settings().showActionHistory = false;
    world.command(menu_id::kActionHistory);
    const HWND history = world.window().actionHistory();
    const HWND options = world.window().historyOption();
    ASSERT_NE(history, nullptr);
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(world.state().settings().showActionHistory);
    EXPECT_FALSE(IsWindowVisible(options));
    world.post(ui_message::kToggleHistoryOption);
    EXPECT_TRUE(IsWindowVisible(options));
    RECT outer {}, side {};
    GetWindowRect(history, &outer);
    GetWindowRect(options, &side);
    EXPECT_EQ(side.left, outer.right);
    RECT both {};
    UnionRect(&both, &outer, &side);
    if (const char* folder = std::getenv("DERAZODO_SHOTS"))
        harness::writePng(harness::readRect(both), std::string(folder) + "/history_from_main_window.png");

    // Events reach the list through the rules' refresh.
    auto* window = dynamic_cast<ActionHistoryWindow*>(windowFromHandle(history));
    ASSERT_NE(window, nullptr);
    HistoryRecord record {};
    record.turn = world.state().turnBlock().turn;
    record.sideMask = 0xFF;
    world.state().historyLog().append(record);
    world.link().refresh(MainRefresh::ActionHistory);
    World::pump();
    EXPECT_EQ(window->listedCount(), int32_t(world.state().historyCount()));

    world.post(ui_message::kCloseActionHistory);
    EXPECT_FALSE(IsWindow(history));
    EXPECT_FALSE(IsWindow(options));
    EXPECT_FALSE(world.state().settings().showActionHistory);
}
