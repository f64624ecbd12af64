// The GameState's own history log and sight maps, and the views of the game they read.
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/sight_maps.h"

#include <cstring>

namespace {

// Rule 4 and the alliances of the game.
class GameStateSightRules : public SightRules {
public:
    explicit GameStateSightRules(const GameState& state) : m_state(state) { }
    bool layeredSight() const override { return m_state.ruleOn(kRuleSightLayers); }
    uint16_t allianceMaskOf(int side) const override { return uint16_t(m_state.allianceMaskOf(side)); }
    bool isAllied(int a, int b) const override { return m_state.isAllied(a, b); }

private:
    const GameState& m_state;
};

} // namespace

int GameStateHistoryWorld::currentTurn() const { return m_state.turnBlock().turn; }
int GameStateHistoryWorld::viewingCountry() const { return m_state.turnBlock().viewer(); }
const UnitRecord* GameStateHistoryWorld::unit(int code, int index) const { return m_state.unitOf(code, index); }

const UnitTypeRecord* GameStateHistoryWorld::unitType(int id) const
{
    return m_state.unitTypeIndex(id) ? &m_state.unitTypeRecord(id) : nullptr;
}

bool GameStateHistoryWorld::isCountryPlaying(int country) const
{
    return m_state.countryTakesPart(country);
}

// Without rules hooks every unit counts as visible, as for the other state queries.
bool GameStateHistoryWorld::isUnitVisibleTo(int viewer, int code, int index) const
{
    StateRulesHooks* hooks = stateRulesHooks();
    return !hooks || hooks->isUnitVisibleTo(m_state, code, index, viewer);
}

bool GameStateHistoryWorld::isHexVisibleTo(int viewer, int code, int index, int x, int y) const
{
    StateRulesHooks* hooks = stateRulesHooks();
    return !hooks || hooks->isHexVisibleTo(m_state, code, index, viewer, x, y);
}

const BuildingRecord* GameStateHistoryWorld::building(int index) const { return m_state.building(index); }

const BuildingRecord* GameStateHistoryWorld::buildingAt(int x, int y) const
{
    for (const BuildingRecord& b : m_state.buildings())
        if (b.x == uint32_t(x) && b.y == uint32_t(y))
            return &b;
    return nullptr;
}

int GameStateHistoryWorld::terrainTypeAt(int x, int y) const { return m_state.effectiveTerrainAt(x, y); }

std::string GameStateHistoryWorld::terrainName(int type) const
{
    const auto& types = m_state.terrainTypes();
    if (type < 0 || size_t(type) >= types.size())
        return {};
    const char* name = types[size_t(type)].name;
    return std::string(name, strnlen(name, sizeof(types[0].name)));
}

ActionHistoryLog& GameState::historyLog()
{
    if (!m_historyLog)
        m_historyLog = std::make_unique<ActionHistoryLog>(std::make_unique<GameStateHistoryWorld>(*this));
    return *m_historyLog;
}

uint32_t GameState::historyCount() { return historyLog().count(); }

const HistoryRecord* GameState::historyRecord(uint32_t i)
{
    ActionHistoryLog& log = historyLog();
    return i < log.count() ? &log.record(i) : nullptr;
}

void GameState::releaseHistoryLog() { m_historyLog.reset(); }

void GameState::recreateSightMaps()
{
    releaseSightMaps();
    m_sightRules = std::make_unique<GameStateSightRules>(*this);
    uint32_t width = m_mapHeader.width;
    uint32_t height = m_mapHeader.height;
    m_fogMap = std::make_unique<FogMap>(width, height, *m_sightRules);
    m_hexLayers = std::make_unique<CountryHexLayers>(width, height, *m_sightRules);
    m_hexMasks = std::make_unique<CountryHexMasks>(width, height);
}

void GameState::releaseSightMaps()
{
    // The maps first: they hold the rules.
    m_fogMap.reset();
    m_hexLayers.reset();
    m_hexMasks.reset();
    m_sightRules.reset();
}
