// Home hexes and the cached distance grids: costs against a reference search, and when the cache is remade.
#include "rules/home_distance.h"

#include "tests/rules/move_range_world.h"

#include <gtest/gtest.h>

#include <functional>
#include <queue>
#include <random>
#include <vector>

using testing_rules::RangeWorld;

namespace {

// Dijkstra over the terrain values, no limit.
std::vector<int> referenceCosts(const GameState& state, int sx, int sy, int move_type)
{
    const int w = state.mapWidth(), h = state.mapHeight();
    std::vector<int> dist(size_t(w * h), -1);
    using Entry = std::pair<int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    dist[size_t(sy * w + sx)] = 0;
    open.push({ 0, sy * w + sx });
    while (!open.empty()) {
        auto [c, i] = open.top();
        open.pop();
        if (c != dist[size_t(i)])
            continue;
        for (int d = 0; d < 6; ++d) {
            HexPos n = hexNeighbour(i % w, i / w, d, w, h);
            int k = n.valid() ? state.terrainValueAt(n.x, n.y, move_type) : 0;
            if (k <= 0)
                continue;
            int& held = dist[size_t(n.y * w + n.x)];
            if (held < 0 || c + k < held) {
                held = c + k;
                open.push({ held, n.y * w + n.x });
            }
        }
    }
    return dist;
}

void setCapital(GameState& state, int country, int x, int y)
{
    state.country(country).capitalX = uint16_t(x);
    state.country(country).capitalY = uint16_t(y);
}

} // namespace

TEST(DistanceFromHome, MatchesAReferenceSearchFromTheCapital)
{
    std::mt19937 random(7);
    for (int round = 0; round < 4; ++round) {
        const int w = 6 + int(random() % 14), h = 5 + int(random() % 14);
        RangeWorld world(w, h);
        world.randomTerrain(random);
        const int cx = int(random() % unsigned(w)), cy = int(random() % unsigned(h));
        setCapital(world.state(), 2, cx, cy);
        const std::vector<int> expected = referenceCosts(world.state(), cx, cy, RangeWorld::kMoveType);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(distanceFromHome(world.state(), 2, RangeWorld::kMoveType, x, y), expected[size_t(y * w + x)])
                    << "round " << round << " hex " << x << "," << y;
    }
}

TEST(DistanceFromHome, NeutralSideMeasuresFromTheMapCentreAndNoCapitalReachesNothing)
{
    RangeWorld world(9, 7);
    GameState& state = world.state();
    EXPECT_EQ(distanceFromHome(state, 8, RangeWorld::kMoveType, 0, 3), 4);
    EXPECT_EQ(distanceFromHome(state, 9, RangeWorld::kMoveType, 4, 3), -1);
    setCapital(state, 1, 0xFFFF, 0xFFFF);
    EXPECT_EQ(sideHomeHex(state, 1), kNoHex);
    EXPECT_EQ(distanceFromHome(state, 1, RangeWorld::kMoveType, 0, 0), -1);
}

TEST(DistanceGridCache, KeepsItsGridUntilTheHomeHexMovesOrTheMapChanges)
{
    RangeWorld world(8, 1);
    GameState& state = world.state();
    setCapital(state, 0, 0, 0);
    setCapital(state, 1, 0, 0);
    ASSERT_EQ(distanceFromHome(state, 0, RangeWorld::kMoveType, 5, 0), 5);
    distanceFromHome(state, 1, RangeWorld::kMoveType, 5, 0);

    // Cached: a terrain change alone is not seen, and start of play keeps a current grid.
    world.setTerrain(3, 0, 1);
    state.markDistanceGridsStale(1);
    dropStaleDistanceGrids(state);
    EXPECT_EQ(distanceFromHome(state, 0, RangeWorld::kMoveType, 5, 0), 5);
    EXPECT_FALSE(state.distanceGrids(1)->grids[RangeWorld::kMoveType]);

    // The capital moved: the next read measures from the new home hex.
    setCapital(state, 0, 7, 0);
    state.markDistanceGridsStale(0);
    EXPECT_EQ(distanceFromHome(state, 0, RangeWorld::kMoveType, 5, 0), 2);

    state.resetMapPart();
    EXPECT_FALSE(state.distanceGrids(0)->grids[RangeWorld::kMoveType]);
}

// A movement type whose entry costs equal one asked for before (its twin) copies that grid only while
// the map is as the twin's flood read it: after each change below, the copy equals what a side
// asking for the first time floods.
TEST(DistanceGridCache, ATwinMovementTypeCopiesAGridOnlyOfTheMapAsItStillIs)
{
    constexpr int kTwin = 2;
    const std::pair<const char*, std::function<void(RangeWorld&)>> changes[] = {
        { "nothing", [](RangeWorld&) {} },
        { "a hex's terrain", [](RangeWorld& w) { w.setTerrain(3, 1, 1); } },
        // The side code is there from the start; the border that makes it close comes now.
        { "a closed side", [](RangeWorld& w) { w.state().unitCellAt(3, 1)->borderMask = 0x3F; } },
        { "the twin's own costs", [](RangeWorld& w) { w.editTerrain(w.terrain(0)).moveCost[kTwin] = 2; } },
    };
    for (const auto& [what, change] : changes) {
        RangeWorld world(8, 3);
        GameState& state = world.state();
        for (int i = 0; i < 4; ++i)
            world.editTerrain(world.terrain(i)).moveCost[kTwin] = world.editTerrain(world.terrain(i)).moveCost[RangeWorld::kMoveType];
        world.cell(3, 1).setSideCode(0, 3);
        setCapital(state, 0, 0, 1);
        setCapital(state, 1, 0, 1);
        ASSERT_EQ(distanceFromHome(state, 0, RangeWorld::kMoveType, 7, 1), 7);
        change(world);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(distanceFromHome(state, 0, kTwin, x, y), distanceFromHome(state, 1, kTwin, x, y)) << what << " at " << x << "," << y;
    }
}

TEST(HeadquartersHex, NeedsTheSidesOwnHeadquartersBuildingOnTheCapital)
{
    RangeWorld world(6, 6);
    GameState& state = world.state();
    setCapital(state, 0, 2, 2);
    EXPECT_EQ(hqHex(state, 0), kNoHex);
    const int b = world.placeBuilding(31, 1, 2, 2);
    EXPECT_EQ(hqHex(state, 0), kNoHex);
    world.building(b).ownerPlusOne = 1;
    EXPECT_EQ(hqHex(state, 0), (HexPos { 2, 2 }));
    EXPECT_EQ(hqHex(state, 8), kNoHex);
}
