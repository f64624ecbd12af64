// Whether a rule shows in the information windows, over the game state's play-running flag and rule switches.
#include "infowin/game_options.h"

#include "state/game_state.h"

namespace {

bool ruleOn(RuleSwitch rule) { return g_gameState && g_gameState->ruleSwitch(rule) != 0; }

} // namespace

bool ruleInEffect(RuleSwitch rule)
{
    const GameState* state = g_gameState;
    return !state || !state->handshake().playRunning() || state->ruleSwitch(rule) != 0;
}

bool isExperienceRuleOn() { return ruleOn(kRuleExperience); }
bool isFatigueRuleOn() { return ruleOn(kRuleFatigue); }
