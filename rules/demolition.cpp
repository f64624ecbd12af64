// The demolition executor: the strike on a building, its knock-out and the toll on the units it holds.
#include "rules/demolition.h"
#include "rules/shared_codes.h"

#include "rules/demolition_steps.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/occupation_steps.h"
#include "rules/unit_removal.h"
#include "rules/victory.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kTerrainDam = 25;
constexpr int kTerrainTunnel = 26;

bool carriesLandUnitsAcross(int kind) { return kind == kTerrainBridge || kind == kTerrainDam || kind == kTerrainTunnel; }

void showStrike(GameState& state, const DemolitionStrike& strike, const BuildingRecord& building,
    const BuildingRecord& before)
{
    const ViewerView view(state);
    const bool told = view.toldOf(strike.side) || (building.ownerPlusOne && view.toldOf(building.owner()));
    if (!mainWindowLink().isVisible() || !told || !view.seesHex(strike.x, strike.y))
        return;
    if (state.settings().mapOnBombAnim)
        mapWindowLink().showHexEffect(strike.x, strike.y, 0, 0);
    if (state.settings().showBuildDialog)
        dialogLink().showBuildingResult(BuildingResult::Demolished, building, before);
    if (building.durability == 0) {
        if (state.settings().playSe)
            mainWindowLink().playSound(sound_slot::kExplosion);
        mapWindowLink().showHexEffect(strike.x, strike.y, 0, 1);
    }
}

void setOwner(GameState& state, BuildingRecord& building, int owner_plus_one)
{
    transferBuildingStats(state, owner_plus_one, building.type, building.ownerPlusOne, building.isIntact());
    building.ownerPlusOne = uint8_t(owner_plus_one);
}

void knockOut(GameState& state, const DemolitionStrike& strike, BuildingRecord& building)
{
    const TerrainRecord* type = building.terrain();
    markOwnershipChanged(state);
    if (building.isIntact())
        state.statsSubtractIncome(building.ownerPlusOne, building.type);
    building.destroyed = 1;
    if (carriesLandUnitsAcross(type->kind))
        loseStandingLandUnit(state, strike);
    destroyStoredUnits(state, building, StoredLoss::ZeroCountersFirst);
    destroyUpperUnitsNotAllied(state, strike.x, strike.y, strike.side);
    if (state.ruleOn(kRuleDestroyedBuildingsUnowned) && type->kind != kTerrainCapital)
        setOwner(state, building, 0);
    if (isTargetPlaceHex(state, strike.x, strike.y))
        state.endCheckFlags() |= kEndCheckWatchedLost;
    if (type->kind == kTerrainCapital) {
        fallCapitalToLargeCity(state, building);
        const bool taken = !state.ruleOn(kRuleFallenCapitalUnowned) && strike.side < kCountryCount;
        setOwner(state, building, taken ? strike.side + 1 : 0);
    }
}

// The counters a stored unit keeps of a new strength total, filled member by member in order.
void cutCounters(const UnitRecord& unit, int total, int16_t (&counters)[10])
{
    for (int m = 0; m < 10; ++m) {
        const int counter = unit.memberStrengths[m];
        counters[m] = int16_t(std::min(counter, total));
        total -= counters[m];
    }
}

// Units stored in a damaged building lose strength in proportion to the durability it lost.
void damageStoredUnits(GameState& state, const DemolitionStrike& strike, BuildingRecord& building, int before)
{
    for (BuildingSlot& slot : building.slots) {
        if (slot.sidePlusOne == 0)
            continue;
        const int side = slot.sidePlusOne - 1;
        const int index = slot.unitIndex;
        UnitRecord* unit = state.unitOf(side, index);
        if (!unit || !unitExists(*unit))
            continue;
        const int total = strengthTotal(*unit) * building.durability / before;
        if (total == 0) {
            slot = BuildingSlot {};
            removeUnitFromHex(state, side, index);
            destroyUnit(state, side, index);
            continue;
        }
        int16_t counters[10];
        cutCounters(*unit, total, counters);
        unit->applyDamage(side, counters, strike.side);
    }
}

void demolishBuilding(GameState& state, const DemolitionStrike& strike, BuildingRecord& building)
{
    if (!building.terrain())
        return;
    const BuildingRecord before = building;
    building.durability = uint8_t(std::max(before.durability - strike.damage, 0));
    state.historyLog().recordDemolition(strike.code, strike.index, building.durability, before.durability,
        building.ownerPlusOne, building.type);
    showStrike(state, strike, building, before);

    // A missile phase strike on an owned building is an act of war already declared.
    if (!(strike.missile && state.ruleOn(kRuleMissilePhase) && building.ownerPlusOne != 0))
        breakTiesOverBuilding(state, strike.side, building);
    spendDemolitionRound(strike);
    if (strengthTotal(*strike.unit) > 0)
        gainDemolitionExperience(state, strike, &UnitRecord::gainExperienceByStrength);

    if (building.durability == 0)
        knockOut(state, strike, building);
    else if (building.durability < before.durability)
        damageStoredUnits(state, strike, building, before.durability);
}

} // namespace

void execDestroy(GameState& state, int x, int y, Demolisher by)
{
    const DemolitionStrike strike = demolitionStrike(state, by == Demolisher::Missile, x, y);
    const UnitCell* cell = state.unitCellAt(x, y);
    if (!strike.unit || !cell)
        return;
    BuildingRecord* building = cell->building ? state.building(cell->building - 1) : nullptr;
    if (building)
        demolishBuilding(state, strike, *building);
    else
        demolishGround(state, strike);
}
