// Scans rated by the distance from a capital: what each finds, what it leaves out and the order of its hits.
#include "rules/scans_home.h"
#include "rules/scans_placement.h"

#include "grid_reach.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"
#include "tests/state/small_world.h"
#include "tests/rules/scan_hits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using testing_rules::GridReach;
using testing_state::SmallWorld;
using testing_rules::hexesOf;

namespace {

using Hex = std::pair<int, int>;

bool has(const std::vector<Hex>& hexes, Hex hex) { return std::find(hexes.begin(), hexes.end(), hex) != hexes.end(); }

// A one-terrain map every movement type crosses at cost 1, country 1 aimed at by country 0, and a
// land unit of country 0.
class HomeWorld : public SmallWorld {
public:
    HomeWorld(int width, int height)
        : SmallWorld(width, height)
    {
        TerrainRecord& ground = editTerrain(cell(0, 0).terrain);
        std::fill(std::begin(ground.moveCost), std::end(ground.moveCost), uint8_t(1));
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.domain == 3 && type.id > 0 && type.movementType < 17) {
                landType = type.id;
                break;
            }
        state().country(0).targetCountry = 1;
        state().recreateSightMaps();
    }

    void setCapital(int country, int x, int y)
    {
        state().country(country).capitalX = uint16_t(x);
        state().country(country).capitalY = uint16_t(y);
    }

    int landType = -1;
};

} // namespace

TEST(UncontestedHexScan, SkipsHexesTheTargetSeesAroundAndOrdersByItsCapital)
{
    HomeWorld world(10, 3);
    GameState& s = world.state();
    world.setCapital(1, 9, 1);
    UnitTypeRecord& type = world.editType(world.landType);
    std::fill(std::begin(type.range), std::end(type.range), uint8_t(0));
    type.range[3] = 1;
    const int unit = world.placeUnit(0, world.landType, 1, 1);
    s.fogMap()->setBit(1, 5, 1, 3);
    GridReach reach(10, 3, 20);
    reach.fill(1);

    UncontestedHexScan scan(s, 0, unit, reach, 20);
    scan.scanAt(1, 1, 9);
    const std::vector<Hex> hits = hexesOf(scan);
    EXPECT_FALSE(has(hits, { 1, 1 })) << "the unit's own hex is not free";
    for (Hex seen : { Hex { 5, 1 }, Hex { 4, 1 }, Hex { 6, 1 }, Hex { 5, 0 }, Hex { 5, 2 } })
        EXPECT_FALSE(has(hits, seen)) << seen.first << "," << seen.second;
    EXPECT_TRUE(has(hits, { 3, 1 }));
    EXPECT_TRUE(has(hits, { 7, 1 }));
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front(), (Hex { 9, 1 }));
    EXPECT_TRUE(std::is_sorted(scan.hits().begin(), scan.hits().end(), lessByCost));
}

TEST(SpreadOutHexScan, KeepsTheSpacingFromAlliedUnitsOfTheSameClass)
{
    HomeWorld world(10, 3);
    GameState& s = world.state();
    world.setCapital(1, 9, 1);
    const int unit = world.placeUnit(0, world.landType, 0, 1);
    s.country(0).allianceMask = 0b11;
    s.country(1).allianceMask = 0b11;
    world.placeUnit(1, world.landType, 4, 1);
    GridReach reach(10, 3, 20);
    reach.fill(1);

    SpreadOutHexScan spaced(s, 0, unit, reach, 2, 20);
    spaced.scanFromUnit();
    const std::vector<Hex> hits = hexesOf(spaced);
    EXPECT_FALSE(has(hits, { 2, 1 }));
    EXPECT_FALSE(has(hits, { 6, 1 }));
    EXPECT_TRUE(has(hits, { 7, 1 }));
    EXPECT_TRUE(has(hits, { 1, 1 }));

    // A country outside the alliance is no reason to keep apart.
    s.country(0).allianceMask = 0b01;
    SpreadOutHexScan alone(s, 0, unit, reach, 2, 20);
    alone.scanFromUnit();
    EXPECT_TRUE(has(hexesOf(alone), { 3, 1 }));
}

TEST(ClosestToHomeHexScan, DrawsOneOfTheNearestReachableHexes)
{
    HomeWorld world(9, 9);
    GameState& s = world.state();
    world.setCapital(2, 4, 4);
    GridReach reach(9, 9, 10);
    reach.set(1, 4, 2);
    reach.set(7, 4, 9);
    reach.set(4, 8, 1);
    reach.set(3, 4, 11);

    ClosestToHomeHexScan scan(s, 2, 5, reach);
    scan.scan(4, 8, 8);
    // (3, 4) is nearer still but beyond the range's limit; (4, 8) is farther.
    EXPECT_EQ(scan.hitCount(), 2);
    for (const HexScanHit& hit : scan.hits())
        EXPECT_EQ(hit.key, 3u);
    const HexPos r = scan.result();
    EXPECT_TRUE(r == (HexPos { 1, 4 }) || r == (HexPos { 7, 4 }));

    GridReach nothing(9, 9, 10);
    ClosestToHomeHexScan none(s, 2, 5, nothing);
    none.scan(4, 8, 8);
    EXPECT_EQ(none.result(), kNoHex);
}

TEST(BuildingHexScan, SelectsBuildingsByOwnerRelationFarthestFirst)
{
    HomeWorld world(10, 3);
    GameState& s = world.state();
    world.setCapital(1, 9, 1);
    const int town = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(town, 0);
    const int unit = world.placeUnit(0, world.landType, 4, 1);
    s.country(0).allianceMask = 0b101;
    s.country(2).allianceMask = 0b101;
    const int unowned = world.placeBuilding(town, -1, 1, 1);
    world.placeBuilding(town, 0, 3, 1);
    world.placeBuilding(town, 2, 5, 1);
    const int hostile = world.placeBuilding(town, 1, 7, 1);
    GridReach reach(10, 3, 20);
    reach.fill(1);

    BuildingHexScan own(s, 0, unit, reach, kBuildingOwn | kBuildingAllied, 20);
    own.scanFromUnit();
    EXPECT_EQ(hexesOf(own), (std::vector<Hex> { { 3, 1 }, { 5, 1 } }));

    BuildingHexScan targets(s, 0, unit, reach, 0, 20);
    targets.selectUnownedAndHostile();
    targets.scanFromUnit();
    EXPECT_EQ(hexesOf(targets), (std::vector<Hex> { { 1, 1 }, { 7, 1 } }));
    EXPECT_EQ(targets.hits()[0].extra, uint32_t(unowned + 1));
    EXPECT_EQ(targets.hits()[1].extra, uint32_t(hostile + 1));
}

TEST(BuildingAreaHexScan, KeepsSafeHexesAroundTheBuildingAndPrefersCoverTowardsTheTarget)
{
    HomeWorld world(14, 5);
    GameState& s = world.state();
    world.setCapital(1, 13, 2);
    world.setCapital(0, 3, 2);
    const int town = world.terrainOfKind(kTerrainBuilding);
    const int unit = world.placeUnit(0, world.landType, 0, 2);
    const int own = world.placeBuilding(town, 0, 5, 2);
    world.placeBuilding(town, 1, 9, 2);
    // Cover on the side that faces the target.
    const int forest = world.terrainOfKind(kTerrainBasic) == 0 ? 1 : 0;
    TerrainRecord& cover = world.editTerrain(forest);
    std::fill(std::begin(cover.moveCost), std::end(cover.moveCost), uint8_t(1));
    cover.evasion[scanMovementType(s.unitTypeRecord(world.landType).movementType)] = 30;
    world.cell(6, 1).terrain = uint8_t(forest);
    GridReach reach(14, 5, 30);
    reach.fill(1);

    BuildingAreaHexScan scan(s, 0, unit, reach, 30);
    scan.run(own, 4, 2);
    const std::vector<Hex> hits = hexesOf(scan);
    EXPECT_FALSE(has(hits, { 4, 2 })) << "the avoid hex";
    EXPECT_FALSE(has(hits, { 8, 2 })) << "next to a hostile building";
    EXPECT_FALSE(has(hits, { 3, 2 })) << "the own capital without storing";
    EXPECT_TRUE(has(hits, { 1, 2 })) << "radius 5 around an own building";
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front(), (Hex { 6, 1 }));
    EXPECT_GE(scan.hits().front().key, 30u * 65536u);

    world.setRule(kRuleStoring, 1);
    BuildingAreaHexScan storing(s, 0, unit, reach, 30);
    storing.run(own, 4, 2);
    EXPECT_TRUE(has(hexesOf(storing), { 3, 2 }));
}

TEST(ApproachHexScan, EachHitIsAtLeastAsNearAsTheOnesBeforeAndOutsideEnemyReach)
{
    HomeWorld world(12, 5);
    GameState& s = world.state();
    world.setRule(kRuleSearch, 0);
    world.setCapital(1, 11, 2);
    const int unit = world.placeUnit(0, world.landType, 5, 2);
    GridReach reach(12, 5, 30);
    reach.fill(1);
    reach.set(11, 2, -1);

    ApproachHexScan scan(s, 0, unit, reach, 30);
    scan.scanFromUnit();
    ASSERT_FALSE(scan.hits().empty());
    EXPECT_TRUE(std::is_sorted(scan.hits().begin(), scan.hits().end(), lessByCost));
    EXPECT_EQ(scan.hits().front().key, 1u);
    // Ring 1 starts west of the unit at distance 7: nothing farther joins afterwards.
    std::vector<Hex> hits = hexesOf(scan);
    EXPECT_EQ(scan.hits().back().key, 7u);
    EXPECT_TRUE(has(hits, { 6, 2 }));
    EXPECT_FALSE(has(hits, { 3, 2 }));
    EXPECT_TRUE(has(hits, { 9, 1 }));

    // An armed enemy keeps the approach out of its reach.
    int weapon = 1;
    while (s.weaponIndex(weapon) == 0)
        ++weapon;
    const int enemy_type = world.landType;
    UnitTypeRecord& type = world.editType(enemy_type);
    type.weaponSlot[0].weaponId = uint16_t(weapon);
    WeaponRecord& w = world.editWeapon(weapon);
    w = WeaponRecord {};
    w.reach = 1;
    w.useValue = 1;
    w.flags = 1 | 2 | 8;
    w.power[targetClass(type)] = 10;
    const int gunner = world.placeUnit(1, enemy_type, 9, 0);
    world.unit(1, gunner).ammunition[0] = 5;
    ApproachHexScan wary(s, 0, unit, reach, 30);
    wary.scanFromUnit();
    hits = hexesOf(wary);
    EXPECT_FALSE(has(hits, { 9, 1 }));
    EXPECT_TRUE(has(hits, { 10, 2 }));
}
