// Funds of the countries: spending with the money alarm, income with the ceiling, forces value.
#include "state/game_state.h"
#include "state/sound_codes.h"
#include "state/ui_hooks.h"
#include "state/unit_facts.h"

#include <algorithm>

uint32_t GameState::spendFunds(int country, uint32_t amount)
{
    if (country < 0 || country >= kCountryCount)
        return 0;
    CountryRecord& record = m_countries[size_t(country)];
    uint32_t before = record.funds;
    uint32_t taken = std::min(before, amount);
    record.funds = before - taken;
    record.fundsSpent += taken;

    int64_t alarm = m_settings.moneyAlarm;
    if (m_settings.playMoneyAlarm && m_turnBlock.currentCountry == country && isHumanCountry(country)
        && int64_t(before) >= alarm && int64_t(record.funds) < alarm) {
        if (StateUiHooks* hooks = stateUiHooks())
            hooks->playSound(sound_slot::kMoneyAlarm);
    }
    return record.funds;
}

uint32_t GameState::addFunds(int country, uint32_t amount)
{
    if (country < 0 || country >= kCountryCount)
        return 0;
    CountryRecord& record = m_countries[size_t(country)];
    // Summed wide so that a large income cannot wrap round past the ceiling.
    uint64_t sum = uint64_t(record.funds) + amount;
    record.funds = uint32_t(std::min<uint64_t>(sum, record.fundsCeiling));
    return record.funds;
}

uint32_t GameState::forcesValue(int country) const
{
    if (country < 0 || country >= kCountryCount || !m_unitTables[size_t(country)])
        return 0;
    uint32_t total = 0;
    const UnitRecord* table = m_unitTables[size_t(country)].get();
    for (int i = 0; i < kUnitTableSize; ++i) {
        if (unitState(table[i]) != 1)
            continue;
        if (const UnitTypeRecord* type = unitTypeOf(table[i]))
            total += uint32_t(type->members) * type->memberPrice;
    }
    return total;
}

BuildingRecord* GameState::building(int i)
{
    return i >= 0 && size_t(i) < m_buildings.size() ? &m_buildings[size_t(i)] : nullptr;
}

const BuildingRecord* GameState::buildingOnHex(int x, int y) const
{
    const UnitCell* cell = unitCellAt(x, y);
    return cell && cell->building ? building(int(cell->building) - 1) : nullptr;
}

int GameState::countOwnedBuildings(int country) const
{
    int count = 0;
    for (const BuildingRecord& b : m_buildings)
        count += b.ownerPlusOne == country + 1;
    return count;
}

int GameState::countBuildingsOf(int country) const
{
    if (m_mapHeader.buildingIncome != 1)
        return 0;
    int income = 0;
    for (const BuildingRecord& b : m_buildings) {
        if (b.ownerPlusOne != country + 1 || b.destroyed == 1 || b.type >= m_terrainTypes.size())
            continue;
        income += m_terrainTypes[b.type].income;
    }
    return income;
}
