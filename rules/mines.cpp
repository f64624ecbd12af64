// A mine going off under a unit: the members' losses, the display, the history and the mine's shrinking.
#include "rules/mines.h"

#include "rules/visibility.h"
#include "rules/shared_codes.h"

#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/rules_context.h"
#include "state/action_history.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

// Mine damage is booked against nobody: the attacker side of the neutral table.
constexpr int kMineAttackerSide = 8;

} // namespace

void learnMine(TerrainCell& cell, int country)
{
    if (country >= 0 && country < kCountryCount)
        cell.mineKnownMask = uint8_t(cell.mineKnownMask | 1u << country);
}

void detonateMine(GameState& state, int x, int y, int side, int index, int max_hits)
{
    TerrainCell* cell = state.terrainCellAt(x, y);
    UnitRecord* unit = state.unitOf(side, index);
    if (!cell || !cell->mineKind || !unit)
        return;
    const int country = side >= kMissileCodeBase ? side - kMissileCodeBase : side;
    const int kind = cell->mineKind;
    const int before = strengthSlotCount(*unit);

    const UnitTypeRecord& type = unit->type();
    int16_t counters[10] = {};
    for (int m = 0; m < 10; ++m)
        counters[m] = unit->memberStrengths[m];
    int hit = 0;
    for (int m = std::min<int>(type.members, 10) - 1; m >= 0; --m) {
        if (counters[m] == 0 || hit >= max_hits)
            continue;
        counters[m] = int16_t(std::max(0, counters[m] - state.random(0, type.memberStrength)));
        ++hit;
    }
    unit->applyDamage(country, counters, kMineAttackerSide);

    // The blast is the mover's: a concealed one stays unseen on a hex in sight.
    if (state.settings().mapOnBombAnim && mapWindowLink().isOpen() && ViewerView(state).seesUnitAt(side, index, x, y)) {
        mapWindowLink().showHexEffect(x, y, 1, 1);
        if (strengthTotal(*unit) == 0)
            mapWindowLink().animateExplosion(x, y, side, index);
    }

    // The history names the acting unit: a carried unit hit in its carrier's place is not named.
    const CurrentAction& action = currentAction(state);
    const int after = strengthSlotCount(*unit);
    if (kind == kLandMineKind)
        state.historyLog().recordLandMineHit(action.actingCountry(), action.actingIndex(), x, y, before, after);
    else
        state.historyLog().recordSeaMineHit(action.actingCountry(), action.actingIndex(), x, y, before, after);

    if (cell->mineCount <= 1)
        cell->clearMine();
    else {
        --cell->mineCount;
        learnMine(*cell, country);
    }
}
