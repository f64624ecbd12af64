// MoveRangeMap: entry costs from the terrain and buildings, and the exits of bridge-like hexes.
#include "rules/move_range.h"

#include "rules/area_layers.h"
#include "rules/open_sides.h"
#include "state/game_state.h"

namespace {

bool isWaterCode(int code) { return code == 29 || code == 30 || code == 39 || code == 40 || code == 49; }

} // namespace

void MoveRangeMap::buildTerrainCosts()
{
    for (int y = m_window.y; y < m_window.y + m_window.height; ++y)
        for (int x = m_window.x; x < m_window.x + m_window.width; ++x) {
            int cost;
            if (m_waterOnly)
                cost = isWaterCode(m_state.effectiveTerrainAt(x, y)) ? 1 : 0;
            else {
                cost = m_state.terrainValueAt(x, y, m_moveType);
                if (m_known && !testHexBit(*m_known, x, y))
                    cost = 0;
            }
            m_entryCosts[at(x, y)] = uint8_t(cost < 0 ? 0 : cost > 255 ? 255 : cost);
        }

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
                m_entryCosts[at(int(building.x), int(building.y))] = 0;
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
        if (terrain && terrain->kind == 20 && inWindow(x, y) && m_entryCosts[at(x, y)])
            m_exitDirs[at(x, y)] = uint8_t(buildingGraphicCode(m_state, building));
    }
    for (const ListedHex12& listed : m_state.listedHexes12()) {
        const int x = int(listed.x), y = int(listed.y);
        if (inWindow(x, y) && m_entryCosts[at(x, y)])
            m_exitDirs[at(x, y)] = uint8_t(hexGraphicCode(m_state, x, y));
    }
}
