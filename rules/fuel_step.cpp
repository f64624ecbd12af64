// Aircraft aloft: the ground that lets an air unit stand without burning fuel.
#include "rules/fuel_step.h"

#include "rules/targets.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

constexpr int kGroupVtol = 1;
constexpr int kGroupHelicopter = 2;

} // namespace

bool isAirUnitAloft(const GameState& state, int country, int index, int x, int y)
{
    const UnitRecord* unit = state.unitOf(country, index);
    if (!unit || movementGroup(unit->type().movementType) != 0)
        return false;
    const int group = unitTypeGroup(unit->type());
    const BuildingRecord* building = buildingOnHex(state, x, y);
    if (state.ruleSwitch(kRuleStoring) == 0 && building && building->canRefuel(country, group))
        return false;
    if (group == kGroupVtol && state.isHexFlag4For(x, y, country))
        return false;
    if (group == kGroupHelicopter && state.isLoadingHexFor(x, y, -1))
        return false;
    return true;
}
