// Unit-centred building scans and the merge-partner and supply-point scans on small worlds.
#include "rules/scans_sites.h"

#include "grid_reach.h"
#include "platform/kernel/host.h"
#include "state/unit_facts.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

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

int typeWhere(const GameState& state, bool (*wanted)(const UnitTypeRecord&))
{
    for (const UnitTypeRecord& type : state.unitTypes())
        if (type.id > 0 && wanted(type))
            return type.id;
    return -1;
}

// A land type whose first model moves 6 points (the allowance capped by the fuel).
int landType(SmallWorld& world)
{
    const int id = typeWhere(world.state(), [](const UnitTypeRecord& t) { return t.domain == 3 && t.model[0].fuel >= 6; });
    if (id > 0)
        world.editType(id).model[0].values[0] = 6;
    return id;
}

// Countries 0 and 1 allied, 2 and 3 their enemies.
void allyZeroAndOne(GameState& s)
{
    s.country(0).allianceMask = 0b11;
    s.country(1).allianceMask = 0b11;
}

} // namespace

TEST(CapturableBuildingHexScan, RanksUnownedAndEnemyBuildingsByValueWithTheTargetBonus)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    allyZeroAndOne(s);
    const int town = world.terrainOfKind(kTerrainBuilding);
    const int capital = world.terrainOfKind(kTerrainCapital);
    ASSERT_GE(town, 0);
    ASSERT_GE(capital, 0);
    const int unit = world.placeUnit(0, landType(world), 4, 4);
    const int unowned_town = world.placeBuilding(town, -1, 3, 4);
    const int enemy_capital = world.placeBuilding(capital, 2, 5, 4);
    world.placeBuilding(town, 1, 4, 3);
    world.placeBuilding(town, 0, 4, 5);
    const int far_town = world.placeBuilding(town, 3, 1, 1);
    GridReach reach(9, 9, 99);
    reach.fill(2);
    reach.set(1, 1, 60);

    CapturableBuildingHexScan scan(s, 0, unit, reach, 10);
    scan.scanFromUnit();
    // Allied and own towns are passed over, the far one is beyond the allowance.
    ASSERT_EQ(hexesOf(scan), (std::vector<Hex> { { 5, 4 }, { 3, 4 } }));
    EXPECT_EQ(scan.hits()[0].extra, uint32_t(enemy_capital + 1));
    EXPECT_EQ(scan.hits()[1].extra, uint32_t(unowned_town + 1));
    const uint32_t plain = scan.hits()[1].key;

    // A victory-condition place near enough is worth 1000 more.
    PlaceRecord place {};
    place.used = 1;
    place.x = 3;
    place.y = 4;
    place.target = 1;
    s.placeTable()[0] = place;
    world.unitCell(3, 4).place = 1;
    CapturableBuildingHexScan marked(s, 0, unit, reach, 10);
    marked.scanFromUnit();
    ASSERT_EQ(marked.hitCount(), 2);
    const HexScanHit& town_hit = marked.hits()[0].x == 3 ? marked.hits()[0] : marked.hits()[1];
    EXPECT_EQ(town_hit.key, plain + 1000);

    CapturableBuildingHexScan tight(s, 0, unit, reach, 1);
    tight.scanFromUnit();
    EXPECT_EQ(tight.hitCount(), 0);
    (void)far_town;
}

TEST(EnemyBuildingHexScan, SpreadsNearTargetsAndPutsTheFarOnesLast)
{
    SmallWorld world(11, 11, kOpenGround);
    GameState& s = world.state();
    allyZeroAndOne(s);
    const int town = world.terrainOfKind(kTerrainBuilding);
    const int capital = world.terrainOfKind(kTerrainCapital);
    const int unit = world.placeUnit(0, landType(world), 5, 5);
    world.placeBuilding(town, 2, 6, 5);
    world.placeBuilding(town, 3, 4, 5);
    world.placeBuilding(capital, 2, 5, 4);
    world.placeBuilding(town, 2, 5, 9);
    const int guarded = world.placeBuilding(town, 2, 3, 3);
    world.placeUnit(1, landType(world), 3, 3);
    GridReach reach(11, 11, 20);
    reach.fill(5);
    reach.set(5, 9, 1);

    // Country 2 only, ring limit 2: (6, 5) inside the limit, (5, 9) beyond it; the capital needs
    // rule 34 and the town an ally stands in is skipped.
    world.setRule(34, 0);
    platform::crtSrand(3);
    s.randomPool().fill();
    EnemyBuildingHexScan scan(s, 0, unit, reach, 1u << 2, 2, 10);
    scan.scanFromUnit();
    ASSERT_EQ(hexesOf(scan), (std::vector<Hex> { { 6, 5 }, { 5, 9 } }));
    EXPECT_GE(scan.hits()[0].key, 5u + 2 / 10);
    EXPECT_LE(scan.hits()[0].key, 5u + 9 * 2 / 10);
    EXPECT_EQ(scan.hits()[1].key, 1u + 10 * 2);

    world.setRule(34, 1);
    EnemyBuildingHexScan capitals(s, 0, unit, reach, 1u << 2, 2, 10);
    capitals.scanFromUnit();
    EXPECT_EQ(capitals.hitCount(), 3);

    EnemyBuildingHexScan nobody(s, 0, unit, reach, 1u << 5, 2, 10);
    nobody.scanFromUnit();
    EXPECT_EQ(nobody.hitCount(), 0);
    (void)guarded;
}

TEST(FriendlyBuildingHexScan, OrdersOwnThenAlliedThenUnownedAndReachableBeforeFar)
{
    SmallWorld world(11, 11, kOpenGround);
    GameState& s = world.state();
    allyZeroAndOne(s);
    const int town = world.terrainOfKind(kTerrainBuilding);
    const int unit = world.placeUnit(0, landType(world), 5, 5);
    const int points = world.unit(0, unit).movePoints();
    ASSERT_GT(points, 0);
    world.placeBuilding(town, -1, 4, 5);
    world.placeBuilding(town, 1, 6, 5);
    world.placeBuilding(town, 0, 5, 4);
    world.placeBuilding(town, 2, 5, 6);
    world.building(world.placeBuilding(town, 0, 4, 4)).destroyed = 1;
    world.placeBuilding(town, 0, 9, 9);
    GridReach reach(11, 11, 99);
    reach.fill(1);
    reach.set(9, 9, points + 1);

    FriendlyBuildingHexScan scan(s, 0, unit, reach, 10);
    scan.scanFromUnit();
    ASSERT_EQ(hexesOf(scan), (std::vector<Hex> { { 5, 4 }, { 6, 5 }, { 4, 5 }, { 9, 9 } }));
    EXPECT_EQ(scan.hits()[0].key, 1u);
    EXPECT_EQ(scan.hits()[1].key, 101u);
    EXPECT_EQ(scan.hits()[2].key, 201u);
    EXPECT_GE(scan.hits()[3].key, uint32_t(points + 300));

    GridReach nowhere(11, 11, 99);
    FriendlyBuildingHexScan none(s, 0, unit, nowhere, 10);
    none.scanFromUnit();
    EXPECT_EQ(none.hitCount(), 0);
}

TEST(FriendlyBuildingHexScan, ReachesABridgeThroughItsCheapestFreeNeighbour)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    const int bridge = world.terrainOfKind(kTerrainBridge);
    if (bridge < 0)
        GTEST_SKIP() << "land.dat has no bridge building";
    const int land = landType(world);
    const int unit = world.placeUnit(0, land, 2, 2);
    world.placeBuilding(bridge, 0, 5, 5);
    GridReach reach(9, 9, 99);
    reach.fill(6);
    reach.set(5, 5, -1);
    // Neighbours of (5, 5): the cheapest one holds a unit, the next is free.
    reach.set(4, 5, 2);
    world.placeUnit(2, land, 4, 5);
    reach.set(6, 5, 3);
    FriendlyBuildingHexScan scan(s, 0, unit, reach, 99);
    scan.scanFromUnit();
    ASSERT_EQ(scan.hitCount(), 1);
    EXPECT_EQ(scan.hits()[0].key, 3u);
}

TEST(MergePartnerHexScan, ListsPartnersThatFitWithTheUnitFullestFirst)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    const int type = typeWhere(s, [](const UnitTypeRecord& t) { return t.domain == 3 && t.members >= 6; });
    ASSERT_GT(type, 0);
    const int most = s.unitTypeRecord(type).members;
    auto withMembers = [&](int x, int y, int members) {
        const int index = world.placeUnit(0, type, x, y);
        for (int m = 0; m < 10; ++m)
            world.unit(0, index).memberStrengths[m] = m < members ? 1 : 0;
        return index;
    };
    const int unit = withMembers(4, 4, 2);
    withMembers(3, 4, 2);
    const int fuller = withMembers(5, 4, most - 2);
    withMembers(4, 3, most - 1);
    world.placeUnit(1, type, 4, 5);
    GridReach reach(9, 9, 20);
    reach.fill(3);

    MergePartnerHexScan scan(s, 0, unit, reach, 10);
    scan.scanFromUnit();
    // (4, 3) would overflow the type; (4, 5) is another country's.
    ASSERT_EQ(hexesOf(scan), (std::vector<Hex> { { 5, 4 }, { 3, 4 } }));
    EXPECT_EQ(scan.hits()[0].key, uint32_t(most));
    EXPECT_EQ(scan.hits()[0].extra, uint32_t(fuller + 1));

    MergePartnerHexScan near(s, 0, unit, reach, 2);
    near.scanFromUnit();
    EXPECT_EQ(near.hitCount(), 0);
}

TEST(SupplyPointHexScan, StopsAtTheFirstBuildingOrSupplyUnitThatServesTheUnit)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    const int land = landType(world);
    const int capital = world.terrainOfKind(kTerrainCapital);
    const int unit = world.placeUnit(0, land, 4, 4);
    // A group the capital refuels.
    const int refuel = s.terrainTypes()[size_t(capital)].refuelMask;
    int group = 0;
    while (group < kUnitTypeGroupCount && !(refuel >> group & 1))
        ++group;
    ASSERT_LT(group, kUnitTypeGroupCount);
    world.placeBuilding(capital, 0, 7, 4);
    world.placeBuilding(capital, 2, 4, 3);
    GridReach reach(9, 9, 20);
    reach.fill(4);

    world.setRule(6, 0);
    SupplyPointHexScan scan(s, 0, unit, reach, 10, group, SupplyTest::Fuel);
    scan.scan(4, 4, 5);
    // The enemy capital next door serves nobody of country 0.
    EXPECT_EQ(scan.result(), (HexPos { 7, 4 }));

    SupplyPointHexScan cheap(s, 0, unit, reach, 3, group, SupplyTest::Fuel);
    cheap.scan(4, 4, 5);
    EXPECT_FALSE(cheap.result().valid());

    const int truck = typeWhere(s, [](const UnitTypeRecord& t) { return t.unitClass == 36; });
    if (truck < 0)
        GTEST_SKIP() << "no supply truck type";
    world.editType(land).flags2 |= 1;
    const int supplier = world.placeUnit(0, truck, 2, 4);
    if (world.unit(0, supplier).supplyStock() <= 0)
        GTEST_SKIP() << "the supply truck carries no stock";
    SupplyPointHexScan served(s, 0, unit, reach, 10, group, SupplyTest::Fuel);
    served.scan(4, 4, 5);
    // Ring 1 of (4, 4) starts at (3, 4), next to the truck.
    EXPECT_EQ(served.result(), (HexPos { 3, 4 }));
}
