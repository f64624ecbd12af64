// Restoring and reinforcing buildings and listed structures (pillboxes, temporary bridges).
#include "rules/engineering.h"

#include "rules/dialog_link.h"
#include "rules/engineering_steps.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/rules_context.h"
#include "rules/targets.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kEngineerClass = 38;

enum class Work { Restore, Reinforce };

// Work never lowers a durability that already lies above the cap.
int raisedDurability(int before, int amount, int cap) { return std::max(before, std::min(before + amount, cap)); }

bool resultWindowsWanted(GameState& state) { return state.settings().showBuildDialog && mainWindowLink().isVisible(); }

void record(GameState& state, Work work, const ActingUnit& actor, int after, int before, int cap, int owner_plus_one, int terrain_type)
{
    ActionHistoryLog& log = state.historyLog();
    if (work == Work::Restore)
        log.recordRestoration(actor.side, actor.index, after, before, cap, owner_plus_one, terrain_type);
    else
        log.recordBuildingReinforcement(actor.side, actor.index, after, before, cap, owner_plus_one, terrain_type);
}

bool workOnStructure(GameState& state, Work work, const ActingUnit& actor, int x, int y, int amount)
{
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    uint8_t* durability = terrain ? state.listedDurability(x, y, terrain->kind) : nullptr;
    if (!durability)
        return false;
    const int cap = work == Work::Restore ? terrain->durability : terrain->reinforcedDurability;
    const int before = *durability;
    *durability = uint8_t(raisedDurability(before, amount, cap));
    record(state, work, actor, *durability, before, cap, 0, state.effectiveTerrainAt(x, y));
    if (resultWindowsWanted(state) && ViewerView(state).toldOf(actor.side)) {
        const BuildingResult kind = work == Work::Restore ? BuildingResult::Repaired : BuildingResult::Reinforced;
        dialogLink().showStructureResult(kind, terrain->kind, *durability, before);
    }
    return true;
}

bool workOnBuilding(GameState& state, Work work, const ActingUnit& actor, BuildingRecord& building, int amount)
{
    const TerrainRecord* terrain = building.terrain();
    if (!terrain)
        return false;
    const BuildingRecord before = building;
    const int cap = work == Work::Restore ? terrain->durability : terrain->reinforcedDurability;
    building.durability = uint8_t(raisedDurability(before.durability, amount, cap));
    record(state, work, actor, building.durability, before.durability, cap, building.ownerPlusOne, building.type);
    const ViewerView view(state);
    if (resultWindowsWanted(state) && (view.toldOf(actor.side) || view.toldOf(building.owner()))) {
        const BuildingResult kind = work == Work::Restore ? BuildingResult::Repaired : BuildingResult::Reinforced;
        dialogLink().showBuildingResult(kind, building, before);
    }
    if (work == Work::Restore && !building.isIntact() && building.durability >= terrain->durability) {
        building.destroyed = 0;
        currentAction(state).setSupplyLinesDirty();
        state.statsAddIncome(building.ownerPlusOne, building.type);
    }
    return true;
}

void work(GameState& state, Work kind, int x, int y)
{
    const ActingUnit actor = actingUnit(state);
    if (!actor.unit || !state.isOnMap(x, y))
        return;
    int amount = strengthSlotCount(*actor.unit);
    if (kind == Work::Restore && actor.unit->type().unitClass == kEngineerClass)
        amount *= 2;
    const UnitCell* cell = state.unitCellAt(x, y);
    BuildingRecord* building = cell->building ? state.building(cell->building - 1) : nullptr;
    const bool done = building ? workOnBuilding(state, kind, actor, *building, amount) : workOnStructure(state, kind, actor, x, y, amount);
    if (!done)
        return;
    gainExperience(state, actor, &UnitRecord::gainExperienceByStrength);
    if (kind == Work::Reinforce)
        actor.unit->spendEngineeringStock(1);
}

} // namespace

void execRestore(GameState& state, int x, int y) { work(state, Work::Restore, x, y); }

void execReinforce(GameState& state, int x, int y) { work(state, Work::Reinforce, x, y); }
