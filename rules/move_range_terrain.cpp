// MoveRangeMap: what the window's cells say (entry costs, closed sides, turn interceptions, known mines),
// the buildings' closures and the exits of bridge-like hexes.
#include "rules/move_range.h"

#include "rules/area_layers.h"
#include "rules/open_sides.h"
#include "state/game_state.h"
#include "state/hex_terrain_rules.h"

#include <algorithm>

namespace {

bool isWaterCode(int code) { return code == 29 || code == 30 || code == 39 || code == 40 || code == 49; }

// Entry cost of each terrain type for the range's move type, plain and under a road, clamped to a
// byte: one look-up a hex instead of the type record's.
struct EntryCostTable {
    uint8_t plain[256];
    uint8_t road[256];
    // The river substitutes (kinds 1, 2, other), plain and under a road.
    uint8_t substitute[3][2];

    EntryCostTable(const GameState& state, int move_type, bool water_only)
    {
        const std::vector<TerrainRecord>& types = state.terrainTypes();
        const TerrainRoles& roles = state.terrainRoles();
        const bool road_known = size_t(roles.road) < types.size();
        auto cost = [&](int type, bool overlay) -> uint8_t {
            if (water_only)
                return isWaterCode(type) ? 1 : 0;
            if (type < 0 || size_t(type) >= types.size() || move_type < 0 || move_type >= kMovementTypeCount)
                return 0;
            const TerrainRecord& terrain = types[size_t(type)];
            const int own = terrain.moveCost[move_type];
            if (!overlay || terrain.kind >= kTerrainBuilding || !road_known)
                return uint8_t(own);
            return uint8_t(costWithRoad(own, types[size_t(roles.road)].moveCost[move_type]));
        };
        // Types beyond the table cost nothing (water-only looks at the codes alone), so a small range
        // does not pay for 256 of them.
        const int known = water_only ? 256 : int(std::min<size_t>(types.size(), 256));
        for (int t = 0; t < known; ++t) {
            plain[t] = cost(t, false);
            road[t] = cost(t, true);
        }
        std::fill(plain + known, plain + 256, uint8_t(0));
        std::fill(road + known, road + 256, uint8_t(0));
        const int rivers[3] = { roles.deepRiver, roles.frozenRiver, roles.river };
        for (int k = 0; k < 3; ++k)
            for (int overlay = 0; overlay < 2; ++overlay)
                substitute[k][overlay] = cost(rivers[k], overlay != 0);
    }

    uint8_t at(const TerrainCell& cell) const
    {
        if (!cell.hasSubstitute())
            return cell.overlay ? road[cell.terrain] : plain[cell.terrain];
        const unsigned kind = cell.substituteKind();
        return substitute[kind == 1 ? 0 : kind == 2 ? 1 : 2][cell.overlay ? 1 : 0];
    }
};

} // namespace

void MoveRangeMap::readTerrainCells()
{
    const int w = m_window.width, h = m_window.height;
    m_buf.closed.assign(size_t(w) * size_t(h), 0);
    m_buf.mines.clear();
    m_anyClosed = false;
    const TerrainCell* const grid = m_state.terrainGrid();
    const UnitCell* const units = m_state.unitGrid();
    if (!grid)
        return;
    const EntryCostTable table(m_state, m_moveType, m_waterOnly);
    const HexBitLayer* const known = m_waterOnly ? nullptr : m_known;
    const bool intercepts = m_buildUnitFlags && m_domain >= 0 && m_domain < kDomainCount;
    const unsigned intercept_bit = intercepts ? 1u << m_domain : 0;
    // The mine kind that stops this domain, when the range looks for known mines at all.
    int mine_kind = m_domain == 3 ? 1 : m_domain == 4 ? 2 : 0;
    if (!(m_secondLayer || m_minesImpassable) || m_side < 0 || m_side >= kCountryCount)
        mine_kind = 0;
    const unsigned mine_known = mine_kind ? 1u << m_side : 0;
    bool any_closed = false;
    for (int y = 0; y < h; ++y) {
        const size_t row = size_t(m_window.y + y) * size_t(m_width) + size_t(m_window.x);
        const TerrainCell* const cells = grid + row;
        const UnitCell* const unit_cells = units ? units + row : nullptr;
        const size_t first = size_t(y) * size_t(w);
        uint8_t* const entry = m_buf.entryCosts.data() + first;
        uint32_t* const flags = m_buf.flags.data() + first;
        uint8_t* const closed = m_buf.closed.data() + first;
        for (int x = 0; x < w; ++x) {
            const TerrainCell& cell = cells[x];
            uint8_t cost = table.at(cell);
            if (known && !testHexBit(*known, m_window.x + x, m_window.y + y))
                cost = 0;
            entry[x] = cost;
            if (unit_cells) {
                closed[x] = closedSidesOf(cell, unit_cells[x]);
                any_closed |= closed[x] != 0;
            }
            if ((cell.turnMarks[0] | cell.turnMarks[1]) & intercept_bit)
                flags[x] |= kRangeInterceptZone;
            if (mine_kind && cell.mineKind == mine_kind && (cell.mineKnownMask & mine_known)) {
                flags[x] |= kRangeKnownMine;
                m_buf.mines.push_back(uint32_t(first + size_t(x)));
            }
        }
    }
    m_anyClosed = any_closed;
}

void MoveRangeMap::buildTerrainCosts()
{
    readTerrainCells();
    const UnitRecord* unit = m_unitIndex >= 0 ? m_state.unitOf(m_side, m_unitIndex) : nullptr;
    if (unit) {
        const bool vehicle = m_domain == 3 && movementGroup(unit->type().movementType) != 3;
        const bool ship = m_domain == 4 || m_domain == 5;
        for (size_t b = 0; (vehicle || ship) && b < m_state.buildingCount(); ++b) {
            const BuildingRecord& building = m_state.buildingAt(b);
            const TerrainRecord* terrain = building.terrain();
            if (!terrain || !inWindow(int(building.x), int(building.y)))
                continue;
            const bool destroyed = !building.isIntact();
            const bool foreign = building.ownerPlusOne != 0 && !m_state.isAllied(m_side, building.owner());
            bool closed = false;
            if (terrain->kind == 20)
                closed = vehicle ? destroyed || foreign : foreign;
            else if (terrain->kind == 25 || terrain->kind == 26)
                closed = vehicle && destroyed;
            if (closed)
                m_buf.entryCosts[at(int(building.x), int(building.y))] = 0;
        }
    }
    if (m_domain == 3)
        buildExitDirections();
}

void MoveRangeMap::buildExitDirections()
{
    for (size_t b = 0; b < m_state.buildingCount(); ++b) {
        const BuildingRecord& building = m_state.buildingAt(b);
        const TerrainRecord* terrain = building.terrain();
        const int x = int(building.x), y = int(building.y);
        if (terrain && terrain->kind == 20 && inWindow(x, y) && m_buf.entryCosts[at(x, y)])
            m_buf.exitDirs[at(x, y)] = uint8_t(buildingGraphicCode(m_state, building));
    }
    for (const TemporaryBridgeHex& listed : m_state.temporaryBridgeHexes()) {
        const int x = int(listed.x), y = int(listed.y);
        if (inWindow(x, y) && m_buf.entryCosts[at(x, y)])
            m_buf.exitDirs[at(x, y)] = uint8_t(hexGraphicCode(m_state, x, y));
    }
}
