// The list windows' unit lists: kept here, sorted by the game's orders of state/.
#include "ui/list_orders.h"

#include "state/game_state.h"
#include "state/troop_sort.h"
#include "state/unit_type_sort.h"

#include <algorithm>

static_assert(ListOrders::kSides == kSideCount && ListOrders::kCountries == kCountryCount);

void ListOrders::restart(const GameState& game)
{
    for (int side = 0; side < kCountryCount; ++side)
        sortTroops(game, side, 0, 0);
    for (int c = 0; c < kCountryCount; ++c) {
        std::vector<uint32_t>& keys = m_destroyed[size_t(c)];
        keys.clear();
        for (uint32_t k = 0; k < uint32_t(kDestroyedUnitsPerCountry); ++k)
            keys.push_back(k << 16 | uint32_t(c));
    }
}

void ListOrders::sortTroops(const GameState& game, int side, int order, int reverse)
{
    if (side >= 0 && side < kSideCount)
        m_troops[size_t(side)] = sortedSideUnits(game, side, order, reverse);
}

const std::vector<uint32_t>& ListOrders::troops(int side) const
{
    static const std::vector<uint32_t> none;
    return side >= 0 && side < kSideCount ? m_troops[size_t(side)] : none;
}

void ListOrders::sortDestroyed(const GameState& game, int country)
{
    if (country >= 0 && country < kCountryCount)
        sortDestroyedUnitKeys(game, country, m_destroyedKey, m_destroyedReverse == 1, m_destroyed[size_t(country)]);
}

const std::vector<uint32_t>* ListOrders::destroyed(int country) const
{
    return country >= 0 && country < kCountryCount ? &m_destroyed[size_t(country)] : nullptr;
}

void ListOrders::buildProducible(const GameState& game, int filter)
{
    m_producibleFilter = filter;
    m_producible = producibleUnitTypes(game, filter);
}

void ListOrders::sortProducible(const GameState& game, int order, int reverse)
{
    if (reverse == 1) {
        std::reverse(m_producible.begin(), m_producible.end());
        return;
    }
    m_producibleOrder = order;
    sortProducibleTypes(game, order, m_producible);
}
