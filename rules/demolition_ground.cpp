// Demolition where no building stands: listed pillboxes and temporary bridges, and roads.
#include "rules/demolition_steps.h"
#include "rules/shared_codes.h"

#include "rules/alliances.h"
#include "rules/dialog_link.h"
#include "rules/engineering.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/occupation_steps.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "state/state_accessors.h"

#include <algorithm>

namespace {

void demolishStructure(GameState& state, const DemolitionStrike& strike, int kind)
{
    uint8_t* durability = state.listedDurability(strike.x, strike.y, kind);
    if (!durability)
        return;
    const int before = *durability;
    *durability = uint8_t(std::max(before - strike.damage, 0));
    state.historyLog().recordDemolition(strike.code, strike.index, *durability, before, 0,
        state.effectiveTerrainAt(strike.x, strike.y));
    spendDemolitionRound(strike);
    if (mainWindowLink().isVisible() && ViewerView(state).toldOf(strike.side)) {
        if (state.settings().mapOnBombAnim)
            mapWindowLink().showHexEffect(strike.x, strike.y, 0, 0);
        if (state.settings().showBuildDialog)
            dialogLink().showStructureResult(BuildingResult::Demolished, kind, *durability, before);
    }
    gainDemolitionExperience(state, strike,
        kind == kTerrainPillbox ? &UnitRecord::gainExperienceHalfStrength : &UnitRecord::gainExperienceByStrength);
    // A pillbox worn down to nothing is razed to wasteland.
    if (kind == kTerrainPillbox && *durability == 0)
        demolishPillbox(state, strike.x, strike.y);
}

void demolishRoad(GameState& state, const DemolitionStrike& strike)
{
    TerrainCell* cell = state.terrainCellAt(strike.x, strike.y);
    if (!cell || cell->overlay == 0)
        return;
    markOwnershipChanged(state);
    cell->overlay = 0;
    if (ViewerView(state).toldOf(strike.side)) {
        if (state.settings().playSe)
            mainWindowLink().playSound(sound_slot::kExplosion);
        if (state.settings().mapOnBombAnim)
            mapWindowLink().showHexEffect(strike.x, strike.y, 0, 1);
    }
    // A road bridge over a river: the land unit on it is left in the water.
    if (cell->hasSubstitute()) {
        UnitRef ref;
        const UnitRecord* unit = state.unitRefInHex(strike.x, strike.y, state.unitSlotFor(3), ref)
            ? state.unitOf(ref.table, ref.index)
            : nullptr;
        if (unit && state.terrainValueAt(strike.x, strike.y, unit->type().movementType) == 0)
            loseStandingLandUnit(state, strike);
    }
    gainDemolitionExperience(state, strike, &UnitRecord::gainExperienceByStrength);
    if (cell->mineKind == kLandMine && !canHoldLandMine(state, *cell))
        cell->clearMine();
    spendDemolitionRound(strike);
}

} // namespace

void demolishGround(GameState& state, const DemolitionStrike& strike)
{
    const TerrainCell* cell = state.terrainCellAt(strike.x, strike.y);
    if (cell && cell->owner >= 1 && cell->owner <= kCountryCount && state.hasPactWith(strike.side, cell->owner - 1))
        breakNonAggressionPact(state, strike.side, cell->owner - 1);
    const TerrainRecord* terrain = state.terrainTypeAt(strike.x, strike.y);
    if (terrain && (terrain->kind == kTerrainPillbox || terrain->kind == kTerrainTemporaryBridge))
        demolishStructure(state, strike, terrain->kind);
    else
        demolishRoad(state, strike);
}
