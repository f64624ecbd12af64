// PlacementHexScan: the first hex of the walk where the unit may stand, or none.
#include "rules/scans_placement.h"
#include "tests/rules/enterable_terrain.h"

#include "tests/state/small_world.h"
#include "tests/rules/scan_hits.h"

#include <gtest/gtest.h>

using testing_state::SmallWorld;

namespace {

HexPos placeFrom(GameState& s, int side, int index, int x, int y, int radius)
{
    PlacementHexScan scan(s, side, index, PlacementBuildings::Skip);
    scan.scan(x, y, radius);
    int hx = -1, hy = -1;
    if (!scan.hitAt(0, hx, hy))
        return kNoHex;
    EXPECT_EQ(scan.hitCount(), 1);
    return { hx, hy };
}

} // namespace

using testing_rules::makeEnterable;
using testing_rules::typeOfDomain;

TEST(PlacementHexScan, TakesTheFirstFreeHexOfTheWalk)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    const int land = typeOfDomain(s, 3);
    ASSERT_GT(land, 0);
    makeEnterable(world, land);
    const int unit = world.placeUnit(1, land, 2, 2);
    // Its own hex is taken, so the first hex of ring 1.
    EXPECT_EQ(placeFrom(s, 1, unit, 2, 2, 2), (HexPos { 1, 2 }));

    // A hex of a third country is passed over; the own country's and the unit's hex owner's are not.
    world.cell(1, 2).owner = 4;
    EXPECT_EQ(placeFrom(s, 1, unit, 2, 2, 2), (HexPos { 1, 1 }));
    world.cell(2, 2).owner = 4;
    EXPECT_EQ(placeFrom(s, 1, unit, 2, 2, 2), (HexPos { 1, 2 }));
    world.cell(2, 2).owner = 0;
    world.cell(1, 1).owner = 3;
    world.placeUnit(3, land, 2, 1);
    EXPECT_EQ(placeFrom(s, 1, unit, 2, 2, 2), (HexPos { 3, 2 }));
}

TEST(PlacementHexScan, FindsNothingWhereTheUnitCannotEnter)
{
    SmallWorld world(5, 5);
    GameState& s = world.state();
    const int land = typeOfDomain(s, 3);
    makeEnterable(world, land);
    const int unit = world.placeUnit(0, land, 0, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            world.cell(x, y).owner = 6;
    world.cell(0, 0).owner = 0;
    EXPECT_FALSE(placeFrom(s, 0, unit, 0, 0, 4).valid());
    // Beyond the radius is never looked at.
    world.cell(4, 4).owner = 0;
    EXPECT_FALSE(placeFrom(s, 0, unit, 0, 0, 3).valid());
    EXPECT_EQ(placeFrom(s, 0, unit, 0, 0, 8), (HexPos { 4, 4 }));
}

TEST(PlacementHexScan, KeepsLandUnitsOffHostileGuardedBuildings)
{
    SmallWorld world(5, 5);
    GameState& s = world.state();
    const int land = typeOfDomain(s, 3);
    makeEnterable(world, land);
    const int unit = world.placeUnit(0, land, 2, 2);
    ASSERT_GT(int(s.terrainTypes().size()), 49);
    world.placeBuilding(49, 3, 1, 2);
    world.cell(1, 2).terrain = 49;
    // The hex itself unowned, so only the building's allegiance decides.
    world.cell(1, 2).owner = 0;
    world.editTerrain(49).moveCost[scanMovementType(s.unitTypeRecord(land).movementType)] = 1;
    EXPECT_EQ(placeFrom(s, 0, unit, 2, 2, 1), (HexPos { 1, 1 }));
    s.country(0).allianceMask = 0b1001;
    s.country(3).allianceMask = 0b1001;
    EXPECT_EQ(placeFrom(s, 0, unit, 2, 2, 1), (HexPos { 1, 2 }));
}

TEST(PlacementHexScan, FallsBackOnAnOwnBuildingThatTakesTheUnitIn)
{
    SmallWorld world(6, 6);
    GameState& s = world.state();
    const int land = typeOfDomain(s, 3);
    makeEnterable(world, land);
    const int unit = world.placeUnit(2, land, 1, 1);
    // Every hex within reach belongs to a third country, so only the building can take the unit.
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            world.cell(x, y).owner = 6;
    // Its own hex is nobody's, and taken by the unit itself.
    world.cell(1, 1).owner = 0;
    const int town = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(town, 0);
    TerrainRecord& depot = world.editTerrain(town);
    depot.capacity = 2;
    depot.refuelMask = 0xFFFF;
    world.placeBuilding(town, 4, 2, 1);
    const int own = world.placeBuilding(town, 2, 3, 3);
    world.cell(2, 1).owner = 6;
    world.cell(3, 3).owner = 6;

    PlacementHexScan skip(s, 2, unit, PlacementBuildings::Skip);
    skip.scan(1, 1, 4);
    EXPECT_EQ(skip.hitCount(), 0);
    PlacementHexScan accept(s, 2, unit, PlacementBuildings::Accept);
    accept.scan(1, 1, 4);
    ASSERT_EQ(accept.hitCount(), 1);
    EXPECT_EQ(accept.hits()[0].x, 3);
    EXPECT_EQ(accept.hits()[0].y, 3);
    EXPECT_EQ(accept.hits()[0].extra, uint32_t(own + 1));
}
