// Demolition: the striker's power, damaged and knocked-out buildings, structures, roads and missile strikes.
#include "rules/demolition.h"
#include "rules/demolition_steps.h"

#include "rules/victory.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/rules/occupation_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::OccupationWorld;

namespace {


} // namespace

TEST(DemolitionPower, WarheadsScaleByStrengthAndOthersFallBackToOne)
{
    OccupationWorld world;
    GameState& s = world.state();
    const int index = world.placeUnit(0, world.plain, 2, 2);
    UnitRecord& unit = world.unit(0, index);
    UnitTypeRecord& type = world.editType(world.plain);
    type.weaponSlot[0].multiplier = 3;
    world.gun->useValue = 4;
    int slot = -1;
    EXPECT_EQ(demolitionPower(s, unit, slot), 12);
    EXPECT_EQ(slot, 0);

    unit.ammunition[0] = 0;
    EXPECT_EQ(demolitionPower(s, unit, slot), 1) << "no usable weapon";
    EXPECT_EQ(slot, -1);

    // A one-member warhead at 5 of 10 strength does half its power; never below 1 unless valueless.
    type.unitClass = kWarheadClass;
    type.members = 1;
    unit.memberStrengths[0] = 5;
    for (int m = 1; m < 10; ++m)
        unit.memberStrengths[m] = 0;
    EXPECT_EQ(demolitionPower(s, unit, slot), 6);
    world.gun->useValue = 0;
    EXPECT_EQ(demolitionPower(s, unit, slot), 0);
    world.gun->useValue = 1;
    type.weaponSlot[0].multiplier = 1;
    unit.memberStrengths[0] = 1;
    EXPECT_EQ(demolitionPower(s, unit, slot), 1) << "1 x 1 x 1/10 rounds up to 1";
}

TEST(BuildingDemolition, HalvedDurabilityHalvesWhatStoredUnitsHold)
{
    OccupationWorld world;
    GameState& s = world.state();
    const int b = world.placeTown(1, 4, 3);
    const int stored = world.storeUnit(1, b);
    world.unit(1, stored).memberStrengths[0] = 7;
    world.unit(1, stored).memberStrengths[1] = 6;
    world.unit(1, stored).memberStrengths[2] = 3;
    world.unit(1, stored).memberStrengths[3] = 0;
    const int weak = world.storeUnit(1, b);
    for (int m = 1; m < 10; ++m)
        world.unit(1, weak).memberStrengths[m] = 0;
    world.unit(1, weak).memberStrengths[0] = 1;
    const int striker = world.actor(0, 3, 3, 5);
    world.editType(world.plain).members = 5;
    world.unit(0, striker).memberStrengths[4] = 10;

    execDestroy(s, 4, 3, Demolisher::Unit);
    EXPECT_EQ(world.building(b).durability, 5) << "five counters of power 1 from 10";
    EXPECT_TRUE(world.building(b).isIntact());
    // 16 x 5 / 10 = 8, filled in order: 7, then the remaining 1, then nothing.
    const UnitRecord& kept = world.unit(1, stored);
    EXPECT_EQ(strengthTotal(kept), 8);
    EXPECT_EQ(kept.memberStrengths[0], 7);
    EXPECT_EQ(kept.memberStrengths[1], 1);
    EXPECT_EQ(kept.memberStrengths[2], 0);
    EXPECT_FALSE(unitExists(world.unit(1, weak))) << "1 x 5 / 10 leaves nothing";
    EXPECT_EQ(world.building(b).unitCount(), 1);
    EXPECT_EQ(world.unit(0, striker).ammunition[0], 4) << "one round spent";
    EXPECT_EQ(s.command().ownershipChanged, 0);
}

TEST(BuildingDemolition, KnockedOutBuildingLosesIncomeHoldingsAndWithRule24ItsOwner)
{
    OccupationWorld world;
    GameState& s = world.state();
    s.turnStatsAt(0)->country[1].income = 50;
    const int b = world.placeTown(1, 4, 3);
    world.building(b).durability = 3;
    const int stored = world.storeUnit(1, b);
    const int produced = world.produceUnit(1, 4, 3);
    world.actor(0, 3, 3);
    execDestroy(s, 4, 3, Demolisher::Unit);
    EXPECT_EQ(world.building(b).durability, 0);
    EXPECT_FALSE(world.building(b).isIntact());
    EXPECT_EQ(world.income(1), 50u - OccupationWorld::kTownIncome);
    EXPECT_FALSE(unitExists(world.unit(1, stored)));
    EXPECT_FALSE(unitExists(world.unit(1, produced)));
    EXPECT_EQ(world.building(b).owner(), 1) << "rule 24 off: the owner keeps the ruin";
    EXPECT_EQ(s.command().ownershipChanged, 1);

    OccupationWorld unowned;
    unowned.setRule(kRuleDestroyedBuildingsUnowned, 1);
    const int c = unowned.placeTown(1, 4, 3);
    unowned.building(c).durability = 1;
    unowned.actor(0, 3, 3);
    execDestroy(unowned.state(), 4, 3, Demolisher::Unit);
    EXPECT_EQ(unowned.building(c).ownerPlusOne, 0);
}

TEST(BuildingDemolition, KnockedOutCapitalPassesToTheStrikerOrWithRule25ToNobody)
{
    for (const int rule : { 0, 1 }) {
        OccupationWorld world;
        GameState& s = world.state();
        world.setRule(kRuleFallenCapitalUnowned, rule);
        const int capital = world.placeCapital(1, 4, 3);
        world.building(capital).durability = 2;
        world.actor(0, 3, 3);
        execDestroy(s, 4, 3, Demolisher::Unit);
        const BuildingRecord& b = world.building(capital);
        EXPECT_EQ(b.type, world.city);
        EXPECT_EQ(world.cell(4, 3).terrain, world.city);
        EXPECT_EQ(b.ownerPlusOne, rule ? 0 : 1) << "rule 25 " << rule;
        EXPECT_EQ(s.endCheckFlags() & kEndCheckCapital, kEndCheckCapital);
    }
}

TEST(BuildingDemolition, KnockedOutBridgeTakesTheLandUnitOnItDown)
{
    OccupationWorld world;
    GameState& s = world.state();
    const int bridge = s.terrainRoles().bridge;
    world.shapeBuilding(bridge, 4, 0, 0);
    world.editTerrain(bridge).kind = kTerrainBridge;
    const int b = world.placeTown(-1, 4, 3, bridge);
    const int crossing = world.placeUnit(1, world.plain, 4, 3);
    const int striker = world.actor(0, 3, 3);
    execDestroy(s, 4, 3, Demolisher::Unit);
    EXPECT_FALSE(world.building(b).isIntact());
    EXPECT_FALSE(unitExists(world.unit(1, crossing)));
    EXPECT_EQ(world.unitCell(4, 3).lowerSide[0], 0);
    EXPECT_EQ(packed(s.country(1).unitsLost), 1u);
    EXPECT_TRUE(unitExists(world.unit(0, striker)));
}

TEST(BuildingDemolition, MissilePhaseStrikeOnAnOwnedBuildingBreaksNoPact)
{
    OccupationWorld world;
    GameState& s = world.state();
    world.setRule(kRuleMissilePhase, 1);
    world.pact(0, 1);
    const int b = world.placeTown(1, 4, 3);
    const int missile = 0;
    UnitRecord& record = s.missileTable(0)[missile];
    record = world.unit(0, world.placeUnit(0, world.plain, 2, 2));
    s.setMissileCount(0, 1);
    currentAction(s).beginAction(0, missile);
    execDestroy(s, 4, 3, Demolisher::Missile);
    EXPECT_EQ(world.building(b).durability, 6);
    EXPECT_TRUE(s.hasPactWith(0, 1));
    EXPECT_EQ(record.ammunition[0], 5) << "a missile spends no round";

    world.actor(0, 3, 3);
    execDestroy(s, 4, 3, Demolisher::Unit);
    EXPECT_FALSE(s.hasPactWith(0, 1)) << "a unit's strike does";
}

TEST(GroundDemolition, PillboxWornDownIsRazedAndRoadsOverARiverDropTheirUnit)
{
    OccupationWorld world;
    GameState& s = world.state();
    const int pillbox = s.terrainRoles().pillbox;
    world.cell(4, 3).terrain = uint8_t(pillbox);
    s.pillboxHexes().push_back(PillboxHex { 4, 3, 6, 0 });
    world.actor(0, 3, 3);
    execDestroy(s, 4, 3, Demolisher::Unit);
    ASSERT_EQ(s.pillboxHexes().size(), 1u);
    EXPECT_EQ(s.pillboxHexes()[0].durability, 2);
    execDestroy(s, 4, 3, Demolisher::Unit);
    EXPECT_TRUE(s.pillboxHexes().empty()) << "razed at 0";
    EXPECT_EQ(world.cell(4, 3).terrain, s.terrainRoles().wasteland);

    // A road across a river that land units cannot enter.
    TerrainCell& ford = world.cell(3, 4);
    ford.overlay = 0x09;
    ford.substitute = 0x01;
    ford.mineKind = 1;
    ford.mineCount = 2;
    const int move_type = world.editType(world.plain).movementType;
    world.editTerrain(s.terrainRoles().river).moveCost[move_type] = 0;
    const int crossing = world.placeUnit(1, world.plain, 3, 4);
    execDestroy(s, 3, 4, Demolisher::Unit);
    EXPECT_EQ(ford.overlay, 0);
    EXPECT_FALSE(unitExists(world.unit(1, crossing)));
    EXPECT_EQ(ford.mineKind, 0) << "a river holds no land mine";
    EXPECT_EQ(s.command().ownershipChanged, 1);
}
