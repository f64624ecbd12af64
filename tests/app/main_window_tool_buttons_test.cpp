// The tool palette's buttons in the main window: each information button toggles its window as the
// menu command does, and every button is enabled exactly when its menu command is.
#include "app/hex_geometry.h"
#include "app/map_window.h"
#include "app/map_window_orders.h"
#include "app/menu_ids.h"
#include "app/tool_palette.h"
#include "rules/game_thread.h"
#include "state/unit_facts.h"
#include "tests/app/main_window_world.h"
#include "ui/private_messages.h"

namespace {

using main_window_test::World;
namespace harness = platform::harness;

HWND toolButton(World& world, unsigned id)
{
    auto* tools = dynamic_cast<ToolPalette*>(windowFromHandle(world.link().toolPalette()));
    return tools ? tools->button(id) : nullptr;
}

void clickTool(World& world, unsigned id)
{
    HWND button = toolButton(world, id);
    ASSERT_NE(button, nullptr) << id;
    testing_lib::clickCentre(button);
    World::pump();
}

bool enabled(World& world, unsigned id) { return IsWindowEnabled(toolButton(world, id)) != FALSE; }

bool menuGrayed(World& world, unsigned id)
{
    SendMessageA(world.handle(), WM_INITMENU, WPARAM(world.window().menu()), 0);
    World::pump();
    return (GetMenuState(world.window().menu(), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// The windows open over the palette's end of the client area; the person moves one aside to reach
// the button under it.
void moveAside(HWND window)
{
    RECT r {};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, r.left, r.top + 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    World::pump();
    // Two clicks on one place within the double-click time would make a double click.
    std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 50));
}

} // namespace

TEST(MainWindowToolButtons, EachInformationButtonOpensItsWindowAndASecondClickClosesIt)
{
    World world;
    MainWindow& window = world.window();
    struct Case {
        unsigned id;
        HWND (MainWindow::*shown)() const;
    };
    const Case cases[] = {
        { menu_id::kCountryInfo, &MainWindow::countryInfoWindow },
        { menu_id::kConditionInfo, &MainWindow::conditionInfoWindow },
        { menu_id::kResults, &MainWindow::resultsWindow },
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(enabled(world, c.id)) << c.id << ": the menu never greys it";
        EXPECT_FALSE(menuGrayed(world, c.id));
        clickTool(world, c.id);
        HWND opened = (window.*c.shown)();
        ASSERT_NE(opened, nullptr) << c.id;
        EXPECT_EQ(GetMenuState(window.menu(), c.id, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
        moveAside(opened);
        clickTool(world, c.id);
        EXPECT_EQ((window.*c.shown)(), nullptr) << c.id;
        EXPECT_FALSE(IsWindow(opened)) << c.id;
    }
}

TEST(MainWindowToolButtons, TheTroopListButtonWorksWhileAGameIsPlayedOrItsListIsOpen)
{
    World world;
    world.dismissPopups();
    MainWindow& window = world.window();
    EXPECT_FALSE(enabled(world, menu_id::kTroopList)) << "no game, no troops";
    EXPECT_TRUE(menuGrayed(world, menu_id::kTroopList));
    clickTool(world, menu_id::kTroopList);
    EXPECT_EQ(window.troopList(), nullptr);

    ASSERT_TRUE(window.newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    World::pump();
    ASSERT_TRUE(enabled(world, menu_id::kTroopList));
    EXPECT_FALSE(menuGrayed(world, menu_id::kTroopList));
    clickTool(world, menu_id::kTroopList);
    HWND list = window.troopList();
    ASSERT_NE(list, nullptr);
    moveAside(list);

    // Play ends with the list open: the button stays to close it, as the menu item does.
    window.stopPlay();
    World::pump();
    ASSERT_FALSE(world.state().handshake().playRunning());
    EXPECT_TRUE(enabled(world, menu_id::kTroopList));
    EXPECT_FALSE(menuGrayed(world, menu_id::kTroopList));
    clickTool(world, menu_id::kTroopList);
    EXPECT_EQ(window.troopList(), nullptr);
    EXPECT_FALSE(IsWindow(list));
    World::pump();
    EXPECT_FALSE(enabled(world, menu_id::kTroopList));
    EXPECT_TRUE(menuGrayed(world, menu_id::kTroopList));
}

TEST(MainWindowToolButtons, TheTurnButtonsFollowASelectionAndTheFirstClickAfterItEndsThePhase)
{
    World world;
    world.dismissPopups();
    ASSERT_TRUE(world.startGame());
    World::pump();
    EXPECT_TRUE(enabled(world, menu_id::kEndActionPhase));
    EXPECT_FALSE(enabled(world, menu_id::kEndTurn)) << "the menu greys the end of turn in the action phase";

    // A unit picked holds the game: the menu and the tools grey what would interrupt it, and give
    // it back once the pick is cancelled, without a menu being opened in between.
    const UnitRecord* table = world.state().unitTable(0);
    const UnitRecord* picked = nullptr;
    for (uint32_t i = 0; !picked && i < world.state().unitCount(0); ++i)
        if (unitInPlay(table[i]) && table[i].isOnOwnHex())
            picked = &table[i];
    ASSERT_NE(picked, nullptr);
    MapWindow* map = world.window().mapWindow();
    PostMessageA(map->handle(), ui_message::kMapCentreOnHex, WPARAM(picked->x), LPARAM(picked->y));
    World::pump();
    const POINT centre = HexGeometry(map->zoom(), world.state().mapWidth(), world.state().mapHeight()).hexCentre(picked->x, picked->y);
    POINT at { centre.x - map->viewOrigin().x, centre.y - map->viewOrigin().y };
    ClientToScreen(map->handle(), &at);
    harness::click(at.x, at.y);
    World::pump();
    ASSERT_EQ(map->orders().stage(), OrderStage::Selected);
    EXPECT_TRUE(menuGrayed(world, menu_id::kEndActionPhase));
    EXPECT_FALSE(enabled(world, menu_id::kEndActionPhase));
    EXPECT_FALSE(enabled(world, menu_id::kNewGame));
    harness::pressKey(VK_ESCAPE);
    World::pump();
    EXPECT_TRUE(enabled(world, menu_id::kEndActionPhase));
    EXPECT_TRUE(enabled(world, menu_id::kNewGame));
    clickTool(world, menu_id::kEndActionPhase);
    EXPECT_TRUE(world.waitForPersonIn(kPhaseProduction));
    EXPECT_TRUE(enabled(world, menu_id::kEndTurn));
    EXPECT_FALSE(enabled(world, menu_id::kEndActionPhase));
}
