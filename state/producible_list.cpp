// The list of unit types a country may produce, and its orders.
#include "state/game_state.h"
#include "state/troop_sort.h"

#include <algorithm>
#include <cstring>

void GameState::buildProducibleList(int filter)
{
    m_producibleList.clear();
    m_producibleFilter = uint32_t(filter);
    const ProductionTypeRecord* production = nullptr;
    if (filter) {
        production = productionType(filter < kFirstUserProductionType ? filter - 1 : filter);
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
    auto type = [&](uint32_t id) -> const UnitTypeRecord* { return unitTypeIndex(int(id)) ? &unitTypeRecord(int(id)) : nullptr; };
    sortTroopKeys(m_producibleList, [&](uint32_t a, uint32_t b) {
        const UnitTypeRecord* ta = type(a);
        const UnitTypeRecord* tb = type(b);
        if (!ta || !tb)
            return ta && !tb;
        switch (order) {
        case 0:
            return ta->unitClass != tb->unitClass ? ta->unitClass < tb->unitClass : a < b;
        case 1:
            return std::strncmp(ta->name, tb->name, sizeof ta->name) < 0;
        case 2:
            return ta->members != tb->members ? ta->members < tb->members : a < b;
        case 3: {
            uint64_t ca = uint64_t(ta->members) * ta->memberPrice;
            uint64_t cb = uint64_t(tb->members) * tb->memberPrice;
            return ca != cb ? ca < cb : a < b;
        }
        default:
            return true;
        }
    });
}
