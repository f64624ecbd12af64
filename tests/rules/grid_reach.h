// GridReach: a movement range read from a plain cost grid, for the scan tests.
#pragma once

#include "rules/reach_map.h"

#include <cstddef>
#include <vector>

namespace testing_rules {

class GridReach : public ReachMap {
public:
    // Every hex unreached until given a cost.
    GridReach(int width, int height, int limit, int domain = 3)
        : m_width(width)
        , m_costs(size_t(width * height), -1)
        , m_limit(limit)
        , m_domain(domain)
    {
    }

    void set(int x, int y, int cost) { m_costs[size_t(y * m_width + x)] = cost; }
    void fill(int cost)
    {
        for (int& c : m_costs)
            c = cost;
    }

    int costAt(int x, int y, int) const override
    {
        const size_t i = size_t(y * m_width + x);
        return x >= 0 && y >= 0 && x < m_width && i < m_costs.size() ? m_costs[i] : -1;
    }
    int secondLayerCostAt(int x, int y) const override { return costAt(x, y, -1); }
    int costLimit() const override { return m_limit; }
    int domain() const override { return m_domain; }
    bool isNextToEnemy(int, int) const override { return false; }
    bool isInterceptZone(int, int) const override { return false; }

private:
    int m_width;
    std::vector<int> m_costs;
    int m_limit;
    int m_domain;
};

} // namespace testing_rules
