// Disbanding a unit: the order and the removal the troop list also uses.
#include "rules/disband.h"

#include "rules/engineering_steps.h"
#include "rules/rules_context.h"
#include "rules/unit_removal.h"
#include "state/action_history.h"
#include "state/game_state.h"

namespace {

constexpr uint16_t kDisbandCode = 19;

} // namespace

void disbandUnit(GameState& state, int side, int index)
{
    removeUnitFromHex(state, side, index);
    destroyUnit(state, side, index);
}

bool execDisband(GameState& state)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit)
        return false;
    currentAction(state).setCommandCode(kDisbandCode);
    state.historyLog().recordDisband(actor.side, actor.index);
    disbandUnit(state, actor.side, actor.index);
    return true;
}
