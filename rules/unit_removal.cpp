// Unit removal: unlinking a unit from the map, destroying it with its cargo, erasing records.
#include "rules/unit_removal.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Carrier links come from files and may loop: a unit already on the chain is not entered again.
using Chain = std::vector<std::pair<int, int>>;

int sideWordOf(int code) { return code >= 100 ? code : code + 1; }

template <typename Visit>
void forEachCargo(const UnitRecord& unit, int code, Visit visit)
{
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int side = code;
        const int plus1 = unit.carriedUnitAt(slot, side);
        if (plus1 > 0)
            visit(side, plus1 - 1);
    }
}

void clearRecord(UnitRecord& unit) { std::memset(static_cast<void*>(&unit), 0, sizeof unit); }

bool enter(Chain& chain, int code, int index)
{
    if (std::find(chain.begin(), chain.end(), std::pair(code, index)) != chain.end())
        return false;
    chain.emplace_back(code, index);
    return true;
}

void destroy(GameState& state, int code, int index, Chain& chain)
{
    UnitRecord* unit = state.unitOf(code, index);
    if (!unit || !unitExists(*unit) || !enter(chain, code, index))
        return;
    forEachCargo(*unit, code, [&](int side, int i) { destroy(state, side, i, chain); });
    if (code >= 0 && code < kCountryCount) {
        if (unit->watchBits & kWatchCounted)
            state.endCheckFlags() |= 2;
        if (unit->watchBits & kWatchTransported) {
            uint16_t& lost = state.turnBlock().transportLost[code];
            lost = uint16_t(std::min(lost + strengthSlotCount(*unit), 0xFFFF));
        }
        state.recordDestroyedUnit(code, index);
        state.country(code).membersLost += uint32_t(strengthSlotCount(*unit));
        state.endCheckFlags() |= 4;
    }
    clearRecord(*unit);
}

int erase(GameState& state, int code, int index, Chain& chain)
{
    UnitRecord* unit = state.unitOf(code, index);
    if (!unit || !unitExists(*unit) || !enter(chain, code, index))
        return 0;
    int erased = 0;
    forEachCargo(*unit, code, [&](int side, int i) { erased += erase(state, side, i, chain); });
    if (code >= 0 && code < kCountryCount)
        erased += strengthSlotCount(*unit);
    clearRecord(*unit);
    return erased;
}

} // namespace

void clearUnitSlots(uint16_t (&sides)[6], uint16_t (&units)[6], int word, int index, int keep)
{
    for (int slot = 0; slot < 6; ++slot)
        if (slot != keep && sides[slot] == word && units[slot] == index)
            sides[slot] = 0, units[slot] = 0;
}

void unregisterFromHex(GameState& state, int x, int y, int code, int index)
{
    if (UnitCell* cell = state.unitCellAt(x, y)) {
        clearUnitSlots(cell->lowerSide, cell->lowerUnit, sideWordOf(code), index);
        clearUnitSlots(cell->upperSide, cell->upperUnit, sideWordOf(code), index);
    }
}

void freeCarrierBerth(GameState& state, int code, int index)
{
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit || !unit->hasFlag(kUnitAboard) || !unit->carrierSide || !unit->carrierIndex)
        return;
    UnitRecord* carrier = state.unitOf(unit->carrierSide - 1, unit->carrierIndex - 1);
    if (!carrier)
        return;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int cargo_side = unit->carrierSide - 1;
        if (carrier->carriedUnitAt(slot, cargo_side) == index + 1 && cargo_side == code)
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

void removeUnitFromHex(GameState& state, int code, int index)
{
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit)
        return;
    unregisterFromHex(state, unit->x, unit->y, code, index);
    const UnitCell* cell = state.unitCellAt(unit->x, unit->y);
    if (cell && cell->building > 0 && cell->building <= state.buildingCount() && code < 100)
        state.buildings()[cell->building - 1u].removeUnit(code, index);
    freeCarrierBerth(state, code, index);
}

void destroyUnit(GameState& state, int code, int index)
{
    Chain chain;
    destroy(state, code, index, chain);
}

int eraseUnitRecord(GameState& state, int code, int index)
{
    Chain chain;
    return erase(state, code, index, chain);
}
