// Hex geometry as properties and against a breadth-first reference, and the terrain and slot queries.
#include "state/game_state.h"
#include "state/hex_geometry.h"

#include "tests/state/small_world.h"
#include "tests/state/state_test_support.h"

#include <queue>
#include <random>
#include <vector>

using namespace testing_state;

namespace {

constexpr int kW = 9;
constexpr int kH = 8;

std::vector<HexPos> everyHex()
{
    std::vector<HexPos> all;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            all.push_back({ x, y });
    return all;
}

// Steps from `from` to every hex, walking neighbours on an unbounded-enough grid.
std::vector<int> walkedDistances(HexPos from)
{
    std::vector<int> dist(size_t(kW * kH), -1);
    std::queue<HexPos> open;
    dist[size_t(from.y * kW + from.x)] = 0;
    open.push(from);
    while (!open.empty()) {
        HexPos p = open.front();
        open.pop();
        for (int d = 0; d < kHexDirections; ++d) {
            HexPos n = hexNeighbour(p.x, p.y, d, kW, kH);
            if (n.valid() && dist[size_t(n.y * kW + n.x)] < 0) {
                dist[size_t(n.y * kW + n.x)] = dist[size_t(p.y * kW + p.x)] + 1;
                open.push(n);
            }
        }
    }
    return dist;
}

} // namespace

TEST(HexGeometry, NeighboursOfCornerAndOddRow)
{
    const HexPos corner[6] = { kNoHex, kNoHex, { 0, 1 }, { 1, 0 }, kNoHex, kNoHex };
    const HexPos odd[6] = { { 2, 1 }, { 3, 2 }, { 4, 2 }, { 4, 1 }, { 4, 0 }, { 3, 0 } };
    for (int d = 0; d < 6; ++d) {
        EXPECT_EQ(hexNeighbour(0, 0, d, kW, kH), corner[d]) << d;
        EXPECT_EQ(hexNeighbour(3, 1, d, kW, kH), odd[d]) << d;
    }
    EXPECT_EQ(hexNeighbour(3, 1, 6, kW, kH), (HexPos { 3, 1 }));
    EXPECT_EQ(hexNeighbour(kW - 1, 1, 3, kW, kH), kNoHex);
    EXPECT_EQ(hexNeighbour(kW - 1, 1, 2, kW, kH), kNoHex);
    EXPECT_EQ(hexNeighbour(0, kH - 1, 1, kW, kH), kNoHex);
}

TEST(HexGeometry, NeighboursAreMutualAndAtDistanceOne)
{
    for (HexPos p : everyHex()) {
        for (int d = 0; d < kHexDirections; ++d) {
            HexPos n = hexNeighbour(p.x, p.y, d, kW, kH);
            if (!n.valid())
                continue;
            EXPECT_EQ(hexNeighbour(n.x, n.y, oppositeDirection(d), kW, kH), p) << p.x << "," << p.y << " d" << d;
            EXPECT_EQ(hexDistance(p, n), 1);
        }
    }
}

TEST(HexGeometry, DistanceMatchesWalkedSteps)
{
    EXPECT_EQ(hexDistance({ 0, 0 }, { 1, 1 }), 2);
    EXPECT_EQ(hexDistance({ 0, 1 }, { 1, 2 }), 1);
    for (HexPos a : everyHex()) {
        std::vector<int> walked = walkedDistances(a);
        for (HexPos b : everyHex())
            ASSERT_EQ(hexDistance(a, b), walked[size_t(b.y * kW + b.x)]) << a.x << "," << a.y << " to " << b.x << "," << b.y;
    }
}

TEST(HexGeometry, DistanceIsSymmetricAndKeepsTheTriangleInequality)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(0, 199);
    for (int i = 0; i < 2000; ++i) {
        HexPos a { coord(random), coord(random) };
        HexPos b { coord(random), coord(random) };
        HexPos c { coord(random), coord(random) };
        EXPECT_EQ(hexDistance(a, b), hexDistance(b, a));
        EXPECT_LE(hexDistance(a, c), hexDistance(a, b) + hexDistance(b, c));
        EXPECT_EQ(hexDistance(a, a), 0);
    }
}

TEST(HexGeometry, DiscRowsHoldExactlyTheHexesWithinTheRadius)
{
    for (int cy = 0; cy < 4; ++cy)
        for (int cx = 5; cx < 8; ++cx)
            for (int radius = -1; radius <= 9; ++radius)
                for (int y = cy - 11; y <= cy + 11; ++y) {
                    const HexRowSpan span = hexDiscRow(cx, cy, radius, y);
                    for (int x = cx - 12; x <= cx + 12; ++x) {
                        const bool in_span = x >= span.x0 && x <= span.x1;
                        ASSERT_EQ(in_span, hexDistance({ cx, cy }, { x, y }) <= radius)
                            << "centre " << cx << "," << cy << " radius " << radius << " hex " << x << "," << y;
                    }
                }
}

TEST(HexGeometry, StepsAreTheNeighboursWhereTheyLieOnTheMap)
{
    for (HexPos p : everyHex())
        for (int d = 0; d < kHexDirections; ++d) {
            const HexStep s = hexStep(p.y & 1, d);
            const HexPos n = hexNeighbour(p.x, p.y, d, kW, kH);
            const bool on_map = p.x + s.dx >= 0 && p.x + s.dx < kW && p.y + s.dy >= 0 && p.y + s.dy < kH;
            const HexPos expected = on_map ? HexPos { p.x + s.dx, p.y + s.dy } : kNoHex;
            EXPECT_EQ(n, expected) << p.x << "," << p.y << " d" << d;
        }
}

TEST(HexGeometry, PackedHexRoundTrips)
{
    EXPECT_EQ(packHex(3, 5), 0x00050003u);
    EXPECT_EQ(unpackHex(packHex(255, 1)), (HexPos { 255, 1 }));
}

namespace {

// A started state with a small empty map.
struct SmallMap {
    SmallMap()
    {
        state.startUp();
        state.mapHeader().width = kW;
        state.mapHeader().height = kH;
    }
    DataFolder folder;
    GameState state;
};

} // namespace

TEST(HexQueries, EffectiveTerrainTakesTheSubstituteOnlyForRiverBits)
{
    SmallMap map;
    TerrainCell* cell = map.state.terrainCellAt(2, 3);
    ASSERT_NE(cell, nullptr);
    cell->terrain = 5;
    cell->substitute = 0x40; // kind bits without river bits
    EXPECT_EQ(map.state.effectiveTerrainAt(2, 3), 5);
    const TerrainRoles& roles = map.state.terrainRoles();
    cell->substitute = 0x01;
    EXPECT_EQ(map.state.effectiveTerrainAt(2, 3), roles.river);
    cell->substitute = 0x41;
    EXPECT_EQ(map.state.effectiveTerrainAt(2, 3), roles.deepRiver);
    cell->substitute = 0x81;
    EXPECT_EQ(map.state.effectiveTerrainAt(2, 3), roles.frozenRiver);
    EXPECT_EQ(map.state.effectiveTerrainAt(kW, 0), -1);
    EXPECT_EQ(map.state.terrainCellAt(-1, 0), nullptr);
}

TEST(HexQueries, TerrainValueTakesTheLowerOfTerrainAndRoad)
{
    SmallMap map;
    const auto& types = map.state.terrainTypes();
    const TerrainRecord& road = types[size_t(map.state.terrainRoles().road)];
    // A natural terrain type, and a movement class the road serves.
    int type = -1;
    int k = -1;
    for (size_t t = 0; t < types.size() && type < 0; ++t)
        for (int c = 0; c < kMovementTypeCount; ++c)
            if (types[t].kind < kTerrainBuilding && types[t].moveCost[c] > road.moveCost[c] && road.moveCost[c] > 0) {
                type = int(t), k = c;
                break;
            }
    ASSERT_GE(type, 0);
    TerrainCell* cell = map.state.terrainCellAt(1, 1);
    cell->terrain = uint8_t(type);
    EXPECT_EQ(map.state.terrainValueAt(1, 1, k), types[size_t(type)].moveCost[k]);
    cell->overlay = 1;
    EXPECT_EQ(map.state.terrainValueAt(1, 1, k), road.moveCost[k]);
}

TEST(HexQueries, TerrainFlagTables)
{
    SmallMap map;
    TerrainCell* cell = map.state.terrainCellAt(0, 0);
    struct Case {
        uint8_t type;
        int klass;
        int group;
    };
    for (Case c : { Case { 28, 1, 1 }, Case { 29, 1, 0 }, Case { 0, 0, 0 }, Case { 1, 0, 1 }, Case { 55, 0, 0 } }) {
        cell->terrain = c.type;
        EXPECT_EQ(map.state.terrainClassAt(0, 0), c.klass) << int(c.type);
        EXPECT_EQ(map.state.terrainGroupAt(0, 0), c.group) << int(c.type);
    }
}

TEST(HexQueries, SlotsFollowStackingAndLayerSwitches)
{
    SmallMap map;
    GameState& s = map.state;
    EXPECT_EQ(s.unitSlotFor(3), 0);
    s.ruleBlock().switches[kRuleStacking] = 1;
    EXPECT_EQ(s.unitSlotFor(3), 3);

    s.setUnitRefInHex(4, 4, 3, 2, 17);  // country 1, unit 17
    s.setUnitRefInHex(4, 4, 0, 103, 5); // missile of country 3
    UnitRef ref {};
    ASSERT_TRUE(s.unitRefInHex(4, 4, 3, ref));
    EXPECT_EQ(ref.table, 1);
    EXPECT_EQ(ref.index, 17);
    EXPECT_EQ(ref.country, 1);
    ASSERT_TRUE(s.unitRefInHex(4, 4, 0, ref));
    EXPECT_EQ(ref.table, 103);
    EXPECT_EQ(ref.country, 3);
    EXPECT_TRUE(s.isUnitInHexDomain(4, 4, 3, 1, 17));
    EXPECT_FALSE(s.isUnitInHexDomain(4, 4, 3, 1, 18));
    EXPECT_TRUE(s.hexHasOtherUnit(4, 4, 3, 1, 18));
    EXPECT_FALSE(s.hexHasOtherUnit(4, 4, 3, 1, 17));

    std::vector<UnitRef> list;
    EXPECT_EQ(s.collectUnitsInHex(4, 4, list), 2);
    s.ruleBlock().switches[kRuleStacking] = 0;
    EXPECT_EQ(s.collectUnitsInHex(4, 4, list), 1);

    s.ruleBlock().switches[kRuleProductionCount] = 1;
    s.placeUnitRefInHex(5, 5, 0, 1, 2);
    EXPECT_FALSE(s.hexHasUnit(5, 5, 0));
    EXPECT_TRUE(s.hexHasUpperUnit(5, 5, 0));
    // Out of the map or past the six slots nothing is read or written.
    s.setUnitRefInHex(kW, 0, 0, 1, 1);
    EXPECT_FALSE(s.hexHasUnit(kW, 0, 0));
    EXPECT_FALSE(s.hexHasUnit(4, 4, 6));
}

TEST(HexQueries, FriendsAndStrangersAroundAHex)
{
    SmallMap map;
    GameState& s = map.state;
    s.country(0).allianceMask = 0x02;
    s.setUnitRefInHex(3, 3, 0, 2, 1); // country 1, allied with 0
    s.setUnitRefInHex(5, 3, 0, 3, 1); // country 2
    EXPECT_TRUE(s.hexDomainHasFriendlyUnit(3, 3, 0, 0));
    EXPECT_TRUE(s.hexDomainHasFriendlyUnit(3, 3, 6, 0));
    EXPECT_FALSE(s.hexDomainHasFriendlyUnit(5, 3, 6, 0));
    EXPECT_TRUE(s.hexHasNonAlliedUnit(5, 3, 0));
    EXPECT_FALSE(s.hexHasNonAlliedUnit(3, 3, 0));
    EXPECT_TRUE(s.isNextToFriendlyUnit(4, 3, 0));
    EXPECT_TRUE(s.isNextToFriendlyUnit(4, 3, 2));
    EXPECT_FALSE(s.isNextToFriendlyUnit(7, 7, 0));
    // Without rules hooks every unit counts as seen.
    EXPECT_TRUE(s.hexHasUnitVisibleTo(5, 3, 0));
    EXPECT_FALSE(s.hexDomainHasVisibleOtherUnit(3, 3, 0, 1, 1));
    EXPECT_TRUE(s.hexDomainHasVisibleOtherUnit(3, 3, 0, 1, 2));
}

TEST(HexQueries, UnitOfRefusesIndexesOutsideTheTables)
{
    SmallMap map;
    EXPECT_NE(map.state.unitOf(8, 999), nullptr);
    EXPECT_NE(map.state.unitOf(107, 0), nullptr);
    EXPECT_EQ(map.state.unitOf(0, 1000), nullptr);
    EXPECT_EQ(map.state.unitOf(0, -1), nullptr);
    EXPECT_EQ(map.state.unitOf(9, 0), nullptr);
    EXPECT_EQ(map.state.unitOf(108, 0), nullptr);
}

TEST(HexQueries, ListedHexesAndPlaceLinks)
{
    SmallMap map;
    GameState& s = map.state;
    s.pillboxHexes().push_back({ 2, 3, 7, 0 });
    s.temporaryBridgeHexes().push_back({ 1, 1, 8, 0, 0, 0 });
    s.temporaryBridgeHexes().push_back({ 2, 3, 9, 0, 0, 0 });
    EXPECT_EQ(s.findPillboxHex(2, 3), 0);
    EXPECT_EQ(s.findTemporaryBridgeHex(2, 3), 1);
    EXPECT_EQ(s.findPillboxHex(1, 1), -1);
    EXPECT_EQ(s.findTemporaryBridgeHex(-1, 3), -1);
    // A hex listed in both tables answers by the kind asked for.
    EXPECT_EQ(*s.listedDurability(2, 3, kTerrainPillbox), 7);
    EXPECT_EQ(*s.listedDurability(2, 3, kTerrainTemporaryBridge), 9);
    EXPECT_EQ(s.listedDurability(2, 3, kTerrainRoad), nullptr);
    EXPECT_EQ(s.listedDurability(1, 1, kTerrainPillbox), nullptr);
    s.unitCellAt(6, 2)->place = 12;
    EXPECT_EQ(s.hexPlaceLink(6, 2), 12);
    EXPECT_EQ(s.hexPlaceLink(kW, 2), 0);
}

TEST(HexQueries, SideWithAWallOnABorderCannotBeCrossedFromEitherHex)
{
    SmallMap map;
    GameState& s = map.state;
    EXPECT_TRUE(s.canCrossHexSide(2, 2, 3));
    s.terrainCellAt(2, 2)->setSideCode(3, 3);
    EXPECT_TRUE(s.canCrossHexSide(2, 2, 3)); // no border there
    s.unitCellAt(2, 2)->borderMask = 1 << 3;
    EXPECT_FALSE(s.canCrossHexSide(2, 2, 3));
    EXPECT_FALSE(s.canCrossHexSide(3, 2, 0));
    EXPECT_TRUE(s.canCrossHexSide(3, 2, 3));
    EXPECT_TRUE(s.canCrossHexSide(2, 2, 6));
}

TEST(Buildings, IncomeCountsIntactOwnedBuildingsOnlyWhenTheMapPays)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    int city = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(city, 0);
    world.editTerrain(city).income = 30;
    world.placeBuilding(city, 1, 1, 1);
    world.placeBuilding(city, 1, 2, 1);
    world.placeBuilding(city, 2, 3, 1);
    EXPECT_EQ(s.countOwnedBuildings(1), 2);
    EXPECT_EQ(s.countBuildingsOf(1), 0); // income switched off
    s.mapHeader().buildingIncome = 1;
    EXPECT_EQ(s.countBuildingsOf(1), 60);
    world.building(0).destroyed = 1;
    EXPECT_EQ(s.countBuildingsOf(1), 30);
    EXPECT_EQ(s.countBuildingsOf(2), 30);
    EXPECT_EQ(s.building(3), nullptr);
    EXPECT_EQ(s.building(-1), nullptr);
}

TEST(Buildings, LoadingHexesFollowTheBuildingOwnersAlliance)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    int city = world.terrainOfKind(kTerrainBuilding);
    world.editTerrain(city).flags |= 8;
    world.cell(1, 1).terrain = uint8_t(city);
    world.cell(2, 2).terrain = uint8_t(city);
    world.placeBuilding(city, 0, 1, 1);
    world.placeBuilding(city, -1, 2, 2);
    s.country(3).allianceMask = 0;
    s.country(0).allianceMask = 1 << 3;
    EXPECT_TRUE(s.isLoadingHexFor(1, 1, -1));
    EXPECT_TRUE(s.isLoadingHexFor(1, 1, 3));
    EXPECT_FALSE(s.isLoadingHexFor(1, 1, 4));
    EXPECT_FALSE(s.isLoadingHexFor(2, 2, 0)); // no owner
    EXPECT_FALSE(s.isVtolLandingHexFor(1, 1, -1) && !(world.editTerrain(city).flags & 4));
    EXPECT_FALSE(s.isLoadingHexFor(0, 0, 0) && !(s.terrainTypeAt(0, 0)->flags & 8));
    world.setRule(kRuleBoardingOwnership, 1);
    EXPECT_TRUE(s.isLoadingHexFor(1, 1, 4));
}
