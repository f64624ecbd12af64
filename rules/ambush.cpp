// The ambush check at the end of a move: hidden enemies beside the end hex and their weapons.
#include "rules/ambush.h"

#include "rules/combat_values.h"
#include "rules/rules_context.h"
#include "rules/visibility.h"
#include "state/unit_facts.h"

#include <vector>

namespace {

// Ambush weapons fire at a neighbour without being launched.
constexpr unsigned kAmbushWeaponFlags = kWeaponNear | kWeaponAttack;

// The country owning the hex; -1 for no owner (byte 0, or 9 beyond the countries).
int hexOwner(const GameState& state, int x, int y)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    if (!cell || cell->owner < 1 || cell->owner > kCountryCount)
        return -1;
    return cell->owner - 1;
}

bool ownedByNonAlly(const GameState& state, int x, int y, int side)
{
    const int owner = hexOwner(state, x, y);
    return owner >= 0 && !state.isAllied(owner, side);
}

bool canAmbush(GameState& state, const UnitRef& ref, const HexPos& from, int x, int y, int side, int index)
{
    if (ref.table != ref.country || ref.table == side || state.isAllied(side, ref.table))
        return false;
    if (isUnitVisibleTo(state, side, ref.table, ref.index))
        return false;
    // A pact partner lies in wait only where one of the two stands on foreign soil.
    if (state.hasPactWith(side, ref.table) && !ownedByNonAlly(state, x, y, side)
        && !ownedByNonAlly(state, from.x, from.y, ref.table))
        return false;
    WeaponChoiceAsk ask;
    ask.code = ref.table;
    ask.index = ref.index;
    ask.fromX = -1;
    ask.distance = 1;
    ask.target = { side, index, x, y };
    ask.required = kAmbushWeaponFlags;
    ask.excluded = 0;
    ask.launch = false;
    return chooseWeaponSlot(state, ask) >= 0;
}

} // namespace

void checkAmbush(GameState& state, int x, int y)
{
    CommandFields& command = state.command();
    command.ambushPending = 0;
    command.ambushOnSplitOff = 0;
    const CurrentAction& action = currentAction(state);
    const int side = action.actingCountry();
    const int index = action.actingIndex();
    std::vector<UnitRef> refs;
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state.hexNeighbour(x, y, d);
        if (!n.valid())
            continue;
        refs.clear();
        state.collectUnitsInHex(n.x, n.y, refs);
        for (const UnitRef& ref : refs) {
            if (!canAmbush(state, ref, n, x, y, side, index))
                continue;
            command.ambushPending = 1;
            command.ambusherSide = uint32_t(ref.table);
            command.ambusherIndex = uint32_t(ref.index);
            return;
        }
    }
}
