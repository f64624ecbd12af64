// Hex registration, carrier berths and redraws for the storing, boarding and exchange executors.
#include "rules/storing_steps.h"
#include "rules/shared_codes.h"

#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/mines.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {


} // namespace

int domainSlotOf(const GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    return state.unitSlotFor(unit ? unit->type().domain : 0);
}

int landSlot(const GameState& state) { return state.unitSlotFor(kLandDomain); }

bool registerOnHex(GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    UnitCell* cell = unit ? state.unitCellAt(unit->x, unit->y) : nullptr;
    if (!cell)
        return false;
    const int slot = domainSlotOf(state, side, index);
    const int word = side + 1;
    if (cell->lowerSide[slot] && !(cell->lowerSide[slot] == word && cell->lowerUnit[slot] == index))
        return false;
    clearUnitSlots(cell->lowerSide, cell->lowerUnit, word, index, slot);
    state.setUnitRefInHex(unit->x, unit->y, slot, word, index);
    return true;
}

void redrawHex(GameState& state, int x, int y)
{
    if (MapBitSet* redraw = state.redrawSet())
        redraw->set(x, y);
    mapWindowLink().updateHex(x, y);
}

void announceMineEntered(GameState& state, int x, int y, int side, int index)
{
    if (!ViewerView(state).seesUnitAt(side, index, x, y))
        return;
    const TerrainCell* cell = state.terrainCellAt(x, y);
    const bool land = cell && cell->mineKind == kLandMineKind;
    dialogLink().showEventNotice(land ? kLandMineNotice : kSeaMineNotice, side, index);
}
