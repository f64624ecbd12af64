// Storing in buildings, boarding carriers and disbanding.
#include "rules/boarding.h"
#include "rules/disband.h"
#include "rules/storing.h"

#include "state/action_history.h"
#include "tests/rules/storing_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::StoringWorld;

TEST(Storing, TakesAFreeSlotAndLeavesTheHexUntilTheBuildingIsFull)
{
    StoringWorld world;
    const int b = world.placeBuilding(world.depot, 0, 3, 3);
    int units[3];
    for (int& u : units) {
        u = world.placeUnit(0, world.plain, 3, 3);
        world.act(0, u);
        execStore(world.state());
    }
    for (int u : { units[0], units[1] }) {
        EXPECT_TRUE(world.unit(0, u).hasFlag(kUnitStored));
        EXPECT_FALSE(world.registered(3, 3, 0, u));
    }
    EXPECT_EQ(world.building(b).unitCount(), 2);
    EXPECT_FALSE(world.unit(0, units[2]).hasFlag(kUnitStored)) << "the building holds two";
    EXPECT_TRUE(world.registered(3, 3, 0, units[2]));

    // A stored unit is not stored twice.
    world.act(0, units[0]);
    EXPECT_FALSE(execStore(world.state()));
    EXPECT_EQ(world.building(b).unitCount(), 2);
}

TEST(Boarding, MovesTheUnitOffItsHexAndOutOfTheCarrierItLeft)
{
    StoringWorld world;
    const int first = world.placeUnit(0, world.other, 2, 2);
    const int second = world.addUnit(0, world.other, 2, 2);
    const int rider = world.addUnit(0, world.plain, 2, 2);
    world.load(0, first, 0, rider);
    world.act(0, rider);

    ASSERT_TRUE(execBoard(world.state(), 0, second));
    const UnitRecord& u = world.unit(0, rider);
    EXPECT_EQ(u.carrierIndex, second + 1);
    EXPECT_EQ(u.carrierSide, 1);
    EXPECT_EQ(world.unit(0, second).carriedUnits[0], rider + 1);
    EXPECT_EQ(world.unit(0, first).carriedUnits[0], 0) << "the old berth must not still name it";
    EXPECT_FALSE(world.unit(0, first).hasFlag(kUnitCarrying));

    // Already aboard that carrier: nothing changes.
    EXPECT_TRUE(execBoard(world.state(), 0, second));
    EXPECT_EQ(world.unit(0, second).carriedUnits[1], 0);
}

TEST(Boarding, RefusalsChangeNothing)
{
    StoringWorld world;
    const int carrier = world.placeUnit(0, world.other, 2, 2);
    const int foreign = world.placeUnit(1, world.other, 4, 4);
    const int walker = world.placeUnit(0, world.plain, 3, 2);
    const int bulky = world.placeUnit(0, world.third, 3, 3);
    world.act(0, walker);
    EXPECT_FALSE(execBoard(world.state(), 1, foreign)) << "berths name units of the carrier's side only";
    EXPECT_FALSE(execBoard(world.state(), 0, walker)) << "a unit is never its own carrier";
    world.act(0, bulky);
    EXPECT_FALSE(execBoard(world.state(), 0, carrier)) << "no berth takes its class";
    EXPECT_TRUE(world.registered(3, 3, 0, bulky));
    EXPECT_FALSE(world.unit(0, bulky).hasFlag(kUnitAboard));
    EXPECT_FALSE(world.unit(0, carrier).hasFlag(kUnitCarrying));
    EXPECT_EQ(world.unit(1, foreign).carriedUnits[0], 0);
}

TEST(Disband, AStoredCarrierLeavesItsBuildingAndTakesItsCargoWithIt)
{
    StoringWorld world;
    const int b = world.placeBuilding(world.depot, 0, 5, 5);
    const int carrier = world.addUnit(0, world.other, 5, 5);
    const int rider = world.addUnit(0, world.plain, 5, 5);
    world.unit(0, carrier).flags |= kUnitStored;
    ASSERT_TRUE(world.building(b).addUnit(0, carrier));
    world.load(0, carrier, 0, rider);
    const uint32_t lost = world.state().country(0).membersLost;
    world.act(0, carrier);

    ASSERT_TRUE(execDisband(world.state()));
    EXPECT_EQ(currentAction(world.state()).commandCode(), 19);
    EXPECT_EQ(world.building(b).unitCount(), 0);
    EXPECT_FALSE(unitExists(world.unit(0, carrier)));
    EXPECT_FALSE(unitExists(world.unit(0, rider)));
    EXPECT_EQ(packed(world.state().country(0).membersLost), lost + 8);
    EXPECT_EQ(world.lastRecord().side0, 0);
}
