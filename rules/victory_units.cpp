// Taking units out of play and the live-unit counts of the victory code.
#include "rules/victory.h"
#include "rules/victory_units.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

constexpr int kCapitalKind = 12;
constexpr int kHexSlots = 6;
// Cargo nests a few carriers deep at most; the bound stops a corrupt loop of carriers.
constexpr int kMaxCargoDepth = 8;

void clearHexRefs(GameState& state, int x, int y, int side_word, int index)
{
    UnitCell* cell = state.unitCellAt(x, y);
    if (!cell)
        return;
    for (int s = 0; s < kHexSlots; ++s) {
        if (cell->lowerSide[s] == side_word && cell->lowerUnit[s] == index)
            cell->lowerSide[s] = cell->lowerUnit[s] = 0;
        if (cell->upperSide[s] == side_word && cell->upperUnit[s] == index)
            cell->upperSide[s] = cell->upperUnit[s] = 0;
    }
}

void leaveCarrierSlot(GameState& state, const UnitRecord& unit, int side, int index)
{
    UnitRecord* carrier = unit.carrierIndex ? state.unitOf(unit.carrierSide - 1, unit.carrierIndex - 1) : nullptr;
    if (!carrier)
        return;
    const int carrier_side = unit.carrierSide - 1;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int slot_side = carrier_side;
        const int plus1 = carrier->carriedUnitAt(slot, slot_side);
        if (plus1 == index + 1 && slot_side == side)
            carrier->clearCarriedUnit(slot);
    }
}

void eraseWithCargo(GameState& state, int side, int index, int depth)
{
    UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unitExists(*unit))
        return;
    for (int slot = 0; slot < kBerthCount && depth < kMaxCargoDepth; ++slot) {
        int cargo_side = side;
        const int plus1 = unit->carriedUnitAt(slot, cargo_side);
        if (plus1)
            eraseWithCargo(state, cargo_side, plus1 - 1, depth + 1);
    }
    *unit = UnitRecord {};
}

} // namespace

void takeOutOfPlay(GameState& state, int side, int index)
{
    UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unitExists(*unit))
        return;
    clearHexRefs(state, unit->x, unit->y, sideWordOf(side), index);
    const UnitCell* cell = state.unitCellAt(unit->x, unit->y);
    if (BuildingRecord* building = cell && cell->building ? state.building(cell->building - 1) : nullptr)
        building->removeUnit(side, index);
    if (unit->hasFlag(kUnitAboard))
        leaveCarrierSlot(state, *unit, side, index);
    eraseWithCargo(state, side, index, 0);
}

bool isCapitalBuilding(GameState& state, const BuildingRecord& building)
{
    const TerrainRecord* terrain = state.terrainTypeAt(int(building.x), int(building.y));
    return terrain && terrain->kind == kCapitalKind;
}

int countLiveUnits(const GameState& state, int side)
{
    const UnitRecord* table = side >= 0 && side < kSideCount ? state.unitTable(side) : nullptr;
    int count = 0;
    for (uint32_t i = 0; table && i < state.unitCount(side); ++i)
        if (unitInPlay(table[i]) && !table[i].hasFlag(kUnitAwaitingProduction))
            ++count;
    return count;
}

int countAwaitingProduction(const GameState& state, int side)
{
    const UnitRecord* table = side >= 0 && side < kSideCount ? state.unitTable(side) : nullptr;
    int count = 0;
    for (uint32_t i = 0; table && i < state.unitCount(side); ++i)
        if (unitExists(table[i]) && table[i].hasFlag(kUnitAwaitingProduction))
            ++count;
    return count;
}
