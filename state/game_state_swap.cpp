// GameState::swapGame: the game loaded traded with another state's, so a new game can be set up
// in fresh storage while the one it may replace waits untouched.
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include <utility>

void GameState::swapGame(GameState& other)
{
    using std::swap;
    swap(m_ruleBlock, other.m_ruleBlock);
    swap(m_campaign, other.m_campaign);
    swap(m_scenario, other.m_scenario);
    swap(m_mapHeader, other.m_mapHeader);
    swap(m_countries, other.m_countries);
    swap(m_unitCounts, other.m_unitCounts);
    swap(m_unitTables, other.m_unitTables);
    swap(m_missileCounts, other.m_missileCounts);
    swap(m_missileTables, other.m_missileTables);
    swap(m_destroyedUnits, other.m_destroyedUnits);
    swap(m_sideProductionTypes, other.m_sideProductionTypes);
    swap(m_turnBlock, other.m_turnBlock);
    swap(m_terrainGrid, other.m_terrainGrid);
    swap(m_unitGrid, other.m_unitGrid);
    swap(m_markGrid, other.m_markGrid);
    swap(m_gridCellsUsed, other.m_gridCellsUsed);
    swap(m_markRowBits, other.m_markRowBits);
    swap(m_buildings, other.m_buildings);
    swap(m_placeTable, other.m_placeTable);
    swap(m_sightRules, other.m_sightRules);
    swap(m_fogMap, other.m_fogMap);
    swap(m_hexLayers, other.m_hexLayers);
    swap(m_hexMasks, other.m_hexMasks);
    swap(m_pillboxHexes, other.m_pillboxHexes);
    swap(m_temporaryBridgeHexes, other.m_temporaryBridgeHexes);
    swap(m_neutralBlock, other.m_neutralBlock);
    swap(m_briefingImage, other.m_briefingImage);
    swap(m_briefingImageSize, other.m_briefingImageSize);
    swap(m_newsImage, other.m_newsImage);
    swap(m_newsImageSize, other.m_newsImageSize);
    swap(m_historyLog, other.m_historyLog);
    swap(m_randomPool, other.m_randomPool);
    swap(m_endCheckFlags, other.m_endCheckFlags);
    swap(m_distanceGrids, other.m_distanceGrids);
    // The rules engine's objects point at their own combat pair.
    swap(m_combatPair, other.m_combatPair);
    swap(m_extension, other.m_extension);
    swap(m_redrawSet, other.m_redrawSet);
    swap(m_carryOverNext, other.m_carryOverNext);
    swap(m_carryOver, other.m_carryOver);
    swap(m_carryOverCount, other.m_carryOverCount);
    swap(m_turnProgress, other.m_turnProgress);
    swap(m_turnStats, other.m_turnStats);
    swap(m_supplyLinesDirty, other.m_supplyLinesDirty);
    swap(m_savedView, other.m_savedView);
    swap(m_savePath, other.m_savePath);
    swap(m_command, other.m_command);
    swap(m_playCount, other.m_playCount);
    swap(m_savedPlayCount, other.m_savedPlayCount);
    m_unitTouches.touchAll();
    other.m_unitTouches.touchAll();
}
