// Laying sight into the fog map: units, buildings, layers, and the turn-start and after-action updates.
#include "rules/fog.h"

#include "tests/rules/fog_world.h"

#include <gtest/gtest.h>

namespace {

using testing_rules::FogWorld;

// Hexes of the map whose layer holds the side's own bit.
int countSeen(FogWorld& world, int side, int layer)
{
    int seen = 0;
    for (int y = 0; y < world.height(); ++y)
        for (int x = 0; x < world.width(); ++x)
            seen += world.fog().testBit(side, x, y, layer);
    return seen;
}

// Every hex is seen exactly when it lies within range of (cx, cy).
void expectSightDisc(FogWorld& world, int side, int layer, int cx, int cy, int range)
{
    for (int y = 0; y < world.height(); ++y)
        for (int x = 0; x < world.width(); ++x)
            EXPECT_EQ(world.fog().testBit(side, x, y, layer), hexDistance({ cx, cy }, { x, y }) <= range)
                << "hex " << x << "," << y << " layer " << layer;
}

TEST(FogOfWar, RuleOffLetsEverySideSeeEveryHex)
{
    FogWorld world;
    world.setRule(kRuleSearch, 0);
    rebuildSightMaps(world.state());
    for (int side = 0; side <= 8; ++side)
        EXPECT_EQ(countSeen(world, side, 0), world.width() * world.height()) << side;
    world.fog().clearLayer(0);
    updateVisibilityAll(world.state());
    EXPECT_EQ(countSeen(world, 8, 0), world.width() * world.height());
}

TEST(FogOfWar, UnitSeesTheHexesWithinItsRange)
{
    FogWorld world;
    world.setSight(world.landType, 2);
    world.placeUnit(0, world.landType, 5, 5);
    world.placeUnit(1, world.seaType, 0, 11);
    world.placeUnit(2, world.landType, 11, 0);
    rebuildSightMaps(world.state());
    expectSightDisc(world, 0, 0, 5, 5, 2);
    expectSightDisc(world, 1, 0, 0, 11, 0);
    expectSightDisc(world, 2, 0, 11, 0, 2);
}

TEST(FogOfWar, SightRangeIsTakenPerLayerOnlyWithLayeredSight)
{
    FogWorld world;
    UnitTypeRecord& type = world.editType(world.landType);
    type.sight[0] = 1;
    type.sight[3] = 3;
    world.placeUnit(0, world.landType, 6, 6);

    rebuildSightMaps(world.state());
    expectSightDisc(world, 0, 0, 6, 6, 3);
    EXPECT_EQ(countSeen(world, 0, 3), 0) << "without layers everything lands in layer 0";

    world.setRule(kRuleSightLayers, 1);
    rebuildSightMaps(world.state());
    expectSightDisc(world, 0, 0, 6, 6, 1);
    expectSightDisc(world, 0, 3, 6, 6, 3);
    expectSightDisc(world, 0, 5, 6, 6, 0);
}

TEST(FogOfWar, OnlyUnitsStandingOnTheMapSee)
{
    FogWorld world;
    world.setSight(world.landType, 1);
    const uint16_t hidden[] = { kUnitAboard, kUnitStored, kUnitAwaitingProduction, kUnitOffMap };
    for (int i = 0; i < 4; ++i)
        world.unit(0, world.placeUnit(0, world.landType, 2 + 2 * i, 2)).flags = hidden[i];
    int gone = world.placeUnit(0, world.landType, 2, 8);
    world.unit(0, gone).stateLow = 0;
    rebuildSightMaps(world.state());
    EXPECT_EQ(countSeen(world, 0, 0), 0);
}

TEST(FogOfWar, OwnedIntactBuildingsSeeWithTheirTerrainRange)
{
    FogWorld world;
    ASSERT_GE(world.buildingTerrain, 0);
    world.setBuildingSight(2);
    world.placeBuilding(world.buildingTerrain, 3, 4, 4);
    world.placeBuilding(world.buildingTerrain, -1, 9, 9);
    int ruined = world.placeBuilding(world.buildingTerrain, 5, 9, 2);
    world.building(ruined).destroyed = 1;
    rebuildSightMaps(world.state());
    expectSightDisc(world, 3, 0, 4, 4, 2);
    EXPECT_EQ(countSeen(world, 5, 0), 0);
    for (int side = 0; side <= 8; ++side)
        EXPECT_FALSE(world.fog().testBit(side, 9, 9, 0)) << "an unowned building sees for nobody";
    addBuildingSight(world.state(), 99);
}

TEST(FogOfWar, MissileCodesSeeForTheirCountry)
{
    FogWorld world;
    world.setSight(world.landType, 1);
    int index = world.addUnit(0, world.landType, 3, 3);
    *world.state().unitOf(102, index) = world.unit(0, index);
    addUnitSight(world.state(), 7, 7, 102, index);
    expectSightDisc(world, 2, 0, 7, 7, 1);
}

TEST(FogOfWar, TurnStartKeepsOnlyTheCurrentCountrysOwnBits)
{
    FogWorld world;
    world.setSight(world.landType, 1);
    world.ally(0, 1);
    int own = world.placeUnit(0, world.landType, 2, 2);
    world.placeUnit(1, world.landType, 9, 9);
    world.placeUnit(4, world.landType, 2, 9);
    rebuildSightMaps(world.state());

    // Country 0 moves on; what it saw stays seen, while the others' sight is laid anew.
    world.unit(0, own).x = 6;
    world.fog().setBit(4, 11, 0, 0);
    world.state().turnBlock().currentCountry = 0;
    updateVisibilityAll(world.state());
    EXPECT_TRUE(world.fog().testBit(0, 2, 2, 0));
    EXPECT_FALSE(world.fog().testBit(0, 6, 2, 0)) << "the current country's units are not laid again";
    EXPECT_FALSE(world.fog().testBit(4, 11, 0, 0));
    expectSightDisc(world, 4, 0, 2, 9, 1);
    expectSightDisc(world, 1, 0, 9, 9, 1);
}

TEST(FogOfWar, AfterAnActionAlliedBitsStayAndEnemiesAreLaidAnew)
{
    FogWorld world;
    world.setSight(world.landType, 1);
    world.ally(0, 1);
    world.placeUnit(0, world.landType, 2, 2);
    world.placeUnit(1, world.landType, 9, 9);
    int enemy = world.placeUnit(4, world.landType, 2, 9);
    world.state().turnBlock().currentCountry = 0;
    rebuildSightMaps(world.state());

    world.unit(4, enemy).x = 5;
    world.fog().setBit(1, 0, 0, 0);
    updateVisibilityAfterAction(world.state());
    EXPECT_TRUE(world.fog().testBit(1, 0, 0, 0)) << "an ally's bits stay";
    EXPECT_FALSE(world.fog().testBit(4, 1, 9, 0));
    expectSightDisc(world, 4, 0, 5, 9, 1);

    world.setRule(kRuleSearch, 0);
    world.fog().clearLayer(0);
    updateVisibilityAfterAction(world.state());
    EXPECT_EQ(countSeen(world, 4, 0), 0) << "nothing to refresh without fog of war";
}

} // namespace
