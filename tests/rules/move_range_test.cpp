// MoveRangeMap: costs against an independent shortest-path search, limits, goals and traced routes.
#include "rules/move_range.h"

#include "rules/area_layers.h"

#include "tests/rules/move_range_world.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using testing_rules::RangeWorld;
using testing_rules::referenceCosts;

TEST(MoveRangeCosts, MatchAReferenceSearchOnRandomMaps)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 12; ++round) {
        const int w = 5 + int(random() % 12), h = 4 + int(random() % 12);
        RangeWorld world(w, h);
        world.randomTerrain(random);
        const int sx = int(random() % unsigned(w)), sy = int(random() % unsigned(h));
        const int limit = 3 + int(random() % 20);
        MoveRangeMap range(world.state());
        range.initFromValues(0, sx, sy, RangeWorld::kMoveType, 3);
        range.setCostLimit(limit);
        range.compute();
        std::vector<int> expected = referenceCosts(world.state(), sx, sy, RangeWorld::kMoveType, limit);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(range.costAt(x, y, -1), expected[size_t(y * w + x)])
                    << "round " << round << " hex " << x << "," << y << " from " << sx << "," << sy;
    }
}

TEST(MoveRangeCosts, AHexAtExactlyTheLimitIsCostedButNotLeft)
{
    RangeWorld world(8, 1);
    MoveRangeMap range(world.state());
    range.initFromValues(0, 0, 0, RangeWorld::kMoveType, 3);
    range.setCostLimit(3);
    range.compute();
    EXPECT_EQ(range.costAt(3, 0, -1), 3);
    EXPECT_EQ(range.costAt(4, 0, -1), -1);
    EXPECT_TRUE(range.flagsAt(0, 0) & kRangeStart);
}

TEST(MoveRangeCosts, TheGoalLowersTheLimitForBothLayers)
{
    RangeWorld world(9, 3);
    MoveRangeMap range(world.state());
    range.initFromValues(0, 4, 1, RangeWorld::kMoveType, 3);
    range.setCostLimit(10);
    range.setGoal(6, 1);
    range.setSecondLayer(true);
    range.compute();
    EXPECT_EQ(range.workingLimit(), 2);
    for (int layer = 0; layer < 2; ++layer) {
        EXPECT_EQ(range.costIn(6, 1, layer), 2);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_LE(range.costIn(x, y, layer), 2) << x << "," << y << " layer " << layer;
    }
}

TEST(MoveRangePath, TracedRoutesAreLegalAndCostWhatTheRangeSays)
{
    std::mt19937 random(7);
    for (int round = 0; round < 8; ++round) {
        RangeWorld world(12, 10);
        world.randomTerrain(random);
        MoveRangeMap range(world.state());
        range.initFromValues(0, 5, 5, RangeWorld::kMoveType, 3);
        range.setCostLimit(25);
        range.compute();
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) {
                std::vector<HexPos> path;
                const bool found = range.tracePath(x, y, path, -1);
                ASSERT_EQ(found, range.costAt(x, y, -1) >= 0) << x << "," << y;
                if (!found) {
                    EXPECT_TRUE(path.empty());
                    continue;
                }
                HexPos at { 5, 5 };
                int spent = 0;
                for (const HexPos& step : path) {
                    EXPECT_EQ(hexDistance(at, step), 1) << "steps are adjacent";
                    const int k = world.state().terrainValueAt(step.x, step.y, RangeWorld::kMoveType);
                    EXPECT_GT(k, 0) << "steps are passable";
                    spent += k;
                    at = step;
                }
                if (!path.empty()) {
                    EXPECT_EQ(path.back(), (HexPos { x, y }));
                }
                EXPECT_EQ(spent, range.costAt(x, y, -1));
            }
    }
}

TEST(MoveRangePath, TheStartTracesToAnEmptyRouteAndAnUnreachedHexToNone)
{
    RangeWorld world(6, 6);
    world.setCost(world.terrain(0), 0);
    MoveRangeMap range(world.state());
    range.initFromValues(0, 2, 2, RangeWorld::kMoveType, 3);
    range.setCostLimit(5);
    range.compute();
    std::vector<HexPos> path { { 1, 1 } };
    EXPECT_TRUE(range.tracePath(2, 2, path, -1));
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(range.tracePath(4, 4, path, -1));
    EXPECT_TRUE(path.empty());
}

TEST(CoordQueue, KeepsEveryPendingEntryAndHandsOutTheCheapestFirst)
{
    CoordQueue queue;
    // Far more entries than a fixed ring of 16384 could hold, at two costs.
    for (uint32_t i = 0; i < 40000; ++i)
        queue.push(i, i % 2 ? 7 : 3);
    int last = 0;
    uint32_t popped = 0, sum = 0;
    while (!queue.empty()) {
        int cost = 0;
        sum += queue.pop(cost);
        EXPECT_GE(cost, last);
        last = cost;
        ++popped;
    }
    EXPECT_EQ(popped, 40000u);
    EXPECT_EQ(sum, 40000u * 39999u / 2);
}

TEST(MoveRangeCosts, WaterOnlyModeCrossesWaterCodesAtOneEach)
{
    RangeWorld world(6, 1);
    for (int x = 0; x < 6; ++x)
        world.cell(x, 0).terrain = uint8_t(x == 3 ? 1 : 29);
    world.cell(4, 0).terrain = 40;
    MoveRangeMap range(world.state());
    range.initFromValues(0, 0, 0, RangeWorld::kMoveType, 4);
    range.setWaterOnly(true);
    range.setCostLimit(10);
    range.compute();
    EXPECT_EQ(range.costAt(2, 0, -1), 2);
    EXPECT_EQ(range.costAt(3, 0, -1), -1) << "code 1 is no water";
    EXPECT_EQ(range.costAt(4, 0, -1), -1);
}

TEST(MoveRangeCosts, AnAreaRestrictionClosesUnknownHexes)
{
    RangeWorld world(6, 1);
    HexBitLayer known;
    for (int x = 0; x < 6; ++x)
        if (x != 2)
            known.set(x, 0);
    MoveRangeMap range(world.state());
    range.initFromValues(0, 0, 0, RangeWorld::kMoveType, 3);
    range.setCostLimit(10);
    range.setAreaRestriction(&known);
    range.compute();
    EXPECT_EQ(range.costAt(1, 0, -1), 1);
    EXPECT_EQ(range.costAt(2, 0, -1), -1);
}
