// The range scans over plain cost grids: what each keeps, its order, and where it stops looking.
#include "rules/scans_reach.h"

#include "grid_reach.h"
#include "platform/kernel/host.h"
#include "tests/state/small_world.h"
#include "tests/rules/scan_hits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

using testing_rules::GridReach;
using testing_state::SmallWorld;
using testing_rules::hexesOf;
using testing_rules::typeOfDomain;

namespace {

using Hex = std::pair<int, int>;

} // namespace

TEST(PlaceableHexScan, KeepsOnlyTheNearestRingWithAFreeHexCheapestFirst)
{
    SmallWorld world(9, 9);
    GameState& s = world.state();
    GridReach reach(9, 9, 20);
    reach.fill(5);
    reach.set(4, 4, 0);
    // Ring 1 of (4, 4): three hexes cost too much, one is taken by a unit, two remain.
    reach.set(3, 4, 9);
    reach.set(3, 3, 9);
    reach.set(4, 3, 3);
    reach.set(5, 4, 9);
    reach.set(4, 5, 2);
    world.placeUnit(0, typeOfDomain(s, 3), 4, 5);
    world.placeUnit(0, typeOfDomain(s, 3), 4, 4);
    reach.set(3, 5, 4);

    PlaceableHexScan scan(s, reach, 6);
    scan.scan(4, 4, 3);
    EXPECT_EQ(hexesOf(scan), (std::vector<Hex> { { 4, 3 }, { 3, 5 } }));

    // Nothing within the limit in ring 1: ring 2 is taken whole, and nothing beyond.
    PlaceableHexScan far(s, reach, 5);
    reach.set(4, 3, 9);
    reach.set(3, 5, 9);
    far.scan(4, 4, 3);
    EXPECT_EQ(far.hitCount(), 12);
    for (auto [x, y] : hexesOf(far))
        EXPECT_EQ(hexDistance({ 4, 4 }, { x, y }), 2);

    GridReach nowhere(9, 9, 20);
    PlaceableHexScan none(s, nowhere, 50);
    none.scan(4, 4, 8);
    EXPECT_EQ(none.hitCount(), 0);
}

TEST(BestHexScan, KeepsTheFirstOfTheLowestOrHighestCost)
{
    SmallWorld world(7, 7);
    GameState& s = world.state();
    GridReach reach(7, 7, 10);
    reach.set(3, 3, 4);
    reach.set(2, 3, 2);
    reach.set(5, 5, 2);
    reach.set(0, 0, 11);
    reach.set(6, 6, 10);
    BestHexScan low(s, reach, BestCost::Lowest);
    low.scan(3, 3, 6);
    EXPECT_EQ(low.result(), (HexPos { 2, 3 }));
    BestHexScan high(s, reach, BestCost::Highest);
    high.scan(3, 3, 6);
    // (0, 0) costs more than the range's limit, so it is not reached.
    EXPECT_EQ(high.result(), (HexPos { 6, 6 }));
    high.scan(3, 3, 0);
    EXPECT_EQ(high.result(), (HexPos { 3, 3 }));
    GridReach nowhere(7, 7, 10);
    BestHexScan none(s, nowhere, BestCost::Lowest);
    none.scan(3, 3, 6);
    EXPECT_FALSE(none.result().valid());
}

TEST(TwoMapBestHexScan, StopsAfterTheRingOfItsBestFind)
{
    SmallWorld world(9, 9);
    GameState& s = world.state();
    GridReach a(9, 9, 100);
    GridReach b(9, 9, 100);
    a.fill(50);
    // Ring 1 holds a tie at 50 in A, broken by B; the centre itself is not reached in B.
    b.set(3, 4, 8);
    b.set(5, 4, 3);
    a.set(4, 4, 1);
    // A cheaper hex in A two rings out is never looked at.
    b.set(6, 4, 1);
    a.set(6, 4, 1);
    TwoMapBestHexScan scan(s, a, b);
    scan.scan(4, 4, 4);
    EXPECT_EQ(scan.result(), (HexPos { 5, 4 }));

    GridReach empty(9, 9, 100);
    TwoMapBestHexScan none(s, a, empty);
    none.scan(4, 4, 4);
    EXPECT_FALSE(none.result().valid());
}

TEST(ReachWithinCostHexScan, ListsReachedHexesWithinTheLimitCheapestFirst)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    GridReach reach(6, 6, 30);
    reach.set(1, 1, 7);
    reach.set(4, 4, 3);
    reach.set(2, 2, 9);
    reach.set(5, 0, 31);
    ReachWithinCostHexScan scan(s, reach, 8);
    scan.scan(2, 2, 5);
    EXPECT_EQ(hexesOf(scan), (std::vector<Hex> { { 4, 4 }, { 1, 1 } }));
    ReachWithinCostHexScan none(s, reach, 2);
    none.scan(2, 2, 5);
    EXPECT_EQ(none.hitCount(), 0);
}

TEST(DropHexScan, ShufflesTheFlaggedHexesTheSameWayForTheSameSeed)
{
    SmallWorld world(8, 8);
    GameState& s = world.state();
    const int flagged = 3;
    world.editTerrain(flagged).flags |= 16;
    world.editTerrain(0).flags &= uint16_t(~16u);
    std::set<Hex> expected;
    GridReach reach(8, 8, 40);
    for (int i = 0; i < 8; ++i) {
        world.cell(i, i).terrain = flagged;
        reach.set(i, i, i * 2);
        if (i * 2 < 12)
            expected.insert({ i, i });
    }
    reach.set(7, 0, 1);
    auto run = [&](unsigned seed) {
        platform::crtSrand(seed);
        s.randomPool().fill();
        DropHexScan scan(s, reach, 12);
        scan.scan(4, 4, 8);
        return hexesOf(scan);
    };
    const auto first = run(5);
    EXPECT_EQ(std::set<Hex>(first.begin(), first.end()), expected);
    EXPECT_EQ(first.size(), expected.size());
    EXPECT_EQ(run(5), first);
}
