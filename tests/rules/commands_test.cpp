// The command masks of units in typical positions and the dispatcher's refusals.
#include "rules/command_scans.h"
#include "rules/commands.h"
#include "rules/commands_range.h"
#include "rules/current_action_marks.h"

#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

using testing_rules::CommandWorld;
using testing_rules::at;
using testing_rules::bit;

namespace {

// Answers every scan from its fields and records the last attack question.
class FakeScans : public CommandScans {
public:
    FakeScans() { setCommandScans(this); }
    ~FakeScans() override { setCommandScans(nullptr); }

    bool hasAttackTarget(GameState&, int, int, int, int, bool moving) override
    {
        askedMoving = moving;
        return attack;
    }
    bool hasGroundAttackHex(GameState&, int, int, int, int, int) override { return false; }
    bool hasLaunchReach(GameState&, int, int, int, int) override { return false; }
    bool planRoute(GameState&, int, int, int, int, std::vector<HexPos>& out) override
    {
        out = route;
        return !route.empty();
    }

    bool attack = false;
    bool askedMoving = false;
    std::vector<HexPos> route;
};

} // namespace

TEST(CommandMask, PlainUnitInTheOpenMayOnlyMove)
{
    CommandWorld world;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    EXPECT_EQ(availableCommandMask(world.state(), at(0, unit, 3, 3)), bit(kCommandMoveOrder));
    EXPECT_EQ(availableCommandMaskAuto(world.state(), at(0, unit, 4, 3)), bit(kCommandMoveOrder));
}

TEST(CommandMask, MoveOrderRefusedOntoAVisibleUnitButAutoMaskStillOffersIt)
{
    CommandWorld world;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    world.placeUnit(1, world.other, 4, 3);
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandMoveOrder));
    EXPECT_TRUE(availableCommandMaskAuto(world.state(), at(0, unit, 4, 3)) & bit(kCommandMoveOrder));
}

TEST(CommandMask, DisbandOnlyInTheActionPhaseWhereTheUnitStands)
{
    CommandWorld world;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    world.state().turnBlock().phase = 5;
    EXPECT_TRUE(availableCommandMask(world.state(), at(0, unit, 3, 3)) & bit(kCommandDisband));
    EXPECT_FALSE(availableCommandMask(world.state(), at(0, unit, 3, 3, true)) & bit(kCommandDisband));
    world.unit(0, unit).flags |= kUnitActed;
    EXPECT_FALSE(availableCommandMask(world.state(), at(0, unit, 3, 3)) & bit(kCommandDisband));
    world.unit(0, unit).flags = 0;
    world.state().turnBlock().phase = 4;
    EXPECT_FALSE(availableCommandMask(world.state(), at(0, unit, 3, 3)) & bit(kCommandDisband));
}

TEST(CommandMask, UnitShortOfAmmunitionNextToASupplyTruckMaySupply)
{
    CommandWorld world;
    world.giveWeapon(world.plain, 0, 10);
    const int needy = world.placeUnit(0, world.plain, 3, 3);
    world.unit(0, needy).ammunition[0] = 2;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, needy, 3, 3), kCommandSupply));

    UnitTypeRecord& truck = world.editType(world.other);
    truck.unitClass = 36;
    world.giveWeapon(world.other, 6, 50);
    world.editType(world.plain).suppliedBy = 1;
    world.placeUnit(0, world.other, 4, 3);
    EXPECT_TRUE(commandTargetCheck(world.state(), at(0, needy, 3, 3), kCommandSupply));
    // Supply is given where the unit stands, never at the end of a move; rule 7 leaves it to the phase.
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, needy, 3, 3, true), kCommandSupply));
    world.setRule(kRuleSupplyPhase, 1);
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, needy, 3, 3), kCommandSupply));
}

TEST(CommandMask, AircraftStoredAtAnAirfieldIsRefuelled)
{
    CommandWorld world;
    world.setRule(kRuleStoring, 1);
    const int field = world.terrainOfKind(kTerrainBuilding);
    TerrainRecord& terrain = world.editTerrain(field);
    terrain.refuelMask = 1;
    const int building = world.placeBuilding(field, 0, 2, 2);
    const int plane = world.addUnit(0, world.aircraft, 2, 2);
    world.unit(0, plane).flags = kUnitStored;
    world.building(building).addUnit(0, plane);
    ASSERT_GT(world.unit(0, plane).fuel, 1);
    world.unit(0, plane).fuel = 1;
    EXPECT_TRUE(availableCommandMask(world.state(), at(0, plane, 2, 2)) & bit(kCommandSupply));
    terrain.refuelMask = 0;
    EXPECT_FALSE(availableCommandMask(world.state(), at(0, plane, 2, 2)) & bit(kCommandSupply));
}

TEST(CommandMask, EngineerAtARiverMayBridgeItWithThreeRounds)
{
    CommandWorld world;
    const int river = world.terrainOfKind(kTerrainRiver);
    ASSERT_GE(river, 0);
    world.editTerrain(river).flags |= 0x20;
    world.cell(4, 3).terrain = uint8_t(river);
    world.editType(world.plain).flags = 0x1000;
    world.giveWeapon(world.plain, 11, 3);
    const int engineer = world.placeUnit(0, world.plain, 3, 3);
    EXPECT_TRUE(availableCommandMask(world.state(), at(0, engineer, 3, 3)) & bit(kCommandBridge));
    // Not from a hex whose neighbours hold no river.
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, engineer, 0, 7, true), kCommandBridge));
    world.unit(0, engineer).ammunition[0] = 2;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, engineer, 3, 3), kCommandBridge));
    // An enemy on the river bank's land slot blocks the bridge.
    world.unit(0, engineer).ammunition[0] = 3;
    world.placeUnit(1, world.other, 4, 3);
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, engineer, 3, 3), kCommandBridge));
}

TEST(CommandMask, PillboxNeedsTwoRoundsAndSuitableGround)
{
    CommandWorld world;
    world.editType(world.plain).flags = 0x1000;
    world.giveWeapon(world.plain, 11, 2);
    const int engineer = world.placeUnit(0, world.plain, 3, 3);
    const int ground = world.state().effectiveTerrainAt(3, 3);
    world.editTerrain(ground).flags &= uint8_t(~0x40);
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, engineer, 3, 3), kCommandPillbox));
    world.editTerrain(ground).flags |= 0x40;
    EXPECT_TRUE(commandTargetCheck(world.state(), at(0, engineer, 3, 3), kCommandPillbox));
    world.unit(0, engineer).ammunition[0] = 1;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, engineer, 3, 3), kCommandPillbox));
}

TEST(CommandMask, StoringNeedsTheRuleAndABuildingThatTakesTheUnit)
{
    CommandWorld world;
    const int town = world.terrainOfKind(kTerrainBuilding);
    world.editTerrain(town).rearmMask = 1u << 3;
    world.editTerrain(town).capacity = 4;
    world.placeBuilding(town, 0, 3, 3);
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    EXPECT_FALSE(availableCommandMask(world.state(), at(0, unit, 3, 3)) & bit(kCommandStore));
    world.setRule(kRuleStoring, 1);
    EXPECT_TRUE(availableCommandMask(world.state(), at(0, unit, 3, 3)) & bit(kCommandStore));
    world.editType(world.plain).unitClass = kHeadquartersClass;
    EXPECT_FALSE(availableCommandMask(world.state(), at(0, unit, 3, 3)) & bit(kCommandStore));
}

TEST(CommandMask, BoardingIsOfferedToThePlayerButNeverInTheAutoMask)
{
    CommandWorld world;
    UnitTypeRecord& carrier = world.editType(world.other);
    carrier.berthMask[0] = 0xFF;
    carrier.berthCount[0] = 10;
    world.editType(world.plain).carryClass = 2;
    world.setRule(kRuleStacking, 1);
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    world.placeUnit(0, world.other, 4, 4);
    EXPECT_TRUE(availableCommandMask(world.state(), at(0, unit, 4, 4, true)) & bit(kCommandBoard));
    EXPECT_FALSE(availableCommandMaskAuto(world.state(), at(0, unit, 4, 4)) & bit(kCommandBoard));
}

TEST(CommandMask, OwnBuildingOccupiableOnlyWithRuleFiveBelowFullDurability)
{
    CommandWorld world;
    const int town = world.terrainOfKind(kTerrainBuilding);
    world.editTerrain(town).occupationValue = 10;
    world.editType(world.plain).flags = 0x80;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    const int own = world.placeBuilding(town, 0, 3, 3);
    const int enemy = world.placeBuilding(town, 2, 4, 3);
    world.building(own).occupationDurability = 5;
    EXPECT_TRUE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandOccupy)) << enemy;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 3, 3), kCommandOccupy));
    world.setRule(kRuleOccupationPoints, 1);
    EXPECT_TRUE(commandTargetCheck(world.state(), at(0, unit, 3, 3), kCommandOccupy));
    world.building(own).occupationDurability = 10;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 3, 3), kCommandOccupy));
    // Allied buildings only with rule 23; never without the occupying ability.
    world.state().country(0).allianceMask = 0b101;
    world.state().country(2).allianceMask = 0b101;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandOccupy));
    world.setRule(kRuleAttackAllies, 1);
    EXPECT_TRUE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandOccupy));
    world.editType(world.plain).flags = 0;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandOccupy));
}

TEST(CommandMask, TransformOnlyWhereTheUnitStandsWithAnAlternateType)
{
    CommandWorld world;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 3, 3), kCommandTransform));
    world.editType(world.plain).baseType = uint16_t(world.other);
    EXPECT_TRUE(commandTargetCheck(world.state(), at(0, unit, 3, 3), kCommandTransform));
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandTransform));
}

TEST(CommandMask, AirborneDropCutsTheMaskToStoreDropAndSupply)
{
    CommandWorld world;
    world.editType(world.plain).flags = 0x0400 | 0x80;
    world.editTerrain(world.state().effectiveTerrainAt(0, 0)).flags |= 16;
    world.state().turnBlock().phase = 5;
    const int plane = world.placeUnit(0, world.aircraft, 3, 3);
    const int para = world.addUnit(0, world.plain, 3, 3);
    UnitRecord& unit = world.unit(0, para);
    unit.flags = kUnitAboard;
    unit.carrierSide = 1;
    unit.carrierIndex = uint16_t(plane + 1);
    if (unitHexCheck(world.state(), world.unit(0, plane), 3, 3, 0))
        GTEST_SKIP() << "the aircraft may land on the basic terrain of this data set";
    const uint32_t mask = availableCommandMask(world.state(), at(0, para, 3, 3));
    EXPECT_TRUE(mask & bit(kCommandAirborneDrop));
    EXPECT_EQ(mask & ~kAirborneOnlyMask, 0u);
    EXPECT_FALSE(availableCommandMaskAuto(world.state(), at(0, para, 3, 3)) & bit(kCommandAirborneDrop));
    unit.fuel = 0;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, para, 3, 3), kCommandAirborneDrop));
}

TEST(CommandCheck, UnknownCodesAndMissingUnitsAreRefused)
{
    CommandWorld world;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    for (int code : { 0, 26, 27, -1 })
        EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 3, 3), code)) << code;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit + 1, 3, 3), kCommandMoveOrder));
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 8, 3, true), kCommandMoveOrder));
}

TEST(CommandCheck, ScanChecksRefuseWithoutScansAndAskThemWhenInstalled)
{
    CommandWorld world;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 3, 3), kCommandAttack));
    FakeScans scans;
    scans.attack = true;
    EXPECT_TRUE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandAttack));
    EXPECT_TRUE(scans.askedMoving);
    // A tired unit does not attack with fatigue on.
    world.setRule(kRuleFatigue, 1);
    world.unit(0, unit).fatigue = 50;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 3, 3), kCommandAttack));
}

TEST(CommandCheck, RoadNeedsAPlannedRouteWithALinkableStep)
{
    CommandWorld world;
    const int road = world.terrainOfKind(kTerrainRoad);
    ASSERT_GE(road, 0);
    world.editTerrain(road).flags |= 0x80;
    world.editType(world.plain).flags = 0x1000;
    world.giveWeapon(world.plain, 11, 1);
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    world.cell(3, 3).terrain = uint8_t(road);
    world.cell(4, 3).terrain = uint8_t(road);
    FakeScans scans;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandRoad));
    scans.route = { HexPos { 4, 3 } };
    EXPECT_TRUE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandRoad));
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 4, 3, false), kCommandRoad));
    // Both ends already joined: nothing to build.
    const HexPos east = world.state().hexNeighbour(3, 3, 3);
    ASSERT_EQ(east.x, 4);
    world.cell(3, 3).overlay = 1 << 3;
    world.cell(4, 3).overlay = 1 << 0;
    EXPECT_FALSE(commandTargetCheck(world.state(), at(0, unit, 4, 3, true), kCommandRoad));
}

TEST(CommandRangeSource, MoverMayStopOnAFriendlyCarrierThatTakesItAboard)
{
    for (bool berths : { true, false }) {
        CommandWorld world;
        GameState& s = world.state();
        world.editTerrain(s.effectiveTerrainAt(0, 0)).moveCost[s.unitTypeRecord(world.plain).movementType] = 1;
        s.country(0).inPlay = 1;
        world.editType(world.plain).carryClass = 2;
        world.editType(world.other).berthMask[0] = berths ? 0xFF : 0;
        world.editType(world.other).berthCount[0] = 10;
        const int unit = world.placeUnit(0, world.plain, 3, 3);
        world.placeUnit(0, world.other, 4, 3);
        CommandRangeSource source;
        std::unique_ptr<ActionRange> range = source.unitRange(s, 0, unit, true);
        ASSERT_TRUE(range);
        range->setCostLimit(3);
        range->compute();
        range->markNormalRange(0, 3);
        range->unmarkOccupiedHexes();
        EXPECT_EQ(isInMoveRange(s, 4, 3), berths);
        EXPECT_TRUE(isInMoveRange(s, 5, 4));
        EXPECT_FALSE(source.isAirborneInCarrier(s, 0, unit));
    }
}
