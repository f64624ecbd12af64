// GameState start-up and shut-down, the mode switch and the small queries of the settings.
#include "state/game_state.h"

#include "lib/error.h"
#include "lib/profile.h"
#include "platform/kernel/host.h"
#include "state/application_link.h"
#include "state/data_path.h"
#include "state/game_state_services.h"
#include "state/master_text.h"

#include <algorithm>
#include <cstring>

namespace {

GameStateServices* g_services = nullptr;

constexpr int kDestroyedListBytes = 4200;
static_assert(kDestroyedUnitsPerCountry * sizeof(DestroyedUnitRecord) == kDestroyedListBytes);

} // namespace

void setGameStateServices(GameStateServices* services) { g_services = services; }

GameStateServices* gameStateServices() { return g_services; }

void GameState::startUp()
{
    // 1-2: the mode, asked once when the ini has none (not while the ini is set aside).
    if (readStoredMode() == 2 && g_services && !profileUsesDefaults())
        g_services->runStartModeDialog();
    m_mode = readModeFlag();
    applicationLink().setRestartRequested(false);
    m_started = true;

    // 3, 5, 7
    makeGameTables();
    if (g_services)
        m_areaAnalysis = g_services->createAreaAnalysis();

    // 4
    m_ruleBlock = RuleBlock {};
    m_scenario = ScenarioBlock {};
    m_mapHeader = MapHeader {};
    m_turnBlock = TurnBlock {};
    clearDistanceGrids();
    m_campaign = CampaignBlock {};
    m_briefingImage.reset();
    m_briefingImageSize = 0;
    m_newsImage.reset();
    m_newsImageSize = 0;

    std::fill_n(m_unitTypeIdMap.get(), kUnitTypeIdMapSize, uint16_t(0));
    std::fill_n(m_weaponIdMap.get(), kWeaponIdMapSize, uint16_t(0));
    m_weaponNames.clear();

    // 6
    m_endCheckFlags = 0;
    m_redrawSet.reset();

    // 10: a missing file has shown its warning and throws out of start-up.
    loadTerrainData();
    loadArmamentData(0);
    loadWeaponData(0);
    loadProductTypes();
    loadUserProductTypes();
    loadRuleFile();
    loadAnthemList();

    // 11
    if (g_services)
        m_battleUnitData = g_services->createBattleUnitData();

    // 14-17
    m_ruleBlock.lead = 0;
    readSettings(m_settings, isSimpleMode());
    m_settingsRead = true;
    m_modalIdle = 1;
    listMusicFiles();
}

void GameState::makeGameTables()
{
    // The grids hold the largest map, so a new map never reallocates them.
    m_terrainGrid = platform::makeZeroedTable<TerrainCell>(kGridHexes);
    m_unitGrid = platform::makeZeroedTable<UnitCell>(kGridHexes);
    m_markGrid = platform::makeZeroedTable<uint16_t>(kGridHexes);
    m_carryOver = platform::makeZeroedTable<UnitRecord>(kUnitTableSize);
    m_carryOverCount = 0;
    m_placeTable = platform::makeZeroedTable<PlaceRecord>(kPlaceRecordCount);
    m_unitTouches.touchAll();
    for (int side = 0; side < kSideCount; ++side) {
        m_unitTables[size_t(side)] = platform::makeZeroedTable<UnitRecord>(kUnitTableSize);
        m_unitCounts[size_t(side)] = 0;
    }
    for (int c = 0; c < kCountryCount; ++c) {
        m_missileTables[size_t(c)] = platform::makeZeroedTable<UnitRecord>(kUnitTableSize);
        m_missileCounts[size_t(c)] = 0;
        m_destroyedUnits[size_t(c)] = platform::makeZeroedTable<DestroyedUnitRecord>(kDestroyedUnitsPerCountry);
    }
}

void GameState::shutDown()
{
    // A game still running is stopped first: its thread reads the tables freed below.
    m_handshake.requestStopPlay();
    m_handshake.joinPlayThread();
    releaseSightMaps();
    releaseHistoryLog();
    if (!m_started)
        return;
    m_started = false;
    m_battleUnitData.reset();
    m_areaAnalysis.reset();
    m_briefingImage.reset();
    m_newsImage.reset();
    m_carryOver.reset();
    m_placeTable.reset();
    m_redrawSet.reset();
    m_terrainGrid.reset();
    m_unitGrid.reset();
    m_markGrid.reset();
    for (auto& table : m_unitTables)
        table.reset();
    for (auto& table : m_missileTables)
        table.reset();
    for (auto& list : m_destroyedUnits)
        list.reset();

    // Settings never read (start-up stopped early) are not written over the stored ones.
    if (m_settingsRead) {
        writeSettings(m_settings, isSimpleMode());
        if (applicationLink().restartRequested())
            writeSwitchedMode(isSimpleMode());
    }
    m_settingsRead = false;
}

void GameState::requestModeSwitch(int) { applicationLink().setRestartRequested(true); }

bool GameState::isPhaseHelpEnabled(int phase) const
{
    if (phase < 0 || phase >= int(std::size(kPhaseHelpKeys)))
        return false;
    return makeNamedValue(kPhaseHelpKeys[phase]).profileReadBool(true);
}

bool GameState::isHumanCountry(int country) const
{
    return country >= 0 && country < kCountryCount && m_countries[size_t(country)].controller == 1;
}
