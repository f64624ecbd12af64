// The shared small world: master data loaded, the map laid out and units and buildings placed.
#include "tests/state/small_world.h"
#include "tests/state/packed_value.h"

using namespace testing_state;

TEST(SmallWorld, BuildsAMapOfOneTerrainWithUnitsAndBuildingsOnIt)
{
    SmallWorld world(6, 4);
    GameState& state = world.state();
    EXPECT_EQ(g_gameState, &state);
    EXPECT_EQ(packed(state.mapHeader().width), 6);
    EXPECT_EQ(state.terrainTypes()[world.cell(5, 3).terrain].kind, kTerrainBasic);

    int tank = world.placeUnit(2, 3, 1, 2);
    EXPECT_EQ(state.unitCount(2), 1u);
    EXPECT_EQ(world.unitCell(1, 2).lowerSide[0], 3);
    EXPECT_EQ(world.unit(2, tank).memberStrengths[3], state.unitTypeRecord(3).memberStrength);
    EXPECT_EQ(world.unit(2, tank).memberStrengths[4], 0);

    int city = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(city, 0);
    int b = world.placeBuilding(city, 1, 4, 0);
    EXPECT_EQ(world.unitCell(4, 0).building, b + 1);
    EXPECT_EQ(world.building(b).ownerPlusOne, 2);
}

TEST(UnitTables, CountsStayInsideTheTables)
{
    SmallWorld world(2, 2);
    GameState& state = world.state();
    state.setUnitCount(1, 5000);
    EXPECT_EQ(state.unitCount(1), 1000u);
    state.setUnitCount(9, 3);
    EXPECT_EQ(state.unitCount(9), 0u);
    EXPECT_EQ(state.unitCount(-1), 0u);
}
