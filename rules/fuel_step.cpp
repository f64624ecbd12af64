// Aircraft aloft and the end-of-turn fuel step that makes idle ones burn fuel or crash.
#include "rules/fuel_step.h"
#include "rules/shared_codes.h"

#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/rules_context.h"
#include "rules/targets.h"
#include "rules/unit_removal.h"
#include "rules/victory.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/unit_facts.h"

namespace {

constexpr int kGroupVtol = 1;
constexpr int kGroupHelicopter = 2;
constexpr int kEndOfGameCode = 19;

void burnFuel(GameState& state, int side, int index)
{
    UnitRecord& unit = *state.unitOf(side, index);
    const int allowance = unit.type().model[unit.modelIndex()].values[0];
    const int burn = allowance / (state.ruleOn(kRuleLowFuelUse) ? 4 : 2);
    if (burn < unit.fuel) {
        unit.fuel = uint16_t(unit.fuel - burn);
        return;
    }
    const int x = unit.x;
    const int y = unit.y;
    state.historyLog().recordFuelOutCrash(side, index);
    unit.fuel = 0;
    if (ViewerView(state).toldOf(side))
        dialogLink().showEventNotice(kFuelOutNotice, side, index);
    removeUnitFromHex(state, side, index);
    destroyUnit(state, side, index);
    mapWindowLink().updateHex(x, y);
}

void clearActed(UnitRecord* table, uint32_t count)
{
    for (uint32_t i = 0; table && i < count; ++i)
        if (unitInPlay(table[i]) && !table[i].hasFlag(kUnitAwaitingProduction))
            table[i].flags &= uint16_t(~kUnitActed);
}

} // namespace

bool isAirUnitAloft(const GameState& state, int country, int index, int x, int y)
{
    const UnitRecord* unit = state.unitOf(country, index);
    if (!unit || movementGroup(unit->type().movementType) != 0)
        return false;
    const int group = unitTypeGroup(unit->type());
    const BuildingRecord* building = state.buildingOnHex(x, y);
    if (!state.ruleOn(kRuleStoring) && building && building->canRefuel(country, group))
        return false;
    if (group == kGroupVtol && state.isVtolLandingHexFor(x, y, country))
        return false;
    if (group == kGroupHelicopter && state.isLoadingHexFor(x, y, -1))
        return false;
    return true;
}

void fuelStep(GameState& state, int side)
{
    UnitRecord* table = state.unitTable(side);
    if (side < 0 || side >= kSideCount || !table)
        return;
    // Units aboard, stored or off the map are not in the air.
    constexpr unsigned kResting = kUnitActed | kUnitAwaitingProduction;
    for (uint32_t i = 0; i < state.unitCount(side); ++i) {
        const UnitRecord& unit = table[i];
        if (unitInPlay(unit) && !unit.hasFlag(kResting) && unit.isOnOwnHex() && isAirUnitAloft(state, side, int(i), unit.x, unit.y))
            burnFuel(state, side, int(i));
    }
    clearActed(table, state.unitCount(side));
    if (side < kCountryCount)
        clearActed(state.missileTable(side), state.missileCount(side));
    if (state.endCheckFlags() != 0) {
        currentAction(state).setCommandCode(kEndOfGameCode);
        checkEndOfGame(state, 1);
    }
}
