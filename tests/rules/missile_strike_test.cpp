// Missile launch and strike: the new record, the spent round, at-once strikes, bombing and pacts.
#include "rules/missiles.h"

#include "rules/headless_links.h"
#include "tests/rules/missile_world.h"
#include "tests/rules/world_invariants.h"

#include <gtest/gtest.h>

using namespace testing_rules;

TEST(MissileLaunch, BuildsOneMemberPerLauncherCounterAndSpendsARound)
{
    MissileWorld world;
    world.setRule(kRuleMissilePhase, 1);
    // A freed record is reused before the table grows.
    world.state().setMissileCount(0, 1);
    const int index = world.launch(2, 2, 7, 5, 3);
    EXPECT_EQ(index, -1) << "the table did not grow";
    ASSERT_EQ(world.missile(0).state(), 1);

    const UnitRecord& m = world.missile(0);
    const UnitTypeRecord& type = world.editType(world.missileType);
    EXPECT_EQ(strengthSlotCount(m), 3);
    EXPECT_EQ(m.memberStrengths[0], type.memberStrength);
    EXPECT_EQ(m.flags, 0xC001);
    EXPECT_EQ(m.missileTargetX, 7);
    EXPECT_EQ(m.missileTargetY, 5);
    EXPECT_EQ(m.fuel, type.model[0].fuel);
    EXPECT_EQ(m.x, 2);
    EXPECT_EQ(m.y, 2);

    const UnitRecord& launcher = world.unit(0, world.lastLauncher);
    EXPECT_EQ(launcher.ammunition[0], 1);
    EXPECT_EQ(launcher.weaponWait[0], 2);
    EXPECT_TRUE(launcher.hasFlag(kUnitActed));
}

TEST(MissileLaunch, RefusedWithoutARoundOrRoomInTheTable)
{
    MissileWorld world;
    world.setRule(kRuleMissilePhase, 1);
    world.editType(world.third).model[0].ammo[0] = 0;
    EXPECT_EQ(world.launch(2, 2, 7, 5), -1);
    EXPECT_EQ(world.missile(0).state(), 0);

    world.editType(world.third).model[0].ammo[0] = 2;
    world.state().setMissileCount(0, kUnitTableSize);
    for (int i = 0; i < kUnitTableSize; ++i)
        world.missile(i).stateLow = 1;
    world.launch(3, 3, 7, 5);
    EXPECT_EQ(world.unit(0, world.lastLauncher).ammunition[0], 2) << "a full table keeps the round";
}

TEST(MissileLaunch, AStoredLauncherComesOutOnlyOntoAFreeHex)
{
    for (const bool taken : { false, true }) {
        MissileWorld world;
        world.setRule(kRuleMissilePhase, 1);
        const int b = world.placeTown(0, 2, 2);
        if (taken)
            world.placeUnit(0, world.plain, 2, 2);
        const int launcher = world.storeUnit(0, b);
        world.unit(0, launcher).unitTypeId = uint16_t(world.third);
        world.unit(0, launcher).ammunition[0] = 2;
        currentAction(world.state()).beginAction(0, launcher);
        execLaunchMissile(world.state(), 7, 5, world.missileType);
        EXPECT_EQ(world.state().missileCount(0), 1u) << taken;
        EXPECT_EQ(world.unit(0, launcher).hasFlag(kUnitStored), taken);
        EXPECT_EQ(worldInvariantFaults(world.state()), std::vector<std::string> {}) << taken;
    }
}

TEST(MissileLaunch, WithoutTheMissilePhaseStrikesAtOnce)
{
    MissileWorld world;
    const int target = world.placeUnit(1, world.plain, 4, 2);
    const int index = world.launch(2, 2, 4, 2);
    ASSERT_EQ(index, 0);
    EXPECT_EQ(world.missile(0).state(), 0) << "the struck missile's record is cleared";
    EXPECT_LT(strengthTotal(world.unit(1, target)), 40);
    EXPECT_EQ(currentAction(world.state()).actingIndex(), world.lastLauncher) << "the launcher acts again";
}

TEST(MissileImpact, BombingRuleDecidesWhetherBuildingsAreHit)
{
    for (int bombing : { 0, 1 }) {
        MissileWorld world;
        world.setRule(kRuleBombing, bombing);
        world.setRule(kRuleMissilePhase, 1);
        const int b = world.placeTown(1, 5, 2);
        world.launch(2, 2, 5, 2);
        missileImpact(world.state(), 0, 0);
        EXPECT_EQ(world.building(b).durability < 10, bombing == 1) << "rule 15 = " << bombing;
        EXPECT_EQ(world.missile(0).state(), 0);
    }
}

TEST(MissileImpact, StrikeOnAPactPartnersHexBreaksThePact)
{
    MissileWorld world;
    world.setRule(kRuleMissilePhase, 1);
    world.pact(0, 1);
    world.pact(0, 2);
    world.cell(5, 2).owner = 2;
    world.launch(2, 2, 5, 2);
    ASSERT_TRUE(world.state().hasPactWith(0, 1));
    missileImpact(world.state(), 0, 0);
    EXPECT_FALSE(world.state().hasPactWith(0, 1));
    EXPECT_TRUE(world.state().hasPactWith(0, 2)) << "only the hex's owner";
    const auto notices = world.dialogs.callsOf("showEventNotice");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].args, (std::vector<int64_t> { 14, 0, 1 }));
}
