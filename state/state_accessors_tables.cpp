// Accessors of the rule slots, the pillbox and temporary-bridge tables and the sides' production types.
#include "state/game_state.h"

void GameState::setRuleSlot(int slot, const RuleSlot& source)
{
    if (slot < 0 || slot >= kRuleSlotCount)
        return;
    m_ruleSlots[size_t(slot)] = source;
}

const PillboxHex* GameState::pillboxHex(int i) const
{
    return i >= 0 && size_t(i) < m_pillboxHexes.size() ? &m_pillboxHexes[size_t(i)] : nullptr;
}

const TemporaryBridgeHex* GameState::temporaryBridgeHex(int i) const
{
    return i >= 0 && size_t(i) < m_temporaryBridgeHexes.size() ? &m_temporaryBridgeHexes[size_t(i)] : nullptr;
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
