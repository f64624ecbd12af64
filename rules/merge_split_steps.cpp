// The shared steps of merging and splitting: counters, entry cost and the hazards of the target hex.
#include "rules/merge_split_steps.h"

#include "rules/alliances.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/merge_split.h"
#include "rules/mines.h"
#include "rules/move_checks.h"
#include "rules/unit_removal.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {


// The owning country, or -1 for none (0, or 9 past the countries).
int ownerOf(const GameState& state, int x, int y)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    return cell && cell->owner >= 1 && cell->owner <= kCountryCount ? cell->owner - 1 : -1;
}

} // namespace

std::vector<int> filledCounters(const UnitRecord& unit)
{
    std::vector<int> counters;
    for (const uint8_t counter : unit.memberStrengths)
        if (counter)
            counters.push_back(counter);
    return counters;
}

void storeCounters(UnitRecord& unit, const std::vector<int>& counters)
{
    for (size_t i = 0; i < 10; ++i)
        unit.memberStrengths[i] = uint8_t(i < counters.size() ? counters[i] : 0);
}

int entryFuelCost(const GameState& state, const UnitRecord& mover, int x, int y, const MoveFuel& fuel)
{
    const int e = state.terrainValueAt(x, y, mover.type().movementType);
    if (fuel.overrun == 1)
        return 2 * e;
    const int allowance = mover.type().model[mover.modelIndex()].values[0];
    return fuel.burned + e > allowance ? fuel.burned + 2 * e : e;
}

void detonateMineAt(GameState& state, int x, int y, int side, int index)
{
    if (!hexHasMineFor(state, x, y, side, index))
        return;
    if (ViewerView(state).toldOf(side)) {
        const TerrainCell* cell = state.terrainCellAt(x, y);
        dialogLink().showEventNotice(cell->mineKind == kLandMineKind ? kLandMineNotice : kSeaMineNotice, side, index);
    }
    detonateMine(state, x, y, side, index, kMineMaxHits);
}

void breakPactOnEntry(GameState& state, int side, int from_x, int from_y, int x, int y)
{
    const int owner = ownerOf(state, x, y);
    if (owner < 0 || owner == side || owner == ownerOf(state, from_x, from_y) || !state.hasPactWith(side, owner))
        return;
    breakNonAggressionPact(state, owner, side);
    if (ViewerView(state).knowsPactBreak(side, owner))
        dialogLink().showEventNotice(kPactTerritoryEntryNotice, side, owner);
}

bool settleUnit(GameState& state, int side, int index)
{
    UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unitExists(*unit))
        return false;
    if (strengthTotal(*unit) == 0) {
        removeUnitFromHex(state, side, index);
        destroyUnit(state, side, index);
        return false;
    }
    unit->markActed();
    return true;
}
