// Landing from carriers and buildings, threatened hexes, mines, zones of control and attacks from a hex.
#include "rules/move_checks.h"

#include "rules/rules_context.h"
#include "state/sight_maps.h"
#include "state/weapon_record.h"
#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

using testing_rules::CommandWorld;

namespace {

// Open ground where every land unit moves and aircraft may land and drop, and a sea no land unit enters.
class LandingWorld : public CommandWorld {
public:
    LandingWorld()
    {
        ground = terrainOfKind(kTerrainBasic);
        sea = terrainOfKind(kTerrainSea);
        const int move = state().unitTypeRecord(plain).movementType;
        editTerrain(ground).moveCost[move] = 1;
        editTerrain(ground).flags = 2 | 16;
        editTerrain(sea).moveCost[move] = 0;
        editTerrain(sea).flags = 0;
        cell(3, 3).terrain = uint8_t(sea);
    }

    // Cargo of the carrier's side, aboard it at the carrier's hex.
    int loadInto(int side, int carrier, int type_id)
    {
        const UnitRecord& c = unit(side, carrier);
        int cargo = addUnit(side, type_id, c.x, c.y);
        unit(side, cargo).flags |= kUnitAboard;
        unit(side, cargo).carrierSide = uint8_t(side + 1);
        unit(side, cargo).carrierIndex = uint16_t(carrier + 1);
        return cargo;
    }
    void makeAirborne(int type_id) { editType(type_id).flags |= 0x0400; }

    int ground = 0;
    int sea = 0;
};

void ally(GameState& state, int a, int b)
{
    state.country(a).allianceMask |= uint8_t(1u << b);
    state.country(b).allianceMask |= uint8_t(1u << a);
}

} // namespace

TEST(UnitLanding, FreeUnitLandsUnlessItActedAndActedUnitsAreRefused)
{
    LandingWorld world;
    GameState& s = world.state();
    StateRulesHooks* previous = stateRulesHooks();
    LandingHooks& hooks = installLandingHooks();
    int u = world.placeUnit(0, world.plain, 1, 1);
    EXPECT_TRUE(canUnitLand(s, 0, u, ActedUnits::Refuse));
    world.unit(0, u).flags |= kUnitActed;
    EXPECT_FALSE(hooks.canUnitLand(s, 0, u, 0));
    EXPECT_TRUE(hooks.canUnitLand(s, 0, u, 1));
    EXPECT_FALSE(canUnitLand(s, 0, 999, ActedUnits::Allow)) << "an unused record never lands";
    setStateRulesHooks(previous);
}

TEST(UnitLanding, StoredUnitStaysInsideWhileANonAlliedUnitSharesTheHex)
{
    LandingWorld world;
    GameState& s = world.state();
    int stored = world.addUnit(0, world.plain, 2, 2);
    world.unit(0, stored).flags |= kUnitStored;
    EXPECT_TRUE(canUnitLand(s, 0, stored, ActedUnits::Refuse));

    world.placeUnit(1, world.aircraft, 2, 2);
    EXPECT_FALSE(canUnitLand(s, 0, stored, ActedUnits::Refuse)) << "stacking off: any slot counts";
    world.setRule(kRuleStacking, 1);
    EXPECT_TRUE(canUnitLand(s, 0, stored, ActedUnits::Refuse)) << "stacking on: only the unit's own domain slot";
    world.setRule(kRuleStacking, 0);
    ally(s, 0, 1);
    EXPECT_TRUE(canUnitLand(s, 0, stored, ActedUnits::Refuse));
}

TEST(UnitLanding, CarriedLandUnitGetsOffOntoGroundItCanEnter)
{
    LandingWorld world;
    GameState& s = world.state();
    int truck = world.placeUnit(0, world.other, 1, 1);
    int cargo = world.loadInto(0, truck, world.plain);
    EXPECT_TRUE(canUnitLand(s, 0, cargo, ActedUnits::Refuse));

    // The same carrier nested inside another: the outermost one decides.
    int outer = world.placeUnit(0, world.third, 4, 4);
    world.unit(0, truck).flags |= kUnitAboard;
    world.unit(0, truck).carrierSide = 1;
    world.unit(0, truck).carrierIndex = uint16_t(outer + 1);
    world.unit(0, cargo).x = world.unit(0, truck).x = 3;
    world.unit(0, cargo).y = world.unit(0, truck).y = 3;
    EXPECT_FALSE(canUnitLand(s, 0, cargo, ActedUnits::Refuse)) << "over the sea a land unit cannot get off";
}

TEST(UnitLanding, OverWaterALandUnitGetsOffOnlyByAnAirborneDrop)
{
    LandingWorld world;
    GameState& s = world.state();
    int plane = world.placeUnit(0, world.aircraft, 3, 3);
    int cargo = world.loadInto(0, plane, world.plain);
    world.unit(0, cargo).fuel = 5;
    EXPECT_FALSE(canUnitLand(s, 0, cargo, ActedUnits::Refuse)) << "not airborne";

    world.makeAirborne(world.plain);
    EXPECT_TRUE(canUnitLand(s, 0, cargo, ActedUnits::Refuse)) << "airborne with drop hexes around";

    world.unit(0, cargo).fuel = 0;
    EXPECT_FALSE(canUnitLand(s, 0, cargo, ActedUnits::Refuse)) << "no fuel, no drop";

    world.unit(0, cargo).fuel = 5;
    world.editTerrain(world.ground).flags = 2;
    EXPECT_FALSE(canUnitLand(s, 0, cargo, ActedUnits::Refuse)) << "no hex to drop on";
}

TEST(HexThreat, OnlyNonAlliedMarksInTheUnitsLayerThreaten)
{
    LandingWorld world;
    GameState& s = world.state();
    s.recreateSightMaps();
    CountryHexLayers& layers = *s.hexLayers();
    int u = world.placeUnit(0, world.plain, 2, 2);
    const int layer = s.unitTypeRecord(world.plain).domain;

    layers.markHex(1, 2, 2, layer == 4 ? 5 : 4, 0, 0, -1);
    EXPECT_FALSE(isHexThreatened(s, 0, u, 2, 2)) << "another domain's layer";
    layers.markHex(0, 2, 2, layer, 0, 0, -1);
    EXPECT_FALSE(isHexThreatened(s, 0, u, 2, 2)) << "its own country's mark";
    layers.markHex(1, 2, 2, layer, 0, 0, -1);
    EXPECT_TRUE(isHexThreatened(s, 0, u, 2, 2));
    ally(s, 0, 1);
    EXPECT_FALSE(isHexThreatened(s, 0, u, 2, 2));
}

TEST(HexThreat, MissilesInFlightUseTheirOwnLayers)
{
    LandingWorld world;
    GameState& s = world.state();
    s.recreateSightMaps();
    s.setMissileCount(0, 1);
    UnitRecord& missile = s.missileTable(0)[0];
    missile.stateLow = 1;
    missile.unitTypeId = uint16_t(world.aircraft);
    ASSERT_EQ(s.unitTypeRecord(world.aircraft).domain <= 2, true);
    const bool very_high = s.unitTypeRecord(world.aircraft).domain == 0;

    s.hexLayers()->markHex(1, 4, 4, s.unitTypeRecord(world.aircraft).domain, 0, 0, -1);
    EXPECT_FALSE(isHexThreatened(s, 100, 0, 4, 4));
    s.hexLayers()->markHex(1, 4, 4, very_high ? 6 : 7, 0, 0, -1);
    EXPECT_TRUE(isHexThreatened(s, 100, 0, 4, 4));
}

TEST(HexThreat, ExposedOnlyWhenAloneInItsSlotAndSeenByTheMarkingEnemy)
{
    LandingWorld world;
    GameState& s = world.state();
    s.recreateSightMaps();
    int u = world.placeUnit(0, world.plain, 2, 2);
    const int layer = s.unitTypeRecord(world.plain).domain;
    EXPECT_FALSE(isExposedToEnemyFire(s, 2, 2, 0, u));

    s.hexLayers()->markHex(1, 2, 2, layer, 0, 0, -1);
    EXPECT_TRUE(isExposedToEnemyFire(s, 2, 2, 0, u)) << "fog of war off: every unit is seen";

    int cargo = world.addUnit(0, world.plain, 2, 2);
    EXPECT_FALSE(isExposedToEnemyFire(s, 2, 2, 0, cargo)) << "another unit holds the slot";

    world.setRule(kRuleSearch, 1);
    s.recreateSightMaps();
    s.hexLayers()->markHex(1, 2, 2, layer, 0, 0, -1);
    EXPECT_FALSE(isExposedToEnemyFire(s, 2, 2, 0, u)) << "the marking country does not see the hex";
    s.fogMap()->setBit(1, 2, 2, layer);
    EXPECT_TRUE(isExposedToEnemyFire(s, 2, 2, 0, u));
}

TEST(HexMines, LandUnitsMeetLandMinesAndShipsSeaMines)
{
    LandingWorld world;
    GameState& s = world.state();
    int soldier = world.placeUnit(0, world.plain, 1, 1);
    int plane = world.placeUnit(0, world.aircraft, 2, 1);
    world.cell(1, 1).mineKind = world.cell(2, 1).mineKind = 1;
    EXPECT_TRUE(hexHasMineFor(s, 1, 1, 0, soldier));
    EXPECT_FALSE(hexHasMineFor(s, 2, 1, 0, plane));
    world.cell(1, 1).mineKind = 2;
    EXPECT_FALSE(hexHasMineFor(s, 1, 1, 0, soldier)) << "a sea mine";
}

TEST(ZoneOfControl, EnemiesAroundTheHexHoldTheMoverUnderRuleOneOrArmedUnderRuleTwo)
{
    LandingWorld world;
    GameState& s = world.state();
    int mover = world.placeUnit(0, world.plain, 1, 4);
    currentAction(s).beginAction(0, mover);
    world.placeUnit(1, world.other, 5, 4);
    EXPECT_TRUE(isFreeOfEnemyZoc(s, 4, 4)) << "rules 1 and 2 off";

    world.setRule(kRuleZoc, 1);
    EXPECT_FALSE(isFreeOfEnemyZoc(s, 4, 4)) << "a neighbour";
    EXPECT_FALSE(isFreeOfEnemyZoc(s, 5, 4)) << "the hex itself";
    EXPECT_TRUE(isFreeOfEnemyZoc(s, 2, 4)) << "two hexes away";
    ally(s, 0, 1);
    EXPECT_TRUE(isFreeOfEnemyZoc(s, 4, 4)) << "an ally";
    s.country(0).allianceMask = 1;
    s.country(1).allianceMask = 2;

    world.setRule(kRuleZocNeedsWeapon, 1);
    EXPECT_TRUE(isFreeOfEnemyZoc(s, 4, 4)) << "rule 2: an unarmed enemy holds no zone";
    const int target = targetClass(s.unitTypeRecord(world.plain));
    int weapon = 0;
    for (int id = 1; id < 20000 && weapon == 0; ++id)
        if (s.weaponIndex(id) && s.weaponRecord(id).kind == kWeaponNormal && s.weaponRecord(id).power[target] > 0)
            weapon = id;
    ASSERT_NE(weapon, 0);
    UnitTypeRecord& enemy = world.editType(world.other);
    enemy.weaponSlot[0].weaponId = uint16_t(weapon);
    world.unit(1, 0).ammunition[0] = 3;
    EXPECT_FALSE(isFreeOfEnemyZoc(s, 4, 4));
}

TEST(AttackFrom, OwnAlliedNeutralAndUnseenTargetsAreRefusedBeforeTheWeaponSearch)
{
    LandingWorld world;
    GameState& s = world.state();
    const int target_class = targetClass(s.unitTypeRecord(world.other));
    const int weapon = world.weaponOfKind(kWeaponNormal);
    WeaponRecord& w = world.editWeapon(weapon);
    w.reach = 1;
    w.useValue = 1;
    w.flags |= 1 | 8 | 16 | 128;
    w.power[target_class] = 10;
    world.giveWeapon(world.plain, kWeaponNormal, 5);
    int attacker = world.placeUnit(0, world.plain, 2, 2);
    int enemy = world.placeUnit(1, world.other, 3, 2);
    int friendly = world.placeUnit(0, world.other, 1, 2);
    int neutral = world.placeUnit(8, world.other, 2, 1);

    EXPECT_TRUE(canAttackUnitFrom(s, 0, attacker, { 2, 2 }, 1, enemy, false));
    EXPECT_TRUE(canAttackUnitFrom(s, 0, attacker, { 2, 2 }, 1, enemy, true));
    EXPECT_FALSE(canAttackUnitFrom(s, 0, attacker, { 2, 2 }, 0, friendly, false));

    w.flags &= uint16_t(~128);
    EXPECT_FALSE(canAttackUnitFrom(s, 0, attacker, { 2, 2 }, 1, enemy, true)) << "no weapon usable after a move";
    w.flags |= 128;

    ally(s, 0, 1);
    s.neutralBlock()[0] = 1;
    EXPECT_FALSE(canAttackUnitFrom(s, 0, attacker, { 2, 2 }, 1, enemy, false));
    world.setRule(kRuleAttackAllies, 1);
    EXPECT_TRUE(canAttackUnitFrom(s, 0, attacker, { 2, 2 }, 1, enemy, false)) << "rule 23 allows attacking allies";
    EXPECT_FALSE(canAttackUnitFrom(s, 0, attacker, { 2, 2 }, 8, neutral, false)) << "but never the neutral side";

    s.country(0).allianceMask = 1;
    s.country(1).allianceMask = 2;
    world.setRule(kRuleSearch, 1);
    s.recreateSightMaps();
    EXPECT_FALSE(canAttackUnitFrom(s, 0, attacker, { 2, 2 }, 1, enemy, false)) << "an enemy it cannot see";
}

TEST(UnitLanding, ALoadedUnitSeesAnotherCarrierOnItsHex)
{
    LandingWorld world;
    GameState& s = world.state();
    // The carriers a land unit may reach depend on whether it can get off.
    StateRulesHooks* previous = stateRulesHooks();
    installLandingHooks();
    world.editType(world.plain).carryClass = 2;
    world.editType(world.other).berthMask[0] = 0xFF;
    world.editType(world.other).berthCount[0] = 10;
    int truck = world.placeUnit(0, world.other, 2, 2);
    int cargo = world.loadInto(0, truck, world.plain);
    world.unit(0, truck).setCarriedUnit(0, cargo);
    world.unit(0, truck).flags |= kUnitCarrying;
    EXPECT_FALSE(hasOtherCarrierHere(s, 0, cargo)) << "only the carrier it is aboard";

    const int town = world.terrainOfKind(kTerrainBuilding);
    int base = world.placeBuilding(town, 0, 2, 2);
    int spare = world.addUnit(0, world.other, 2, 2);
    world.unit(0, spare).flags |= kUnitStored;
    world.building(base).addUnit(0, spare);
    EXPECT_TRUE(hasOtherCarrierHere(s, 0, cargo));

    world.unit(0, cargo).flags |= kUnitActed;
    EXPECT_FALSE(hasOtherCarrierHere(s, 0, cargo)) << "a unit that acted stays where it is";
    setStateRulesHooks(previous);
}
