// The list of unit types a country may produce, and its orders.
#include "state/game_state.h"
#include "state/troop_sort.h"
#include "state/unit_type_sort.h"

#include <algorithm>
#include <iterator>

void GameState::buildProducibleList(int filter)
{
    m_producibleList.clear();
    m_producibleFilter = uint32_t(filter);
    const ProductionTypeRecord* production = nullptr;
    if (filter) {
        production = productionType(productionTypeOfFilter(filter));
        if (!production)
            return;
    }
    // The game thread runs from the start of play to its end; during play types from 10000 on
    // (the campaign's own) are left out of the unfiltered list.
    int limit = production || !m_handshake.playThread() ? kUnitTypeIdMapSize : 10000;
    for (int id = 0; id < limit; ++id) {
        if (!unitTypeIndex(id))
            continue;
        const UnitTypeRecord& type = unitTypeRecord(id);
        if (type.available != 1 || type.unitClass == kWarheadClass)
            continue;
        int number = type.id;
        if (production && !production->canProduce(number))
            continue;
        if (type.baseType != 0 && type.baseType <= number)
            continue;
        m_producibleList.push_back(uint32_t(number));
    }
}

void GameState::reverseProducibleList(int order, int reverse)
{
    if (reverse == 1) {
        std::reverse(m_producibleList.begin(), m_producibleList.end());
        return;
    }
    m_producibleOrder = uint32_t(order);
    using Less = bool (*)(const GameState&, uint32_t, uint32_t);
    static constexpr Less orders[] = { unitTypeLessByClass, unitTypeLessByName, unitTypeLessBySecondKey,
        unitTypeLessByCost };
    if (order >= 0 && order < int(std::size(orders))) {
        const Less less = orders[order];
        sortTroopKeys(m_producibleList, [&](uint32_t a, uint32_t b) { return less(*this, a, b); });
        return;
    }
    // Any other order answers "less" for every pair, which the selection sort leaves as it is.
}
