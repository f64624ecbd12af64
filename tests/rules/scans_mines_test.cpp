// Mine scans: fields reached from beside them, passages, and clusters of known land mines.
#include "rules/scans_mines.h"

#include "grid_reach.h"
#include "platform/kernel/host.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using testing_rules::GridReach;
using testing_state::SmallWorld;

namespace {

using Hex = std::pair<int, int>;

constexpr int kOpenGround = 1;

std::vector<Hex> hexesOf(const HexScan& scan)
{
    std::vector<Hex> out;
    for (const HexScanHit& hit : scan.hits())
        out.push_back({ hit.x, hit.y });
    return out;
}

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
    GameState& s = world.state();
    layMine(world, 2, 4, 1, 0b1);
    layMine(world, 6, 4, 2, 0b1);
    layMine(world, 4, 7, 1, 0b10);
    GridReach reach(9, 9, 20);
    reach.fill(9);
    // Neighbours of (2, 4): (1, 4) is cheapest; of (6, 4): (5, 4).
    reach.set(1, 4, 2);
    reach.set(5, 4, 4);
    reach.set(6, 4, 0);

    MineHexScan scan(s, 0, reach, 10);
    scan.scan(4, 4, 6);
    // (4, 7) is another country's secret; the mine hex's own cost does not count.
    EXPECT_EQ(hexesOf(scan), (std::vector<Hex> { { 2, 4 }, { 6, 4 } }));
    EXPECT_EQ(scan.hits()[0].key, 2u);
    EXPECT_EQ(scan.hits()[0].extra, packHex(1, 4));
    EXPECT_EQ(scan.hits()[1].extra, packHex(5, 4));

    MineHexScan tight(s, 0, reach, 1);
    tight.scan(4, 4, 6);
    EXPECT_EQ(tight.hitCount(), 0);
}

TEST(MineHexScan, WithTheSecondMaskBitTakesOnlyMinesInAPassage)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    // Two terrain types of different class: a hex whose like neighbours form two runs is a passage.
    int other = -1;
    for (size_t t = 0; t < s.terrainTypes().size() && other < 0; ++t) {
        world.cell(0, 0).terrain = uint8_t(t);
        if (s.terrainClassAt(0, 0) != s.terrainClassAt(1, 0))
            other = int(t);
    }
    world.cell(0, 0).terrain = kOpenGround;
    if (other < 0)
        GTEST_SKIP() << "every terrain type is of one class";
    layMine(world, 4, 4, 1, 0b1);
    world.cell(4, 4).turnMarks[1] = 0b1;
    GridReach reach(9, 9, 20);
    reach.fill(1);
    MineHexScan open(s, 0, reach, 10);
    open.scan(4, 4, 2);
    EXPECT_EQ(open.hitCount(), 0) << "all six neighbours alike make one run";

    // (4, 4) even row: west (3, 4) and east (5, 4) become the other class, splitting two runs.
    world.cell(3, 4).terrain = uint8_t(other);
    world.cell(5, 4).terrain = uint8_t(other);
    MineHexScan passage(s, 0, reach, 10);
    passage.scan(4, 4, 2);
    EXPECT_EQ(hexesOf(passage), (std::vector<Hex> { { 4, 4 } }));

    world.cell(4, 4).turnMarks[1] = 0;
    world.cell(5, 4).terrain = kOpenGround;
    world.cell(3, 4).terrain = kOpenGround;
    MineHexScan unmarked(s, 0, reach, 10);
    unmarked.scan(4, 4, 2);
    EXPECT_EQ(unmarked.hitCount(), 1);
}

TEST(KnownMineHexScan, FindsHexesBesideTwoKnownLandMinesNearestFirst)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    // Two known land mines side by side at (6, 4) and (7, 4); a sea mine and an unknown one elsewhere.
    layMine(world, 6, 4, 1, 0b1);
    layMine(world, 7, 4, 1, 0b1);
    layMine(world, 1, 1, 2, 0b1);
    layMine(world, 2, 1, 1, 0b10);

    platform::crtSrand(7);
    s.randomPool().fill();
    KnownMineHexScan scan(s, 0, MineStand::OnField);
    scan.scan(4, 4, 8);
    std::set<Hex> found;
    for (const Hex& h : hexesOf(scan))
        found.insert(h);
    // The two mine hexes and the hexes touching both.
    EXPECT_TRUE(found.count({ 6, 4 }) && found.count({ 7, 4 }));
    EXPECT_TRUE(found.count({ 6, 3 }) && found.count({ 6, 5 }));
    EXPECT_EQ(found.size(), 4u);
    for (size_t i = 1; i < scan.hits().size(); ++i)
        EXPECT_LE(scan.hits()[i - 1].key, scan.hits()[i].key);

    KnownMineHexScan beside(s, 0, MineStand::BesideField);
    beside.scan(4, 4, 8);
    EXPECT_EQ(beside.hitCount(), 2);

    KnownMineHexScan stranger(s, 3, MineStand::OnField);
    stranger.scan(4, 4, 8);
    EXPECT_EQ(stranger.hitCount(), 0);
}
