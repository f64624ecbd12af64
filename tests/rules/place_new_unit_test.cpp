// placeNewUnit: the unit production would make, set on the hex free of charge, and its refusals.
#include "rules/place_new_unit.h"
#include "rules/production.h"

#include "tests/rules/production_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_rules::ProductionWorld;

TEST(PlaceNewUnit, MakesTheRecordProductionMakesWithoutPaying)
{
    ProductionWorld placed;
    ASSERT_TRUE(placeNewUnit(placed.state(), 3, 4, 0, placed.plain));
    ProductionWorld bought;
    const int index = buyUnit(bought.state(), 3, 4, 0, bought.plain, 4, 0, -1);
    ASSERT_EQ(index, 0);

    const UnitRecord& unit = placed.unit(0, 0);
    EXPECT_EQ(std::memcmp(&unit, &bought.unit(0, 0), sizeof unit), 0);
    EXPECT_EQ(placed.state().unitCount(0), 1u);
    EXPECT_EQ(packed(placed.country(0).funds), 10000u);
    UnitRef ref {};
    ASSERT_TRUE(placed.state().unitRefInHex(3, 4, placed.state().unitSlotFor(unit.type().domain), ref));
    EXPECT_EQ(ref.country, 0);
    EXPECT_EQ(ref.index, 0);
}

TEST(PlaceNewUnit, RefusalsChangeNothing)
{
    ProductionWorld world;
    GameState& s = world.state();
    const int first = world.placeUnit(0, world.plain, 2, 2);
    const uint32_t count = s.unitCount(0);

    // The hex's slot is taken.
    EXPECT_FALSE(placeNewUnit(s, 2, 2, 0, world.other));
    // Terrain the type's movement type may not enter.
    world.editTerrain(ProductionWorld::kOpenGround).moveCost[world.unit(0, first).type().movementType] = 0;
    EXPECT_FALSE(placeNewUnit(s, 5, 5, 0, world.plain));
    world.editTerrain(ProductionWorld::kOpenGround).moveCost[world.unit(0, first).type().movementType] = 1;
    // The country's unit limit, a country outside 0..7, a hex off the map, an unknown type.
    world.country(0).unitListLength = uint16_t(s.liveUnitCount(0));
    EXPECT_FALSE(placeNewUnit(s, 5, 5, 0, world.plain));
    world.country(0).unitListLength = 100;
    EXPECT_FALSE(placeNewUnit(s, 5, 5, 8, world.plain));
    EXPECT_FALSE(placeNewUnit(s, -1, 5, 0, world.plain));
    EXPECT_FALSE(placeNewUnit(s, 5, 5, 0, 0));

    EXPECT_EQ(s.unitCount(0), count);
    UnitRef ref {};
    EXPECT_FALSE(s.unitRefInHex(5, 5, s.unitSlotFor(world.unit(0, first).type().domain), ref));
    EXPECT_TRUE(placeNewUnit(s, 5, 5, 0, world.plain));
}
