// Hex registration, carrier berths and redraws for the storing, boarding and exchange executors.
#include "rules/storing_steps.h"

#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/mines.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

constexpr int kLandDomain = 3;
constexpr int kHexSlots = 6;
constexpr int kLandMineNotice = 15;
constexpr int kSeaMineNotice = 16;

void clearSlots(uint16_t (&sides)[kHexSlots], uint16_t (&units)[kHexSlots], int word, int index, int keep)
{
    for (int slot = 0; slot < kHexSlots; ++slot)
        if (slot != keep && sides[slot] == word && units[slot] == index)
            sides[slot] = 0, units[slot] = 0;
}

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
    clearSlots(cell->lowerSide, cell->lowerUnit, word, index, slot);
    state.setUnitRefInHex(unit->x, unit->y, slot, word, index);
    return true;
}

void unregisterFromHex(GameState& state, int x, int y, int side, int index)
{
    if (UnitCell* cell = state.unitCellAt(x, y)) {
        clearSlots(cell->lowerSide, cell->lowerUnit, side + 1, index, -1);
        clearSlots(cell->upperSide, cell->upperUnit, side + 1, index, -1);
    }
}

void freeCarrierBerth(GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unit->hasFlag(kUnitAboard) || !unit->carrierSide || !unit->carrierIndex)
        return;
    UnitRecord* carrier = state.unitOf(unit->carrierSide - 1, unit->carrierIndex - 1);
    if (!carrier)
        return;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int cargo_side = unit->carrierSide - 1;
        if (carrier->carriedUnitAt(slot, cargo_side) == index + 1 && cargo_side == side)
            carrier->clearCarriedUnit(slot);
    }
    dropCargoFlagWhenEmpty(*carrier);
}

void dropCargoFlagWhenEmpty(UnitRecord& carrier)
{
    for (uint16_t berth : carrier.carriedUnits)
        if (berth & 0x7FFF)
            return;
    carrier.flags &= uint16_t(~kUnitCarrying);
}

void redrawHex(GameState& state, int x, int y)
{
    if (MapBitSet* redraw = state.redrawSet())
        redraw->set(x, y);
    mapWindowLink().updateHex(x, y);
}

void announceMineEntered(GameState& state, int x, int y, int side, int index)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    const bool land = cell && cell->mineKind == kLandMineKind;
    dialogLink().showEventNotice(land ? kLandMineNotice : kSeaMineNotice, side, index);
}
