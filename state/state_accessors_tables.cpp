// Accessors of the rule slots, the listed-hex tables and the sides' production types.
#include "state/game_state.h"

void GameState::setRuleSlot(int slot, const RuleSlot& source)
{
    if (slot < 0 || slot >= kRuleSlotCount)
        return;
    m_ruleSlots[size_t(slot)] = source;
}

const ListedHex10* GameState::tenByteRecord(int i) const
{
    return i >= 0 && size_t(i) < m_listedHexes10.size() ? &m_listedHexes10[size_t(i)] : nullptr;
}

const ListedHex12* GameState::twelveByteRecord(int i) const
{
    return i >= 0 && size_t(i) < m_listedHexes12.size() ? &m_listedHexes12[size_t(i)] : nullptr;
}

const ProductionTypeRecord* GameState::sideProductionType(int country) const
{
    return country >= 0 && country < kCountryCount ? &m_sideProductionTypes[size_t(country)] : nullptr;
}

void GameState::setSideProductionType(int country, const ProductionTypeRecord& record)
{
    if (country >= 0 && country < kCountryCount)
        m_sideProductionTypes[size_t(country)] = record;
}
