// Whether the information windows show a rule-dependent value: outside play everything is shown,
// during play the rule switch decides.
#pragma once

#include "state/rule_block.h"

class GameState;

bool ruleInEffect(const GameState& game, RuleSwitch rule);
