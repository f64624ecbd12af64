// The threat grid: where each visible enemy can move and fire next turn, weighted by its strength.
#include "ai/area_analysis.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// Scratch grid of move points left, reset through the list of hexes it touched, so each unit costs
// only its reach. Entry costs are read once per hex and movement type for all units.
// Sized to the map, every bit set (-1 in each element): cleared as bytes.
template <class T> void fillWithOnes(std::vector<T>& v, size_t size)
{
    v.resize(size);
    std::memset(v.data(), 0xFF, size * sizeof(T));
}

class StrikeZone {
public:
    explicit StrikeZone(GameState& state)
        : m_state(state)
        , m_width(std::min(state.mapWidth(), kLayerStride))
        , m_height(std::min(state.mapHeight(), kLayerStride))
    {
        fillWithOnes(m_left, size_t(m_width) * size_t(std::max(m_height, 0)));
    }

    // Hexes the unit can enter with its move points, then every hex within its weapon reach of them.
    const std::vector<HexPos>& build(const UnitRecord& unit, const UnitTypeRecord& type, int reach)
    {
        for (const HexPos& p : m_touched)
            m_left[at(p.x, p.y)] = -1;
        m_touched.clear();
        if (unit.x >= m_width || unit.y >= m_height)
            return m_touched;
        // The most points left first: every step costs at least one, so one bucket per points left,
        // and a hex keeps the most points any way there leaves it.
        const int points = unit.movePoints();
        if (m_buckets.size() < size_t(points) + 1)
            m_buckets.resize(size_t(points) + 1);
        for (int left = 0; left <= points; ++left)
            m_buckets[size_t(left)].clear();
        visit(unit.x, unit.y, points);
        m_buckets[size_t(points)].push_back({ int(unit.x), int(unit.y) });
        for (int left = points; left > 0; --left) {
            const std::vector<HexPos>& bucket = m_buckets[size_t(left)];
            for (size_t k = 0; k < bucket.size(); ++k) {
                const HexPos p = bucket[k];
                if (m_left[at(p.x, p.y)] != left)
                    continue;
                for (int d = 0; d < kHexDirections; ++d) {
                    const HexPos n = step(p, d);
                    if (!inside(n))
                        continue;
                    const int cost = entryCost(n, type.movementType);
                    if (cost <= 0 || cost > left || left - cost <= m_left[at(n.x, n.y)])
                        continue;
                    visit(n.x, n.y, left - cost);
                    m_buckets[size_t(left - cost)].push_back(n);
                }
            }
        }
        // Widen by the reach one ring at a time; the move points left no longer matter.
        size_t ring_start = 0;
        for (int r = 0; r < reach; ++r) {
            const size_t ring_end = m_touched.size();
            for (size_t i = ring_start; i < ring_end; ++i)
                for (int d = 0; d < kHexDirections; ++d) {
                    const HexPos n = step(m_touched[i], d);
                    if (inside(n) && m_left[at(n.x, n.y)] < 0)
                        visit(n.x, n.y, 0);
                }
            ring_start = ring_end;
        }
        return m_touched;
    }

private:
    // The neighbour in direction d, as hexNeighbour numbers them; possibly off the map.
    static HexPos step(HexPos p, int d)
    {
        const HexStep s = hexStep(p.y & 1, d);
        return { p.x + s.dx, p.y + s.dy };
    }
    bool inside(HexPos p) const { return p.x >= 0 && p.y >= 0 && p.x < m_width && p.y < m_height; }
    size_t at(int x, int y) const { return size_t(y) * size_t(m_width) + size_t(x); }
    void visit(int x, int y, int left)
    {
        int& slot = m_left[at(x, y)];
        if (slot < 0)
            m_touched.push_back({ x, y });
        slot = left;
    }
    int entryCost(HexPos p, int move_type)
    {
        if (move_type < 0 || move_type >= kMovementTypeCount)
            return 0;
        std::vector<int16_t>& costs = m_costs[size_t(move_type)];
        if (costs.empty())
            fillWithOnes(costs, m_left.size());
        int16_t& cost = costs[at(p.x, p.y)];
        if (cost == kUnread)
            cost = int16_t(m_state.terrainValueAt(p.x, p.y, move_type));
        return cost;
    }

    // Costs are 0..255; an unread hex holds all ones, so a cost table is cleared as bytes.
    static constexpr int16_t kUnread = -1;

    GameState& m_state;
    int m_width;
    int m_height;
    std::vector<int> m_left;
    std::vector<HexPos> m_touched;
    std::vector<std::vector<HexPos>> m_buckets;
    std::array<std::vector<int16_t>, kMovementTypeCount> m_costs;
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
