// Building records on a small world: unit slots by capacity, services under the rule switches, missile codes.
#include "state/building_record.h"

#include "tests/state/small_world.h"

using namespace testing_state;

namespace {

// Generated land.dat: type 48 takes 2 units and only refuels land units; 49 has no service masks;
// 32 (a large city) serves helicopters and land units in every way.
constexpr int kDepot = 48;
constexpr int kNoServices = 49;
constexpr int kCity = 32;
constexpr int kLand = 3;
constexpr int kHelicopter = 2;
constexpr int kAircraft = 0;

} // namespace

TEST(BuildingSlots, CapacityLimitsTheSixSlots)
{
    SmallWorld world(4, 2);
    ASSERT_EQ(world.state().terrainTypes()[kDepot].capacity, 2);
    BuildingRecord& depot = world.building(world.placeBuilding(kDepot, 0, 1, 0));
    EXPECT_TRUE(depot.addUnit(0, 7));
    EXPECT_TRUE(depot.addUnit(8, 3));
    EXPECT_FALSE(depot.hasFreeSlot());
    EXPECT_FALSE(depot.addUnit(0, 9));
    EXPECT_EQ(depot.unitCount(), 2);
    EXPECT_EQ(depot.slots[1].sidePlusOne, 9);

    depot.removeUnit(0, 3); // no such unit: nothing changes
    EXPECT_EQ(depot.unitCount(), 2);
    depot.removeUnit(0, 7);
    EXPECT_TRUE(depot.hasFreeSlot());
    // A slot beyond the capacity, filled in a file, is counted and can be cleared.
    depot.slots[5] = { 3, 11 };
    EXPECT_EQ(depot.unitCount(), 2);
    depot.removeUnit(2, 11);
    EXPECT_EQ(depot.unitCount(), 1);

    depot.type = 200; // a type byte naming no terrain
    EXPECT_FALSE(depot.hasFreeSlot());
    EXPECT_FALSE(depot.addUnit(0, 1));
}

TEST(BuildingSlots, AcceptsByServiceMasksOwnerAndState)
{
    SmallWorld world(4, 2);
    BuildingRecord& plain = world.building(world.placeBuilding(kNoServices, 1, 0, 0));
    EXPECT_TRUE(plain.acceptsUnit(1, kLand));
    EXPECT_FALSE(plain.acceptsUnit(1, kHelicopter));
    EXPECT_FALSE(plain.acceptsUnit(0, kLand));

    BuildingRecord& city = world.building(world.placeBuilding(kCity, 1, 1, 0));
    EXPECT_TRUE(city.acceptsUnit(1, kHelicopter));
    EXPECT_FALSE(city.acceptsUnit(1, kAircraft));
    world.state().country(1).allianceMask |= 1;
    EXPECT_TRUE(city.acceptsUnit(0, kLand));
    city.destroyed = 1;
    EXPECT_FALSE(city.isIntact());
    EXPECT_FALSE(city.acceptsUnit(1, kLand));
    city.destroyed = 0;
    city.ownerPlusOne = 0;
    EXPECT_FALSE(city.acceptsUnit(1, kLand));
}

TEST(BuildingServices, AlliesNeedTheirSwitchExceptForFuel)
{
    SmallWorld world(2, 2);
    BuildingRecord& city = world.building(world.placeBuilding(kCity, 1, 0, 0));
    const UnitTypeRecord& tank = world.state().unitTypeRecord(3);
    EXPECT_TRUE(city.canRefuel(1, kLand));
    EXPECT_TRUE(city.canRearm(1, kLand));
    EXPECT_EQ(city.canReplenish(1, tank), 1);
    EXPECT_TRUE(city.canRepair(1, kLand));
    EXPECT_FALSE(city.canRefuel(1, kAircraft));

    // Country 0 is not allied: nothing.
    EXPECT_FALSE(city.canRefuel(0, kLand));
    world.state().country(1).allianceMask |= 1;
    EXPECT_TRUE(city.canRefuel(0, kLand));
    EXPECT_FALSE(city.canRearm(0, kLand));
    EXPECT_EQ(city.canReplenish(0, tank), 0);
    EXPECT_FALSE(city.canRepair(0, kLand));
    world.setRule(kRuleAlliedRearm, 1);
    EXPECT_TRUE(city.canRearm(0, kLand));
    world.setRule(kRuleAlliedReplenish, 1);
    EXPECT_EQ(city.canReplenish(0, tank), 1);
    world.setRule(kRuleAlliedRepair, 1);
    EXPECT_TRUE(city.canRepair(0, kLand));
}

TEST(BuildingServices, NothingWithoutSupplyOrWhenDestroyed)
{
    SmallWorld world(2, 2);
    BuildingRecord& city = world.building(world.placeBuilding(kCity, 1, 0, 0));
    const UnitTypeRecord& tank = world.state().unitTypeRecord(3);
    city.supplyBits = 0;
    EXPECT_FALSE(city.canRefuel(1, kLand));
    EXPECT_FALSE(city.canRearm(1, kLand));
    EXPECT_EQ(city.canReplenish(1, tank), 0);
    EXPECT_FALSE(city.canRepair(1, kLand));
    city.supplyBits = 1;
    city.destroyed = 1;
    EXPECT_FALSE(city.canRefuel(1, kLand));
    EXPECT_EQ(city.canReplenish(1, tank), 0);
    city.destroyed = 0;

    // The domain mask narrows replenishing only.
    city.domainMask = 1u << 4;
    EXPECT_EQ(city.canReplenish(1, tank), 0);
    city.domainMask = 1u << 3;
    EXPECT_EQ(city.canReplenish(1, tank), 1);

    EXPECT_FALSE(city.isDamaged());
    city.durability = uint8_t(world.state().terrainTypes()[kCity].durability - 1);
    EXPECT_TRUE(city.isDamaged());
}

TEST(BuildingMissiles, CodeTableGivesTheLaunchedTypePlusOne)
{
    BuildingRecord building {};
    const std::pair<int, int> cases[] = {
        { 0, 0 }, { 737, 0 }, { 738, 4754 }, { 739, 4757 }, { 741, 4759 }, { 746, 4765 }, { 747, 0 },
        { 3999, 0 }, { 4000, 4000 }, { 4758, 4758 },
    };
    for (auto [code, type] : cases) {
        building.missileCode = uint16_t(code);
        EXPECT_EQ(building.launchedUnitType(), type) << code;
    }
}
