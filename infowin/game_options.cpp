// Whether a rule shows in the information windows, over the game state's play-running flag and rule switches.
#include "infowin/game_options.h"

#include "state/game_state.h"

bool ruleInEffect(const GameState& game, RuleSwitch rule)
{
    return !game.handshake().playRunning() || game.ruleOn(rule);
}
