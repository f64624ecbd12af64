// GameState's turn statistics and the computer turn's progress count.
#include "state/game_state.h"

#include "state/unit_facts.h"

#include <algorithm>

void GameState::appendTurnStats(const TurnStatsRecord& record) { m_turnStats.push_back(record); }

TurnStatsRecord* GameState::turnStatsAt(size_t i) { return i < m_turnStats.size() ? &m_turnStats[i] : nullptr; }

TurnStatsEntry* GameState::lastStatsEntry(int country)
{
    if (m_turnStats.empty() || country < 0 || country >= kCountryCount)
        return nullptr;
    return &m_turnStats.back().country[country];
}

static uint32_t buildingIncome(const std::vector<TerrainRecord>& types, int building_type)
{
    return building_type >= 0 && size_t(building_type) < types.size() ? types[size_t(building_type)].income : 0;
}

void GameState::statsAddIncome(int owner_plus_one, int building_type)
{
    if (owner_plus_one == 0)
        return;
    if (TurnStatsEntry* entry = lastStatsEntry(owner_plus_one - 1))
        entry->income += buildingIncome(m_terrainTypes, building_type);
}

void GameState::statsSubtractIncome(int owner_plus_one, int building_type)
{
    if (owner_plus_one == 0)
        return;
    if (TurnStatsEntry* entry = lastStatsEntry(owner_plus_one - 1))
        entry->income -= buildingIncome(m_terrainTypes, building_type);
}

void GameState::statsAddDamageDealt(int country, uint32_t amount)
{
    if (TurnStatsEntry* entry = lastStatsEntry(country))
        entry->damageDealt += amount;
}

void GameState::statsAddDamageTaken(int country, int unit_type, uint32_t damage, uint32_t members_lost)
{
    TurnStatsEntry* entry = lastStatsEntry(country);
    if (!entry)
        return;
    entry->damageTaken += damage;
    if (int index = unitTypeIndex(unit_type)) {
        const UnitTypeRecord& type = m_unitTypes[size_t(index - 1)];
        // Widened: a dear type's members times its price overflows 32 bits.
        entry->valueLost += uint32_t(uint64_t(type.members) * type.memberPrice * members_lost / 10);
    }
}

void GameState::computeTurnStats()
{
    if (m_turnStats.empty())
        return;
    // Called at every turn's end and at the game's end however it came: the last point of each
    // graph is the board as it was left, as the country table shows it.
    for (int c = 0; c < kCountryCount; ++c) {
        TurnStatsEntry& entry = m_turnStats.back().country[c];
        const bool taking_part = m_countries[size_t(c)].takesPart();
        entry.threadValue = taking_part ? uint32_t(countOwnedBuildings(c)) : 0;
        entry.income = taking_part ? uint32_t(countBuildingsOf(c)) : 0;
        entry.unitCount = taking_part ? uint32_t(liveUnitCount(c)) : 0;
        entry.forces = taking_part ? forcesValue(c) : 0;
    }
}

void GameState::startTurnProgress(int country)
{
    m_turnProgress = TurnProgress {};
    if (country < 0 || country >= kCountryCount || !m_unitTables[size_t(country)])
        return;
    m_turnProgress.total = uint32_t(liveUnitCount(country));
    const UnitRecord* table = m_unitTables[size_t(country)].get();
    for (int i = 0; i < kUnitTableSize; ++i) {
        const UnitRecord& unit = table[i];
        if (unitInPlay(unit) && !unit.hasFlag(kUnitAwaitingProduction) && unit.hasFlag(kUnitActed))
            ++m_turnProgress.done;
    }
}

int GameState::advanceTurnProgress()
{
    // Nothing to measure against: no step is counted.
    if (m_turnProgress.total == 0)
        return -1;
    ++m_turnProgress.done;
    uint32_t percent = std::min<uint32_t>(uint32_t(uint64_t(m_turnProgress.done) * 100 / m_turnProgress.total), 100);
    if (percent < m_turnProgress.lastReported + 4)
        return -1;
    m_turnProgress.lastReported = percent;
    return int(percent);
}
