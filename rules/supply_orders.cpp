// Supply orders handed to the unit's resupply requests.
#include "rules/supply_orders.h"

#include "rules/engineering_steps.h"
#include "state/game_state.h"

namespace {

bool mayAsk(const ActingUnit& actor)
{
    return actor.unit && !actor.unit->hasFlag(kUnitAwaitingProduction) && !actor.unit->hasFlag(kUnitActed);
}

} // namespace

bool execResupply(GameState& state)
{
    const ActingUnit actor = actingUnit(state);
    if (!mayAsk(actor))
        return false;
    actor.unit->requestResupply(actor.side, actor.index);
    return true;
}

bool execSupplyUnitService(GameState& state, int, int)
{
    const ActingUnit actor = actingUnit(state);
    if (!mayAsk(actor))
        return false;
    actor.unit->requestSupplyUnitService(actor.side, actor.index);
    return true;
}
