// Breaking alliances: the masks, and units left in the buildings of former allies.
#include "rules/alliances.h"

#include "state/unit_facts.h"
#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

using testing_rules::CommandWorld;

TEST(BrokenAlliance, SideLeavesEveryAllianceAndLosesUnitsInFormerAlliesBuildings)
{
    CommandWorld world;
    GameState& s = world.state();
    s.country(0).allianceMask = 0b0111;
    s.country(1).allianceMask = 0b0011;
    s.country(2).allianceMask = 0b0101;
    s.neutralBlock()[0] = 0b0011;
    const int town = world.terrainOfKind(kTerrainBuilding);
    int own_base = world.placeBuilding(town, 0, 1, 1);
    int ally_base = world.placeBuilding(town, 1, 3, 3);
    int guest = world.addUnit(1, world.plain, 1, 1);
    int abroad = world.addUnit(0, world.plain, 3, 3);
    int home = world.addUnit(0, world.plain, 1, 1);
    world.building(own_base).addUnit(1, guest);
    world.building(own_base).addUnit(0, home);
    world.building(ally_base).addUnit(0, abroad);

    breakAllAlliances(s, 0);
    EXPECT_EQ(s.country(0).allianceMask, 0b0001);
    EXPECT_EQ(s.country(1).allianceMask, 0b0010);
    EXPECT_EQ(s.country(2).allianceMask, 0b0100);
    EXPECT_EQ(s.neutralBlock()[0], 0b0010);

    EXPECT_FALSE(unitExists(world.unit(1, guest)));
    EXPECT_FALSE(unitExists(world.unit(0, abroad)));
    EXPECT_TRUE(unitExists(world.unit(0, home)));
    EXPECT_EQ(world.building(own_base).unitCount(), 1);
    EXPECT_EQ(world.building(ally_base).unitCount(), 0);
}
