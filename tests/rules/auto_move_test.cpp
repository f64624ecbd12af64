// Standing move orders: target orders, way-points, followers and the route they execute.
#include "rules/auto_move.h"

#include "rules/commands.h"
#include "rules/commands_range.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/move_checks.h"
#include "rules/rules_context.h"
#include "state/unit_facts.h"
#include "tests/rules/commands_world.h"
#include "tests/rules/world_invariants.h"

#include <gtest/gtest.h>

using testing_rules::CommandWorld;
using testing_rules::worldInvariantFaults;

namespace {

// Country 0's unit of three movement points at (1, 2) on ground that costs 1; country 0's turn.
class AutoWorld : public CommandWorld {
public:
    AutoWorld()
        : CommandWorld(12, 6)
    {
        setRulesLinks({ nullptr, nullptr, &dialogs, nullptr });
        previousHooks = stateRulesHooks();
        installLandingHooks();
        setActionRangeSource(&source);
        for (int c : { 0, 1 })
            state().country(c).inPlay = 1;
        state().turnBlock().currentCountry = 0;
        UnitTypeRecord& type = editType(plain);
        type.model[0].values[0] = 3;
        editTerrain(terrainOfKind(kTerrainBasic)).moveCost[type.movementType] = 1;
        mover = placeUnit(0, plain, 1, 2);
        unit(0, mover).fuel = 50;
    }
    ~AutoWorld()
    {
        setActionRangeSource(nullptr);
        setStateRulesHooks(previousHooks);
        setRulesLinks({});
    }

    UnitRecord& u() { return unit(0, mover); }
    HexPos at() { return { u().x, u().y }; }
    void orderTo(int x, int y)
    {
        u().hasAutoRoute = 1;
        u().goalXOrSide = uint16_t(x);
        u().goalYOrIndex = uint16_t(y);
    }
    void nextTurn()
    {
        u().flags &= uint16_t(~kUnitActed);
        runAutoMoves(state());
    }

    HeadlessDialogs dialogs;
    CommandRangeSource source;
    StateRulesHooks* previousHooks = nullptr;
    int mover = 0;
};

} // namespace

TEST(AutoMove, TargetOrderWalksATurnsPointsAndEndsOnArrival)
{
    AutoWorld world;
    world.orderTo(6, 2);
    world.nextTurn();
    EXPECT_EQ(world.at(), (HexPos { 4, 2 }));
    EXPECT_EQ(world.u().hasAutoRoute, 1);
    world.nextTurn();
    EXPECT_EQ(world.at(), (HexPos { 6, 2 }));
    EXPECT_EQ(world.u().hasAutoRoute, 0) << "arrived: the order is done";
    EXPECT_TRUE(world.dialogs.callsOf("showEventNotice").empty());
    EXPECT_TRUE(worldInvariantFaults(world.state()).empty());

    world.nextTurn();
    EXPECT_EQ(world.at(), (HexPos { 6, 2 })) << "no order, no move";
}

TEST(AutoMove, WayPointsAreVisitedInOrderAndAnUnreachableOneCloseByIsSkipped)
{
    AutoWorld world;
    const int wall = world.terrainOfKind(kTerrainRoad);
    world.editTerrain(wall).moveCost[world.state().unitTypeRecord(world.plain).movementType] = 0;
    world.cell(3, 2).terrain = uint8_t(wall);
    world.orderTo(1, 5);
    world.u().wayPointCount = 2;
    world.u().wayPoints[0][0] = 3, world.u().wayPoints[0][1] = 2;
    world.u().wayPoints[1][0] = 1, world.u().wayPoints[1][1] = 4;
    world.nextTurn();
    EXPECT_EQ(world.u().wayPointCount, 0) << "(3, 2) cannot be entered and lies two hexes away";
    EXPECT_EQ(world.at(), (HexPos { 1, 5 })) << "two points to the way-point, one more to the target";
    EXPECT_EQ(world.u().hasAutoRoute, 0);
    EXPECT_TRUE(worldInvariantFaults(world.state()).empty());
}

TEST(AutoMove, FollowerOfAnUnseenEnemyDropsItsOrderWithANotice)
{
    AutoWorld world;
    GameState& s = world.state();
    const int leader = world.placeUnit(1, world.other, 8, 2);
    world.u().hasAutoRoute = 1;
    world.u().followsUnit = 1;
    world.u().goalXOrSide = 1;
    world.u().goalYOrIndex = uint16_t(leader);
    world.setRule(kRuleSearch, 1);
    s.recreateSightMaps();
    world.nextTurn();
    EXPECT_EQ(world.at(), (HexPos { 1, 2 }));
    EXPECT_EQ(world.u().hasAutoRoute, 0);
    EXPECT_EQ(world.dialogs.callsOf("showEventNotice"), (std::vector<LinkCall> { { "showEventNotice", { 10, 0, world.mover } } }));

    s.country(1).allianceMask |= 1;
    s.country(0).allianceMask |= 2;
    world.u().hasAutoRoute = 1;
    world.u().followsUnit = 1;
    world.u().goalXOrSide = 1;
    world.u().goalYOrIndex = uint16_t(leader);
    world.nextTurn();
    EXPECT_EQ(world.at(), (HexPos { 4, 2 })) << "an ally is followed unseen";
    EXPECT_EQ(world.u().hasAutoRoute, 1) << "following never ends by itself";
}

TEST(AutoMove, ForcedRouteIsTheOneHexAlone)
{
    AutoWorld world;
    GameState& s = world.state();
    currentAction(s).beginAction(0, world.mover);
    executeRoute(s, 2, 2, kCommandNone, 0, -1, RouteChoice::Forced);
    EXPECT_EQ(world.at(), (HexPos { 2, 2 }));
    currentAction(s).beginAction(0, world.mover);
    executeRoute(s, 5, 2, kCommandNone, 0, -1, RouteChoice::Planned);
    EXPECT_EQ(world.at(), (HexPos { 2, 2 })) << "no range, no planned route";
    EXPECT_TRUE(worldInvariantFaults(s).empty());
}
