// Starting play installs the rules' hooks for that game, and the game's end takes them back.
#include "rules/current_action_range.h"
#include "rules/rules_install.h"
#include "state/game_state.h"

#include <gtest/gtest.h>

TEST(RulesInstall, AGameGivesItsUnitsRangesUntilItEnds)
{
    setActionRangeSource(nullptr);
    {
        GameState state;
        installRules(state);
        EXPECT_NE(actionRangeSource(), nullptr) << "a person's unit would have no range to move in";
    }
    EXPECT_EQ(actionRangeSource(), nullptr) << "a deleted game's range source left installed";
}
