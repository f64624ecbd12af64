// Whether the information windows show a rule-dependent value: outside play everything is shown,
// during play the rule switch decides.
#pragma once

#include "state/rule_block.h"

class GameState;

bool ruleInEffect(const GameState& game, RuleSwitch rule);

// Rule 12 ("経験値") and rule 11 ("疲労度") as they stand, in play or not.
bool isExperienceRuleOn(const GameState& game);
bool isFatigueRuleOn(const GameState& game);
