// The rules context lives with its game state.
#include "rules/rules_context.h"

#include <gtest/gtest.h>

TEST(RulesContext, IsMadeOncePerGameState)
{
    GameState a;
    GameState b;
    RulesContext& first = rulesContext(a);
    EXPECT_EQ(&first, &rulesContext(a));
    EXPECT_NE(&first, &rulesContext(b));
    EXPECT_EQ(&currentAction(a), &first.action);
    EXPECT_EQ(a.command().chosenWeaponSlot, -1);
}
