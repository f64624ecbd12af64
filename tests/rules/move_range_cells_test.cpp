// MoveRangeMap's reading of the map cells: roads and river substitutes in the entry costs, closed hex
// sides, mined bridges, and ranges that reuse the memory of earlier ones.
#include "rules/move_range.h"

#include "rules/area_layers.h"
#include "tests/rules/move_range_world.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using testing_rules::RangeWorld;
using testing_rules::referenceCosts;

namespace {

bool isWater(int type) { return type == 29 || type == 30 || type == 39 || type == 40 || type == 49; }

// What a hex costs, written out from the terrain records: the substitute's river, and a road taking
// the cheaper passable cost except on buildings.
int expectedCost(const GameState& state, const TerrainCell& cell, int move_type)
{
    const TerrainRoles& roles = state.terrainRoles();
    int type = cell.terrain;
    if (cell.substitute & 0x3F) {
        const unsigned kind = cell.substitute >> 6;
        type = kind == 1 ? roles.deepRiver : kind == 2 ? roles.frozenRiver : roles.river;
    }
    const auto& types = state.terrainTypes();
    const int own = types[size_t(type)].moveCost[move_type];
    if (!cell.overlay || types[size_t(type)].kind >= kTerrainBuilding)
        return own;
    const int road = types[size_t(roles.road)].moveCost[move_type];
    if (own > 0 && road > 0)
        return std::min(own, road);
    return own > 0 ? own : road;
}

// Random terrain, roads, river substitutes and closed sides over the whole map.
void scatterCells(RangeWorld& world, std::mt19937& random, bool closed_sides)
{
    const auto& types = world.state().terrainTypes();
    for (size_t t = 0; t < types.size(); ++t)
        world.editTerrain(int(t)).moveCost[RangeWorld::kMoveType] = uint8_t(random() % 4);
    // The road usually passable, so that it lowers costs as often as it opens hexes.
    world.editTerrain(world.state().terrainRoles().road).moveCost[RangeWorld::kMoveType] = uint8_t(random() % 3 ? 1 : 0);
    for (int y = 0; y < world.height(); ++y)
        for (int x = 0; x < world.width(); ++x) {
            TerrainCell& cell = world.cell(x, y);
            cell.terrain = uint8_t(random() % types.size());
            cell.overlay = uint8_t(random() % 3 == 0);
            cell.substitute = 0;
            if (random() % 4 == 0) {
                const unsigned bits = 1 + random() % 0x3F;
                cell.substitute = uint16_t(bits | (random() % 4) << 6);
            }
            if (closed_sides && random() % 3 == 0) {
                const int d = int(random() % kHexDirections);
                cell.setSideCode(d, random() % 4 ? 3 : 2);
                world.unitCell(x, y).borderMask = uint8_t(random() % 64);
            }
        }
}

} // namespace

TEST(MoveRangeCells, EntryCostsTakeRoadsAndRiverSubstitutesAsTheHexQueriesDo)
{
    std::mt19937 random(31);
    for (int round = 0; round < 6; ++round) {
        RangeWorld world(9 + round, 7);
        scatterCells(world, random, false);
        GameState& state = world.state();
        HexBitLayer known;
        known.setAll();
        known.bits[0] = 0x5A;
        for (const bool water_only : { false, true })
            for (const bool restricted : { false, true }) {
                MoveRangeMap range(state);
                range.initFromValues(0, 4, 3, RangeWorld::kMoveType, 3);
                range.setCostLimit(1 << 20);
                range.setWaterOnly(water_only);
                range.setAreaRestriction(restricted ? &known : nullptr);
                range.compute();
                for (int y = 0; y < world.height(); ++y)
                    for (int x = 0; x < world.width(); ++x) {
                        const TerrainCell& cell = world.cell(x, y);
                        int want = expectedCost(state, cell, RangeWorld::kMoveType);
                        ASSERT_EQ(state.terrainValueAt(x, y, RangeWorld::kMoveType), want) << x << "," << y;
                        if (water_only)
                            want = isWater(state.effectiveTerrainAt(x, y)) ? 1 : 0;
                        else if (restricted && !testHexBit(known, x, y))
                            want = 0;
                        ASSERT_EQ(range.entryCost(x, y), want) << "round " << round << " hex " << x << "," << y
                                                               << (water_only ? " water only" : "")
                                                               << (restricted ? " restricted" : "");
                    }
            }
    }
}

// Closed sides from a hex's own cell and from its neighbour's, at every limit, so that the window
// edges fall on hexes with closed sides too.
TEST(MoveRangeCells, ClosedSidesFromEitherCellAreNeverCrossed)
{
    std::mt19937 random(5);
    for (int round = 0; round < 10; ++round) {
        RangeWorld world(14, 12);
        scatterCells(world, random, true);
        const int sx = int(random() % 14), sy = int(random() % 12);
        for (const int limit : { 2, 5, 9, 1 << 20 }) {
            MoveRangeMap range(world.state());
            range.initFromValues(0, sx, sy, RangeWorld::kMoveType, 3);
            range.setCostLimit(limit);
            range.compute();
            const std::vector<int> expected = referenceCosts(world.state(), sx, sy, RangeWorld::kMoveType, limit);
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 14; ++x)
                    ASSERT_EQ(range.costIn(x, y, 0), expected[size_t(y * 14 + x)])
                        << "round " << round << " limit " << limit << " hex " << x << "," << y << " from " << sx << "," << sy;
        }
    }
}

TEST(MoveRangeCells, AMinedBridgeKeepsItsExitsWhenMinesClose)
{
    RangeWorld world(5, 3);
    const int bridge = world.terrainOfKind(kTerrainBridge);
    ASSERT_GE(bridge, 0);
    world.placeBuilding(bridge, -1, 2, 1);
    world.cell(2, 1).displayCode = 2;
    world.cell(2, 1).mineKind = 1;
    world.cell(2, 1).mineKnownMask = 1;
    MoveRangeMap range(world.state());
    range.initFromValues(0, 0, 1, RangeWorld::kMoveType, 3);
    range.setCostLimit(10);
    range.setMinesImpassable(true);
    range.compute();
    EXPECT_EQ(range.costAt(2, 1, -1), -1);
    EXPECT_EQ(range.entryCost(2, 1), 0);
    EXPECT_TRUE(range.isKnownMineHex(2, 1));
    EXPECT_EQ(range.exitDirs(2, 1), 9) << "the bridge's exits, set while it could still be entered";
}

// Ranges borrow their arrays from a pool: one computed after others (larger maps, closed sides and
// mines everywhere, another range still held) answers as if it were the first.
TEST(MoveRangeCells, ARangeOnReusedMemoryAnswersAsTheFirstOne)
{
    std::mt19937 random(17);
    RangeWorld large(40, 30);
    scatterCells(large, random, true);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            large.cell(x, y).mineKind = 1;
            large.cell(x, y).mineKnownMask = 0xFF;
        }
    RangeWorld small(11, 9);
    scatterCells(small, random, true);
    const std::vector<int> expected = referenceCosts(small.state(), 5, 4, RangeWorld::kMoveType, 1 << 20);

    auto check = [&](const char* when) {
        MoveRangeMap range(small.state());
        range.initFromValues(0, 5, 4, RangeWorld::kMoveType, 3);
        range.setCostLimit(1 << 20);
        range.compute();
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 11; ++x) {
                ASSERT_EQ(range.costIn(x, y, 0), expected[size_t(y * 11 + x)]) << when << " hex " << x << "," << y;
                ASSERT_EQ(range.flagsAt(x, y), x == 5 && y == 4 ? uint32_t(kRangeStart) : 0u) << when;
            }
    };
    check("first");
    MoveRangeMap held(large.state());
    held.initFromValues(0, 20, 15, RangeWorld::kMoveType, 3);
    held.setCostLimit(1 << 20);
    held.setSecondLayer(true);
    held.compute();
    const int held_cost = held.costIn(25, 20, 0);
    ASSERT_GT(held_cost, 0);
    for (int i = 0; i < 3; ++i) {
        MoveRangeMap other(large.state());
        other.initFromValues(0, 3 * i, 2 * i, RangeWorld::kMoveType, 3);
        other.setCostLimit(1 << 20);
        other.setSecondLayer(true);
        other.setMinesImpassable(i == 1);
        other.compute();
    }
    check("after larger ranges");
    EXPECT_EQ(held.costIn(25, 20, 0), held_cost) << "a range held meanwhile keeps its answers";

    held.release();
    EXPECT_EQ(held.costIn(20, 15, 0), -1);
    EXPECT_EQ(held.flagsAt(20, 15), 0u);
    EXPECT_EQ(held.entryCost(21, 15), 0);
    check("after a release");
}
