// Transformation into the other form: out of buildings and carriers, and its refusals.
#include "rules/transform.h"

#include "state/action_history.h"
#include "tests/rules/storing_world.h"

#include <gtest/gtest.h>

using testing_rules::StoringWorld;

namespace {

// `plain`'s other form is `third`.
struct TransformWorld : StoringWorld {
    TransformWorld() { editType(plain).baseType = uint16_t(third + 1); }
};

} // namespace

TEST(Transform, AStoredUnitTakesItsOtherFormOutOfTheBuilding)
{
    TransformWorld world;
    const int b = world.placeBuilding(world.depot, 0, 4, 4);
    const int u = world.addUnit(0, world.plain, 4, 4);
    world.unit(0, u).flags |= kUnitStored;
    ASSERT_TRUE(world.building(b).addUnit(0, u));
    world.act(0, u);

    ASSERT_TRUE(execTransform(world.state()));
    const UnitRecord& unit = world.unit(0, u);
    EXPECT_EQ(unit.unitTypeId, world.third);
    EXPECT_FALSE(unit.hasFlag(kUnitStored));
    EXPECT_TRUE(unit.hasFlag(kUnitActed));
    EXPECT_EQ(world.building(b).unitCount(), 0);
    EXPECT_TRUE(world.registered(4, 4, 0, u));
    EXPECT_EQ(unit.lastBuildingIndex(), b);
    EXPECT_EQ(world.lastRecord().side0, 0);
}

TEST(Transform, AUnitAboardStepsOffItsCarrier)
{
    TransformWorld world;
    const int carrier = world.addUnit(0, world.other, 2, 2);
    world.unit(0, carrier).flags |= kUnitOffMap;
    const int u = world.addUnit(0, world.plain, 2, 2);
    world.load(0, carrier, 0, u);
    world.act(0, u);

    ASSERT_TRUE(execTransform(world.state()));
    EXPECT_FALSE(world.unit(0, u).hasFlag(kUnitAboard));
    EXPECT_EQ(world.unit(0, carrier).carriedUnits[0], 0);
    EXPECT_FALSE(world.unit(0, carrier).hasFlag(kUnitCarrying));
    EXPECT_TRUE(world.registered(2, 2, 0, u));
}

TEST(Transform, RefusedWithoutAKnownOtherFormOrBesideAVisibleUnit)
{
    TransformWorld world;
    const int lone = world.placeUnit(0, world.other, 1, 1);
    world.act(0, lone);
    EXPECT_FALSE(execTransform(world.state())) << "no other form";
    world.editType(world.other).baseType = 60000;
    EXPECT_FALSE(execTransform(world.state())) << "the other form names no type";
    EXPECT_EQ(world.unit(0, lone).unitTypeId, world.other);

    // A stored unit whose hex slot shows another unit stays as it is.
    const int b = world.placeBuilding(world.depot, 0, 3, 3);
    const int stored = world.addUnit(0, world.plain, 3, 3);
    world.unit(0, stored).flags |= kUnitStored;
    world.building(b).addUnit(0, stored);
    const int guard = world.placeUnit(0, world.other, 3, 3);
    world.act(0, stored);
    EXPECT_FALSE(execTransform(world.state()));
    EXPECT_EQ(world.unit(0, stored).unitTypeId, world.plain);
    EXPECT_TRUE(world.registered(3, 3, 0, guard));
}
