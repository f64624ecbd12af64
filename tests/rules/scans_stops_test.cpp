// Stop scans over plain cost grids: nearest ring first, cheapest in it, landing places passed over.
#include "rules/scans_stops.h"

#include "grid_reach.h"
#include "platform/kernel/host.h"
#include "rules/area_layers.h"
#include "rules/home_distance.h"
#include "rules/move_range.h"
#include "state/unit_facts.h"
#include "tests/rules/move_range_world.h"
#include "tests/rules/scan_hits.h"

#include <gtest/gtest.h>

using testing_rules::GridReach;
using testing_rules::RangeWorld;
using testing_state::SmallWorld;
using testing_rules::landType;
using testing_rules::kOpenGround;

namespace {


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
    s.country(0).allianceMask = 0b11;
    s.country(1).allianceMask = 0b11;
    const int land = landType(s);
    world.editType(land).movementType = RangeWorld::kMoveType;
    const int mover = world.placeUnit(0, land, 2, 2);
    world.placeUnit(0, land, 3, 2);
    world.placeUnit(1, land, 2, 3);
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
    auto run = [&](int country, int kind, int ignored, bool terrain_test) {
        NearestFreeHexScan scan(s, country, reach);
        if (terrain_test)
            scan.setTerrainTest([](int x, int) { return x != 4; });
        scan.setSpacing(kind, 1, ignored);
        scan.scan(4, 4, 4);
        return scan.result();
    };
    // The centre and (4, 3) fail the terrain test, (4, 5) is a landing place.
    EXPECT_EQ(run(0, -1, -1, true), (HexPos { 3, 3 }));

    // Units of the spacing kind within 1 hex of every ring-1 hex push the find to ring 2; the mover
    // and other countries' units do not count.
    reach.set(4, 4, -1);
    const int land = landType(s);
    const int kind = aiRoleGroup(s.unitTypeRecord(land));
    const int mover = world.placeUnit(0, land, 4, 4);
    EXPECT_EQ(run(0, kind, mover, false), (HexPos { 3, 3 }));
    for (auto [x, y] : { HexPos { 4, 3 }, { 4, 5 }, { 3, 4 } })
        world.placeUnit(0, land, x, y);
    EXPECT_EQ(hexDistance({ 4, 4 }, run(0, kind, mover, false)), 2);
    EXPECT_EQ(run(1, kind, -1, false), (HexPos { 3, 3 }));

    GridReach nowhere(9, 9, 20);
    NearestFreeHexScan none(s, 0, nowhere);
    none.scan(4, 4, 4);
    EXPECT_FALSE(none.result().valid());
}

TEST(BestCostHexScan, KeepsTheCheapestOfTheFirstRingInsideTheAreaAndTheLimit)
{
    SmallWorld world(9, 9);
    GridReach reach = ringOneReach();
    reach.set(4, 4, -1);
    HexBitLayer area;
    area.setAll();
    auto run = [&](int limit, unsigned options) {
        BestCostHexScan scan(world.state(), reach, &area, limit, options);
        scan.scan(4, 4, 3);
        return scan.result();
    };
    EXPECT_EQ(run(20, kBestCostAny), (HexPos { 4, 5 }));

    area.clearAll();
    for (auto [x, y] : { HexPos { 3, 3 }, { 4, 3 }, { 5, 4 } })
        area.set(x, y);
    reach.markNextToEnemy(3, 3);
    EXPECT_EQ(run(20, kBestCostNotNextToEnemy), (HexPos { 4, 3 }));
    // The second layer has its own costs and skips interception zones.
    reach.setSecond(4, 3, 6);
    reach.setSecond(5, 4, 7);
    reach.markIntercept(4, 3);
    EXPECT_EQ(run(20, kBestCostSecondLayer | kBestCostNotNextToEnemy), (HexPos { 5, 4 }));
    EXPECT_FALSE(run(1, kBestCostAny).valid());
}

TEST(NearestHexScan, FindsTheNearestOwnOrEnemyHex)
{
    SmallWorld world(9, 9);
    GameState& s = world.state();
    world.cell(4, 3).owner = 1;
    world.cell(6, 4).owner = 3;
    world.cell(4, 7).owner = 2;
    s.country(0).allianceMask = 0b101;
    s.country(2).allianceMask = 0b101;
    auto run = [&](int country, NearestMatch match) {
        NearestHexScan scan(s, country, match);
        scan.scan(4, 4, 8);
        return std::pair { scan.result(), scan.distance() };
    };
    EXPECT_EQ(run(0, NearestMatch::OwnTerritory), (std::pair { HexPos { 4, 3 }, 1 }));
    // Country 2's hex is an ally's: the nearest enemy hex is country 1's, three rows down.
    EXPECT_EQ(run(0, NearestMatch::EnemyTerritory), (std::pair { HexPos { 4, 7 }, 3 }));
    EXPECT_EQ(run(5, NearestMatch::OwnTerritory), (std::pair { kNoHex, 10000 }));
}

TEST(NearestStopHexScan, PrefersTheNearestFreeHexThenTheLowerCost)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    const int land = landType(s);
    const int mover = world.placeUnit(0, land, 4, 4);
    world.placeUnit(2, land, 4, 5);
    GridReach reach = ringOneReach();
    reach.markLanding(3, 3);
    auto run = [&](int index) {
        NearestStopHexScan scan(s, 0, index, reach);
        scan.scan(4, 4, 4);
        return scan.result();
    };
    EXPECT_EQ(run(mover), (HexPos { 4, 4 })) << "the unit's own hex is nearest of all";
    reach.set(4, 4, -1);
    EXPECT_EQ(run(mover), (HexPos { 4, 3 })) << "(4, 5) is held, (3, 3) a landing place";
    EXPECT_FALSE(run(mover + 10).valid());
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
    auto run = [&](const GridReach& range) {
        SafeStopHexScan scan(s, 0, RangeWorld::kMoveType, range);
        scan.scan(4, 4, 3);
        return scan.hits();
    };

    // (5, 4) and (3, 5) beat (3, 3), which stays first; the centre is never a stop.
    auto hits = run(reach);
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ((HexPos { hits[0].x, hits[0].y }), (HexPos { 3, 3 }));
    EXPECT_EQ((HexPos { hits[1].x, hits[1].y }), (HexPos { 5, 4 }));
    EXPECT_EQ((HexPos { hits[2].x, hits[2].y }), (HexPos { 3, 5 }));
    EXPECT_EQ(hits[2].extra, uint32_t(distanceFromHome(s, 0, RangeWorld::kMoveType, 3, 5)));

    // On equal cost the hex nearer the capital (0, 5) wins: (3, 5) but not (4, 3).
    reach.set(5, 4, 9);
    reach.set(3, 5, 3);
    reach.set(4, 3, 3);
    hits = run(reach);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ((HexPos { hits[1].x, hits[1].y }), (HexPos { 3, 5 }));

    GridReach threatened(9, 9, 20);
    threatened.set(3, 3, 1);
    threatened.markNextToEnemy(3, 3);
    EXPECT_TRUE(run(threatened).empty());
}
