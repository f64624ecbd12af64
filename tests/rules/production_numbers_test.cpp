// Unit indexes and troop numbers: free records, the smallest free number and the carry-over list.
#include "rules/unit_numbers.h"

#include "tests/rules/production_world.h"

#include <gtest/gtest.h>

using testing_rules::ProductionWorld;

TEST(UnitNumbers, FreeSlotIsTheFirstUnusedRecordBelowTheCount)
{
    ProductionWorld world;
    EXPECT_EQ(freeUnitSlot(world.state(), 0), -1);
    for (int x = 0; x < 3; ++x)
        world.placeUnit(0, world.plain, x, 0);
    EXPECT_EQ(freeUnitSlot(world.state(), 0), -1);
    world.unit(0, 1) = UnitRecord {};
    EXPECT_EQ(freeUnitSlot(world.state(), 0), 1);
    EXPECT_EQ(freeUnitSlot(world.state(), 42), -1);
}

TEST(UnitNumbers, TroopNumbersSkipThoseInUseUpToTheCapacity)
{
    ProductionWorld world;
    world.country(0).unitListLength = 4;
    int a = world.placeUnit(0, world.plain, 0, 0);
    int b = world.placeUnit(0, world.plain, 1, 0);
    world.unit(0, a).troopNumber = 1;
    world.unit(0, b).troopNumber = 3;
    EXPECT_EQ(nextTroopNumber(world.state(), 0), 2);
    std::vector<uint32_t> free { 99 };
    listFreeUnitNumbers(world.state(), 0, free);
    EXPECT_EQ(free, (std::vector<uint32_t> { 99, 2, 4 }));

    // A freed record gives its number back.
    world.unit(0, a) = UnitRecord {};
    EXPECT_EQ(nextTroopNumber(world.state(), 0), 1);

    world.country(0).unitListLength = 1;
    world.unit(0, b).troopNumber = 1;
    EXPECT_EQ(nextTroopNumber(world.state(), 0), -1);
    world.country(0).unitListLength = 60000;
    std::vector<uint32_t> all;
    listFreeUnitNumbers(world.state(), 0, all);
    EXPECT_EQ(all.size(), size_t(kUnitTableSize - 1));
}

TEST(UnitNumbers, CarryOverNumbersAreUniqueWithinTheList)
{
    ProductionWorld world;
    UnitRecord* list = world.state().carryOverTable();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(nextCarryOverNumber(world.state()), 1);
    list[0].stateHigh = 1000 / 256;
    list[0].stateLow = 1000 % 256;
    list[0].troopNumber = 1;
    list[5].stateLow = 1;
    list[5].troopNumber = 2;
    EXPECT_EQ(nextCarryOverNumber(world.state()), 3);
}
