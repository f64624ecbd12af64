// Mine scans: fields reached from beside them, passages, and clusters of known mines.
#include "rules/scans_mines.h"

#include "grid_reach.h"
#include "scan_hits.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <set>

using namespace testing_rules;
using testing_state::SmallWorld;

namespace {


void layMine(SmallWorld& world, int x, int y, int kind, unsigned known)
{
    TerrainCell& cell = world.cell(x, y);
    cell.mineKind = uint8_t(kind);
    cell.mineCount = 2;
    cell.mineKnownMask = uint8_t(known);
}

} // namespace

TEST(MineHexScan, ListsKnownMinesByTheirCheapestAccessHex)
{
    SmallWorld world(9, 9, kOpenGround);
    layMine(world, 2, 4, 1, 0b1);
    layMine(world, 6, 4, 2, 0b1);
    layMine(world, 4, 7, 1, 0b10);
    GridReach reach(9, 9, 20);
    reach.fill(9);
    reach.set(1, 4, 2);
    reach.set(5, 4, 4);
    reach.set(6, 4, 0);

    MineHexScan scan(world.state(), 0, reach, 10);
    scan.scan(4, 4, 6);
    // (4, 7) is another country's secret; the mine hex's own cost does not count.
    EXPECT_EQ(hexesOf(scan), (Hexes { { 2, 4 }, { 6, 4 } }));
    EXPECT_EQ(scan.hits()[0].key, 2u);
    EXPECT_EQ(scan.hits()[0].extra, packHex(1, 4));
    EXPECT_EQ(scan.hits()[1].extra, packHex(5, 4));

    MineHexScan tight(world.state(), 0, reach, 1);
    tight.scan(4, 4, 6);
    EXPECT_EQ(tight.hitCount(), 0);
}

TEST(MineHexScan, WithTheSecondMaskBitTakesOnlyMinesInAPassage)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    int other = -1;
    for (size_t t = 0; t < s.terrainTypes().size() && other < 0; ++t) {
        world.cell(0, 0).terrain = uint8_t(t);
        if (s.terrainClassAt(0, 0) != s.terrainClassAt(1, 0))
            other = int(t);
    }
    world.cell(0, 0).terrain = kOpenGround;
    ASSERT_GE(other, 0) << "land.dat needs terrain of two classes";
    layMine(world, 4, 4, 1, 0b1);
    world.cell(4, 4).turnMarks[1] = 0b1;
    GridReach reach(9, 9, 20);
    reach.fill(1);
    auto hits = [&] {
        MineHexScan scan(s, 0, reach, 10);
        scan.scan(4, 4, 2);
        return scan.hitCount();
    };
    EXPECT_EQ(hits(), 0) << "six alike neighbours are open ground, no passage";
    // West and east of the even-row hex turn to the other class: two separate runs remain.
    world.cell(3, 4).terrain = uint8_t(other);
    world.cell(5, 4).terrain = uint8_t(other);
    EXPECT_EQ(hits(), 1);
    world.cell(3, 4).terrain = kOpenGround;
    EXPECT_EQ(hits(), 0) << "one run of five";
    world.cell(4, 4).turnMarks[1] = 0;
    EXPECT_EQ(hits(), 1);
}

TEST(KnownMineHexScan, FindsHexesTouchingTwoKnownMinesOfTheKindNearestFirst)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    layMine(world, 6, 4, 1, 0b1);
    layMine(world, 7, 4, 1, 0b1);
    layMine(world, 1, 1, 2, 0b1);
    layMine(world, 2, 1, 2, 0b1);
    layMine(world, 2, 6, 1, 0b10);

    KnownMineHexScan land(s, 0, MineKind::Land, MineStand::OnField);
    land.scan(4, 4, 8);
    const Hexes found = hexesOf(land);
    // The two mine hexes and the two hexes touching both.
    EXPECT_EQ(std::set<Hex>(found.begin(), found.end()), (std::set<Hex> { { 6, 4 }, { 7, 4 }, { 6, 3 }, { 6, 5 } }));
    for (size_t i = 1; i < land.hits().size(); ++i)
        EXPECT_LE(land.hits()[i - 1].key, land.hits()[i].key);

    KnownMineHexScan beside(s, 0, MineKind::Land, MineStand::BesideField);
    beside.scan(4, 4, 8);
    EXPECT_EQ(beside.hitCount(), 2);
    KnownMineHexScan sea(s, 0, MineKind::Sea, MineStand::BesideField);
    sea.scan(4, 4, 8);
    EXPECT_EQ(sea.hitCount(), 2);
    KnownMineHexScan stranger(s, 3, MineKind::Land, MineStand::OnField);
    stranger.scan(4, 4, 8);
    EXPECT_EQ(stranger.hitCount(), 0);
}
