// The attack-target scan: reach, distance flags, the moving restriction, friends and torpedo routes.
#include "rules/scans_attack.h"

#include "state/unit_facts.h"
#include "tests/rules/move_range_world.h"

#include <gtest/gtest.h>

using testing_rules::RangeWorld;

namespace {

// Side 0's gunner at (1, 2) with one weapon in slot 0; everything else unarmed.
class AttackWorld : public RangeWorld {
public:
    AttackWorld()
        : RangeWorld(9, 5)
    {
        for (RuleSwitch rule : { kRuleSearch, kRuleFatigue, kRuleStacking })
            setRule(rule, 0);
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.domain == 3 && type.available && type.id > 0) {
                landType = type.id;
                break;
            }
        int weapon = 1;
        while (state().weaponIndex(weapon) == 0)
            ++weapon;
        UnitTypeRecord& type = editType(landType);
        type.weaponSlot[0].weaponId = uint16_t(weapon);
        for (int slot = 1; slot < kWeaponSlotCount; ++slot)
            type.weaponSlot[slot].weaponId = 0;
        WeaponRecord& w = editWeapon(weapon);
        w = WeaponRecord {};
        w.reach = 2;
        w.useValue = 1;
        w.flags = 1 | 2 | 8;
        w.power[targetClass(type)] = 10;
        gunner = placeUnit(0, landType, 1, 2);
        unit(0, gunner).ammunition[0] = 5;
        weaponRecord = &w;
    }

    const std::vector<UnitRef>& targetsFrom(bool moving)
    {
        scan = std::make_unique<AttackTargetHexScan>(state(), 0, gunner, 1, 2, moving);
        scan->run();
        return scan->targets();
    }

    int landType = 0;
    int gunner = -1;
    WeaponRecord* weaponRecord = nullptr;
    std::unique_ptr<AttackTargetHexScan> scan;
};

} // namespace

TEST(AttackTargetHexScan, FindsEnemiesWithinReachOnly)
{
    AttackWorld world;
    const int near = world.placeUnit(1, world.landType, 3, 2);
    world.placeUnit(1, world.landType, 5, 2);
    world.placeUnit(0, world.landType, 2, 2);
    const auto& targets = world.targetsFrom(false);
    ASSERT_EQ(targets.size(), 1u) << "the friend beside and the enemy at 4 are not targets";
    EXPECT_EQ(targets[0].index, near);
    EXPECT_EQ(world.scan->reach(), 2);
}

TEST(AttackTargetHexScan, WeaponFlagsDecideDistanceAndMovingAttacks)
{
    struct Case {
        uint16_t flags;
        bool moving;
        bool found;
    };
    for (Case c : { Case { 1 | 8, false, false }, Case { 2 | 8, false, true }, Case { 2, false, false },
             Case { 2 | 8, true, false }, Case { 2 | 8 | 128, true, true } }) {
        AttackWorld world;
        world.weaponRecord->flags = c.flags;
        world.placeUnit(1, world.landType, 3, 2);
        EXPECT_EQ(!world.targetsFrom(c.moving).empty(), c.found) << "flags " << c.flags << " moving " << c.moving;
    }
}

TEST(AttackTargetHexScan, ATorpedoNeedsAWaterRouteAtADistance)
{
    for (int water : { 0, 1 }) {
        AttackWorld world;
        world.weaponRecord->kind = kWeaponTorpedo;
        world.editTerrain(world.terrain(0)).moveCost[17] = uint8_t(water);
        world.placeUnit(1, world.landType, 3, 2);
        EXPECT_EQ(world.targetsFrom(false).size(), size_t(water)) << "water " << water;
    }
}

TEST(AttackTargetHexScan, AnExhaustedUnitFindsNothing)
{
    AttackWorld world;
    world.setRule(kRuleFatigue, 1);
    world.unit(0, world.gunner).fatigue = 50;
    world.placeUnit(1, world.landType, 2, 2);
    EXPECT_TRUE(world.targetsFrom(false).empty());
}
