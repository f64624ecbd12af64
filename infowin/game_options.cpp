// Whether a rule shows in the information windows, over the game state's play-running flag and rule switches.
#include "infowin/game_options.h"

#include "state/game_state.h"

bool ruleInEffect(const GameState& game, RuleSwitch rule)
{
    return !game.handshake().playRunning() || game.ruleSwitch(rule) != 0;
}

bool isExperienceRuleOn(const GameState& game) { return game.ruleSwitch(kRuleExperience) != 0; }
bool isFatigueRuleOn(const GameState& game) { return game.ruleSwitch(kRuleFatigue) != 0; }
