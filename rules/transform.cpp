// Transformation of the acting unit into its type's other form.
#include "rules/transform.h"

#include "rules/engineering_steps.h"
#include "rules/fog.h"
#include "rules/storing_steps.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

bool execTransform(GameState& state)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit)
        return false;
    UnitRecord& unit = *actor.unit;
    if (state.hexDomainHasVisibleOtherUnit(unit.x, unit.y, domainSlotOf(state, actor.side, actor.index), actor.side, actor.index))
        return false;
    const int old_type = unit.unitTypeId;
    const int other_form = unit.type().baseType - 1;
    if (other_form < 0 || !state.unitTypeIndex(other_form))
        return false;
    unit.unitTypeId = uint16_t(other_form);
    addUnitSight(state, unit.x, unit.y, actor.side, actor.index);

    const UnitCell* cell = state.unitCellAt(unit.x, unit.y);
    if (unit.hasFlag(kUnitStored)) {
        const int building = cell ? cell->building : 0;
        if (BuildingRecord* record = building ? state.building(building - 1) : nullptr)
            record->removeUnit(actor.side, actor.index);
        unit.leaveBuilding(building);
        registerOnHex(state, actor.side, actor.index);
    } else if (unit.hasFlag(kUnitAboard)) {
        freeCarrierBerth(state, actor.side, actor.index);
        unit.leaveCarrier();
        registerOnHex(state, actor.side, actor.index);
    } else if (unit.isOnOwnHex()) {
        // The other form may belong to another domain, and so to another slot of the hex.
        registerOnHex(state, actor.side, actor.index);
    }

    unit.markActed();
    if (MapBitSet* redraw = state.redrawSet())
        redraw->setAll();
    state.historyLog().recordTransformation(actor.side, actor.index, old_type);
    return true;
}
