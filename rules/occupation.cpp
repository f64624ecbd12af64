// The occupation executor: occupation points, the change of hands and what the building loses with it.
#include "rules/occupation.h"

#include "rules/dialog_link.h"
#include "rules/engineering_steps.h"
#include "rules/fog.h"
#include "rules/links.h"
#include "rules/occupation_steps.h"
#include "rules/victory.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {


// The result is told to the person watching when their country took the building or lost it.
bool viewerInvolved(const GameState& state, int side, const BuildingRecord& before)
{
    const ViewerView view(state);
    return view.toldOf(side) || (before.ownerPlusOne != 0 && view.toldOf(before.owner()));
}

void showResult(GameState& state, const BuildingRecord& building, const BuildingRecord& before, bool person)
{
    if (person && resultWindowsEnabled(state))
        dialogLink().showOccupationResult(building, before);
}

// The side's own building: its points are restored by the unit's counters.
void strengthenOwnBuilding(GameState& state, const ActingUnit& actor, BuildingRecord& building, int maximum)
{
    if (!state.ruleOn(kRuleOccupationPoints) || building.occupationDurability >= maximum)
        return;
    const BuildingRecord before = building;
    building.occupationDurability = uint8_t(std::min(before.occupationDurability + strengthSlotCount(*actor.unit), maximum));
    state.historyLog().recordOccupation(actor.side, actor.index, building.occupationDurability, before.occupationDurability,
        building.ownerPlusOne, building.type);
    showResult(state, building, before, ViewerView(state).toldOf(actor.side));
}

void completeOccupation(GameState& state, const ActingUnit& actor, int index, BuildingRecord& building,
    const BuildingRecord& before)
{
    const TerrainRecord* type = building.terrain();
    markOwnershipChanged(state);
    transferBuildingStats(state, actor.side + 1, building.type, before.ownerPlusOne, building.isIntact());
    if (before.ownerPlusOne == 0)
        ++state.country(actor.side).commandCounter;
    building.ownerPlusOne = uint8_t(actor.side + 1);
    building.occupationDurability = type->occupationValue;
    destroyStoredUnits(state, building, StoredLoss::Destroy);
    destroyUpperUnitsNotAllied(state, int(building.x), int(building.y), actor.side);
    if (building.destroyed == 0)
        addBuildingSight(state, index);
    // Target places are judged with the victory conditions.
    if (isTargetPlaceHex(state, int(building.x), int(building.y)))
        state.endCheckFlags() |= kEndCheckWatchedLost;
    if (type->kind == kTerrainCapital)
        fallCapitalToLargeCity(state, building);
}

} // namespace

void execOccupy(GameState& state)
{
    const ActingUnit actor = actingUnit(state);
    // Only countries own buildings.
    if (!actor.unit || actor.side >= kCountryCount)
        return;
    const UnitCell* cell = state.unitCellAt(actor.unit->x, actor.unit->y);
    if (!cell || cell->building == 0)
        return;
    const int index = cell->building - 1;
    BuildingRecord* building = state.building(index);
    const TerrainRecord* type = building ? building->terrain() : nullptr;
    if (!type)
        return;
    if (building->ownerPlusOne == actor.side + 1) {
        strengthenOwnBuilding(state, actor, *building, type->occupationValue);
        return;
    }

    const BuildingRecord before = *building;
    const int counters = strengthSlotCount(*actor.unit);
    bool complete = true;
    if (state.ruleOn(kRuleOccupationPoints) && counters < building->occupationDurability) {
        building->occupationDurability = uint8_t(building->occupationDurability - counters);
        complete = false;
    } else {
        building->occupationDurability = 0;
    }
    state.historyLog().recordOccupation(actor.side, actor.index, building->occupationDurability, before.occupationDurability,
        before.ownerPlusOne, building->type);
    showResult(state, *building, before, viewerInvolved(state, actor.side, before));

    breakTiesOverBuilding(state, actor.side, *building);
    gainExperience(state, actor, &UnitRecord::gainExperienceByStrength);
    if (complete)
        completeOccupation(state, actor, index, *building, before);
}
