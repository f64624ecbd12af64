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
    // The second layer equals the first until a test gives it costs of its own.
    int secondLayerCostAt(int x, int y) const override
    {
        if (m_second.empty())
            return costAt(x, y, -1);
        const size_t i = size_t(y * m_width + x);
        return x >= 0 && y >= 0 && x < m_width && i < m_second.size() ? m_second[i] : -1;
    }
    int costLimit() const override { return m_limit; }
    int domain() const override { return m_domain; }
    bool isNextToEnemy(int x, int y) const override { return marked(m_nextToEnemy, x, y); }
    bool isInterceptZone(int x, int y) const override { return marked(m_intercept, x, y); }
    bool isLandingPlace(int x, int y) const override { return marked(m_landing, x, y); }
    void setSecond(int x, int y, int cost)
    {
        m_second.resize(m_costs.size(), -1);
        m_second[size_t(y * m_width + x)] = cost;
    }
    void markIntercept(int x, int y) { mark(m_intercept, x, y); }
    void markLanding(int x, int y) { mark(m_landing, x, y); }
    void markNextToEnemy(int x, int y) { mark(m_nextToEnemy, x, y); }

private:
    bool marked(const std::vector<bool>& set, int x, int y) const
    {
        const size_t i = size_t(y * m_width + x);
        return x >= 0 && y >= 0 && x < m_width && i < set.size() && set[i];
    }
    void mark(std::vector<bool>& set, int x, int y)
    {
        set.resize(m_costs.size(), false);
        set[size_t(y * m_width + x)] = true;
    }

    int m_width;
    std::vector<int> m_costs;
    int m_limit;
    int m_domain;
    std::vector<int> m_second;
    std::vector<bool> m_intercept;
    std::vector<bool> m_landing;
    std::vector<bool> m_nextToEnemy;
};

} // namespace testing_rules
