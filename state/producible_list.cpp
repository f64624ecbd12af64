// The unit types a country may produce, and their orders.
#include "state/game_state.h"
#include "state/troop_sort.h"
#include "state/unit_type_sort.h"

#include <iterator>

std::vector<uint32_t> producibleUnitTypes(const GameState& state, int filter)
{
    std::vector<uint32_t> list;
    const ProductionTypeRecord* production = nullptr;
    if (filter) {
        production = state.productionType(productionTypeOfFilter(filter));
        if (!production)
            return list;
    }
    // The game thread runs from the start of play to its end; during play types from 10000 on
    // (the campaign's own) are left out of the unfiltered list.
    int limit = production || !state.handshake().playThread() ? kUnitTypeIdMapSize : 10000;
    for (int id = 0; id < limit; ++id) {
        if (!state.unitTypeIndex(id))
            continue;
        const UnitTypeRecord& type = state.unitTypeRecord(id);
        if (type.available != 1 || type.unitClass == kWarheadClass)
            continue;
        int number = type.id;
        if (production && !production->canProduce(number))
            continue;
        if (type.baseType != 0 && type.baseType <= number)
            continue;
        list.push_back(uint32_t(number));
    }
    return list;
}

void sortProducibleTypes(const GameState& state, int order, std::vector<uint32_t>& list)
{
    using Less = bool (*)(const GameState&, uint32_t, uint32_t);
    static constexpr Less orders[] = { unitTypeLessByClass, unitTypeLessByName, unitTypeLessBySecondKey,
        unitTypeLessByCost };
    if (order >= 0 && order < int(std::size(orders))) {
        const Less less = orders[order];
        sortTroopKeys(list, [&](uint32_t a, uint32_t b) { return less(state, a, b); });
        return;
    }
    // Any other order answers "less" for every pair, which the selection sort leaves as it is.
}
