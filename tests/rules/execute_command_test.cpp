// Carrying out orders: the walk, stops, fuel, crashes, zones of control, pacts, roads and boarding.
#include "rules/execute_command.h"

#include "rules/alliances.h"
#include "rules/commands.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/move_display.h"
#include "rules/rules_context.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/rules/commands_world.h"
#include "tests/rules/world_invariants.h"

#include <gtest/gtest.h>

using testing_rules::CommandWorld;
using testing_rules::worldInvariantFaults;

namespace {


// Country 0, played by a person, moves along row 2 from (1, 2); country 1 is its neighbour.
class WalkWorld : public CommandWorld {
public:
    WalkWorld()
        : CommandWorld(10, 6)
    {
        setRulesLinks({ &main, &map, &dialogs, nullptr });
        state().country(0).controller = 1;
        state().country(0).inPlay = 1;
        state().country(1).inPlay = 1;
        state().settings().troopMoveAnim = 0;
        state().settings().playSe = true;
        editType(plain).model[0].values[0] = 20;
        editType(aircraft).model[0].values[0] = 20;
        TerrainRecord& ground = editTerrain(terrainOfKind(kTerrainBasic));
        for (int type : { plain, other, third, aircraft })
            ground.moveCost[state().unitTypeRecord(type).movementType] = 2;
        mover = placeUnit(0, plain, 1, 2);
        unit(0, mover).fuel = 100;
        act(mover);
    }
    ~WalkWorld() { setRulesLinks({}); }

    void act(int index) { currentAction(state()).beginAction(0, index); }
    UnitRecord& actor() { return unit(0, currentAction(state()).actingIndex()); }
    HexPos actorHex() { return { actor().x, actor().y }; }
    int cost(int x, int y, int type) { return state().terrainValueAt(x, y, state().unitTypeRecord(type).movementType); }
    void go(std::vector<HexPos> path, int code = kCommandNone, int target = 0, int extra = -1)
    {
        const HexPos dest = path.empty() ? actorHex() : path.back();
        executeCommand(state(), path, dest.x, dest.y, code, target, extra);
    }

    HeadlessMainWindow main;
    HeadlessMapWindow map;
    HeadlessDialogs dialogs;
    int mover = 0;
};

std::vector<HexPos> row2(int from, int to)
{
    std::vector<HexPos> path;
    for (int x = from; x <= to; ++x)
        path.push_back({ x, 2 });
    return path;
}

} // namespace

TEST(CommandWalk, EmptyPathActsInPlaceAndPlaysTheMoveSoundOnce)
{
    WalkWorld world;
    world.go({});
    EXPECT_EQ(world.actorHex(), (HexPos { 1, 2 }));
    EXPECT_TRUE(world.actor().hasFlag(kUnitActed));
    EXPECT_EQ(world.actor().fuel, 100) << "no hex walked, no fuel burned";
    const auto sounds = world.main.callsOf("playSound");
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].args[0], 2 + moveSoundNumber(world.actor().type()));
    EXPECT_TRUE(worldInvariantFaults(world.state()).empty());
}

TEST(CommandWalk, StopsOnTheLastFreeHexBeforeAFriendAndPassesThroughOne)
{
    WalkWorld world;
    world.placeUnit(0, world.other, 4, 2);
    world.go(row2(2, 4));
    EXPECT_EQ(world.actorHex(), (HexPos { 3, 2 }));
    EXPECT_EQ(world.actor().fuel, 100 - world.cost(2, 2, world.plain) - world.cost(3, 2, world.plain));
    EXPECT_TRUE(worldInvariantFaults(world.state()).empty()) << worldInvariantFaults(world.state()).front();

    const int second = world.placeUnit(0, world.plain, 1, 3);
    world.unit(0, second).fuel = 100;
    world.act(second);
    world.go({ { 2, 3 }, { 3, 2 }, { 4, 2 }, { 5, 2 } });
    EXPECT_EQ(world.actorHex(), (HexPos { 5, 2 })) << "through two friends to the free hex beyond";
    EXPECT_TRUE(worldInvariantFaults(world.state()).empty());
}

TEST(CommandFuel, OverrunDoublesTheBurnAndAircraftBurnAtLeastPartOfTheirAllowance)
{
    WalkWorld world;
    world.editType(world.plain).model[0].values[0] = 1;
    const int walked = world.cost(2, 2, world.plain) + world.cost(3, 2, world.plain);
    ASSERT_GT(walked, 1);
    world.go(row2(2, 3));
    EXPECT_EQ(world.actor().fuel, 100 - 2 * walked);

    for (int low_use : { 0, 1 }) {
        world.setRule(kRuleLowFuelUse, low_use);
        const int plane = world.placeUnit(0, world.aircraft, 1, 4 + low_use);
        world.unit(0, plane).fuel = 100;
        world.act(plane);
        const int step = world.cost(2, 4 + low_use, world.aircraft);
        ASSERT_LT(step, 5);
        world.go({ { 2, 4 + low_use } });
        EXPECT_EQ(world.actor().fuel, 100 - (low_use ? 5 : 10)) << "an aircraft burns half, or a quarter with rule 0";
    }
}

TEST(CommandFuel, AircraftOutOfFuelCrashesAwayFromARefuellingHex)
{
    WalkWorld world;
    const int plane = world.placeUnit(0, world.aircraft, 1, 4);
    world.unit(0, plane).fuel = 3;
    world.act(plane);
    world.go({ { 2, 4 } });
    EXPECT_FALSE(unitExists(world.unit(0, plane)));
    const auto notices = world.dialogs.callsOf("showEventNotice");
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back().args, (std::vector<int64_t> { 0, 0, plane }));
    EXPECT_TRUE(worldInvariantFaults(world.state()).empty());

    const int airfield = world.terrainOfKind(kTerrainRoad);
    world.editTerrain(airfield).refuelMask |= uint16_t(1 << unitTypeGroup(world.state().unitTypeRecord(world.aircraft)));
    world.cell(2, 5).terrain = uint8_t(airfield);
    const int second = world.placeUnit(0, world.aircraft, 1, 5);
    world.unit(0, second).fuel = 3;
    world.act(second);
    world.go({ { 2, 5 } });
    EXPECT_TRUE(unitInPlay(world.unit(0, second))) << "a hex that refuels aircraft is a safe landing";
    EXPECT_EQ(world.unit(0, second).fuel, 0);
}

TEST(CommandWalk, EnemyZoneOfControlStopsTheMoveAtTheFirstHexInIt)
{
    WalkWorld world;
    GameState& s = world.state();
    const HexPos enemy = s.hexNeighbour(4, 2, 1);
    ASSERT_GT(hexDistance({ 2, 2 }, enemy), 1);
    ASSERT_EQ(hexDistance({ 3, 2 }, enemy), 1);
    world.placeUnit(1, world.plain, enemy.x, enemy.y);
    world.go(row2(2, 6));
    EXPECT_EQ(world.actorHex(), (HexPos { 6, 2 })) << "rule 1 off: no zone of control";

    world.setRule(kRuleZoc, 1);
    const int second = world.placeUnit(0, world.plain, 1, 2);
    world.unit(0, second).fuel = 100;
    world.act(second);
    world.go(row2(2, 5));
    EXPECT_EQ(world.actorHex(), (HexPos { 3, 2 }));
    EXPECT_TRUE(worldInvariantFaults(s).empty());
}

TEST(PactBreak, CrossingTheBorderIntoAPactPartnersLandBreaksThePactWithANotice)
{
    WalkWorld world;
    GameState& s = world.state();
    for (int x = 0; x < 10; ++x)
        world.cell(x, 2).owner = uint8_t(x <= 2 ? 1 : 2);
    world.cell(2, 2).setSideCode(3, 2);
    s.country(0).pactMask |= 2;
    s.country(1).pactMask |= 1;
    EXPECT_FALSE(pathEndsPact(s, 0, { 1, 2 }, row2(2, 2)));
    EXPECT_TRUE(pathEndsPact(s, 0, { 1, 2 }, row2(2, 4)));
    world.go(row2(2, 2));
    EXPECT_TRUE(s.hasPactWith(0, 1)) << "inside its own land";

    world.act(world.mover);
    world.go(row2(3, 4));
    EXPECT_FALSE(s.hasPactWith(0, 1));
    EXPECT_FALSE(s.hasPactWith(1, 0));
    const auto notices = world.dialogs.callsOf("showEventNotice");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].args, (std::vector<int64_t> { 13, 0, 1 }));

    // A third country watching is not told of the pact the two broke.
    s.country(0).pactMask |= 2;
    s.country(1).pactMask |= 1;
    s.turnBlock().viewingCountry = 2;
    world.mover = world.placeUnit(0, world.plain, 1, 2);
    world.unit(0, world.mover).fuel = 100;
    world.act(world.mover);
    world.go(row2(2, 2));
    world.act(world.mover);
    world.go(row2(3, 4));
    EXPECT_FALSE(s.hasPactWith(0, 1));
    EXPECT_EQ(world.dialogs.callsOf("showEventNotice").size(), 1u);
}

TEST(RoadMove, RoadIsLaidAlongTheWalkWithNothingShown)
{
    WalkWorld world;
    GameState& s = world.state();
    world.giveWeapon(world.plain, kWeaponEngineering, 10);
    world.actor().ammunition[0] = 10;
    const int road = world.terrainOfKind(kTerrainRoad);
    world.editTerrain(road).flags |= 0x80;
    for (int x = 1; x <= 3; ++x)
        world.cell(x, 2).terrain = uint8_t(road);
    world.go(row2(2, 3), kCommandRoad);
    EXPECT_EQ(world.actorHex(), (HexPos { 3, 2 }));
    EXPECT_EQ(world.cell(1, 2).overlay, 1 << 3);
    EXPECT_EQ(world.cell(2, 2).overlay, (1 << 3) | (1 << 0));
    EXPECT_EQ(world.cell(3, 2).overlay, 1 << 0);
    EXPECT_EQ(s.command().roadBuilt, 1);
    EXPECT_EQ(world.actor().engineeringAmmoTotal(), 9) << "the road work spends its round once";
}

TEST(BoardInPlace, UnitAboardTheNamedCarrierStaysAboard)
{
    WalkWorld world;
    GameState& s = world.state();
    const int carrier = world.placeUnit(0, world.other, 5, 4);
    const int cargo = world.addUnit(0, world.third, 5, 4);
    world.unit(0, cargo).boardCarrier(0, carrier);
    world.unit(0, carrier).setCarriedUnit(0, cargo);
    world.unit(0, carrier).flags |= kUnitCarrying;
    ASSERT_TRUE(worldInvariantFaults(s).empty());
    world.act(cargo);
    world.go({}, kCommandBoard, 0, carrier);
    EXPECT_TRUE(world.unit(0, cargo).hasFlag(kUnitAboard));
    EXPECT_TRUE(worldInvariantFaults(s).empty()) << worldInvariantFaults(s).front();

    world.go({ { 6, 4 } });
    EXPECT_FALSE(world.unit(0, cargo).hasFlag(kUnitAboard)) << "a move takes it off";
    EXPECT_FALSE(world.unit(0, carrier).hasFlag(kUnitCarrying));
    EXPECT_TRUE(worldInvariantFaults(s).empty()) << worldInvariantFaults(s).front();
}
