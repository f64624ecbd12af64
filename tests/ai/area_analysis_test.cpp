// The computer player's map analysis: known-hex layers, held and safe areas, threat and front grids.
#include "ai/area_analysis.h"

#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

TEST(AreaAnalysis, KnownHexLayersExistOnlyOnceBuiltAndKnowEveryHex)
{
    AreaAnalysis analysis;
    EXPECT_EQ(analysis.knownHexLayer(8), nullptr);
    analysis.buildKnownHexLayers(8);
    analysis.buildKnownHexLayers(3);
    const HexBitLayer* layer = analysis.knownHexLayer(8);
    ASSERT_NE(layer, nullptr);
    for (int y = 0; y < 256; y += 17)
        for (int x = 0; x < 256; x += 13)
            ASSERT_TRUE(testHexBit(*layer, x, y)) << x << "," << y;
    EXPECT_TRUE(testHexBit(*analysis.knownHexLayer(3), 255, 255));
    EXPECT_EQ(analysis.knownHexLayer(2), nullptr);
}

TEST(AreaAnalysis, RefusesSidesOutsideTheNine)
{
    AreaAnalysis analysis;
    analysis.buildKnownHexLayers(-1);
    analysis.buildKnownHexLayers(9);
    EXPECT_EQ(analysis.knownHexLayer(-1), nullptr);
    EXPECT_EQ(analysis.knownHexLayer(9), nullptr);
    AreaLayers& layers = analysis;
    layers.buildKnownHexLayers(0);
    EXPECT_NE(layers.knownHexLayer(0), nullptr);
}

namespace {

// Country 0 holds the three west columns, country 1 the four east ones; one armed enemy unit that
// cannot move stands at (10, 5) and fires one hex.
class AreaWorld : public testing_rules::CommandWorld {
public:
    AreaWorld(int width = 12, int height = 12)
        : CommandWorld(width, height)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                cell(x, y).owner = uint8_t(x < 3 ? 1 : x >= 8 ? 2 : 0);
        giveWeapon(plain, kWeaponGun, 10);
        editWeapon(editType(plain).weaponSlot[0].weaponId).reach = 1;
        editType(plain).model[0].values[0] = 0;
        enemy = placeUnit(1, plain, 10, 5);
    }

    AreaAnalysis analysis;
    int enemy = 0;
};

} // namespace

TEST(AreaAnalysisRebuild, HeldAreaIsFriendlyAndUnownedGroundWithAnEnemyRim)
{
    AreaWorld world;
    world.analysis.rebuild(world.state(), 0);
    EXPECT_EQ(world.analysis.country(), 0);
    const HexBitLayer& held = *world.analysis.areaLayer(AreaKind::Held);
    EXPECT_TRUE(testHexBit(held, 0, 0));
    EXPECT_TRUE(testHexBit(held, 7, 3));
    EXPECT_TRUE(testHexBit(held, 8, 3));
    EXPECT_FALSE(testHexBit(held, 9, 3));
    EXPECT_FALSE(testHexBit(held, 11, 11));
    const HexBitLayer& all = *world.analysis.areaLayer(AreaKind::All);
    EXPECT_TRUE(testHexBit(all, 11, 11));
    EXPECT_FALSE(testHexBit(all, 12, 0));

    // Allied ground is held too; the enemy's own side holds the east.
    world.state().country(0).allianceMask = 3;
    world.state().country(1).allianceMask = 3;
    world.analysis.rebuild(world.state(), 0);
    EXPECT_TRUE(testHexBit(*world.analysis.areaLayer(AreaKind::Held), 11, 11));
}

TEST(AreaAnalysisRebuild, HeldAreaIsTheFriendlyGroundAndEveryNeighbourOfItOnAScatteredMap)
{
    // Enemy ground in scattered patches over both row parities and the map's edges; the wide map's
    // rows cross the layer's word boundaries.
    std::mt19937 random(5);
    for (const HexPos size : { HexPos { 12, 12 }, HexPos { 200, 5 } }) {
        AreaWorld world(size.x, size.y);
        for (int round = 0; round < 4; ++round) {
            for (int y = 0; y < size.y; ++y)
                for (int x = 0; x < size.x; ++x)
                    world.cell(x, y).owner = uint8_t(random() % 4 == 0 ? 0 : 2);
            world.analysis.rebuild(world.state(), 0);
            const HexBitLayer& held = *world.analysis.areaLayer(AreaKind::Held);
            for (int y = 0; y < size.y; ++y)
                for (int x = 0; x <= size.x; ++x) {
                    bool near_friendly = x < size.x && world.cell(x, y).owner == 0;
                    for (int d = 0; d < kHexDirections && x < size.x; ++d) {
                        const HexPos n = hexNeighbour(x, y, d, size.x, size.y);
                        near_friendly |= n.valid() && world.cell(n.x, n.y).owner == 0;
                    }
                    ASSERT_EQ(testHexBit(held, x, y), near_friendly) << size.x << " wide, round " << round << " hex " << x << "," << y;
                }
        }
    }
}

TEST(AreaAnalysisRebuild, ThreatCoversWhereAVisibleEnemyCanFireAndSafeLeavesItOut)
{
    AreaWorld world;
    world.analysis.rebuild(world.state(), 0);
    const int strength = strengthTotal(world.unit(1, world.enemy));
    EXPECT_EQ(world.analysis.threatAt(10, 5), strength);
    EXPECT_EQ(world.analysis.threatAt(9, 5), strength);
    EXPECT_EQ(world.analysis.threatAt(8, 5), 0);
    EXPECT_EQ(world.analysis.threatAt(0, 0), 0);
    const HexBitLayer& safe = *world.analysis.areaLayer(AreaKind::Safe);
    EXPECT_TRUE(testHexBit(safe, 8, 5));
    EXPECT_FALSE(testHexBit(safe, 9, 5));
    world.cell(9, 5).owner = 0;
    world.analysis.rebuild(world.state(), 0);
    EXPECT_TRUE(testHexBit(*world.analysis.areaLayer(AreaKind::Held), 9, 5));
    EXPECT_FALSE(testHexBit(*world.analysis.areaLayer(AreaKind::Safe), 9, 5));

    // A second enemy on the same hexes adds up; the side's own units threaten nothing.
    world.placeUnit(1, world.plain, 10, 6);
    world.placeUnit(0, world.plain, 1, 1);
    world.analysis.rebuild(world.state(), 0);
    EXPECT_EQ(world.analysis.threatAt(10, 5), 2 * strength);
    EXPECT_EQ(world.analysis.threatAt(1, 1), 0);
    EXPECT_FALSE(world.analysis.enemyAircraftSeen());

    world.placeUnit(1, world.aircraft, 5, 5);
    world.analysis.rebuild(world.state(), 0);
    EXPECT_TRUE(world.analysis.enemyAircraftSeen());
}

TEST(AreaAnalysisRebuild, FrontGridCountsHexesToTheNearestEnemy)
{
    AreaWorld world;
    world.analysis.rebuild(world.state(), 0);
    EXPECT_EQ(world.analysis.frontDistanceAt(10, 5), 0);
    EXPECT_EQ(world.analysis.frontDistanceAt(7, 5), 3);
    world.placeBuilding(world.terrainOfKind(kTerrainLargeCity), 1, 4, 5);
    world.analysis.rebuild(world.state(), 0);
    EXPECT_EQ(world.analysis.frontDistanceAt(4, 5), 0);
    EXPECT_EQ(world.analysis.frontDistanceAt(1, 5), 3);
    EXPECT_EQ(world.analysis.frontDistanceAt(7, 5), 3);
}

TEST(AreaAnalysisRebuild, FrontGridHoldsTheHexDistanceToTheNearestEnemyEverywhere)
{
    // Enemies scattered over both row parities and the edges, a few at a time and many, on a square
    // map and a wide one.
    std::mt19937 random(3);
    for (const HexPos size : { HexPos { 12, 12 }, HexPos { 70, 9 } })
        for (int count : { 1, 2, 5, 12 }) {
            AreaWorld world(size.x, size.y);
            std::vector<HexPos> enemies { { 10, 5 } };
            for (int k = 1; k < count; ++k) {
                const int x = int(random() % unsigned(size.x));
                const int y = int(random() % unsigned(size.y));
                world.placeUnit(1, world.plain, x, y);
                enemies.push_back({ x, y });
            }
            world.analysis.rebuild(world.state(), 0);
            for (int y = 0; y < size.y; ++y)
                for (int x = 0; x < size.x; ++x) {
                    int nearest = 0xFFFF;
                    for (HexPos e : enemies)
                        nearest = std::min(nearest, hexDistance(e, { x, y }));
                    ASSERT_EQ(world.analysis.frontDistanceAt(x, y), nearest) << count << " enemies, hex " << x << "," << y;
                }
        }
    // No enemy in sight: every hex stays unreached.
    AreaWorld world;
    world.unit(1, world.enemy).stateLow = 0;
    world.analysis.rebuild(world.state(), 0);
    EXPECT_EQ(world.analysis.frontDistanceAt(0, 0), 0xFFFF);
    EXPECT_EQ(world.analysis.frontDistanceAt(11, 11), 0xFFFF);
}

TEST(AreaAnalysisRebuild, ThreatCoversEveryHexTheEnemyCanEnterWithItsPointsAndItsReachBeyond)
{
    // Terrain of dearer and closed hexes scattered round an enemy with four move points and reach 1.
    std::mt19937 random(9);
    for (int round = 0; round < 6; ++round) {
        AreaWorld world;
        GameState& state = world.state();
        UnitRecord& enemy = world.unit(1, world.enemy);
        const int move_type = enemy.type().movementType;
        world.editType(world.plain).model[0].values[0] = 4;
        enemy.fuel = 100;
        std::vector<int> terrains;
        for (int cost : { 0, 1, 2, 3 })
            for (size_t t = 0; t < state.terrainTypes().size(); ++t)
                if (state.terrainTypes()[t].kind < kTerrainBuilding && state.terrainTypes()[t].moveCost[move_type] == cost) {
                    terrains.push_back(int(t));
                    break;
                }
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                world.cell(x, y).terrain = uint8_t(terrains[random() % terrains.size()]);
        world.analysis.rebuild(state, 0);

        // The cheapest way to each hex, then every hex within one step of those entered.
        std::vector<int> best(144, INT_MAX);
        best[size_t(5 * 12 + 10)] = 0;
        for (bool changed = true; changed;) {
            changed = false;
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x)
                    for (int d = 0; d < kHexDirections && best[size_t(y * 12 + x)] != INT_MAX; ++d) {
                        const HexPos n = hexNeighbour(x, y, d, 12, 12);
                        const int cost = n.valid() ? state.terrainValueAt(n.x, n.y, move_type) : 0;
                        if (cost <= 0 || best[size_t(y * 12 + x)] + cost > 4 || best[size_t(y * 12 + x)] + cost >= best[size_t(n.y * 12 + n.x)])
                            continue;
                        best[size_t(n.y * 12 + n.x)] = best[size_t(y * 12 + x)] + cost;
                        changed = true;
                    }
        }
        const int strength = strengthTotal(enemy);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                bool covered = best[size_t(y * 12 + x)] != INT_MAX;
                for (int d = 0; d < kHexDirections; ++d) {
                    const HexPos n = hexNeighbour(x, y, d, 12, 12);
                    covered |= n.valid() && best[size_t(n.y * 12 + n.x)] != INT_MAX;
                }
                ASSERT_EQ(world.analysis.threatAt(x, y), covered ? strength : 0) << "round " << round << " hex " << x << "," << y;
            }
    }
}

TEST(AreaAnalysisRebuild, WeakUnitsAreKeptToTheSafeArea)
{
    AreaWorld world;
    const int armed = world.placeUnit(0, world.plain, 1, 1);
    const int unarmed = world.placeUnit(0, world.other, 1, 2);
    EXPECT_EQ(world.analysis.areaForUnit(world.state(), 0, armed), nullptr);
    world.analysis.rebuild(world.state(), 0);
    EXPECT_EQ(world.analysis.areaForUnit(world.state(), 0, armed), world.analysis.areaLayer(AreaKind::All));
    EXPECT_EQ(world.analysis.areaForUnit(world.state(), 0, unarmed), world.analysis.areaLayer(AreaKind::Safe));
    for (int m = 0; m < 3; ++m)
        world.unit(0, armed).memberStrengths[m] = 0;
    EXPECT_EQ(world.analysis.areaForUnit(world.state(), 0, armed), world.analysis.areaLayer(AreaKind::Safe));
}
