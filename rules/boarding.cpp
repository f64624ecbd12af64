// Boarding: the acting unit goes aboard a carrier.
#include "rules/boarding.h"
#include "rules/shared_codes.h"

#include "rules/engineering_steps.h"
#include "rules/storing_steps.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {


bool isAboard(const UnitRecord& unit, int carrier_side, int carrier_index)
{
    return unit.hasFlag(kUnitAboard) && unit.carrierSide == carrier_side + 1 && unit.carrierIndex == carrier_index + 1;
}

} // namespace

bool execBoard(GameState& state, int carrier_side, int carrier_index)
{
    const ActingUnit actor = actingUnit(state);
    UnitRecord* carrier = state.unitOf(carrier_side, carrier_index);
    if (!actor.unit || !carrier || !unitInPlay(*carrier) || carrier == actor.unit)
        return false;
    UnitRecord& unit = *actor.unit;
    if (isAboard(unit, carrier_side, carrier_index))
        return true;
    if (actor.side != carrier_side && actor.side != kNeutralSide)
        return false;
    if (!takeAboard(state, *carrier, carrier_side, actor.side, actor.index))
        return false;
    freeCarrierBerth(state, actor.side, actor.index);
    unit.boardCarrier(carrier_side, carrier_index);
    unregisterFromHex(state, unit.x, unit.y, actor.side, actor.index);
    return true;
}
