// placeNewUnit: the checks, the production-made record and its entry on the hex.
#include "rules/place_new_unit.h"

#include "rules/fog.h"
#include "rules/production.h"
#include "rules/unit_numbers.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <utility>

bool placeNewUnit(GameState& state, int x, int y, int country, int unit_type)
{
    if (country < 0 || country >= kCountryCount || !state.isOnMap(x, y) || !std::as_const(state).unitTable(country)
        || unit_type <= 0 || !state.unitTypeIndex(unit_type))
        return false;
    const UnitTypeRecord& type = state.unitTypeRecord(unit_type);
    if (state.liveUnitCount(country) >= state.playerUnitCount(country))
        return false;
    if (state.terrainValueAt(x, y, type.movementType) == 0)
        return false;
    // A second unit in one slot would leave the first unreachable from the map.
    const int slot = state.unitSlotFor(type.domain);
    UnitRef taken {};
    if (state.unitRefInHex(x, y, slot, taken) || state.upperUnitRefInHex(x, y, slot, taken))
        return false;
    int index = freeUnitSlot(state, country);
    if (index < 0)
        index = int(state.unitCount(country));
    if (index >= kUnitTableSize)
        return false;

    UnitRecord record;
    makeProducedUnit(state, record, type, type.members, x, y, false);
    const int troop = nextTroopNumber(state, country);
    record.troopNumber = uint16_t(troop > 0 ? troop : 0);
    if (uint32_t(index) >= state.unitCount(country))
        state.setUnitCount(country, uint32_t(index) + 1);
    *state.unitOf(country, index) = record;
    state.placeUnitRefInHex(x, y, slot, country + 1, index);
    if (!record.hasFlag(kUnitAwaitingProduction))
        addUnitSight(state, x, y, country, index);
    return true;
}
