// RangeWorld: a small started world whose terrain costs the movement-range tests choose.
#pragma once

#include "tests/state/small_world.h"

#include <queue>
#include <random>
#include <vector>

namespace testing_rules {

class RangeWorld : public testing_state::SmallWorld {
public:
    static constexpr int kMoveType = 1;

    // Every hex of terrain(0), which costs 1; terrain(1..3) cost 2, 3 and 0 (impassable).
    RangeWorld(int width, int height)
        : SmallWorld(width, height)
    {
        const auto& types = state().terrainTypes();
        for (size_t i = 0; i < types.size() && m_terrains.size() < 4; ++i)
            if (types[i].kind < 11)
                m_terrains.push_back(int(i));
        const int costs[4] = { 1, 2, 3, 0 };
        for (size_t i = 0; i < m_terrains.size(); ++i)
            setCost(m_terrains[i], costs[i]);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                cell(x, y).terrain = uint8_t(m_terrains[0]);
    }

    int terrain(int i) const { return m_terrains[size_t(i)]; }
    void setCost(int terrain_type, int cost) { editTerrain(terrain_type).moveCost[kMoveType] = uint8_t(cost); }
    void setTerrain(int x, int y, int i) { cell(x, y).terrain = uint8_t(terrain(i)); }
    void randomTerrain(std::mt19937& random)
    {
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                setTerrain(x, y, int(random() % m_terrains.size()));
    }

private:
    std::vector<int> m_terrains;
};

// Dijkstra over the state's own terrain values and crossable sides, no units.
inline std::vector<int> referenceCosts(const GameState& state, int sx, int sy, int move_type, int limit)
{
    const int w = state.mapWidth(), h = state.mapHeight();
    std::vector<int> dist(size_t(w * h), -1);
    using Entry = std::pair<int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    dist[size_t(sy * w + sx)] = 0;
    open.push({ 0, sy * w + sx });
    while (!open.empty()) {
        auto [c, i] = open.top();
        open.pop();
        if (c != dist[size_t(i)] || c == limit)
            continue;
        for (int d = 0; d < 6; ++d) {
            HexPos n = hexNeighbour(i % w, i / w, d, w, h);
            if (!n.valid() || !state.canCrossHexSide(i % w, i / w, d))
                continue;
            int k = state.terrainValueAt(n.x, n.y, move_type);
            int& held = dist[size_t(n.y * w + n.x)];
            if (k > 0 && c + k <= limit && (held < 0 || c + k < held)) {
                held = c + k;
                open.push({ held, n.y * w + n.x });
            }
        }
    }
    return dist;
}

} // namespace testing_rules
