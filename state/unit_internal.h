// What the unit and building record files share: the game state they read and the switches they test.
#pragma once

#include "state/game_state.h"

namespace unit_rules {

inline GameState& game() { return *g_gameState; }
inline bool ruleOn(RuleSwitch s) { return g_gameState->ruleOn(s); }
constexpr int kHelicopterCarrierClass = 49;

inline int ceilDiv(int64_t a, int64_t b) { return b > 0 ? int((a + b - 1) / b) : 0; }

} // namespace unit_rules
