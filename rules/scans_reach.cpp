// The range scans' visits and finishes.
#include "rules/scans_reach.h"

#include "rules/reach_map.h"
#include "state/game_state.h"

#include <utility>

PlaceableHexScan::PlaceableHexScan(GameState& state, const ReachMap& range, int cost_limit)
    : HexScan(state)
    , m_range(range)
    , m_limit(cost_limit)
{
}

void PlaceableHexScan::begin()
{
    clearHits();
    m_hitRing = -1;
}

void PlaceableHexScan::visit(int x, int y)
{
    if (m_hitRing >= 0 && ring() > m_hitRing) {
        stop();
        return;
    }
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost < 0 || cost > m_limit || state().hexHasUnit(x, y, state().unitSlotFor(m_range.domain())))
        return;
    addHit(x, y, uint32_t(cost));
    m_hitRing = ring();
}

BestHexScan::BestHexScan(GameState& state, const ReachMap& range, BestCost mode)
    : HexScan(state)
    , m_range(range)
    , m_mode(mode)
{
}

void BestHexScan::begin()
{
    m_best = m_mode == BestCost::Lowest ? 10000 : -1;
    m_result = kNoHex;
}

void BestHexScan::visit(int x, int y)
{
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost < 0)
        return;
    if (m_mode == BestCost::Lowest ? cost < m_best : cost > m_best) {
        m_best = cost;
        m_result = { x, y };
    }
}

TwoMapBestHexScan::TwoMapBestHexScan(GameState& state, const ReachMap& a, const ReachMap& b)
    : HexScan(state)
    , m_a(a)
    , m_b(b)
{
}

void TwoMapBestHexScan::begin()
{
    m_bestA = m_bestB = 10000;
    m_foundRing = -1;
    m_result = kNoHex;
}

void TwoMapBestHexScan::visit(int x, int y)
{
    if (m_foundRing >= 0 && ring() > m_foundRing) {
        stop();
        return;
    }
    const int cost_b = reachCost(m_b, x, y, m_b.costLimit());
    const int cost_a = m_a.costAt(x, y, -1);
    if (cost_b < 0 || cost_a < 0)
        return;
    if (cost_a < m_bestA || (cost_a == m_bestA && cost_b < m_bestB)) {
        m_bestA = cost_a;
        m_bestB = cost_b;
        m_result = { x, y };
        m_foundRing = ring();
    }
}

ReachWithinCostHexScan::ReachWithinCostHexScan(GameState& state, const ReachMap& range, int cost_limit)
    : HexScan(state)
    , m_range(range)
    , m_limit(cost_limit)
{
}

void ReachWithinCostHexScan::visit(int x, int y)
{
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost >= 0 && cost <= m_limit)
        addHit(x, y, uint32_t(cost));
}

DropHexScan::DropHexScan(GameState& state, const ReachMap& range, int cost_limit)
    : HexScan(state)
    , m_range(range)
    , m_limit(cost_limit)
{
}

void DropHexScan::visit(int x, int y)
{
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost >= 0 && cost < m_limit && state().isDropHex(x, y))
        addHit(x, y, uint32_t(cost));
}

void DropHexScan::finish()
{
    auto& hits = mutableHits();
    const int n = int(hits.size());
    for (int i = 0; i < n; ++i) {
        const int r = state().random(0, n - 1);
        std::swap(hits[size_t(i)], hits[size_t(r)]);
    }
}
