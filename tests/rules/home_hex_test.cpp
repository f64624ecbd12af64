// The home hex: capital, headquarters, best building and map centre; the home area and carry-over placing.
#include "rules/home_hex.h"

#include "tests/rules/production_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::ProductionWorld;

TEST(HomeHex, CapitalInRowOrderThenAHeadquartersReadyForPlay)
{
    ProductionWorld world;
    world.editType(world.other).unitClass = kHeadquartersClass;
    int waiting = world.placeUnit(0, world.other, 1, 1);
    world.unit(0, waiting).flags |= kUnitAwaitingProduction;
    world.placeUnit(0, world.other, 3, 4);
    world.build(world.city, 0, 9, 9);
    EXPECT_EQ(computeHomeHex(world.state(), 0), (HexPos { 3, 4 }));
    world.build(world.capital, 0, 7, 5);
    world.build(world.capital, 0, 2, 6);
    world.build(world.capital, 1, 0, 0);
    EXPECT_EQ(computeHomeHex(world.state(), 0), (HexPos { 7, 5 }));
}

TEST(HomeHex, BestBuildingByScoreWithTheTargetPlaceBonus)
{
    ProductionWorld world;
    int rich = world.build(world.city, 0, 2, 2);
    int poor = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(poor, 0);
    world.build(poor, 0, 8, 8);
    EXPECT_EQ(computeHomeHex(world.state(), 0), (HexPos { 2, 2 }));

    world.state().placeTable()[0].used = 1;
    world.state().placeTable()[0].target = 1;
    world.unitCell(8, 8).place = 1;
    EXPECT_EQ(computeHomeHex(world.state(), 0), (HexPos { 8, 8 }));
    world.building(rich).slots[0] = { 1, 0 };
    EXPECT_EQ(computeHomeHex(world.state(), 0), (HexPos { 8, 8 }));
}

TEST(HomeHex, TiedBuildingsKeepTheCurrentHomeAndNoBuildingMeansTheCentre)
{
    ProductionWorld world;
    EXPECT_EQ(computeHomeHex(world.state(), 0), (HexPos { 6, 6 }));
    world.build(world.city, 0, 1, 1);
    world.build(world.city, 0, 9, 3);
    world.country(0).capitalX = 9;
    world.country(0).capitalY = 3;
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(computeHomeHex(world.state(), 0), (HexPos { 9, 3 }));
}

TEST(HomeHex, RefreshInvalidatesTheDistanceCacheOnlyWhenTheHomeMoves)
{
    ProductionWorld world;
    world.build(world.capital, 0, 4, 3);
    world.country(0).capitalX = 4;
    world.country(0).capitalY = 3;
    world.state().distanceGrids(0)->current = 1;
    refreshCapitalHex(world.state(), 0);
    EXPECT_EQ(world.state().distanceGrids(0)->current, 1);

    world.build(world.capital, 0, 1, 0);
    refreshCapitalHex(world.state(), 0);
    EXPECT_EQ(packed(world.country(0).capitalX), 1);
    EXPECT_EQ(packed(world.country(0).capitalY), 0);
    EXPECT_EQ(world.state().distanceGrids(0)->current, 0);
}

TEST(HomeArea, MarksHexesWithinEightOfThePlayersCapital)
{
    ProductionWorld world(20, 4);
    world.state().campaignBlock().playerCountry = 2;
    world.build(world.capital, 2, 0, 0);
    world.build(world.capital, 3, 19, 3);
    markHomeArea(world.state());
    for (int x = 0; x < 20; ++x) {
        bool near = hexDistance({ 0, 0 }, { x, 0 }) <= kHomeRadius;
        EXPECT_EQ(world.cell(x, 0).turnMarks[0] & 1, near ? 1 : 0) << x;
    }
    EXPECT_EQ(world.cell(19, 3).turnMarks[0] & 1, 0);
}

TEST(CarryOverPlacing, FreeEnterableHexOrABuildingThatTakesTheUnit)
{
    ProductionWorld world;
    world.setRule(kRuleStacking, 1);
    world.state().campaignBlock().playerCountry = 0;
    UnitRecord& entry = world.state().carryOverTable()[0];
    entry.unitTypeId = uint16_t(world.plain);
    entry.stateHigh = 1000 / 256;
    entry.stateLow = 1000 % 256;

    EXPECT_TRUE(canDeployCarryOverAt(world.state(), 0, 3, 3));
    world.placeUnit(1, world.other, 3, 3);
    EXPECT_FALSE(canDeployCarryOverAt(world.state(), 0, 3, 3));
    world.cell(5, 5).terrain = uint8_t(world.terrainOfKind(kTerrainSea));
    EXPECT_FALSE(canDeployCarryOverAt(world.state(), 0, 5, 5));

    int city = world.build(world.city, 0, 6, 6);
    world.placeUnit(1, world.other, 6, 6);
    EXPECT_TRUE(canDeployCarryOverAt(world.state(), 0, 6, 6));
    EXPECT_TRUE(canDeployCarryOverInBuilding(world.state(), 0, 6, 6));
    world.building(city).ownerPlusOne = 2;
    EXPECT_FALSE(canDeployCarryOverAt(world.state(), 0, 6, 6));
    EXPECT_FALSE(canDeployCarryOverAt(world.state(), 1000, 3, 4));
}
