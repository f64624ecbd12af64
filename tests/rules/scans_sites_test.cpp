// Unit-centred building scans and the merge-partner and supply-point scans on small worlds.
#include "rules/scans_sites.h"

#include "grid_reach.h"
#include "scan_hits.h"
#include "platform/kernel/host.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

using namespace testing_rules;
using testing_state::SmallWorld;

namespace {


int typeWhere(const GameState& state, bool (*wanted)(const UnitTypeRecord&))
{
    for (const UnitTypeRecord& type : state.unitTypes())
        if (type.id > 0 && wanted(type))
            return type.id;
    return -1;
}

// Countries 0 and 1 allied, the others their enemies; a land type whose first model moves 6 points.
struct SiteWorld : SmallWorld {
    explicit SiteWorld(int size)
        : SmallWorld(size, size, kOpenGround)
    {
        state().country(0).allianceMask = 0b11;
        state().country(1).allianceMask = 0b11;
        land = typeWhere(state(), [](const UnitTypeRecord& t) { return t.domain == 3 && t.model[0].fuel >= 6; });
        editType(land).model[0].values[0] = 6;
        town = terrainOfKind(kTerrainBuilding);
        capital = terrainOfKind(kTerrainCapital);
    }

    int land = -1;
    int town = -1;
    int capital = -1;
};

} // namespace

TEST(CapturableBuildingHexScan, RanksUnownedAndEnemyBuildingsByValueWithTheTargetBonus)
{
    SiteWorld world(9);
    GameState& s = world.state();
    const int unit = world.placeUnit(0, world.land, 4, 4);
    const int unowned_town = world.placeBuilding(world.town, -1, 3, 4);
    const int enemy_capital = world.placeBuilding(world.capital, 2, 5, 4);
    world.placeBuilding(world.town, 1, 4, 3);
    world.placeBuilding(world.town, 0, 4, 5);
    world.placeBuilding(world.town, 3, 1, 1);
    GridReach reach(9, 9, 99);
    reach.fill(2);
    reach.set(1, 1, 60);

    auto run = [&](int allowance) {
        CapturableBuildingHexScan scan(s, 0, unit, reach, allowance);
        scan.scanFromUnit();
        return scan.hits();
    };
    // Allied and own towns are passed over, the far one is beyond the allowance.
    const auto plain = run(10);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[0].extra, uint32_t(enemy_capital + 1));
    EXPECT_EQ(plain[1].extra, uint32_t(unowned_town + 1));
    EXPECT_GT(plain[0].key, plain[1].key);

    // A victory-condition place within five turns' movement is worth 1000 more.
    s.placeTable()[0] = PlaceRecord { 1, {}, 3, 4, 1 };
    world.unitCell(3, 4).place = 1;
    const auto marked = run(10);
    ASSERT_EQ(marked.size(), 2u);
    const HexScanHit& town_hit = marked[0].x == 3 ? marked[0] : marked[1];
    EXPECT_EQ(town_hit.key, plain[1].key + 1000);
    EXPECT_TRUE(run(1).empty());
}

TEST(EnemyBuildingHexScan, SpreadsNearTargetsAndPutsTheFarOnesLast)
{
    SiteWorld world(11);
    GameState& s = world.state();
    const int unit = world.placeUnit(0, world.land, 5, 5);
    world.placeBuilding(world.town, 2, 6, 5);
    world.placeBuilding(world.town, 3, 4, 5);
    world.placeBuilding(world.capital, 2, 5, 4);
    world.placeBuilding(world.town, 2, 5, 9);
    world.placeBuilding(world.town, 2, 3, 3);
    world.placeUnit(1, world.land, 3, 3);
    GridReach reach(11, 11, 20);
    reach.fill(5);
    reach.set(5, 9, 1);
    auto run = [&](unsigned mask) {
        EnemyBuildingHexScan scan(s, 0, unit, reach, mask, 2, 10);
        scan.scanFromUnit();
        return scan.hits();
    };

    // Country 2, ring limit 2: (6, 5) inside the limit, (5, 9) beyond it; the capital needs rule 34
    // and the town an ally stands in is skipped.
    world.setRule(kRuleCapitalDestruction, 0);
    const auto hits = run(1u << 2);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ((Hex { hits[0].x, hits[0].y }), (Hex { 6, 5 }));
    EXPECT_TRUE(hits[0].key >= 5 && hits[0].key <= 5 + 9 * 2 / 10);
    EXPECT_EQ(hits[1].key, 1u + 10 * 2);
    world.setRule(kRuleCapitalDestruction, 1);
    EXPECT_EQ(run(1u << 2).size(), 3u);
    EXPECT_TRUE(run(1u << 5).empty());
}

TEST(FriendlyBuildingHexScan, OrdersOwnThenAlliedThenUnownedAndReachableBeforeFar)
{
    SiteWorld world(11);
    GameState& s = world.state();
    const int unit = world.placeUnit(0, world.land, 5, 5);
    world.placeBuilding(world.town, -1, 4, 5);
    world.placeBuilding(world.town, 1, 6, 5);
    world.placeBuilding(world.town, 0, 5, 4);
    world.placeBuilding(world.town, 2, 5, 6);
    world.building(world.placeBuilding(world.town, 0, 4, 4)).destroyed = 1;
    world.placeBuilding(world.town, 0, 9, 9);
    GridReach reach(11, 11, 99);
    reach.fill(1);
    reach.set(9, 9, 7);

    FriendlyBuildingHexScan scan(s, 0, unit, reach, 10);
    scan.scanFromUnit();
    ASSERT_EQ(hexesOf(scan), (Hexes { { 5, 4 }, { 6, 5 }, { 4, 5 }, { 9, 9 } }));
    EXPECT_EQ(scan.hits()[0].key, 1u);
    EXPECT_EQ(scan.hits()[1].key, 101u);
    EXPECT_EQ(scan.hits()[2].key, 201u);
    EXPECT_GE(scan.hits()[3].key, 6u + 300) << "beyond the 6 movement points";

    GridReach nowhere(11, 11, 99);
    FriendlyBuildingHexScan none(s, 0, unit, nowhere, 10);
    none.scanFromUnit();
    EXPECT_EQ(none.hitCount(), 0);
}

TEST(FriendlyBuildingHexScan, ReachesABridgeThroughItsCheapestFreeNeighbour)
{
    SiteWorld world(9);
    const int bridge = world.terrainOfKind(kTerrainBridge);
    ASSERT_GE(bridge, 0);
    const int unit = world.placeUnit(0, world.land, 2, 2);
    world.placeBuilding(bridge, 0, 5, 5);
    GridReach reach(9, 9, 99);
    reach.fill(6);
    reach.set(5, 5, -1);
    reach.set(4, 5, 2);
    world.placeUnit(2, world.land, 4, 5);
    reach.set(6, 5, 3);
    FriendlyBuildingHexScan scan(world.state(), 0, unit, reach, 99);
    scan.scanFromUnit();
    ASSERT_EQ(scan.hitCount(), 1);
    EXPECT_EQ(scan.hits()[0].key, 3u) << "the cheaper neighbour is held";
}

TEST(MergePartnerHexScan, ListsPartnersThatFitWithTheUnitFullestFirst)
{
    SiteWorld world(9);
    const int type = typeWhere(world.state(), [](const UnitTypeRecord& t) { return t.domain == 3 && t.members >= 6; });
    ASSERT_GT(type, 0);
    const int most = world.state().unitTypeRecord(type).members;
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

    MergePartnerHexScan scan(world.state(), 0, unit, reach, 10);
    scan.scanFromUnit();
    // (4, 3) would overflow the type; (4, 5) is another country's.
    ASSERT_EQ(hexesOf(scan), (Hexes { { 5, 4 }, { 3, 4 } }));
    EXPECT_EQ(scan.hits()[0].key, uint32_t(most));
    EXPECT_EQ(scan.hits()[0].extra, uint32_t(fuller + 1));
    MergePartnerHexScan near(world.state(), 0, unit, reach, 2);
    near.scanFromUnit();
    EXPECT_EQ(near.hitCount(), 0);
}

TEST(SupplyPointHexScan, StopsAtTheFirstBuildingOrSupplyUnitThatServesTheUnit)
{
    SiteWorld world(9);
    GameState& s = world.state();
    const int unit = world.placeUnit(0, world.land, 4, 4);
    const int refuel = s.terrainTypes()[size_t(world.capital)].refuelMask;
    int group = 0;
    while (group < kUnitTypeGroupCount && !(refuel >> group & 1))
        ++group;
    ASSERT_LT(group, kUnitTypeGroupCount);
    world.placeBuilding(world.capital, 0, 7, 4);
    world.placeBuilding(world.capital, 2, 4, 3);
    GridReach reach(9, 9, 20);
    reach.fill(4);
    auto run = [&](int limit) {
        SupplyPointHexScan scan(s, 0, unit, reach, limit, group, SupplyTest::Fuel);
        scan.scan(4, 4, 5);
        return scan.result();
    };
    world.setRule(kRuleStoring, 0);
    EXPECT_EQ(run(10), (HexPos { 7, 4 })) << "the enemy capital next door serves nobody of country 0";
    EXPECT_FALSE(run(3).valid());

    const int truck = typeWhere(s, [](const UnitTypeRecord& t) { return t.unitClass == 36; });
    ASSERT_GT(truck, 0);
    world.editType(world.land).suppliedBy |= 1;
    const int supplier = world.placeUnit(0, truck, 2, 4);
    ASSERT_GT(world.unit(0, supplier).supplyStock(), 0);
    EXPECT_EQ(run(10), (HexPos { 3, 4 })) << "the first hex of ring 1 is next to the truck";
}
