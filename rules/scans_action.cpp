// The acting scans' visits.
#include "rules/scans_action.h"

#include "rules/area_layers.h"
#include "rules/reach_map.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

bool canAct(const GameState& state, int country, int index, int x, int y)
{
    const UnitRecord* unit = state.unitOf(country, index);
    return unit && unitExists(*unit) && unit->canActOnTerrain(x, y, country);
}

} // namespace

SharedReachHexScan::SharedReachHexScan(GameState& state, int country, int index, const ReachMap& a, const ReachMap& b)
    : HexScan(state)
    , m_country(country)
    , m_index(index)
    , m_a(a)
    , m_b(b)
{
}

void SharedReachHexScan::begin()
{
    m_bestCost = 10000;
    m_foundRing = -1;
    m_result = kNoHex;
}

void SharedReachHexScan::visit(int x, int y)
{
    if (m_foundRing >= 0 && ring() > m_foundRing) {
        stop();
        return;
    }
    const int cost = reachCost(m_a, x, y, m_a.costLimit());
    if (cost < 0 || cost >= m_bestCost || reachCost(m_b, x, y, m_b.costLimit()) < 0)
        return;
    if (!canAct(state(), m_country, m_index, x, y))
        return;
    m_bestCost = cost;
    m_result = { x, y };
    m_foundRing = ring();
}

AreaActionHexScan::AreaActionHexScan(GameState& state, int country, int index, const ReachMap& range, const HexBitLayer& area)
    : HexScan(state)
    , m_country(country)
    , m_index(index)
    , m_range(range)
    , m_area(area)
{
    setRingEndMode(true);
}

void AreaActionHexScan::begin()
{
    clearHits();
    m_foundRing = -1;
}

void AreaActionHexScan::visit(int x, int y)
{
    if (m_foundRing < 0)
        keepGoing();
    else if (ring() > m_foundRing) {
        stop();
        return;
    }
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost < 0 || !testHexBit(m_area, x, y) || !canAct(state(), m_country, m_index, x, y))
        return;
    addHit(x, y, uint32_t(cost));
    if (m_foundRing < 0)
        m_foundRing = ring();
}
