// The effectiveGameOption family over the game state's play-running flag and rule switches.
#include "infowin/game_options.h"

#include "state/game_state.h"

namespace {

bool effective(RuleSwitch rule)
{
    const GameState* state = g_gameState;
    return !state || !state->handshake().playRunning() || state->ruleSwitch(rule) != 0;
}

bool ruleOn(RuleSwitch rule) { return g_gameState && g_gameState->ruleSwitch(rule) != 0; }

} // namespace

bool effectiveGameOption3() { return effective(kRuleSearch); }
bool effectiveGameOption4() { return effective(kRuleSightLayers); }
bool effectiveGameOption5() { return effective(kRuleOccupationPoints); }
bool effectiveGameOption6() { return effective(kRuleStoring); }
bool effectiveGameOption8() { return effective(kRuleSupplyCosts); }
bool effectiveGameOption10() { return effective(kRuleConcealment); }
bool effectiveGameOption15() { return effective(kRuleBombing); }
bool effectiveGameOption19() { return effective(kRuleFastMovement); }
bool effectiveGameOption29() { return effective(kRuleReplenishing); }
bool effectiveGameOption31() { return effective(kRuleInterception); }
bool effectiveGameOption33() { return effective(kRuleProducing); }
bool effectiveGameOption45() { return effective(kRuleProductionCount); }
bool effectiveGameOption48() { return effective(kRuleRepairing); }

bool isExperienceRuleOn() { return ruleOn(kRuleExperience); }
bool isFatigueRuleOn() { return ruleOn(kRuleFatigue); }
