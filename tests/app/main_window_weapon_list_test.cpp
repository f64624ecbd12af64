// The weapon list from the main window: the menu opens it (or raises the open one), its close
// request closes it, and a new game rebuilds it.
#include "ui/presentation.h"
#include "ui/private_messages.h"
#include "app/menu_ids.h"
#include "infowin/weapon_list_window.h"
#include "tests/app/main_window_world.h"

namespace {

using main_window_test::World;
namespace harness = platform::harness;

HWND findWeaponList() { return FindWindowA(WeaponListWindow::kClassName, nullptr); }

} // namespace

TEST(MainWindowWeaponList, MenuOpensOnceAndTheCloseRequestCloses)
{
    World world;
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kWeaponList, 0);
    World::pump();
    const HWND list = findWeaponList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(world.window().weaponList(), list);
    EXPECT_EQ(GetWindow(list, GW_OWNER), world.handle());
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kWeaponList, 0);
    World::pump();
    EXPECT_EQ(findWeaponList(), list) << "a second command raises the open list";

    // Enter on a row opens its details; when they close, the list has the keyboard again.
    HWND rows = GetDlgItem(list, int(weapon_list_id::kList));
    SendMessageA(rows, LB_SETCURSEL, 0, 0);
    SetFocus(rows);
    harness::pressKey(VK_RETURN);
    testing_lib::pumpAsProgram();
    ASSERT_EQ(world.window().weaponInfoCount(), 1);
    PostMessageA(world.window().weaponInfoWindow(0), WM_CLOSE, 0, 0);
    World::pump();
    EXPECT_EQ(world.window().weaponInfoCount(), 0);
    EXPECT_EQ(GetFocus(), rows);

    PostMessageA(list, WM_CLOSE, 0, 0);
    World::pump();
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(world.window().weaponList(), nullptr);
}

TEST(MainWindowWeaponList, ANewGameRebuildsTheListForPlay)
{
    World world;
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kWeaponList, 0);
    World::pump();
    GameState& state = world.state();
    ListOrders& lists = presentation().lists();
    ASSERT_GT(lists.producible().size(), 0u);
    // A list rebuilt behind the window's back (for a production type that allows nothing) is made
    // again for the window's own filter by the refresh of a new game.
    lists.buildProducible(state, producibleFilterOf(kFirstUserProductionType + kUserProductionTypeCount - 1));
    ASSERT_TRUE(lists.producible().empty());
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    World::pump();
    EXPECT_FALSE(lists.producible().empty());
    EXPECT_EQ(SendMessageA(world.window().weaponList() ? GetDlgItem(world.window().weaponList(), int(weapon_list_id::kList)) : nullptr,
                  LB_GETCOUNT, 0, 0),
        LRESULT(lists.producible().size()));
    world.quit();
}
