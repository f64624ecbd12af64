// Mine clearing and sweeping by the acting unit.
#include "rules/mine_clearing.h"

#include "rules/dialog_link.h"
#include "rules/engineering_steps.h"
#include "rules/fog.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/mines.h"
#include "rules/storing_steps.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/game_state.h"

#include <algorithm>

namespace {

constexpr int kFatigueGain = 5;
constexpr int kFatigueLimit = 50;

void leaveBuilding(GameState& state, const ActingUnit& actor)
{
    UnitRecord& unit = *actor.unit;
    const UnitCell* cell = state.unitCellAt(unit.x, unit.y);
    const int building = cell ? cell->building : 0;
    if (BuildingRecord* record = building ? state.building(building - 1) : nullptr)
        record->removeUnit(actor.side, actor.index);
    unit.leaveBuilding(building);
    addUnitSight(state, unit.x, unit.y, actor.side, actor.index);
    if (MapBitSet* redraw = state.redrawSet())
        redraw->setAll();
}

} // namespace

bool execClearMines(GameState& state, int x, int y, int kind)
{
    const ActingUnit actor = actingUnit(state);
    TerrainCell* cell = state.terrainCellAt(x, y);
    if (!actor.unit || !cell || (kind != kLandMineKind && kind != kSeaMineKind))
        return false;
    UnitRecord& unit = *actor.unit;
    const bool cleared = cell->mineKind == kind;
    if (cleared)
        cell->clearMine();
    if (state.ruleOn(kRuleFatigue) && unit.fatigue < kFatigueLimit)
        unit.fatigue = uint16_t(std::min(unit.fatigue + kFatigueGain, kFatigueLimit));
    if (MapBitSet* redraw = state.redrawSet())
        redraw->set(x, y);
    if (cleared && ViewerView(state).toldOf(actor.side)) {
        mainWindowLink().bringToFront();
        dialogLink().showEventNotice(kind == kLandMineKind ? kLandMinesClearedNotice : kSeaMinesClearedNotice, actor.side,
            actor.index);
        mainWindowLink().bringToFront();
    }
    if (kind == kLandMineKind)
        state.historyLog().recordMineClearing(actor.side, actor.index, x, y, cleared);
    else
        state.historyLog().recordMineSweeping(actor.side, actor.index, x, y, cleared);
    unit.gainExperience(10);
    if (unit.hasFlag(kUnitStored))
        leaveBuilding(state, actor);
    if (!unit.hasFlag(kUnitAboard | kUnitStored | kUnitOffMap))
        registerOnHex(state, actor.side, actor.index);
    unit.markActed();
    return cleared;
}
