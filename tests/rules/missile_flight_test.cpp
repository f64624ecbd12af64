// Missile flight over turns: steps, arrival next to the target, interception, running dry, and the
// action phase's interception of exposed units.
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/missiles.h"

#include "rules/interception.h"
#include "rules/turn_marks.h"
#include "tests/rules/missile_world.h"

#include <gtest/gtest.h>

using namespace testing_rules;

namespace {

// Country 0's missile launched at (1, 1) towards country 1's unit at (7, 1): six hexes, three a turn.
struct FlightWorld : MissileWorld {
    FlightWorld()
    {
        setRule(kRuleMissilePhase, 1);
        target = placeUnit(1, plain, 7, 1);
        launch(1, 1, 7, 1);
        state().turnBlock().phase = kMissilePhase;
    }
    void step() { missileFlightStep(state(), 0, 0); }
    int distanceToTarget() { return hexDistance({ missile(0).x, missile(0).y }, { 7, 1 }); }

    int target = -1;
};

} // namespace

TEST(MissileFlight, FliesItsAllowanceEachTurnAndStrikesFromNextToTheTarget)
{
    FlightWorld world;
    ASSERT_GT(world.cost, 0);
    world.step();
    const UnitRecord& m = world.missile(0);
    ASSERT_EQ(m.state(), 1);
    EXPECT_EQ(world.distanceToTarget(), 3);
    EXPECT_EQ(m.fuel, 17 * world.cost) << "the route cost exceeds the turn's burn";
    EXPECT_EQ(m.flags & (kUnitOffMap | kUnitActed), kUnitActed) << "on the map, done for the turn";
    EXPECT_EQ(world.unitCell(m.x, m.y).lowerSide[0], 100);
    EXPECT_EQ(strengthTotal(world.unit(1, world.target)), 40);

    world.missile(0).flags &= uint16_t(~kUnitActed);
    world.step();
    EXPECT_EQ(world.missile(0).state(), 0);
    EXPECT_LT(strengthTotal(world.unit(1, world.target)), 40);
}

TEST(MissileFlight, ShotDownByAnInterceptorOnTheSecondTurnNeverArrives)
{
    FlightWorld world;
    world.setRule(kRuleInterception, 1);
    world.gun->reach = 2;
    world.gun->flags = 1 | 2 | 8 | 16;
    world.editType(world.other).range[world.editType(world.missileType).domain] = 2;
    world.step();
    ASSERT_EQ(world.distanceToTarget(), 3);

    const int interceptor = world.placeUnit(1, world.other, 5, 3);
    for (int x = 4; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            world.threaten(x, y);
    world.missile(0).memberStrengths[0] = 2;
    for (int i = 1; i < 10; ++i)
        world.missile(0).memberStrengths[i] = 0;
    world.step();
    EXPECT_EQ(world.missile(0).state(), 0);
    EXPECT_EQ(world.state().command().moveStopped, 1);
    EXPECT_TRUE(hasIntercepted(world.state(), 1, interceptor));
    EXPECT_EQ(strengthTotal(world.unit(1, world.target)), 40) << "no strike from a missile shot down";
}

TEST(MissileFlight, RunsDryWithoutAStrike)
{
    // Out of reach: it never moves and burns half its allowance each turn until it is gone.
    FlightWorld far;
    far.missile(0).fuel = uint16_t(2 * far.cost);
    for (int turn = 0; turn < 10 && far.missile(0).state() == 1; ++turn)
        far.step();
    EXPECT_EQ(far.missile(0).state(), 0);
    EXPECT_EQ(far.missile(0).x, 1);
    EXPECT_EQ(strengthTotal(far.unit(1, far.target)), 40);

    // Its last fuel takes it next to the target: a missile removed there must not strike.
    MissileWorld near;
    near.setRule(kRuleMissilePhase, 1);
    const int target = near.placeUnit(1, near.plain, 3, 1);
    near.placeUnit(0, near.plain, 2, 1);
    near.launch(1, 1, 3, 1);
    near.missile(0).fuel = uint16_t(2 * near.cost);
    near.state().turnBlock().phase = kMissilePhase;
    missileFlightStep(near.state(), 0, 0);
    EXPECT_EQ(hexDistance({ near.missile(0).x, near.missile(0).y }, { 3, 1 }), 1);
    EXPECT_EQ(near.missile(0).state(), 0);
    EXPECT_EQ(near.unitCell(near.missile(0).x, near.missile(0).y).lowerSide[0], 0);
    EXPECT_EQ(strengthTotal(near.unit(1, target)), 40);
}

TEST(ExposedUnits, SurvivorsLoseTheirActionAndTheDestroyedAreRemoved)
{
    MissileWorld world;
    GameState& s = world.state();
    world.gun->reach = 2;
    world.gun->flags = 1 | 2 | 8 | 16;
    world.editType(world.other).range[3] = 2;
    const int weak = world.placeUnit(0, world.plain, 6, 5);
    world.unit(0, weak).memberStrengths[1] = world.unit(0, weak).memberStrengths[2] = 0;
    world.unit(0, weak).memberStrengths[3] = 0;
    world.unit(0, weak).memberStrengths[0] = 2;
    const int strong = world.placeUnit(0, world.plain, 2, 2);
    const int safe = world.placeUnit(0, world.plain, 2, 7);
    world.placeUnit(1, world.other, 7, 5);
    world.placeUnit(1, world.other, 3, 2);
    resetHexTurnMarks(s);

    interceptExposedUnits(s, 0);
    EXPECT_FALSE(world.unit(0, strong).hasFlag(kUnitActed)) << "rule 31 off";

    // At the end of a person's action phase each unit left standing exposed is told of its
    // interception, once; a unit out of reach is not.
    world.setRule(kRuleInterception, 1);
    s.country(0).controller = 1;
    HeadlessDialogs dialogs;
    setRulesLinks({ nullptr, nullptr, &dialogs, nullptr });
    interceptExposedUnits(s, 0);
    setRulesLinks({});
    int notices = 0;
    for (const LinkCall& call : dialogs.callsOf("showEventNotice"))
        if (call.args.at(0) == 7) {
            ++notices;
            EXPECT_NE(call.args.at(2), safe);
        }
    EXPECT_EQ(notices, 2);
    EXPECT_TRUE(world.unit(0, strong).hasFlag(kUnitActed));
    EXPECT_GT(strengthTotal(world.unit(0, strong)), 0);
    EXPECT_EQ(world.unit(0, weak).state(), 0);
    EXPECT_EQ(world.unitCell(6, 5).lowerSide[0], 0);
    EXPECT_FALSE(world.unit(0, safe).hasFlag(kUnitActed)) << "not exposed";
}
