// The person's orders through injected clicks end as the rules called directly; cancels, way-points.
#include "app/app_messages.h"
#include "rules/commands.h"
#include "rules/current_action_marks.h"
#include "rules/move_display_path.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/app/map_window_world.h"
#include "tests/rules/combat_world.h"
#include "tests/rules/world_invariants.h"
#include "rules/targets.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_app::MapWindowHarness;
using testing_rules::CombatWorld;

namespace {

// Country 0's gunner at (1, 2) may move six hexes and fire after a move; country 1's unit at (5, 2).
struct OrderWorld : CombatWorld {
    OrderWorld(bool enemy = true)
    {
        gun->flags |= 128;
        for (int id : { plain, other }) {
            UnitTypeRecord& type = editType(id);
            type.value48 = type.value49 = type.value50 = 0;
            type.model[0].values[0] = 6;
            editTerrain(state().terrainGrid()[0].terrain).moveCost[type.movementType] = 1;
        }
        mover = placeUnit(0, plain, 1, 2);
        unit(0, mover).fuel = 50;
        if (enemy)
            target = placeUnit(1, other, 5, 2);
        fillPool(0);
        testing_app::startPersonsActionPhase(state());
    }

    int mover = 0;
    int target = -1;
};

// What an order may change: both sides' units and every hex's units.
struct Outcome {
    explicit Outcome(GameState& s)
        : units0(s.unitTable(0), s.unitTable(0) + s.unitCount(0))
        , units1(s.unitTable(1), s.unitTable(1) + s.unitCount(1))
        , cells(s.unitGrid(), s.unitGrid() + s.mapWidth() * s.mapHeight())
        , history(s.historyLog().count())
    {
    }
    bool operator==(const Outcome& o) const
    {
        auto same = [](const auto& a, const auto& b) {
            return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
        };
        return same(units0, o.units0) && same(units1, o.units1) && same(cells, o.cells) && history == o.history;
    }
    std::vector<UnitRecord> units0;
    std::vector<UnitRecord> units1;
    std::vector<UnitCell> cells;
    uint32_t history;
};

Outcome orderedDirectly(int dest_x, int code, int target)
{
    OrderWorld world;
    HeadlessMainWindow main;
    HeadlessDialogs dialogs;
    HeadlessBattle battle;
    setRulesLinks({ &main, nullptr, &dialogs, &battle });
    GameState& s = world.state();
    currentAction(s).beginUnitAction(0, world.mover, false);
    moveAlongPath(s, dest_x, 2, code, target, -1);
    currentAction(s).finishAction();
    setRulesLinks({});
    return Outcome(s);
}

bool anyHexMarked(GameState& s, uint16_t bits)
{
    for (int y = 0; y < s.mapHeight(); ++y)
        for (int x = 0; x < s.mapWidth(); ++x)
            if (hasHexMark(s, x, y, bits))
                return true;
    return false;
}

} // namespace

TEST(PersonsOrders, MoveAndAttackByClicksEndAsTheRulesCalledDirectly)
{
    const Outcome direct = orderedDirectly(4, kCommandAttack, int(packHex(5, 2)));

    OrderWorld world;
    GameState& s = world.state();
    MapWindowHarness view(s);
    const int hp_before = strengthTotal(world.unit(1, world.target));
    view.clickHex(1, 2);
    ASSERT_FALSE(view.host.selections.empty());
    EXPECT_EQ(view.host.selections.back().side, 0);
    EXPECT_EQ(view.host.selections.back().index, world.mover);
    EXPECT_TRUE(s.handshake().unitCommandBeingSet());
    EXPECT_TRUE(isInMoveRange(s, 4, 2));

    view.clickHex(4, 2);
    EXPECT_TRUE(view.host.selections.back().mask & (1u << kCommandAttack)) << "the attack is offered at the destination";
    EXPECT_TRUE(hasHexMark(s, 4, 2, kMarkPathEnd));
    view.send(app_message::kMapCommandChosen, kCommandAttack);
    EXPECT_TRUE(isCommandTargetHex(s, 5, 2));
    view.clickHex(5, 2);

    EXPECT_EQ((HexPos { world.unit(0, world.mover).x, world.unit(0, world.mover).y }), (HexPos { 4, 2 }));
    EXPECT_EQ(world.unit(0, world.mover).ammunition[0], 4) << "the attack was fought";
    EXPECT_LT(strengthTotal(world.unit(1, world.target)), hp_before);
    EXPECT_TRUE(Outcome(s) == direct);
    EXPECT_EQ(view.host.selections.back().side, -1);
    EXPECT_FALSE(currentAction(s).underWay());
    EXPECT_FALSE(s.handshake().unitCommandBeingSet());
    EXPECT_FALSE(anyHexMarked(s, kMarkFinishMask));
}

TEST(PersonsOrders, MoveByEndOfActionAtTheDestinationAndByTheMoveOrder)
{
    const Outcome direct = orderedDirectly(3, kCommandNone, 0);
    {
        OrderWorld world;
        MapWindowHarness view(world.state());
        view.clickHex(1, 2);
        view.clickHex(3, 2);
        view.send(app_message::kMapCommandChosen, kCommandEndAction);
        EXPECT_EQ(world.unit(0, world.mover).x, 3);
        EXPECT_TRUE(world.unit(0, world.mover).hasFlag(kUnitActed));
        EXPECT_TRUE(Outcome(world.state()) == direct);
    }
    OrderWorld world;
    MapWindowHarness view(world.state());
    view.clickHex(1, 2);
    view.send(app_message::kMapCommandChosen, kCommandMoveOrder);
    view.clickHex(3, 2);
    EXPECT_TRUE(Outcome(world.state()) == direct);
}

TEST(PersonsOrders, CancelsLeaveTheUnitWhereItStood)
{
    OrderWorld world;
    GameState& s = world.state();
    MapWindowHarness view(s);
    const Outcome before(s);

    // The right button first drops the target choice, then the unit.
    view.clickHex(1, 2);
    view.clickHex(4, 2);
    view.send(app_message::kMapCommandChosen, kCommandAttack);
    view.clickHex(1, 2, platform::harness::Button::Right);
    EXPECT_FALSE(isCommandTargetHex(s, 5, 2));
    EXPECT_TRUE(currentAction(s).underWay());
    view.clickHex(1, 2, platform::harness::Button::Right);
    EXPECT_FALSE(currentAction(s).underWay());

    // A click on an unmarked hex while targets are shown, and Escape.
    view.clickHex(1, 2);
    view.send(app_message::kMapCommandChosen, kCommandMoveOrder);
    view.clickHex(9, 7);
    view.send(app_message::kMapCancelOrder);
    view.clickHex(1, 2);
    platform::harness::pressKey(VK_ESCAPE);
    testing_lib::pump();

    EXPECT_FALSE(currentAction(s).underWay());
    EXPECT_FALSE(s.handshake().unitCommandBeingSet());
    EXPECT_FALSE(anyHexMarked(s, kMarkMoveRange | kMarkPath | kMarkCommandTarget));
    EXPECT_EQ(world.unit(0, world.mover).x, 1);
    EXPECT_FALSE(world.unit(0, world.mover).hasFlag(kUnitActed));
    EXPECT_TRUE(Outcome(s) == before);

    // A selection whose action the end of play took away is dropped by the next click.
    view.clickHex(1, 2);
    currentAction(s).resetForPlay();
    view.clickHex(9, 7);
    EXPECT_EQ(view.window->orders().stage(), OrderStage::Idle);
    EXPECT_FALSE(s.handshake().unitCommandBeingSet());
}

TEST(PersonsOrders, OnlyThePersonsUnitsInItsActionPhaseTakeOrders)
{
    OrderWorld world;
    GameState& s = world.state();
    MapWindowHarness view(s);

    view.clickHex(5, 2);
    EXPECT_EQ(view.host.selections.back().side, 1) << "an enemy is shown";
    EXPECT_EQ(view.host.selections.back().mask, 0u);
    s.handshake().setWaitingForAnswer(false);
    view.clickHex(1, 2);
    EXPECT_EQ(view.host.selections.back().mask, 0u) << "the game thread does not wait for the person";
    EXPECT_FALSE(currentAction(s).underWay());
    s.handshake().setWaitingForAnswer(true);
    s.country(0).controller = 2;
    view.clickHex(1, 2);
    EXPECT_FALSE(currentAction(s).underWay());
    EXPECT_EQ(view.host.shown.size(), 3u);
}

TEST(PersonsOrders, AutoMoveRouteTakesNineWayPointsAndRefusesTheTenth)
{
    OrderWorld world(false);
    GameState& s = world.state();
    MapWindowHarness view(s);
    platform::harness::clearMessageBoxes();
    currentAction(s).beginAutoMoveSetup();
    view.clickHex(1, 2);
    const HexPos route[] = { { 2, 2 }, { 3, 2 }, { 4, 2 }, { 5, 2 }, { 6, 2 }, { 7, 2 }, { 8, 2 }, { 9, 2 }, { 9, 3 } };
    for (const HexPos& hex : route)
        view.clickHex(hex.x, hex.y);
    ASSERT_EQ(currentAction(s).wayPoints().size(), 9u);
    EXPECT_TRUE(platform::harness::messageBoxes().empty());

    view.clickHex(8, 3);
    EXPECT_EQ(currentAction(s).wayPoints().size(), 9u);
    const auto boxes = platform::harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, platform::utf8ToCp932("オート移動では移動経由地点は８地点までしか設定できません。"));
    EXPECT_EQ(boxes[0].caption, platform::utf8ToCp932("注意"));

    platform::harness::pressKey(VK_BACK);
    testing_lib::pump();
    EXPECT_EQ(currentAction(s).wayPoints().size(), 8u);
    view.clickHex(8, 3);
    EXPECT_EQ(currentAction(s).wayPoints().size(), 9u) << "after taking one back there is room again";
    currentAction(s).endAutoMoveSetup();
}

TEST(PersonsOrders, ShiftClickWayPointsLeadTheMoveAndBackspaceTakesThemBack)
{
    OrderWorld world(false);
    GameState& s = world.state();
    MapWindowHarness view(s);
    UnitRecord& mover = world.unit(0, world.mover);
    const int fuel = mover.fuel;

    view.clickHex(1, 2);
    platform::harness::keyDown(VK_SHIFT);
    view.clickHex(1, 5);
    view.clickHex(3, 4);
    platform::harness::keyUp(VK_SHIFT);
    testing_lib::pump();
    ASSERT_EQ(currentAction(s).wayPoints().size(), 2u);
    platform::harness::pressKey(VK_BACK);
    testing_lib::pump();
    ASSERT_EQ(currentAction(s).wayPoints().size(), 1u);
    EXPECT_EQ(view.window->orders().destination(), (HexPos { 1, 5 }));

    // Three hexes south, then three back north-east: twice the cost of the straight road.
    view.clickHex(3, 2);
    view.send(app_message::kMapCommandChosen, kCommandEndAction);
    EXPECT_EQ((HexPos { mover.x, mover.y }), (HexPos { 3, 2 }));
    EXPECT_EQ(fuel - mover.fuel, 6);
    EXPECT_FALSE(currentAction(s).underWay());
}

TEST(PersonsOrders, AParatrooperAboardDropsOnTheClickedHex)
{
    testing_rules::CommandWorld world;
    GameState& s = world.state();
    world.editType(world.plain).flags = 0x0400 | 0x80;
    world.editTerrain(s.effectiveTerrainAt(0, 0)).flags |= 16;
    const int plane = world.placeUnit(0, world.aircraft, 3, 3);
    const int para = world.addUnit(0, world.plain, 3, 3);
    UnitRecord& unit = world.unit(0, para);
    unit.flags = kUnitAboard;
    unit.carrierSide = 1;
    unit.carrierIndex = uint16_t(plane + 1);
    unit.fuel = 10;
    testing_app::startPersonsActionPhase(s);
    if (!isAirborneInCarrier(s, 0, para))
        GTEST_SKIP() << "the aircraft may land on the basic terrain of this data set";
    MapWindowHarness view(s);

    // A unit aboard is no hex's top unit: it is picked as the troop list picks it.
    ASSERT_TRUE(view.window->orders().selectUnit(0, para));
    EXPECT_EQ(view.host.selections.back().mask & ~kAirborneOnlyMask, 1u << kCommandEndAction);
    view.send(app_message::kMapCommandChosen, kCommandAirborneDrop);
    EXPECT_TRUE(isCommandTargetHex(s, 4, 3));
    view.clickHex(4, 3);
    EXPECT_EQ((HexPos { unit.x, unit.y }), (HexPos { 4, 3 }));
    EXPECT_FALSE(unit.hasFlag(kUnitAboard));
    EXPECT_TRUE(testing_rules::worldInvariantFaults(s).empty());
}

TEST(PersonsOrders, AClickInTheExtendedBandMovesTheWholeWayAtDoubleFuel)
{
    OrderWorld world(false);
    GameState& s = world.state();
    world.setRule(19, 1);
    world.editType(world.plain).model[0].values[1] = 9;
    MapWindowHarness view(s);
    UnitRecord& mover = world.unit(0, world.mover);
    const int fuel = mover.fuel;

    view.clickHex(1, 2);
    ASSERT_TRUE(hasHexMark(s, 9, 2, kMarkExtendedBand));
    ASSERT_FALSE(hasHexMark(s, 9, 2, kMarkMoveRange));
    view.clickHex(9, 2);
    view.send(app_message::kMapCommandChosen, kCommandEndAction);
    EXPECT_EQ((HexPos { mover.x, mover.y }), (HexPos { 9, 2 }));
    EXPECT_EQ(fuel - mover.fuel, 16) << "eight hexes past an allowance of six cost twice";
}

TEST(PersonsOrders, EnteringAPactPartnersLandIsAskedAndNoEndsTheOrder)
{
    OrderWorld world(false);
    GameState& s = world.state();
    s.country(0).pactMask = 1 << 1;
    s.country(1).pactMask = 1 << 0;
    world.cell(3, 2).owner = 2;
    world.cell(2, 2).setSideCode(3, 2);
    MapWindowHarness view(s);
    platform::harness::clearMessageBoxes();

    platform::harness::queueMessageBoxAnswer(IDNO);
    view.clickHex(1, 2);
    view.clickHex(4, 2);
    view.send(app_message::kMapCommandChosen, kCommandEndAction);
    ASSERT_EQ(platform::harness::messageBoxes().size(), 1u);
    EXPECT_EQ(platform::harness::messageBoxes()[0].caption, platform::utf8ToCp932("確認"));
    EXPECT_EQ(world.unit(0, world.mover).x, 1) << "no: the unit stays";
    EXPECT_TRUE(s.hasPactWith(0, 1));

    platform::harness::queueMessageBoxAnswer(IDYES);
    view.send(app_message::kMapCommandChosen, kCommandEndAction);
    EXPECT_EQ(world.unit(0, world.mover).x, 4);
    EXPECT_FALSE(s.hasPactWith(0, 1)) << "the walk broke the pact";
}

TEST(PersonsOrders, AnAttackAllowedOnlyAtGroundHexesIsNotOfferedNorCarriedOut)
{
    // No enemy in sight; a long gun with indirect ground attacks allowed gives the rules' mask an attack.
    OrderWorld world(false);
    GameState& s = world.state();
    world.gun->reach = 3;
    world.setRule(46, 1);
    CommandAsk ask { 0, world.mover, 1, 2, false, 0 };
    ASSERT_TRUE(availableCommandMask(s, ask) & (1u << kCommandAttack)) << "the rules offer the attack";
    MapWindowHarness view(s);

    view.clickHex(1, 2);
    ASSERT_FALSE(view.host.selections.empty());
    EXPECT_EQ(view.host.selections.back().index, world.mover);
    EXPECT_FALSE(view.host.selections.back().mask & (1u << kCommandAttack)) << "no button that marks nothing";
    EXPECT_TRUE(view.host.selections.back().mask & (1u << kCommandEndAction));

    // Chosen all the same (a stale palette), the order is refused, not left waiting for a click.
    const Outcome before(s);
    view.send(app_message::kMapCommandChosen, kCommandAttack);
    EXPECT_NE(view.window->orders().stage(), OrderStage::Targeting);
    EXPECT_FALSE(anyHexMarked(s, kMarkCommandTarget));
    EXPECT_FALSE(world.unit(0, world.mover).hasFlag(kUnitActed));
    EXPECT_TRUE(Outcome(s) == before);
}
