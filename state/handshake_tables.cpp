// GameState's per-game fields and tables that the start and the end of play reset.
#include "state/game_state.h"

#include "state/action_history.h"

#include <algorithm>

void GameState::resetPlayFields()
{
    m_carryOverNext = -1;
    for (DistanceGrids& grids : m_distanceGrids)
        grids.current = 0;
    m_redrawSet = std::make_unique<MapBitSet>(uint32_t(std::max(mapWidth(), 0)), uint32_t(std::max(mapHeight(), 0)));
    m_redrawSet->setAll();
}

void GameState::clearPlayTables()
{
    m_buildings.clear();
    if (m_placeTable)
        clearRecordTable();
    m_pillboxHexes.clear();
    m_temporaryBridgeHexes.clear();
    m_turnStats.clear();
    m_unitTouches.touchAll();
    for (int side = 0; side < kSideCount; ++side) {
        if (m_unitTables[size_t(side)])
            std::fill_n(m_unitTables[size_t(side)].get(), kUnitTableSize, UnitRecord {});
        m_unitCounts[size_t(side)] = 0;
    }
    for (int c = 0; c < kCountryCount; ++c) {
        if (m_missileTables[size_t(c)])
            std::fill_n(m_missileTables[size_t(c)].get(), kUnitTableSize, UnitRecord {});
        m_missileCounts[size_t(c)] = 0;
        if (m_destroyedUnits[size_t(c)])
            std::fill_n(m_destroyedUnits[size_t(c)].get(), kDestroyedUnitsPerCountry, DestroyedUnitRecord {});
    }
    m_redrawSet.reset();
    releaseSightMaps();
    clearDistanceGrids();
    if (m_historyLog)
        m_historyLog->clear();
}
