// The hex contents popup where the person's orders meet several candidates on one hex: the carrier
// to board, the unit to follow, and the auto-move set-up gathered and routed by clicks.
#include "ui/private_messages.h"
#include "dialogs/hooked_popup_dialog.h"
#include "rules/commands.h"
#include "rules/current_action.h"
#include "state/unit_facts.h"
#include "tests/app/map_window_world.h"
#include "tests/dialogs/popup_driver.h"
#include "tests/rules/combat_world.h"
#include "tests/rules/world_invariants.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

using testing_app::MapWindowHarness;

namespace {

// Country 0's unit at (1, 2) that moves six hexes; country 1 plays the other side.
struct PopupWorld : testing_rules::CombatWorld {
    testing_ui::StartedLook look { state() };

    PopupWorld()
    {
        for (int id : { plain, other }) {
            UnitTypeRecord& type = editType(id);
            type.concealRadius = type.terrainConcealRadius = type.secondConcealRadius = 0;
            type.model[0].values[0] = 6;
            editTerrain(state().terrainGrid()[0].terrain).moveCost[type.movementType] = 1;
        }
        mover = placeUnit(0, plain, 1, 2);
        unit(0, mover).fuel = 50;
        fillPool(0);
        testing_app::startPersonsActionPhase(state());
    }
    int mover = 0;
};

} // namespace

TEST(MapPopups, BoardingAmongTwoCarriersTakesTheOneChosenInThePopup)
{
    PopupWorld world;
    GameState& s = world.state();
    UnitTypeRecord& carrierType = world.editType(world.other);
    // Two berths: the inner carrier takes one, the mover may take the other.
    for (int berth : { 0, 1 }) {
        carrierType.berthMask[berth] = 0xFF;
        carrierType.berthCount[berth] = 10;
    }
    carrierType.carryClass = 2;
    world.editType(world.plain).carryClass = 2;
    // The outer carrier on the hex holds the inner one.
    const int outer = world.placeUnit(0, world.other, 2, 2);
    const int inner = world.addUnit(0, world.other, 2, 2);
    world.unit(0, inner).boardCarrier(0, outer);
    world.unit(0, outer).setCarriedUnit(0, inner);
    world.unit(0, outer).flags |= kUnitCarrying;
    ASSERT_TRUE(testing_rules::worldInvariantFaults(s).empty());
    MapWindowHarness view(s);
    view.clickHex(1, 2);
    ASSERT_TRUE(view.window->orders().selectUnit(0, world.mover) || view.host.selections.back().index == world.mover);
    view.clickHex(2, 2);
    ASSERT_TRUE(view.host.selections.back().mask & (1u << kCommandBoard)) << "boarding is offered at the carriers' hex";
    std::vector<int> rowsEnabled;
    popup_test::drive([&] {
        view.send(ui_message::kMapCommandChosen, kCommandBoard);
        return 0;
    }, [&](HWND popup) {
        for (int row = 0; row < 2; ++row)
            rowsEnabled.push_back(IsWindowEnabled(GetDlgItem(popup, int(HookedPopupDialog::kFirstLowerRow) + row)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(popup, int(HookedPopupDialog::kFirstUpperRow)))) << "the prompt";
        popup_test::clickItem(popup, int(HookedPopupDialog::kFirstLowerRow) + 1);
    });
    EXPECT_EQ(rowsEnabled, (std::vector<int> { 1, 1 }));
    const UnitRecord& mover = world.unit(0, world.mover);
    EXPECT_TRUE(mover.hasFlag(kUnitAboard));
    EXPECT_EQ(mover.carrierIndex, inner + 1) << "aboard the carrier chosen, not the first one found";
    EXPECT_TRUE(testing_rules::worldInvariantFaults(s).empty());
}

TEST(MapPopups, TheAutoMoveSetUpGathersItsGroupAndStoresTheRouteItWasGiven)
{
    PopupWorld world;
    GameState& s = world.state();
    const int second = world.placeUnit(0, world.plain, 1, 3);
    MapWindowHarness view(s);
    MapOrders& orders = view.window->orders();
    orders.beginAutoMoveSetup();
    view.clickHex(1, 2);
    view.clickHex(1, 3);
    view.clickHex(1, 3);
    CurrentAction& action = currentAction(s);
    ASSERT_EQ(action.autoMoveGroupSize(), 2) << "each unit once";
    ASSERT_TRUE(orders.beginAutoMoveRoute());
    EXPECT_TRUE(action.autoMoveRouteStage());
    view.clickHex(3, 2);
    view.clickHex(5, 2);
    ASSERT_EQ(action.wayPoints().size(), 2u);
    orders.setAutoMoveRoute();
    EXPECT_FALSE(action.autoMoveSetup());
    EXPECT_EQ(action.autoMoveGroupSize(), 0);
    EXPECT_FALSE(s.handshake().unitCommandBeingSet());
    for (int index : { world.mover, second }) {
        const UnitRecord& unit = world.unit(0, index);
        EXPECT_EQ(unit.hasAutoRoute, 1);
        EXPECT_EQ(unit.wayPointCount, 1);
        EXPECT_EQ((HexPos { unit.wayPoints[0][0], unit.wayPoints[0][1] }), (HexPos { 3, 2 }));
        EXPECT_EQ((HexPos { unit.goalXOrSide, unit.goalYOrIndex }), (HexPos { 5, 2 }));
        EXPECT_EQ(world.unit(0, index).x, 1) << "nobody moved yet";
    }
}

TEST(MapPopups, AUnitOnTheRoutesHexMayBeChosenToBeFollowed)
{
    PopupWorld world;
    GameState& s = world.state();
    const int leader = world.placeUnit(0, world.other, 4, 3);
    MapWindowHarness view(s);
    MapOrders& orders = view.window->orders();
    orders.beginAutoMoveSetup();
    view.clickHex(1, 2);
    ASSERT_TRUE(orders.beginAutoMoveRoute());
    popup_test::drive([&] {
        view.clickHex(4, 3);
        return 0;
    }, [&](HWND popup) {
        // The prompt, then the hex itself and the unit on it.
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(popup, int(HookedPopupDialog::kFirstLowerRow))));
        popup_test::clickItem(popup, int(HookedPopupDialog::kFirstLowerRow) + 1);
    });
    EXPECT_TRUE(currentAction(s).wayPoints().empty()) << "a unit chosen is no way-point";
    orders.setAutoMoveRoute();
    const UnitRecord& mover = world.unit(0, world.mover);
    EXPECT_EQ(mover.hasAutoRoute, 1);
    EXPECT_EQ(mover.followsUnit, 1);
    EXPECT_EQ(mover.goalXOrSide, 0);
    EXPECT_EQ(mover.goalYOrIndex, leader);
}
