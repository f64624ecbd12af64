// What the unit and building record files share: the game state they read and the switches they test.
#pragma once

#include "state/game_state.h"

namespace unit_rules {

// Switch indexes the records test besides those of rule_block.h; a switch is on when its byte is 1.
enum : int {
    kRuleSightLayers = 4,
    kRuleSupplyCosts = 8,
    kRuleFatigue = 11,
    kRuleExperience = 12,
    kRuleCarrierCapacity = 27,
    kRuleNight = 35,
    kRuleAlliedReplenish = 40,
    kRuleAlliedRepair = 41,
    kRuleAlliedRearm = 42,
};

inline GameState& game() { return *g_gameState; }
inline bool ruleOn(int index) { return g_gameState->ruleSwitch(index) == 1; }
inline int ceilDiv(int64_t a, int64_t b) { return b > 0 ? int((a + b - 1) / b) : 0; }

} // namespace unit_rules
