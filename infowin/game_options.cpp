// The effectiveGameOption family over the game state's play-running flag and rule switches.
#include "infowin/game_options.h"

#include "state/game_state.h"

namespace {

bool effective(int rule)
{
    const GameState* state = g_gameState;
    return !state || !state->handshake().playRunning() || state->ruleSwitch(rule) != 0;
}

bool ruleOn(int rule) { return g_gameState && g_gameState->ruleSwitch(rule) != 0; }

} // namespace

bool effectiveGameOption3() { return effective(3); }
bool effectiveGameOption4() { return effective(4); }
bool effectiveGameOption5() { return effective(5); }
bool effectiveGameOption6() { return effective(6); }
bool effectiveGameOption8() { return effective(8); }
bool effectiveGameOption10() { return effective(10); }
bool effectiveGameOption15() { return effective(15); }
bool effectiveGameOption19() { return effective(19); }
bool effectiveGameOption29() { return effective(29); }
bool effectiveGameOption31() { return effective(31); }
bool effectiveGameOption33() { return effective(33); }
bool effectiveGameOption45() { return effective(45); }
bool effectiveGameOption48() { return effective(48); }

bool isExperienceRuleOn() { return ruleOn(12); }
bool isFatigueRuleOn() { return ruleOn(11); }
