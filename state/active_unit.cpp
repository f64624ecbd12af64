// The next-unit command: finding the current country's next unit that may still act.
#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/ui_hooks.h"
#include "state/unit_facts.h"

namespace {

constexpr uint16_t kAwaitingProduction = 0x40;

bool mayAct(const GameState& state, int country, int index, const UnitRecord& unit)
{
    if (!unitInPlay(unit) || (unit.flags & kAwaitingProduction))
        return false;
    StateRulesHooks* hooks = stateRulesHooks();
    return hooks && hooks->canUnitLand(state, country, index, 0);
}

} // namespace

void GameState::selectNextActiveUnit()
{
    int country = m_turnBlock.currentCountry;
    if (country < 0 || country >= kCountryCount || !m_unitTables[size_t(country)])
        return;
    const UnitRecord* table = m_unitTables[size_t(country)].get();
    int start = m_unitSelection[0];
    for (int step = 1; step <= kUnitTableSize; ++step) {
        int index = ((start < 0 ? -1 : start) + step) % kUnitTableSize;
        const UnitRecord& unit = table[index];
        if (!mayAct(*this, country, index, unit))
            continue;
        m_unitSelection[0] = index;
        if (StateUiHooks* hooks = stateUiHooks()) {
            hooks->blinkHex(unit.x, unit.y);
            hooks->postPanelCommand(uint32_t(country) | uint32_t(index) << 16);
            hooks->postPanelHexInfo(unit.x, unit.y);
            hooks->setPanelValue(1);
        }
        return;
    }
}

bool GameState::anyUnitCanAct() const
{
    int country = m_turnBlock.currentCountry;
    if (country < 0 || country >= kCountryCount || !m_unitTables[size_t(country)])
        return false;
    const UnitRecord* table = m_unitTables[size_t(country)].get();
    for (int index = 0; index < kUnitTableSize; ++index)
        if (table[index].hasAutoRoute == 1 && mayAct(*this, country, index, table[index]))
            return true;
    return false;
}
