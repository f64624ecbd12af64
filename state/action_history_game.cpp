// The GameState's own history log and sight maps: creation for the current map and release.
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

ActionHistoryLog& GameState::historyLog()
{
    if (!m_historyLog)
        m_historyLog = new ActionHistoryLog;
    return *m_historyLog;
}

void GameState::releaseHistoryLog()
{
    delete m_historyLog;
    m_historyLog = nullptr;
}

void GameState::recreateSightMaps(const SightRules& rules)
{
    releaseSightMaps();
    uint32_t width = m_mapHeader.width;
    uint32_t height = m_mapHeader.height;
    m_fogMap = new FogMap(width, height, rules);
    m_hexLayers = new CountryHexLayers(width, height, rules);
    m_hexMasks = new CountryHexMasks(width, height);
}

void GameState::releaseSightMaps()
{
    delete m_fogMap;
    m_fogMap = nullptr;
    delete m_hexLayers;
    m_hexLayers = nullptr;
    delete m_hexMasks;
    m_hexMasks = nullptr;
}
