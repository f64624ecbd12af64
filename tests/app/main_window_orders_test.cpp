// The person's orders through the main window on the sample maps: units bought at a building leave
// it when picked on the map or in the troop list; the split, the merge and the armament change are
// offered when the rules allow them and carried out through their dialogs; a supply truck refuels.
#include "app/menu_ids.h"
#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/supply_troop_window.h"
#include "infowin/arm_change_window.h"
#include "infowin/troop_list_ids.h"
#include "rules/commands.h"
#include "rules/current_action.h"
#include "rules/game_thread.h"
#include "rules/production.h"
#include "rules/resupply.h"
#include "rules/rules_context.h"
#include "rules/visibility.h"
#include "state/rule_block.h"
#include "state/unit_facts.h"
#include "tests/app/main_window_world.h"
#include "tests/rules/world_invariants.h"
#include "ui/presentation.h"

#include <gtest/gtest.h>

namespace {

using main_window_test::World;
namespace harness = platform::harness;

// Sample unit types and the western port of the training map.
constexpr int kInfantryType = 2;
constexpr int kTankType = 3;
constexpr HexPos kPort { 2, 9 };

// A new game of the training map, in the person's action phase of turn 1.
void startTraining(World& world)
{
    world.dismissPopups();
    // The computer's fights are not shown: nobody would watch them to their end.
    world.state().settings().showFight = false;
    ASSERT_TRUE(world.startGame());
}

bool storedAt(GameState& s, HexPos hex, int index)
{
    std::vector<UnitRef> held;
    s.collectBuildingUnitsAt(hex.x, hex.y, held);
    return std::any_of(held.begin(), held.end(), [&](const UnitRef& r) { return r.table == 0 && r.index == index; });
}

// A free hex of the unit's range beside the port.
HexPos freeHexInRange(GameState& s)
{
    for (int d = 0; d < 6; ++d) {
        const HexPos n = s.hexNeighbour(kPort.x, kPort.y, d);
        if (n.valid() && isInMoveRange(s, n.x, n.y) && !s.hexHasUnit(n.x, n.y, s.unitSlotFor(3)))
            return n;
    }
    return kNoHex;
}

// Moves the picked unit out by a click on the destination and the palette's end of action.
void moveOut(World& world, HexPos to)
{
    world.clickHex(to.x, to.y);
    world.pressCommand(kCommandEndAction);
}

} // namespace

// How the port makes its units: stored in it or standing on its hex, at once or counted down.
struct Purchase {
    const char* name;
    bool storing;
    bool countdown;
    // A second unit bought beside the tank.
    bool pair;
};

void PrintTo(const Purchase& purchase, std::ostream* out) { *out << purchase.name; }

class BoughtUnits : public ::testing::TestWithParam<Purchase> { };

INSTANTIATE_TEST_SUITE_P(PersonsOrdersOnTheSampleMap, BoughtUnits,
    ::testing::Values(Purchase { "Stored", true, false, true }, Purchase { "OnTheHex", false, false, false },
        Purchase { "AwaitingProduction", true, true, false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(BoughtUnits, ArePickedOnThePortsHexAndLeaveIt)
{
    const Purchase& c = GetParam();
    World world(World::Scene::On);
    startTraining(world);
    GameState& s = world.state();
    s.ruleBlock().switches[kRuleStoring] = c.storing ? 1 : 0;
    s.ruleBlock().switches[kRuleProductionCount] = c.countdown ? 1 : 0;
    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    const int tank = buyUnit(s, kPort.x, kPort.y, 0, kTankType, 4, c.storing ? 1 : 0, -1);
    ASSERT_GE(tank, 0);
    const int infantry = c.pair ? buyUnit(s, kPort.x, kPort.y, 0, kInfantryType, 10, 1, -1) : -1;
    world.window().endTurn();
    const int turn = s.turnBlock().turn;
    ASSERT_TRUE(world.pumpUntil([&] { return s.turnBlock().turn > turn; }) && world.waitForPersonIn(kPhaseAction));
    EXPECT_EQ(storedAt(s, kPort, tank), c.storing);

    if (c.countdown) {
        // Still in the making: shown, but it takes no order.
        world.clickHex(kPort.x, kPort.y);
        EXPECT_EQ(world.paletteUnit(), (std::pair { -1, -1 }));
        EXPECT_FALSE(currentAction(s).underWay());
        return;
    }
    if (infantry >= 0) {
        // Two units in the building: the person picks one in the hex contents popup, by the keyboard.
        std::vector<int> rows;
        popup_test::drive([&] {
            world.clickHex(kPort.x, kPort.y);
            return 0;
        }, [&](HWND popup) {
            for (UINT id = HookedPopupDialog::kFirstLowerRow; GetDlgItem(popup, int(id)); ++id)
                rows.push_back(IsWindowEnabled(GetDlgItem(popup, int(id))));
            harness::keepShot("stored_units_popup.png");
            harness::pressKey(VK_TAB);
            popup_test::settle();
            harness::pressKey(VK_SPACE);
            popup_test::settle();
        });
        EXPECT_EQ(rows, (std::vector<int> { 1, 1 })) << "both stored units are listed";
    } else {
        world.clickHex(kPort.x, kPort.y);
    }
    ASSERT_EQ(world.paletteUnit(), (std::pair { 0, tank }));
    const HexPos to = freeHexInRange(s);
    ASSERT_TRUE(to.valid());
    moveOut(world, to);
    const UnitRecord& moved = *s.unitOf(0, tank);
    EXPECT_EQ((HexPos { moved.x, moved.y }), to);
    EXPECT_FALSE(moved.hasFlag(kUnitStored));
    EXPECT_FALSE(storedAt(s, kPort, tank));
    EXPECT_TRUE(moved.hasFlag(kUnitActed));
    EXPECT_TRUE(testing_rules::worldInvariantFaults(s).empty());
    if (infantry >= 0) {
        // The one left is picked by a click alone.
        world.clickHex(kPort.x, kPort.y);
        EXPECT_EQ(world.paletteUnit(), (std::pair { 0, infantry }));
    }
}

TEST(PersonsOrdersOnTheSampleMap, TheTroopListPicksTheUnitTheNextCommandActsOn)
{
    World world(World::Scene::On);
    startTraining(world);
    GameState& s = world.state();
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kTroopList, 0);
    World::pump();
    HWND troops = world.window().troopList();
    ASSERT_NE(troops, nullptr);
    HWND list = GetDlgItem(troops, int(troop_list_id::kList));
    // Off the western hexes, which the list opens over.
    SetWindowPos(troops, nullptr, 380, 470, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::vector<uint32_t>& keys = presentation().lists().troops(0);
    auto litRow = [&] { return int(SendMessageA(list, LB_GETCURSEL, 0, 0)); };
    auto litUnit = [&] { return litRow() < 0 ? -1 : int(keys[size_t(litRow())] >> 16); };

    // The fighter lands on the first tank: a click there offers both, and the tank picked from
    // under it is lit in the list. A sort by the member count moves its row and keeps it lit.
    const UnitRecord& first = *s.unitOf(0, 2);
    world.clickHex(1, 4);
    world.clickHex(first.x, first.y);
    world.pressCommand(kCommandEndAction);
    popup_test::drive([&] {
        world.clickHex(first.x, first.y);
        return 0;
    }, [](HWND popup) { popup_test::clickItem(popup, int(HookedPopupDialog::kFirstUpperRow) + 1); });
    ASSERT_EQ(world.paletteUnit(), (std::pair { 0, 2 }));
    EXPECT_EQ(litUnit(), 2);
    const int before = litRow();
    testing_lib::clickCentre(GetDlgItem(troops, int(troop_list_id::kFirstHeader) + 6));
    World::pump();
    EXPECT_NE(litRow(), before);
    EXPECT_EQ(litUnit(), 2);
    // The palette's disband asks the troop list's question; no keeps the tank.
    harness::clearMessageBoxes();
    harness::queueMessageBoxAnswer(IDNO);
    world.pressCommand(kCommandDisband);
    ASSERT_EQ(harness::messageBoxes().size(), 1u);
    EXPECT_EQ(harness::messageBoxes()[0].caption, platform::utf8ToCp932("解散確認"));
    EXPECT_TRUE(unitInPlay(first));
    auto rowPoint = [&](int row) {
        RECT r {};
        SendMessageA(list, LB_GETITEMRECT, WPARAM(row), LPARAM(&r));
        POINT p { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
        ClientToScreen(list, &p);
        return p;
    };
    // A double click on another row picks its unit as a click on the map would.
    const int other = litRow() == 4 ? 5 : 4;
    const int picked = int(keys[size_t(other)] >> 16);
    const POINT row = rowPoint(other);
    harness::doubleClick(row.x, row.y);
    World::pump();
    EXPECT_EQ(world.paletteUnit(), (std::pair { 0, picked }));
    EXPECT_EQ(currentAction(s).actingIndex(), picked);
    harness::keepShot("troop_list_picks.png");
    world.pressCommand(kCommandEndAction);
    EXPECT_TRUE(s.unitOf(0, picked)->hasFlag(kUnitActed)) << "the end of action was the troop list's unit's";
    EXPECT_FALSE(first.hasFlag(kUnitActed));

    // The arrow keys move the list's choice; its map button picks that unit.
    const POINT top = rowPoint(0);
    harness::click(top.x, top.y);
    World::pump();
    harness::pressKey(VK_DOWN);
    World::pump();
    testing_lib::clickCentre(GetDlgItem(troops, int(troop_list_id::kShowOnMap)));
    World::pump();
    EXPECT_EQ(world.paletteUnit(), (std::pair { 0, int(keys[1] >> 16) }));
    ASSERT_EQ(litRow(), 1);

    // A unit of the other country picked on the map lights no row, so 詳細 cannot reach it, nor the
    // unit lit before. Its hex comes into sight as a scout would bring it.
    RECT covered {};
    GetWindowRect(troops, &covered);
    const HexGeometry geometry(world.window().mapWindow()->zoom(), s.mapWidth(), s.mapHeight());
    int enemy = -1;
    for (int i = 0; i < int(s.unitCount(1)) && enemy < 0; ++i) {
        const UnitRecord& unit = *s.unitOf(1, i);
        POINT at = geometry.hexCentre(unit.x, unit.y);
        ClientToScreen(world.window().mapWindow()->handle(), &at);
        if (unitInPlay(unit) && unit.isOnOwnHex() && !unit.hasFlag(kUnitStored) && !PtInRect(&covered, at))
            enemy = i;
    }
    ASSERT_GE(enemy, 0);
    for (int layer = 0; layer < 6; ++layer)
        s.fogMap()->setBit(0, s.unitOf(1, enemy)->x, s.unitOf(1, enemy)->y, layer);
    ASSERT_TRUE(isUnitVisibleTo(s, 0, 1, enemy));
    world.clickHex(s.unitOf(1, enemy)->x, s.unitOf(1, enemy)->y);
    EXPECT_EQ(world.paletteUnit(), (std::pair { -1, -1 })) << "no orders for another's unit";
    EXPECT_EQ(litRow(), -1);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(troops, int(troop_list_id::kInformation))));
}

namespace {

// Presses a control of a dialog from the keyboard: the focus walks there by Tab, Space presses it.
void pressByKeyboard(HWND dialog, int id)
{
    for (int i = 0; i < 8 && GetFocus() != GetDlgItem(dialog, id); ++i) {
        harness::pressKey(VK_TAB);
        popup_test::settle();
    }
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, id)) << "Tab reaches control " << id;
    harness::pressKey(VK_SPACE);
    popup_test::settle();
}

int machines(GameState& s, int index) { return strengthSlotCount(*s.unitOf(0, index)); }

} // namespace

TEST(PersonsOrdersOnTheSampleMap, SplitMergeAndArmamentChangeAreOfferedAndCarriedOut)
{
    World world(World::Scene::On);
    startTraining(world);
    GameState& s = world.state();
    const int first = 2, second = 3, fighter = 8;
    ASSERT_EQ(machines(s, first), 4);

    // At its unit limit the country has no troop number for a split-off part.
    const uint32_t slots = s.country(0).unitListLength;
    s.country(0).unitListLength = uint32_t(s.liveUnitCount(0));
    world.clickHex(3, 3);
    EXPECT_FALSE(world.palette().isCommandEnabled(kCommandSplit));
    s.country(0).unitListLength = slots;
    harness::pressKey(VK_ESCAPE);
    World::pump();
    // Below it the split lights; no merge does while every tank is whole.
    world.clickHex(3, 3);
    ASSERT_TRUE(world.palette().isCommandEnabled(kCommandSplit));
    EXPECT_FALSE(world.palette().isCommandEnabled(kCommandMerge));
    world.pressCommand(kCommandSplit);
    ASSERT_TRUE(isCommandTargetHex(s, 4, 3));
    popup_test::drive([&] {
        world.clickHex(4, 3);
        return 0;
    }, [&](HWND dialog) {
        harness::keepShot("split_dialog.png");
        pressByKeyboard(dialog, int(merge_id::kToLeft));
        pressByKeyboard(dialog, int(merge_id::kExecute));
    });
    UnitRef part {};
    ASSERT_TRUE(s.unitRefInHex(4, 3, s.unitSlotFor(3), part));
    EXPECT_EQ(machines(s, part.index), 1) << "two by halves, one taken back";
    EXPECT_EQ(machines(s, first), 3);

    // The other tank beside the part may fill it up again.
    world.clickHex(5, 3);
    ASSERT_TRUE(world.palette().isCommandEnabled(kCommandMerge));
    world.pressCommand(kCommandMerge);
    popup_test::drive([&] {
        world.clickHex(4, 3);
        return 0;
    }, [&](HWND dialog) {
        pressByKeyboard(dialog, int(merge_id::kToRight));
        for (int i = 0; i < 2; ++i) {
            harness::pressKey(VK_SPACE);
            popup_test::settle();
        }
        harness::keepShot("merge_dialog.png");
        pressByKeyboard(dialog, int(merge_id::kExecute));
    });
    EXPECT_EQ(machines(s, part.index), 4);
    EXPECT_EQ(machines(s, second), 1);

    // The fighter in the airport exchanges its armament for the set it buys there.
    const uint32_t funds = s.country(0).funds;
    const uint32_t price = rearmCost(s, 0, fighter, 1);
    world.clickHex(1, 4);
    ASSERT_EQ(world.paletteUnit(), (std::pair { 0, fighter }));
    ASSERT_TRUE(world.palette().isCommandEnabled(kCommandArmamentExchange));
    popup_test::drive([&] {
        world.pressCommand(kCommandArmamentExchange);
        return 0;
    }, [&](HWND window) {
        pressByKeyboard(window, int(arm_change_id::kFirstSet) + 1);
        harness::keepShot("armament_change.png");
        pressByKeyboard(window, int(arm_change_id::kConfirm));
    });
    const UnitRecord& plane = *s.unitOf(0, fighter);
    EXPECT_EQ(plane.model, 1);
    EXPECT_TRUE(plane.hasFlag(kUnitActed));
    EXPECT_GT(price, 0u);
    EXPECT_EQ(uint32_t(s.country(0).funds), funds - price);
    EXPECT_TRUE(testing_rules::worldInvariantFaults(s).empty());
}

TEST(PersonsOrdersOnTheSampleMap, EverySampleMapOffersItsPersonASplitAndAnArmamentChange)
{
    World world;
    world.dismissPopups();
    GameState& s = world.state();
    for (const char* map : { "training.vtm", "riverside.vts", "continent.vtm", "border.vtc" }) {
        SCOPED_TRACE(map);
        ASSERT_TRUE(world.window().newGameFrom(world.gamePath(std::string("tkmap/") + map)));
        ASSERT_TRUE(world.settle());
        ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
        uint32_t offered = 0;
        for (uint32_t i = 0; i < s.unitCount(0); ++i) {
            const UnitRecord& unit = *s.unitOf(0, int(i));
            if (unitInPlay(unit))
                offered |= availableCommandMask(s, CommandAsk { 0, int(i), unit.x, unit.y, false, unit.movePoints() });
        }
        EXPECT_TRUE(offered & 1u << kCommandSplit);
        EXPECT_TRUE(offered & 1u << kCommandArmamentExchange);
        // No unit starts short of machines: merges come after a split or a loss.
        EXPECT_FALSE(offered & 1u << kCommandMerge);
    }
}

TEST(PersonsOrdersOnTheSampleMap, AUnitBesideTheSupplyTruckIsRefuelledInTheSupplyPhase)
{
    World world;
    startTraining(world);
    GameState& s = world.state();
    s.settings().askSupply = true;
    const int infantry = 0, truck = 6;
    const UnitRecord& unit = *s.unitOf(0, infantry);
    ASSERT_EQ(s.unitOf(0, truck)->unitTypeId, 8);
    world.clickHex(unit.x, unit.y);
    world.clickHex(1, 5);
    world.pressCommand(kCommandEndAction);
    ASSERT_EQ((HexPos { unit.x, unit.y }), (HexPos { 1, 5 })) << "beside the truck at (2, 5)";
    ASSERT_LT(unit.fuel, unit.maxFuel());
    const int stock = s.unitOf(0, truck)->supplyStock();
    auto supplyAsked = [&] {
        const auto sizes = world.dismissPopups().answeredSizes();
        return std::count_if(sizes.begin(), sizes.end(),
            [](SIZE size) { return size.cx == SupplyTroopWindow::kWidth && size.cy == SupplyTroopWindow::kHeight; });
    };
    const auto asked = supplyAsked();
    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    world.window().endTurn();
    ASSERT_TRUE(world.pumpUntil([&] { return s.turnBlock().turn > 1; }) && world.waitForPersonIn(kPhaseAction));
    EXPECT_EQ(unit.fuel, unit.maxFuel());
    EXPECT_EQ(s.unitOf(0, truck)->supplyStock(), stock - 1) << "from the truck's goods";
    EXPECT_GT(supplyAsked(), asked) << "the person was asked";
}
