// Stop scans over plain cost grids: nearest ring first, cheapest in it, landing places passed over.
#include "rules/scans_stops.h"

#include "grid_reach.h"
#include "platform/kernel/host.h"
#include "rules/area_layers.h"
#include "rules/home_distance.h"
#include "rules/move_range.h"
#include "state/unit_facts.h"
#include "tests/rules/move_range_world.h"

#include <gtest/gtest.h>

using testing_rules::GridReach;
using testing_rules::RangeWorld;
using testing_state::SmallWorld;

namespace {

// Terrain type 1: open ground every land unit may enter.
constexpr int kOpenGround = 1;

int typeOfDomain(const GameState& state, int domain)
{
    for (const UnitTypeRecord& type : state.unitTypes())
        if (type.domain == domain && type.id > 0)
            return type.id;
    return -1;
}

// Ring 1 of the even-row centre (4, 4) in walk order: (3, 4), (3, 3), (4, 3), (5, 4), (4, 5), (3, 5).
GridReach ringOneReach()
{
    GridReach reach(9, 9, 20);
    reach.fill(8);
    reach.set(4, 4, 0);
    reach.set(3, 4, 4);
    reach.set(3, 3, 2);
    reach.set(4, 3, 2);
    reach.set(5, 4, 3);
    reach.set(4, 5, 1);
    reach.set(3, 5, 5);
    return reach;
}

} // namespace

TEST(LandingPlace, IsAReachedHexHoldingAFriendOfTheMoversClassButNeverTheStart)
{
    RangeWorld world(8, 8);
    GameState& s = world.state();
    for (int c = 0; c < kCountryCount; ++c)
        s.country(c).inPlay = 1;
    const int land = typeOfDomain(s, 3);
    world.editType(land).movementType = RangeWorld::kMoveType;
    const int mover = world.placeUnit(0, land, 2, 2);
    world.placeUnit(0, land, 3, 2);
    world.placeUnit(1, land, 2, 3);
    s.country(0).allianceMask = 0b11;
    s.country(1).allianceMask = 0b11;
    world.placeUnit(2, land, 5, 5);

    MoveRangeMap range(s, 0, mover);
    range.setCostLimit(20);
    range.setBuildUnitFlags(true);
    range.compute();
    EXPECT_TRUE(range.isLandingPlace(3, 2));
    EXPECT_TRUE(range.isLandingPlace(2, 3));
    EXPECT_FALSE(range.isLandingPlace(2, 2));
    EXPECT_FALSE(range.isLandingPlace(4, 4));
    EXPECT_FALSE(range.isLandingPlace(5, 5));
}

TEST(NearestFreeHexScan, TakesTheCheapestOfTheFirstRingThatPassesEveryTest)
{
    SmallWorld world(9, 9);
    GameState& s = world.state();
    GridReach reach = ringOneReach();
    reach.markLanding(4, 5);
    NearestFreeHexScan scan(s, 0, reach);
    scan.setTerrainTest([](int x, int) { return x != 4; });
    scan.scan(4, 4, 4);
    // (4, 5) is a landing place and (4, 3) fails the terrain test; of the rest (3, 3) is cheapest.
    EXPECT_EQ(scan.result(), (HexPos { 3, 3 }));

    // A unit of the spacing kind within 1 hex of every ring-1 hex pushes the find to ring 2; the
    // mover itself is ignored.
    reach.set(4, 4, -1);
    const int land = typeOfDomain(s, 3);
    const int mover = world.placeUnit(0, land, 4, 4);
    const int kind = aiRoleGroup(s.unitTypeRecord(land));
    NearestFreeHexScan spaced(s, 0, reach);
    spaced.setSpacing(kind, 1, mover);
    spaced.scan(4, 4, 4);
    EXPECT_EQ(spaced.result(), (HexPos { 3, 3 }));
    world.placeUnit(0, land, 4, 3);
    world.placeUnit(0, land, 4, 5);
    world.placeUnit(0, land, 3, 4);
    NearestFreeHexScan crowded(s, 0, reach);
    crowded.setSpacing(kind, 1, mover);
    crowded.scan(4, 4, 4);
    EXPECT_EQ(hexDistance({ 4, 4 }, crowded.result()), 2);
    // Another country's units do not count against the spacing.
    NearestFreeHexScan foreign(s, 1, reach);
    foreign.setSpacing(kind, 1);
    foreign.scan(4, 4, 4);
    EXPECT_EQ(foreign.result(), (HexPos { 3, 3 }));

    GridReach nowhere(9, 9, 20);
    NearestFreeHexScan none(s, 0, nowhere);
    none.scan(4, 4, 4);
    EXPECT_FALSE(none.result().valid());
}

TEST(BestCostHexScan, KeepsTheCheapestOfTheFirstRingInsideTheAreaAndTheLimit)
{
    SmallWorld world(9, 9);
    GameState& s = world.state();
    GridReach reach = ringOneReach();
    reach.set(4, 4, -1);
    HexBitLayer area;
    area.setAll();
    BestCostHexScan plain(s, reach, &area, 20, kBestCostAny);
    plain.scan(4, 4, 3);
    EXPECT_EQ(plain.result(), (HexPos { 4, 5 }));
    EXPECT_EQ(plain.resultCost(), 1);

    area.clearAll();
    area.set(3, 3);
    area.set(4, 3);
    area.set(5, 4);
    reach.markNextToEnemy(3, 3);
    BestCostHexScan careful(s, reach, &area, 20, kBestCostNotNextToEnemy);
    careful.scan(4, 4, 3);
    EXPECT_EQ(careful.result(), (HexPos { 4, 3 }));

    // The second layer: its own costs, interception zones skipped.
    reach.setSecond(4, 3, 6);
    reach.setSecond(5, 4, 7);
    reach.markIntercept(4, 3);
    BestCostHexScan second(s, reach, &area, 20, kBestCostSecondLayer | kBestCostNotNextToEnemy);
    second.scan(4, 4, 3);
    EXPECT_EQ(second.result(), (HexPos { 5, 4 }));

    BestCostHexScan tight(s, reach, &area, 1, kBestCostAny);
    tight.scan(4, 4, 3);
    EXPECT_FALSE(tight.result().valid());
    EXPECT_EQ(tight.resultCost(), -1);
}

TEST(NearestHexScan, FindsTheNearestOwnOrEnemyHex)
{
    SmallWorld world(9, 9);
    GameState& s = world.state();
    world.cell(4, 3).owner = 1;
    world.cell(6, 4).owner = 3;
    world.cell(1, 4).owner = 3;
    world.cell(4, 7).owner = 2;
    s.country(0).allianceMask = 0b101;
    s.country(2).allianceMask = 0b101;

    NearestHexScan own(s, 0, NearestMatch::OwnTerritory);
    own.scan(4, 4, 8);
    EXPECT_EQ(own.result(), (HexPos { 4, 3 }));
    EXPECT_EQ(own.distance(), 1);
    // Country 2 is an ally: the nearest enemy hex is country 1's, three rows down.
    NearestHexScan enemy(s, 0, NearestMatch::EnemyTerritory);
    enemy.scan(4, 4, 8);
    EXPECT_EQ(enemy.result(), (HexPos { 4, 7 }));
    EXPECT_EQ(enemy.distance(), 3);

    NearestHexScan none(s, 5, NearestMatch::OwnTerritory);
    none.scan(4, 4, 8);
    EXPECT_FALSE(none.result().valid());
    EXPECT_EQ(none.distance(), 10000);
}

TEST(NearestStopHexScan, PrefersTheNearestFreeHexThenTheLowerCost)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    const int land = typeOfDomain(s, 3);
    const int mover = world.placeUnit(0, land, 4, 4);
    GridReach reach = ringOneReach();
    world.placeUnit(2, land, 4, 5);
    reach.markLanding(3, 3);
    NearestStopHexScan scan(s, 0, mover, reach);
    scan.scan(4, 4, 4);
    // The unit's own hex is nearest of all.
    EXPECT_EQ(scan.result(), (HexPos { 4, 4 }));

    reach.set(4, 4, -1);
    NearestStopHexScan moved(s, 0, mover, reach);
    moved.scan(4, 4, 4);
    // (4, 5) is held, (3, 3) a landing place; (4, 3) costs 2.
    EXPECT_EQ(moved.result(), (HexPos { 4, 3 }));

    NearestStopHexScan missing(s, 0, mover + 10, reach);
    missing.scan(4, 4, 4);
    EXPECT_FALSE(missing.result().valid());
}

TEST(RandomReachHexScan, DrawsOneReachedHexThatIsNoLandingPlace)
{
    SmallWorld world(9, 9);
    GameState& s = world.state();
    GridReach reach(9, 9, 10);
    reach.set(2, 2, 3);
    reach.set(6, 6, 4);
    reach.set(2, 6, 30);
    reach.set(6, 2, 1);
    reach.markLanding(6, 2);
    for (unsigned seed = 1; seed <= 6; ++seed) {
        platform::crtSrand(seed);
        s.randomPool().fill();
        RandomReachHexScan scan(s, reach);
        scan.scan(4, 4, 8);
        EXPECT_EQ(scan.hitCount(), 2);
        EXPECT_TRUE(scan.result() == (HexPos { 2, 2 }) || scan.result() == (HexPos { 6, 6 }));
    }
    reach.markLanding(2, 2);
    reach.markLanding(6, 6);
    RandomReachHexScan none(s, reach);
    none.scan(4, 4, 8);
    EXPECT_FALSE(none.result().valid());
}

TEST(SafeStopHexScan, KeepsTheFirstSafeHexFirstAndAppendsOnlyThoseThatBeatIt)
{
    RangeWorld world(9, 9);
    GameState& s = world.state();
    s.country(0).capitalX = 0;
    s.country(0).capitalY = 5;
    GridReach reach(9, 9, 20);
    reach.set(4, 4, 0);
    reach.set(3, 4, 1);
    reach.markNextToEnemy(3, 4);
    reach.set(3, 3, 3);
    reach.set(4, 3, 4);
    reach.set(5, 4, 2);
    reach.set(4, 5, 2);
    reach.markIntercept(4, 5);
    reach.set(3, 5, 2);
    reach.set(2, 4, 1);
    reach.markLanding(2, 4);

    SafeStopHexScan scan(s, 0, RangeWorld::kMoveType, reach);
    scan.scan(4, 4, 3);
    // (5, 4) and (3, 5) both cost 2 and beat (3, 3); the centre is never a stop. The list stays in
    // walk order: (3, 5) joins because it beats the first hit, not the best one.
    ASSERT_EQ(scan.hitCount(), 3);
    EXPECT_EQ((HexPos { scan.hits()[0].x, scan.hits()[0].y }), (HexPos { 3, 3 }));
    EXPECT_EQ((HexPos { scan.hits()[1].x, scan.hits()[1].y }), (HexPos { 5, 4 }));
    EXPECT_EQ((HexPos { scan.hits()[2].x, scan.hits()[2].y }), (HexPos { 3, 5 }));
    EXPECT_EQ(scan.hits()[2].extra, uint32_t(distanceFromHome(s, 0, RangeWorld::kMoveType, 3, 5)));

    // On equal cost the hex nearer the capital wins: (3, 5) is nearer (0, 5) than (3, 3) is.
    reach.set(5, 4, 9);
    reach.set(3, 5, 3);
    reach.set(4, 3, 3);
    SafeStopHexScan tie(s, 0, RangeWorld::kMoveType, reach);
    tie.scan(4, 4, 3);
    ASSERT_EQ(tie.hitCount(), 2);
    EXPECT_EQ(tie.hits()[1].x, 3);
    EXPECT_EQ(tie.hits()[1].y, 5);

    GridReach threatened(9, 9, 20);
    threatened.set(3, 3, 1);
    threatened.markNextToEnemy(3, 3);
    SafeStopHexScan none(s, 0, RangeWorld::kMoveType, threatened);
    none.scan(4, 4, 3);
    EXPECT_EQ(none.hitCount(), 0);
}
