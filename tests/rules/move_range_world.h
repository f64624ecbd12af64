// RangeWorld: a small started world whose terrain costs the movement-range tests choose.
#pragma once

#include "tests/state/small_world.h"

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

} // namespace testing_rules
