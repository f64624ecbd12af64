// Counts over the unit tables, the place table, briefing hexes and the victory-condition entries.
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <cstring>

namespace {

constexpr uint8_t kWatchBits = 0x07;

template <typename F>
int countUnits(const UnitRecord* table, F&& pick)
{
    int count = 0;
    for (int i = 0; table && i < kUnitTableSize; ++i)
        count += pick(table[i]);
    return count;
}

} // namespace

int GameState::liveUnitCount(int side) const
{
    if (side < 0 || side >= kSideCount)
        return 0;
    return countUnits(m_unitTables[size_t(side)].get(), [](const UnitRecord& u) { return unitExists(u) ? 1 : 0; });
}

int GameState::countUnitsInPlay(int side) const
{
    if (side < 0 || side >= kSideCount)
        return 0;
    return countUnits(m_unitTables[size_t(side)].get(), [](const UnitRecord& u) { return unitInPlay(u) ? 1 : 0; });
}

int GameState::memberCountInPlay(int side) const
{
    if (side < 0 || side >= kSideCount)
        return 0;
    return countUnits(m_unitTables[size_t(side)].get(), [](const UnitRecord& u) { return unitInPlay(u) ? strengthSlotCount(u) : 0; });
}

int GameState::playerUnitCount(int country) const
{
    if (country < 0 || country >= kCountryCount)
        return 200;
    // The stored length comes from files; the lists never walk past the table.
    return std::min<int>(m_countries[size_t(country)].unitListLength, kUnitTableSize);
}

bool GameState::hasFlaggedUnit(int country) const
{
    if (country < 0 || country >= kCountryCount)
        return false;
    return countUnits(m_unitTables[size_t(country)].get(),
               [](const UnitRecord& u) { return unitExists(u) && (u.watchBits & kWatchTransported) ? 1 : 0; })
        > 0;
}

int GameState::unitExperienceLevel(int side, int index) const
{
    const UnitRecord* unit = unitOf(side, index);
    return unit ? experienceLevel(*unit) : 0;
}

int GameState::usedRecordCount() const
{
    for (int i = kPlaceRecordCount - 1; m_placeTable && i >= 0; --i)
        if (m_placeTable[size_t(i)].used)
            return i + 1;
    return 0;
}

void GameState::clearRecordTable()
{
    if (m_placeTable)
        std::memset(m_placeTable.get(), 0, sizeof(PlaceRecord) * kPlaceRecordCount);
}

bool GameState::isPlaceUsed(int i) const
{
    return m_placeTable && i >= 0 && i < kPlaceRecordCount && m_placeTable[size_t(i)].used != 0;
}

int GameState::addPlaceRecord(const PlaceRecord& record)
{
    for (int i = 0; m_placeTable && i < kPlaceRecordCount; ++i) {
        if (!m_placeTable[size_t(i)].used) {
            m_placeTable[size_t(i)] = record;
            return i;
        }
    }
    return -1;
}

void GameState::collectBriefingHexes(std::vector<HexPos>& list) const
{
    int used = usedRecordCount();
    for (int i = 0; i < used; ++i) {
        const PlaceRecord& place = m_placeTable[size_t(i)];
        if (place.used && place.target)
            list.push_back({ place.x, place.y });
    }
    for (int side = 0; side < kSideCount; ++side) {
        const UnitRecord* table = m_unitTables[size_t(side)].get();
        for (int i = 0; table && i < kUnitTableSize; ++i)
            if (unitExists(table[i]) && (table[i].watchBits & kWatchBits))
                list.push_back({ table[i].x, table[i].y });
    }
}

void GameState::collectBriefingGoalHexes(std::vector<HexPos>& list) const
{
    for (int side = 0; side < kSideCount; ++side) {
        const UnitRecord* table = m_unitTables[size_t(side)].get();
        for (int i = 0; table && i < kUnitTableSize; ++i)
            if (unitExists(table[i]) && (table[i].watchBits & kWatchTransported))
                list.push_back({ table[i].goalX, table[i].goalY });
    }
}

void GameState::copyVictoryConditionsOut(uint8_t (&entries)[kCountryCount][5]) const
{
    for (int c = 0; c < kCountryCount; ++c)
        std::memcpy(entries[c], &m_countries[size_t(c)].victoryKind, 5);
}

void GameState::copyVictoryConditionsIn(const uint8_t (&entries)[kCountryCount][5])
{
    for (int c = 0; c < kCountryCount; ++c)
        std::memcpy(&m_countries[size_t(c)].victoryKind, entries[c], 5);
}

void GameState::pruneVictoryConditions(unsigned keep_mask)
{
    for (int c = 0; c < kCountryCount; ++c) {
        CountryRecord& country = m_countries[size_t(c)];
        if ((keep_mask >> c & 1) || !(country.victoryFlags & 1))
            continue;
        country.victoryFlags &= uint8_t(~1u);
        if (!hasFlaggedUnit(c))
            country.transportPercent = 0;
    }
}
