// UnitTiles: units filed by the block of hexes they stand in, to find those near a box quickly.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

class UnitTiles {
public:
    // Empties every block and sizes them for the map.
    void reset(int width, int height);
    void add(uint32_t unit, int x, int y) { m_tiles[tileOf(x, y)].push_back(unit); }
    // Takes out a unit filed at the hex; nothing when it is not there.
    void remove(uint32_t unit, int x, int y);
    // Calls visit(unit) for each unit filed in a block that meets the box, so also for some outside it.
    template <typename Visit> void forEachNear(int x0, int y0, int x1, int y1, Visit&& visit) const
    {
        const int c0 = clampColumn(x0), c1 = clampColumn(x1), r0 = clampRow(y0), r1 = clampRow(y1);
        if (x0 > x1 || y0 > y1)
            return;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                for (uint32_t unit : m_tiles[size_t(r) * size_t(m_columns) + size_t(c)])
                    visit(unit);
    }

private:
    static constexpr int kShift = 4;

    int clampColumn(int x) const { return std::clamp(x >> kShift, 0, m_columns - 1); }
    int clampRow(int y) const { return std::clamp(y >> kShift, 0, m_rows - 1); }
    size_t tileOf(int x, int y) const { return size_t(clampRow(y)) * size_t(m_columns) + size_t(clampColumn(x)); }

    int m_columns = 1;
    int m_rows = 1;
    std::vector<std::vector<uint32_t>> m_tiles = std::vector<std::vector<uint32_t>>(1);
};
