// Interception: who covers a moving unit, the attacks, the declined choice and the kept engagement.
#include "rules/interception.h"

#include "rules/combat_pair.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/shared_codes.h"
#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_rules::CombatWorld;

namespace {


// Country 0's unit moves at (2, 2); enemies of country 1 carry a gun of reach 2 with range 2
// against land units.
struct InterceptWorld : CombatWorld {
    InterceptWorld()
    {
        fillPool(0);
        gun->reach = 2;
        gun->flags = 1 | 2 | 8 | 16;
        editType(other).range[kLandDomain] = 2;
        mover = placeUnit(0, plain, 2, 2);
        currentAction(state()).beginAction(0, mover);
        setRulesLinks({ &main, nullptr, &dialogs, nullptr });
    }
    ~InterceptWorld() { setRulesLinks({}); }

    uint32_t key(int side, int index) { return uint32_t(side) | uint32_t(index) << 16; }
    std::vector<uint32_t> found()
    {
        std::vector<uint32_t> list;
        findInterceptors(state(), mover, list);
        return list;
    }

    HeadlessMainWindow main;
    HeadlessDialogs dialogs;
    int mover = -1;
};

} // namespace

TEST(InterceptorSearch, FindsEnemiesInReachThatMayStillActOnce)
{
    InterceptWorld world;
    const int near = world.placeUnit(1, world.other, 4, 2);
    world.placeUnit(1, world.other, 5, 2);
    const int acted = world.placeUnit(1, world.other, 2, 3);
    world.unit(1, acted).flags |= kUnitActed;
    world.state().country(0).allianceMask |= 1 << 2;
    world.state().country(2).allianceMask |= 1 << 0;
    world.placeUnit(2, world.other, 2, 1);
    const int unarmed = world.placeUnit(3, world.plain, 3, 2);
    world.unit(3, unarmed).ammunition[0] = 0;

    EXPECT_EQ(world.found(), std::vector<uint32_t> { world.key(1, near) })
        << "out of reach, acted, allied and unloaded units do not intercept";
    noteInterceptor(world.state(), 1, near);
    EXPECT_TRUE(world.found().empty()) << "a unit intercepts once per action";

    currentAction(world.state()).beginAction(0, world.mover);
    EXPECT_FALSE(hasIntercepted(world.state(), 1, near)) << "a new action empties the list";
    world.editType(world.other).range[kLandDomain] = 0;
    EXPECT_TRUE(world.found().empty()) << "no range against the mover's domain";
}

TEST(InterceptorAttack, HitsTheMoverMarksTheHexAndTellsAPerson)
{
    InterceptWorld world;
    world.state().country(0).controller = 1;
    const int interceptor = world.placeUnit(1, world.other, 3, 2);
    const int before = strengthTotal(world.unit(0, world.mover));

    interceptAt(world.state(), 0, world.mover, 0);
    EXPECT_LT(strengthTotal(world.unit(0, world.mover)), before);
    EXPECT_TRUE(hasIntercepted(world.state(), 1, interceptor));
    EXPECT_EQ(world.cell(2, 2).turnMarks[0], 1 << kLandDomain);
    const auto notices = world.dialogs.callsOf("showEventNotice");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].args, (std::vector<int64_t> { 7, 0, world.mover }));
}

TEST(InterceptorAttack, DeclinedByAPersonStillCountsAsIntercepted)
{
    InterceptWorld world;
    world.state().settings().askIntercept = true;
    world.state().country(1).controller = 1;
    const int interceptor = world.placeUnit(1, world.other, 3, 2);

    interceptAt(world.state(), 0, world.mover, 0);
    EXPECT_EQ(strengthTotal(world.unit(0, world.mover)), 40);
    EXPECT_TRUE(hasIntercepted(world.state(), 1, interceptor));
    EXPECT_EQ(world.cell(2, 2).turnMarks[0], 0);
    EXPECT_EQ(world.dialogs.callsOf("chooseWeapon").size(), 1u);
    EXPECT_EQ(world.main.callsOf("bringToFront").size(), 1u);
}

TEST(InterceptorAttack, AnAttackAfterTheMoveFiresWithWhatTheMoverHasLeft)
{
    InterceptWorld world;
    const int target = world.placeUnit(1, world.plain, 2, 3);
    world.placeUnit(1, world.other, 3, 2);
    CombatPair& pair = world.engage(0, world.mover, 1, target);
    const int16_t slot = pair.side[0].weaponSlot;
    const CombatPair copy = pair;
    interceptAt(world.state(), 0, world.mover, 0);
    EXPECT_EQ(std::memcmp(&currentCombat(world.state()), &copy, sizeof copy), 0) << "mode 0 restores the record as kept";

    currentAction(world.state()).beginAction(0, world.mover);
    interceptAt(world.state(), 0, world.mover, 1);
    const CombatPair& after = currentCombat(world.state());
    EXPECT_EQ(after.side[0].index, world.mover);
    EXPECT_EQ(after.side[0].weaponSlot, slot);
    const UnitRecord& mover = world.unit(0, world.mover);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(after.side[0].strengthBefore[i], mover.memberStrengths[i]);
}

TEST(ReachTest, NeedsRangeAndAWeaponReachingTheDistance)
{
    InterceptWorld world;
    const int unit = world.placeUnit(1, world.other, 5, 5);
    EXPECT_TRUE(hasActionCount(world.state(), 1, unit, 2, kLandDomain, 3));
    EXPECT_FALSE(hasActionCount(world.state(), 1, unit, 3, kLandDomain, 3)) << "beyond range and reach";
    EXPECT_FALSE(hasActionCount(world.state(), 1, unit, 1, 4, 3)) << "no range in that layer";
    world.unit(1, unit).ammunition[0] = 0;
    EXPECT_FALSE(hasActionCount(world.state(), 1, unit, 1, kLandDomain, 3)) << "an empty weapon reaches nothing";
}
