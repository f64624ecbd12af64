// The target collectors of the unit commands: each on a case where it finds something and one where it does not.
#include "rules/commands.h"
#include "rules/targets.h"

#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_rules::CommandWorld;

namespace {

bool contains(const std::vector<HexPos>& list, int x, int y)
{
    return std::any_of(list.begin(), list.end(), [&](const HexPos& h) { return h.x == x && h.y == y; });
}

} // namespace

TEST(DestroyTargets, CapitalOnlyWithRule34AndAlliedOnlyWithRule23)
{
    CommandWorld world;
    GameState& s = world.state();
    const int capital = world.terrainOfKind(kTerrainCapital);
    const int town = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(capital, 0);
    world.placeBuilding(capital, 1, 3, 3);
    world.placeBuilding(town, 2, 5, 5);
    s.country(0).allianceMask = 0b101;
    s.country(2).allianceMask = 0b101;
    EXPECT_FALSE(hasDestroyableTarget(s, 0, 3, 3));
    EXPECT_FALSE(hasDestroyableTarget(s, 0, 5, 5));
    EXPECT_FALSE(hasDestroyableTarget(s, 1, 3, 3)) << "a side never destroys its own building";
    world.setRule(kRuleCapitalDestruction, 1);
    world.setRule(kRuleAttackAllies, 1);
    EXPECT_TRUE(hasDestroyableTarget(s, 0, 3, 3));
    EXPECT_TRUE(hasDestroyableTarget(s, 0, 5, 5));
    EXPECT_FALSE(hasDestroyableTarget(s, 0, 1, 1)) << "open ground";
}

TEST(DestroyTargets, BridgesFromANeighbourOtherWorksFromTheHexItself)
{
    CommandWorld world;
    GameState& s = world.state();
    world.setRule(kRuleBombing, 1);
    world.editType(world.plain).flags = 0x0100;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    const int bridge = world.terrainOfKind(kTerrainBridge);
    const int town = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(bridge, 0);
    // Building hexes carry the building's terrain, as a loaded map's do.
    world.cell(4, 3).terrain = uint8_t(bridge);
    world.cell(2, 3).terrain = uint8_t(town);
    world.building(world.placeBuilding(bridge, 1, 4, 3)).durability = 5;
    world.building(world.placeBuilding(town, 1, 2, 3)).durability = 5;
    std::vector<HexPos> list;
    EXPECT_EQ(collectDestroyTargets(s, 0, unit, 3, 3, list), 1);
    EXPECT_TRUE(contains(list, 4, 3));
    list.clear();
    EXPECT_EQ(collectDestroyTargets(s, 0, unit, 2, 3, list), 1);
    EXPECT_TRUE(contains(list, 2, 3));
    list.clear();
    world.setRule(kRuleBombing, 0);
    EXPECT_EQ(collectDestroyTargets(s, 0, unit, 3, 3, list), 0);
}

TEST(RestoreTargets, DamagedFriendlyBuildingsButNotEnemyOnes)
{
    CommandWorld world;
    GameState& s = world.state();
    world.editType(world.plain).flags = 0x1000;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    const int town = world.terrainOfKind(kTerrainBuilding);
    const int own = world.placeBuilding(town, 0, 4, 3);
    const int enemy = world.placeBuilding(town, 1, 2, 3);
    std::vector<HexPos> list;
    EXPECT_EQ(collectRestoreTargets(s, 0, unit, 3, 3, list), 0) << "both at full durability";
    ASSERT_GT(world.building(own).durability, 0);
    world.building(own).durability -= 1;
    world.building(enemy).durability -= 1;
    EXPECT_EQ(collectRestoreTargets(s, 0, unit, 3, 3, list), 1);
    EXPECT_TRUE(contains(list, 4, 3));
}

TEST(ReinforceTargets, BetweenNormalAndReinforcedDurability)
{
    CommandWorld world;
    GameState& s = world.state();
    world.editType(world.plain).flags = 0x1000;
    world.giveWeapon(world.plain, 11, 1);
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    const int town = world.terrainOfKind(kTerrainBuilding);
    TerrainRecord& terrain = world.editTerrain(town);
    terrain.durability = 10;
    terrain.reinforcedDurability = 20;
    const int own = world.placeBuilding(town, 0, 3, 4);
    world.building(own).durability = 9;
    std::vector<HexPos> list;
    EXPECT_EQ(collectReinforceTargets(s, 0, unit, 3, 3, list), 0);
    world.building(own).durability = 10;
    EXPECT_EQ(collectReinforceTargets(s, 0, unit, 3, 3, list), 1);
    world.building(own).durability = 20;
    list.clear();
    EXPECT_EQ(collectReinforceTargets(s, 0, unit, 3, 3, list), 0);
}

TEST(MergePartners, SameTypeAndModelWithRoomToTakeMembers)
{
    CommandWorld world;
    GameState& s = world.state();
    const int ground = s.effectiveTerrainAt(0, 0);
    world.editTerrain(ground).moveCost[s.unitTypeRecord(world.plain).movementType] = 1;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    const int partner = world.placeUnit(0, world.plain, 4, 3);
    world.placeUnit(0, world.other, 2, 3);
    std::vector<UnitRef> list;
    EXPECT_EQ(collectMergePartners(s, 0, unit, 3, 3, 5, list), 0) << "the partner is at full strength";
    world.unit(0, partner).memberStrengths[3] = 0;
    EXPECT_EQ(collectMergePartners(s, 0, unit, 3, 3, 5, list), 1);
    EXPECT_EQ(list.at(0).index, partner);
    list.clear();
    EXPECT_EQ(collectMergePartners(s, 0, unit, 3, 3, 0, list), 0) << "no movement points";
    world.unit(0, partner).watchBits = 1;
    EXPECT_EQ(collectMergePartners(s, 0, unit, 3, 3, 5, list), 0);
}

TEST(SplitHexes, FreeNeighboursWithinThePoints)
{
    CommandWorld world;
    GameState& s = world.state();
    const int ground = s.effectiveTerrainAt(0, 0);
    world.editTerrain(ground).moveCost[s.unitTypeRecord(world.plain).movementType] = 2;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    world.placeUnit(1, world.other, 4, 3);
    std::vector<HexPos> list;
    EXPECT_EQ(collectSplitHexes(s, 0, unit, 3, 3, 1, list), 0);
    EXPECT_EQ(collectSplitHexes(s, 0, unit, 3, 3, 2, list), 5);
    EXPECT_FALSE(contains(list, 4, 3));
    list.clear();
    EXPECT_EQ(collectSplitHexes(s, 0, unit, 0, 0, 2, list), 2) << "a corner has two neighbours on the map";
}

TEST(DropHexes, FlaggedHexesWithoutUnits)
{
    CommandWorld world;
    GameState& s = world.state();
    const int ground = s.effectiveTerrainAt(0, 0);
    world.editTerrain(ground).flags &= uint8_t(~16u);
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    std::vector<HexPos> list;
    EXPECT_EQ(collectDropHexes(s, 0, unit, 3, 3, list), 0);
    world.editTerrain(ground).flags |= 16;
    world.placeUnit(1, world.other, 4, 3);
    EXPECT_EQ(collectDropHexes(s, 0, unit, 3, 3, list), 6) << "the hex itself and five free neighbours";
    EXPECT_FALSE(contains(list, 4, 3));
}

TEST(MineHexes, AnyHexThatHoldsMinesOrOnlyKnownOnes)
{
    CommandWorld world;
    GameState& s = world.state();
    world.editType(world.plain).flags = 0x01;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    std::vector<HexPos> list;
    const int possible = collectLandMineHexes(s, 0, 3, 3, 0, list);
    EXPECT_EQ(canClearLandMines(s, 0, unit, 3, 3), possible > 0);
    list.clear();
    EXPECT_EQ(collectLandMineHexes(s, 0, 3, 3, 1, list), 0);
    world.cell(4, 3).mineKind = 1;
    world.cell(4, 3).mineCount = 2;
    world.cell(4, 3).mineKnownMask = 1 << 1;
    EXPECT_EQ(collectLandMineHexes(s, 0, 3, 3, 1, list), 0) << "another side's knowledge";
    world.cell(4, 3).mineKnownMask |= 1;
    EXPECT_EQ(collectLandMineHexes(s, 0, 3, 3, 1, list), 1);
    EXPECT_EQ(collectSeaMineHexes(s, 0, 3, 3, 1, list), 0);
    world.unit(0, unit).fatigue = 46;
    EXPECT_FALSE(canClearLandMines(s, 0, unit, 3, 3));
}

TEST(SelfDestructTargets, VisibleEnemiesTheChargeCanHurt)
{
    CommandWorld world;
    GameState& s = world.state();
    world.giveWeapon(world.plain, 12, 1);
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    std::vector<UnitRef> list;
    EXPECT_EQ(collectSelfDestructTargets(s, 0, unit, 3, 3, list), 0);
    const int enemy = world.placeUnit(1, world.other, 4, 3);
    world.placeUnit(0, world.third, 2, 3);
    WeaponRecord& charge = world.editWeapon(world.weaponOfKind(12));
    const int target_class = targetClass(s.unitTypeRecord(world.other));
    charge.power[target_class] = 0;
    EXPECT_EQ(collectSelfDestructTargets(s, 0, unit, 3, 3, list), 0) << "no power against the enemy";
    charge.power[target_class] = 5;
    EXPECT_EQ(collectSelfDestructTargets(s, 0, unit, 3, 3, list), 1) << "the own unit beside it is spared";
    EXPECT_EQ(list.at(0).index, enemy);
}

TEST(ExchangePlaces, RearmingBuildingAndMultiRoleTypes)
{
    CommandWorld world;
    GameState& s = world.state();
    UnitTypeRecord& type = world.editType(world.plain);
    EXPECT_FALSE(isMultiRole(type));
    type.model[2].ammo[1] = 4;
    EXPECT_TRUE(isMultiRole(type));
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    EXPECT_EQ(countExchangePlaces(s, 0, unit, 3, 3, false), 0);
    const int town = world.terrainOfKind(kTerrainBuilding);
    world.editTerrain(town).rearmMask = 1u << 3;
    world.placeBuilding(town, 0, 4, 3);
    EXPECT_EQ(countExchangePlaces(s, 0, unit, 3, 3, false), 1);
    EXPECT_EQ(countExchangePlaces(s, 0, unit, 3, 3, true), 0) << "buildings serve only where the unit stands";
}

TEST(RoadLinks, JoinsNeighbouringRoadsNotYetJoined)
{
    CommandWorld world;
    GameState& s = world.state();
    const int road = world.terrainOfKind(kTerrainRoad);
    world.editTerrain(road).flags |= 0x80;
    world.cell(3, 3).terrain = uint8_t(road);
    world.cell(4, 3).terrain = uint8_t(road);
    EXPECT_TRUE(canLinkRoad(s, { 3, 3 }, { 4, 3 }));
    EXPECT_FALSE(canLinkRoad(s, { 3, 3 }, { 5, 3 })) << "not neighbours";
    EXPECT_FALSE(canLinkRoad(s, { 1, 1 }, { 2, 1 })) << "no road at either end";
    world.cell(3, 3).overlay = 1 << 3;
    EXPECT_TRUE(canLinkRoad(s, { 3, 3 }, { 4, 3 })) << "the far end still lacks its half";
    world.cell(4, 3).overlay = 1 << 0;
    EXPECT_FALSE(canLinkRoad(s, { 3, 3 }, { 4, 3 }));
}

TEST(BridgeSites, FlaggedTerrainWhoseUnitsCanStandOnTheBridge)
{
    CommandWorld world;
    GameState& s = world.state();
    const int river = world.terrainOfKind(kTerrainRiver);
    world.editTerrain(river).flags |= 0x20;
    world.cell(4, 3).terrain = uint8_t(river);
    EXPECT_TRUE(canBuildBridgeAt(s, 4, 3));
    EXPECT_FALSE(canBuildBridgeAt(s, 3, 3));
    world.placeUnit(1, world.other, 4, 3);
    world.editTerrain(53).moveCost[s.unitTypeRecord(world.other).movementType] = 0;
    EXPECT_FALSE(canBuildBridgeAt(s, 4, 3));
}

TEST(BridgeSites, TheBridgeHexesBesideAHexAreTheFlaggedOnesNoEnemyHolds)
{
    CommandWorld world;
    GameState& s = world.state();
    const int river = world.terrainOfKind(kTerrainRiver);
    world.editTerrain(river).flags |= 0x20;
    world.cell(4, 3).terrain = uint8_t(river);
    world.cell(2, 3).terrain = uint8_t(river);
    std::vector<HexPos> hexes;
    EXPECT_EQ(collectBridgeHexes(s, 0, 3, 3, hexes), 2);
    EXPECT_TRUE(contains(hexes, 4, 3) && contains(hexes, 2, 3));
    world.placeUnit(1, world.other, 2, 3);
    hexes.clear();
    EXPECT_EQ(collectBridgeHexes(s, 0, 3, 3, hexes), 1) << "an enemy on the river hex";
    EXPECT_TRUE(contains(hexes, 4, 3));
    hexes.clear();
    EXPECT_EQ(collectBridgeHexes(s, 0, 6, 6, hexes), 0) << "no river beside";
}

TEST(LongestReachOfKind, LoadedWeaponsOfThatKindOnlyAndNothingWhenExhausted)
{
    CommandWorld world;
    world.giveWeapon(world.plain, 0, 4, 0);
    world.giveWeapon(world.plain, 6, 2, 1);
    WeaponRecord& gun = world.editWeapon(world.weaponOfKind(0));
    WeaponRecord& goods = world.editWeapon(world.weaponOfKind(6));
    gun.reach = 2;
    goods.reach = 3;
    goods.flags &= uint16_t(~128u);
    const int index = world.placeUnit(0, world.plain, 1, 1);
    UnitRecord& unit = world.unit(0, index);
    EXPECT_EQ(longestReachOfKind(unit, 6, false), 3);
    EXPECT_EQ(longestReachOfKind(unit, 0, false), 2);
    EXPECT_EQ(longestReachOfKind(unit, 5, false), 0) << "no torpedo";
    EXPECT_EQ(longestReachOfKind(unit, 6, true), 0) << "the goods lack flag 128";
    goods.flags |= 128;
    EXPECT_EQ(longestReachOfKind(unit, 6, true), 3);
    unit.ammunition[1] = 0;
    EXPECT_EQ(longestReachOfKind(unit, 6, false), 0) << "no rounds left";
    world.setRule(kRuleFatigue, 1);
    unit.fatigue = 50;
    EXPECT_EQ(longestReachOfKind(unit, 0, false), 0) << "too tired to fight";
}

TEST(BombTargets, DestroyReachesAsFarAsTheLongestLoadedWeapon)
{
    CommandWorld world;
    GameState& s = world.state();
    world.setRule(kRuleBombing, 1);
    world.giveWeapon(world.plain, 0, 4);
    WeaponRecord& gun = world.editWeapon(world.weaponOfKind(0));
    gun.reach = 2;
    gun.useValue = 1;
    gun.flags &= uint16_t(~128u);
    const int unit = world.placeUnit(0, world.plain, 1, 3);
    const int town = world.terrainOfKind(kTerrainBuilding);
    world.building(world.placeBuilding(town, 1, 4, 3)).durability = 5;
    CommandAsk ask;
    ask.side = 0;
    ask.index = unit;
    ask.x = 1;
    ask.y = 3;
    EXPECT_FALSE(commandTargetCheck(s, ask, kCommandDestroy)) << "three hexes away";
    gun.reach = 3;
    EXPECT_TRUE(commandTargetCheck(s, ask, kCommandDestroy));
    ask.moving = true;
    EXPECT_FALSE(commandTargetCheck(s, ask, kCommandDestroy)) << "only weapons with flag 128 after a move";
    ask.moving = false;
    world.unit(0, unit).ammunition[0] = 0;
    EXPECT_FALSE(commandTargetCheck(s, ask, kCommandDestroy));
}

TEST(CivilianTargets, PickUpNeighbouringCiviliansAndReleaseThemOntoOpenGround)
{
    CommandWorld world;
    GameState& s = world.state();
    world.editType(world.plain).carryClass = 1;
    world.editType(world.other).berthMask[0] = 0xFF;
    world.editType(world.other).berthCount[0] = 10;
    const int ground = s.effectiveTerrainAt(0, 0);
    world.editTerrain(ground).moveCost[14] = 1;
    world.editTerrain(ground).moveCost[s.unitTypeRecord(world.other).movementType] = 1;
    const int bus = world.placeUnit(0, world.other, 3, 3);
    std::vector<UnitRef> found;
    EXPECT_EQ(collectNeutralPickupTargets(s, 0, bus, 3, 3, found), 0);
    const int civilians = world.placeUnit(8, world.plain, 4, 3);
    EXPECT_EQ(collectNeutralPickupTargets(s, 0, bus, 3, 3, found), 1);
    EXPECT_EQ(found.at(0).index, civilians);

    world.unit(0, bus).setCarriedNeutralUnit(0, civilians);
    std::vector<HexPos> hexes;
    // A land carrier releases onto the six neighbours, not its own hex; the civilians' hex is taken.
    EXPECT_EQ(collectNeutralDropHexes(s, 0, bus, 3, 3, hexes), 5);
    EXPECT_FALSE(contains(hexes, 3, 3));
    EXPECT_FALSE(contains(hexes, 4, 3));
    hexes.clear();
    world.editTerrain(ground).moveCost[14] = 0;
    EXPECT_EQ(collectNeutralDropHexes(s, 0, bus, 3, 3, hexes), 0);
}
