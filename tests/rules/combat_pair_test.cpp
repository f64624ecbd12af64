// The engagement record: hex sides, weapon choice, attack and defence values and the write-back.
#include "rules/combat_pair.h"
#include "rules/combat_values.h"

#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_rules::CombatWorld;

TEST(CombatPair, HexSideUnpacksItsPositionUnsigned)
{
    CombatWorld world;
    CombatPair pair {};
    pair.selfDestruct = 1;
    pair.setSide(world.state(), 1, kHexSideCode, packHexIndex(200, 255));
    EXPECT_TRUE(pair.isHexSide(1));
    EXPECT_FALSE(pair.isSideSet(1));
    EXPECT_EQ(pair.side[1].x, 200u);
    EXPECT_EQ(pair.side[1].y, 255u);
    EXPECT_EQ(pair.side[1].country, kHexSideCode);
    EXPECT_EQ(pair.side[1].weaponSlot, -1);
    EXPECT_EQ(pair.selfDestruct, 0);
}

TEST(CombatPair, TypicalPairGetsBothWeaponsAndValues)
{
    CombatWorld world;
    const int a = world.placeUnit(0, world.plain, 2, 2);
    const int d = world.placeUnit(1, world.other, 3, 2);
    world.unit(0, a).experience = 500;
    world.setDefence(world.other, 20);
    world.editTerrain(world.state().terrainGrid()[0].terrain).evasion[world.state().unitTypeRecord(world.other).movementType] = 50;
    const CombatPair& pair = world.engage(0, a, 1, d);

    EXPECT_EQ(pair.side[0].weaponSlot, 0);
    EXPECT_EQ(pair.side[1].weaponSlot, 0) << "the defender sees the attacker and returns fire";
    EXPECT_EQ(pair.side[0].attackValue, 55) << "power 50 and a 10 % bonus at level 2";
    EXPECT_EQ(pair.side[1].attackValue, 50);
    EXPECT_EQ(pair.side[1].defenceValue, 30) << "20 and half again for the terrain";
    EXPECT_EQ(pair.side[0].weaponMultiplier, 4);
    EXPECT_EQ(pair.side[0].slotMultiplier, 1);
    EXPECT_EQ(pair.side[0].memberCount, 4);
    EXPECT_EQ(packed(pair.side[0].preview[kPreviewBasePower]), 50u);
    EXPECT_EQ(packed(pair.side[0].preview[kPreviewAttackBonus]), 10u);
    EXPECT_EQ(pair.side[1].preview[kPreviewTerrain], 50u);
}

TEST(CombatPair, DefenderThatCannotSeeTheAttackerHasNoReturnWeapon)
{
    CombatWorld world;
    world.setRule(kRuleSearch, 1);
    world.state().recreateSightMaps();
    const int a = world.placeUnit(0, world.plain, 2, 2);
    const int d = world.placeUnit(1, world.other, 3, 2);
    const CombatPair& pair = world.engage(0, a, 1, d);
    EXPECT_EQ(pair.side[0].weaponSlot, 0);
    EXPECT_EQ(pair.side[1].weaponSlot, -1);
    EXPECT_EQ(pair.side[1].attackValue, 0);
}

TEST(CombatValues, EvasionAndAreaCoverCutTheAttackValueInTurn)
{
    CombatWorld world;
    world.gun->flags |= kWeaponEvadable;
    for (uint8_t& p : world.gun->power)
        p = 100;
    const int a = world.placeUnit(0, world.plain, 2, 2);
    const int d = world.placeUnit(1, world.other, 7, 2);
    UnitTypeRecord& target = world.editType(world.other);
    target.model[0].values[2] = 50;
    target.areaRadius = 5;
    world.state().hexMasks()->markHex(1, 7, 2, 0, 0, 0);
    EXPECT_EQ(areaCoverPercent(world.state(), 1, 7, 2, 3), 60);
    EXPECT_EQ(attackValue(world.state(), 0, a, { 1, d, 7, 2 }, 0), 20);
    EXPECT_EQ(attackValue(world.state(), 0, a, { 1, d, -1, -1 }, 0), 100) << "no hex, no evasion or cover";
    EXPECT_EQ(areaCoverPercent(world.state(), 0, 7, 2, 3), 0) << "side 0 holds no mark there";
}

TEST(CombatValues, AttackValueStaysWithinOneTo999AndPassesNonPositivePower)
{
    CombatWorld world;
    const int a = world.placeUnit(0, world.plain, 2, 2);
    const int d = world.placeUnit(1, world.other, 3, 2);
    world.gun->flags |= kWeaponEvadable;
    world.editType(world.other).model[0].values[2] = 200;
    EXPECT_EQ(attackValue(world.state(), 0, a, { 1, d, 3, 2 }, 0), 1) << "evasion beyond 100 %";
    for (uint8_t& p : world.gun->power)
        p = 255;
    world.unit(0, a).experience = 2550;
    EXPECT_EQ(attackValue(world.state(), 0, a, { 1, d, -1, -1 }, 0), 318);
    world.editType(world.plain).weaponSlot[0].multiplier = 4;
    world.gun->multiplier = 4;
    EXPECT_EQ(attackScore(world.state(), 0, a, 1, d, 0), 16 * 318);
    for (uint8_t& p : world.gun->power)
        p = 0;
    EXPECT_EQ(attackValue(world.state(), 0, a, { 1, d, -1, -1 }, 0), 0);
    EXPECT_EQ(attackValue(world.state(), 0, a, { 1, d, -1, -1 }, 1), 0) << "an empty slot";
}

TEST(CombatValues, SevenStoredDefenceValuesMapToClassesZeroToSix)
{
    UnitTypeRecord type {};
    for (int c = 0; c < kDefendedClassCount; ++c)
        type.defence[c] = uint16_t(10 + c);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&type);
    for (int c = 0; c <= 6; ++c) {
        uint16_t stored = 0;
        std::memcpy(&stored, bytes + 90 + 2 * c, 2);
        EXPECT_EQ(type.defenceAgainst(c), 10 + c);
        EXPECT_EQ(type.defenceAgainst(c), stored) << "class " << c << " reads the word at 90 + 2 x class";
    }
    EXPECT_EQ(type.defenceAgainst(kTargetWarhead), 0);
    EXPECT_EQ(type.defenceAgainst(-1), 0);
}

TEST(CombatPair, HitChanceIsAtLeastOneAgainstAnyDefence)
{
    CombatWorld world;
    const int a = world.placeUnit(0, world.plain, 2, 2);
    const int d = world.placeUnit(1, world.other, 3, 2);
    world.setDefence(world.other, 150);
    CombatPair& pair = world.engage(0, a, 1, d);
    EXPECT_GE(pair.side[1].defenceValue, 100);
    EXPECT_EQ(pair.hitChance(world.state(), 0, false), 1);
    EXPECT_EQ(pair.hitChance(world.state(), 0, true), 1);
    pair.side[0].attackValue = 0;
    EXPECT_EQ(pair.hitChance(world.state(), 0, false), 0) << "no attack value, no chance";
}

TEST(CombatPair, WriteBackPutsLossesFatigueAndAmmunitionIntoTheUnit)
{
    CombatWorld world;
    world.setRule(kRuleFatigue, 1);
    const int a = world.placeUnit(0, world.plain, 2, 2);
    const int d = world.placeUnit(1, world.other, 3, 2);
    world.unit(1, d).fatigue = 40;
    CombatPair& pair = world.engage(0, a, 1, d);
    ASSERT_EQ(pair.side[1].weaponSlot, 0);
    world.unit(1, d).ammunition[0] = 0;
    pair.side[1].strengthAfter[0] = 0;
    pair.side[1].strengthAfter[1] = 3;
    pair.side[1].experienceAfter = 120;
    pair.writeBack(world.state(), 0);
    pair.writeBack(world.state(), 1);

    const UnitRecord& attacker = world.unit(0, a);
    EXPECT_EQ(attacker.fatigue, 6) << "a side that lost nothing still tires by 6";
    EXPECT_EQ(attacker.ammunition[0], 4);
    EXPECT_TRUE(attacker.flags & 0x20);
    const UnitRecord& defender = world.unit(1, d);
    EXPECT_EQ(strengthSlotCount(defender), 3);
    EXPECT_EQ(strengthTotal(defender), 23);
    EXPECT_EQ(defender.experience, 120);
    EXPECT_EQ(defender.fatigue, 47);
    EXPECT_EQ(defender.ammunition[0], 0) << "an empty slot stays empty";
    EXPECT_EQ(packed(world.state().country(1).membersLost), 1u);
    pair.writeBack(world.state(), 1);
    EXPECT_EQ(world.unit(1, d).fatigue, 50) << "fatigue never passes 50";
}

TEST(CombatValues, WeaponChoicePrefersMoreKillsThenTheCheaperRoundOnATotalKill)
{
    struct Case {
        int power0;
        int price0;
        int price1;
        int slot;
    };
    for (Case c : { Case { 50, 0, 0, 1 }, Case { 100, 10, 5, 1 }, Case { 100, 5, 10, 0 } }) {
        CombatWorld world;
        world.editWeapon(world.gun2Id) = *world.gun;
        WeaponRecord& gun2 = world.editWeapon(world.gun2Id);
        for (uint8_t& p : world.gun->power)
            p = uint8_t(c.power0);
        for (uint8_t& p : gun2.power)
            p = 100;
        world.gun->ammoPrice = uint16_t(c.price0);
        gun2.ammoPrice = uint16_t(c.price1);
        UnitTypeRecord& type = world.editType(world.plain);
        type.weaponSlot[1] = type.weaponSlot[0];
        type.weaponSlot[1].weaponId = uint16_t(world.gun2Id);
        type.model[0].ammo[1] = 5;
        world.editType(world.other).memberStrength = 1;
        const int a = world.placeUnit(0, world.plain, 2, 2);
        const int d = world.placeUnit(1, world.other, 3, 2);
        WeaponChoiceAsk ask;
        ask.code = 0, ask.index = a, ask.fromX = 2, ask.fromY = 2;
        ask.target = { 1, d, 3, 2 };
        EXPECT_EQ(chooseWeaponSlot(world.state(), ask), c.slot) << "power " << c.power0 << " prices " << c.price0;
        ask.fromX = 1;
        EXPECT_EQ(chooseWeaponSlot(world.state(), ask), -1) << "out of reach";
    }
}
