// Taking units out of play and the live-unit counts of the victory code.
#include "rules/victory.h"
#include "rules/victory_units.h"

#include "rules/unit_removal.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {


} // namespace

void takeOutOfPlay(GameState& state, int side, int index)
{
    removeUnitFromHex(state, side, index);
    eraseUnitRecord(state, side, index);
}

bool isCapitalBuilding(GameState& state, const BuildingRecord& building)
{
    const TerrainRecord* terrain = state.terrainTypeAt(int(building.x), int(building.y));
    return terrain && terrain->kind == kTerrainCapital;
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
