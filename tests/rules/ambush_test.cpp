// The ambush check: hidden enemies beside the end hex, visibility, pacts and weapons.
#include "rules/ambush.h"

#include "tests/rules/combat_world.h"

#include <gtest/gtest.h>

using testing_rules::CombatWorld;

namespace {

// Country 0's unit moves from (1, 2) to end at (2, 2); country 1's unit waits at (3, 2) under fog.
struct AmbushWorld : CombatWorld {
    AmbushWorld()
    {
        setRule(kRuleSearch, 1);
        mover = placeUnit(0, plain, 1, 2);
        hidden = placeUnit(1, other, 3, 2);
        currentAction(state()).beginAction(0, mover);
    }
    bool ambushed()
    {
        state().command().ambushOnSplitOff = 1;
        checkAmbush(state(), 2, 2);
        EXPECT_EQ(state().command().ambushOnSplitOff, 0);
        return state().command().ambushPending == 1;
    }
    void makePact()
    {
        state().country(0).pactMask |= 1 << 1;
        state().country(1).pactMask |= 1 << 0;
    }
    int mover = -1;
    int hidden = -1;
};

} // namespace

TEST(Ambush, AHiddenArmedEnemyBesideTheEndHexFiresFirst)
{
    AmbushWorld world;
    EXPECT_TRUE(world.ambushed());
    EXPECT_EQ(world.state().command().ambusherSide, 1u);
    EXPECT_EQ(world.state().command().ambusherIndex, uint32_t(world.hidden));

    world.gun->flags = 2 | 8 | 16;
    EXPECT_FALSE(world.ambushed()) << "a far-only weapon cannot fire at a neighbour";
    world.gun->flags = 1 | 8 | 16;
    world.setRule(kRuleSearch, 0);
    EXPECT_FALSE(world.ambushed()) << "a unit the mover sees lies in wait for nobody";
}

TEST(Ambush, PactPartnersAmbushOnlyOnForeignSoil)
{
    AmbushWorld world;
    world.makePact();
    world.cell(2, 2).owner = 1;
    world.cell(3, 2).owner = 2;
    EXPECT_FALSE(world.ambushed()) << "each stands on its own territory";

    world.cell(2, 2).owner = 9;
    EXPECT_FALSE(world.ambushed()) << "owner 9 counts as unowned";

    world.cell(2, 2).owner = 4;
    EXPECT_TRUE(world.ambushed()) << "the mover ends on a third country's soil";

    world.cell(2, 2).owner = 1;
    world.cell(3, 2).owner = 1;
    EXPECT_TRUE(world.ambushed()) << "the partner waits on the mover's soil";
}
