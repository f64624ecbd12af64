// The threat grid: where each visible enemy can move and fire next turn, weighted by its strength.
#include "ai/area_analysis.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <queue>
#include <vector>

namespace {

// Scratch cost grid reset through the list of hexes it touched, so each unit costs only its reach.
class StrikeZone {
public:
    explicit StrikeZone(GameState& state)
        : m_state(state)
        , m_width(std::min(state.mapWidth(), kLayerStride))
        , m_height(std::min(state.mapHeight(), kLayerStride))
        , m_left(size_t(m_width) * size_t(std::max(m_height, 0)), -1)
    {
    }

    // Hexes the unit can enter with its move points, then every hex within its weapon reach of them.
    const std::vector<HexPos>& build(const UnitRecord& unit, const UnitTypeRecord& type, int reach)
    {
        for (const HexPos& p : m_touched)
            m_left[at(p.x, p.y)] = -1;
        m_touched.clear();
        if (unit.x >= m_width || unit.y >= m_height)
            return m_touched;
        using Entry = std::pair<int, uint32_t>;
        std::priority_queue<Entry> open;
        visit(unit.x, unit.y, unit.movePoints());
        open.push({ unit.movePoints(), packHex(unit.x, unit.y) });
        while (!open.empty()) {
            auto [left, packed] = open.top();
            open.pop();
            const HexPos p = unpackHex(packed);
            if (left < m_left[at(p.x, p.y)])
                continue;
            for (int d = 0; d < kHexDirections; ++d) {
                HexPos n = m_state.hexNeighbour(p.x, p.y, d);
                if (!inside(n))
                    continue;
                const int cost = m_state.terrainValueAt(n.x, n.y, type.movementType);
                if (cost <= 0 || cost > left || left - cost <= m_left[at(n.x, n.y)])
                    continue;
                visit(n.x, n.y, left - cost);
                open.push({ left - cost, packHex(n.x, n.y) });
            }
        }
        // Widen by the reach one ring at a time; the move points left no longer matter.
        size_t ring_start = 0;
        for (int r = 0; r < reach; ++r) {
            const size_t ring_end = m_touched.size();
            for (size_t i = ring_start; i < ring_end; ++i)
                for (int d = 0; d < kHexDirections; ++d) {
                    HexPos n = m_state.hexNeighbour(m_touched[i].x, m_touched[i].y, d);
                    if (inside(n) && m_left[at(n.x, n.y)] < 0)
                        visit(n.x, n.y, 0);
                }
            ring_start = ring_end;
        }
        return m_touched;
    }

private:
    bool inside(HexPos p) const { return p.valid() && p.x < m_width && p.y < m_height; }
    size_t at(int x, int y) const { return size_t(y) * size_t(m_width) + size_t(x); }
    void visit(int x, int y, int left)
    {
        int& slot = m_left[at(x, y)];
        if (slot < 0)
            m_touched.push_back({ x, y });
        slot = left;
    }

    GameState& m_state;
    int m_width;
    int m_height;
    std::vector<int> m_left;
    std::vector<HexPos> m_touched;
};

} // namespace

bool buildThreatGrid(GameState& state, int side, HexWordGrid& threat)
{
    threat.fill(0);
    bool aircraft = false;
    StrikeZone zone(state);
    for (int s = 0; s < kSideCount; ++s) {
        if (!state.isEnemy(side, s))
            continue;
        for (uint32_t i = 0; i < state.unitCount(s); ++i) {
            const UnitRecord* unit = state.unitOf(s, int(i));
            if (!unit || !unitInPlay(*unit) || !unit->isOnOwnHex() || !isUnitVisibleTo(state, side, s, int(i)))
                continue;
            const UnitTypeRecord* type = state.unitTypeOf(*unit);
            if (!type)
                continue;
            aircraft = aircraft || type->domain <= 2;
            if (!hasUsableDirectWeapon(state, *type))
                continue;
            const int weight = std::max(strengthTotal(*unit), 1);
            for (const HexPos& p : zone.build(*unit, *type, bestReachFor(state, *type, unit->modelIndex()))) {
                uint16_t& word = threat[size_t(p.x + kLayerStride * p.y)];
                word = uint16_t(std::min(int(word) + weight, 0xFFFF));
            }
        }
    }
    return aircraft;
}
