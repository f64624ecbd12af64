// Planning the acting unit's route through its way-points, and the route marks on the map.
#include "rules/route.h"

#include "rules/current_action_marks.h"
#include "rules/move_checks.h"
#include "rules/commands_range.h"
#include "rules/rules_context.h"
#include "state/unit_facts.h"
#include "tests/rules/move_range_world.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_rules::RangeWorld;

namespace {

// A land unit of six movement points at (2, 4) on open ground, acting.
class OpenGroundRouteWorld : public RangeWorld {
public:
    OpenGroundRouteWorld()
        : RangeWorld(12, 10)
    {
        std::fill(std::begin(state().ruleBlock().switches), std::end(state().ruleBlock().switches), uint8_t(0));
        previousHooks = stateRulesHooks();
        installLandingHooks();
        setActionRangeSource(&source);
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.available && type.domain == 3 && typeId == 0)
                typeId = type.id;
        UnitTypeRecord& type = editType(typeId);
        type.movementType = kMoveType;
        type.model[0].values[0] = 6;
        mover = placeUnit(0, typeId, 2, 4);
        unit(0, mover).fuel = 40;
        action().beginUnitAction(0, mover, false);
    }
    ~OpenGroundRouteWorld()
    {
        setActionRangeSource(nullptr);
        setStateRulesHooks(previousHooks);
    }

    CurrentAction& action() { return currentAction(state()); }
    bool marked(int x, int y, uint16_t bits) { return hasHexMark(state(), x, y, bits); }

    CommandRangeSource source;
    StateRulesHooks* previousHooks = nullptr;
    int typeId = 0;
    int mover = 0;
};

// Each hex of the route is a neighbour of the one before it, starting beside the start hex.
bool isConnected(HexPos start, const std::vector<HexPos>& route)
{
    HexPos at = start;
    for (const HexPos& hex : route) {
        if (hexDistance(at, hex) != 1)
            return false;
        at = hex;
    }
    return true;
}

} // namespace

TEST(RoutePlan, WithoutWayPointsTheRouteIsTheBackTraceToTheHex)
{
    OpenGroundRouteWorld world;
    std::vector<HexPos> route;
    ASSERT_TRUE(planRoute(world.state(), route, 5, 4));
    ASSERT_EQ(route.size(), 3u);
    EXPECT_EQ(route.back(), (HexPos { 5, 4 }));
    EXPECT_TRUE(isConnected({ 2, 4 }, route));

    EXPECT_FALSE(planRoute(world.state(), route, 11, 4)) << "beyond its six points";
    EXPECT_TRUE(route.empty());
}

TEST(RoutePlan, WithWayPointsTheRouteRunsThroughEveryPathHexGathered)
{
    OpenGroundRouteWorld world;
    ASSERT_TRUE(world.action().addWayPoint(4, 2));
    std::vector<HexPos> route;
    ASSERT_TRUE(planRoute(world.state(), route, 6, 3));
    EXPECT_TRUE(isConnected({ 2, 4 }, route));
    EXPECT_NE(std::find(route.begin(), route.end(), HexPos { 4, 2 }), route.end()) << "through the way-point";
    EXPECT_EQ(route.back(), (HexPos { 6, 3 }));
    const size_t gathered = world.action().path().size();
    EXPECT_EQ(std::vector<HexPos>(route.begin(), route.begin() + long(gathered)), world.action().path());

    EXPECT_FALSE(planRoute(world.state(), route, 11, 9)) << "out of reach from the way-point";
}

TEST(RoutePlan, AFixedRouteOverridesTracing)
{
    OpenGroundRouteWorld world;
    rulesContext(world.state()).fixedRoute = { { 3, 4 }, { 9, 9 } };
    std::vector<HexPos> route;
    EXPECT_TRUE(planRoute(world.state(), route, 5, 4));
    EXPECT_EQ(route, (std::vector<HexPos> { { 3, 4 }, { 9, 9 } }));
}

TEST(RouteMarks, TheUnitsOwnHexOrTheTracedPathIsMarked)
{
    OpenGroundRouteWorld world;
    GameState& s = world.state();
    clearHexMarkAll(s, kMarkActingUnit | kMarkPathEnd);
    showMovePath(s, 2, 4, RouteEnd::Traced);
    EXPECT_TRUE(world.marked(2, 4, kMarkActingUnit));
    EXPECT_TRUE(world.marked(2, 4, kMarkPathEnd));

    showMovePath(s, 5, 4, RouteEnd::Traced);
    EXPECT_FALSE(world.marked(2, 4, kMarkPathEnd)) << "the end mark moves to the route's end";
    EXPECT_TRUE(world.marked(2, 4, kMarkPath));
    EXPECT_TRUE(world.marked(3, 4, kMarkPath));
    EXPECT_TRUE(world.marked(4, 4, kMarkPath));
    EXPECT_TRUE(world.marked(5, 4, kMarkPath | kMarkPathEnd));
    EXPECT_FALSE(world.marked(6, 4, kMarkPath));
}

TEST(RouteMarks, AFixedEndMarksTheHexAloneFromTheLastWayPoint)
{
    OpenGroundRouteWorld world;
    GameState& s = world.state();
    ASSERT_TRUE(world.action().addWayPoint(4, 4));
    showMovePath(s, 9, 9, RouteEnd::Fixed);
    EXPECT_TRUE(world.marked(4, 4, kMarkPath));
    EXPECT_FALSE(world.marked(4, 4, kMarkPathEnd));
    EXPECT_TRUE(world.marked(9, 9, kMarkPath));
    EXPECT_TRUE(world.marked(9, 9, kMarkPathEnd));
}
