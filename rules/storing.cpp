// Storing the acting unit in the building on its hex.
#include "rules/storing.h"

#include "rules/engineering_steps.h"
#include "rules/storing_steps.h"
#include "state/game_state.h"

bool execStore(GameState& state)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit || actor.unit->hasFlag(kUnitStored))
        return false;
    UnitRecord& unit = *actor.unit;
    const UnitCell* cell = state.unitCellAt(unit.x, unit.y);
    BuildingRecord* building = cell && cell->building ? state.building(cell->building - 1) : nullptr;
    if (!building)
        return false;
    if (!building->addUnit(actor.side, actor.index)) {
        registerOnHex(state, actor.side, actor.index);
        return false;
    }
    unit.flags |= kUnitStored;
    unregisterFromHex(state, unit.x, unit.y, actor.side, actor.index);
    return true;
}
