// MoveRangeMap: set-up from a unit or from values, the cost flood and the per-hex queries.
#include "rules/move_range.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

void CoordQueue::push(uint32_t index, int cost)
{
    // A cost below the bucket being read cannot come from a cheapest-first flood; keep it anyway.
    cost = std::max(cost, m_cost);
    m_buckets[cost % kBuckets].push_back(index);
    ++m_pending;
}

uint32_t CoordQueue::pop(int& cost)
{
    for (;;) {
        std::vector<uint32_t>& bucket = m_buckets[m_cost % kBuckets];
        size_t& read = m_reads[m_cost % kBuckets];
        if (read < bucket.size()) {
            --m_pending;
            cost = m_cost;
            return bucket[read++];
        }
        bucket.clear();
        read = 0;
        ++m_cost;
    }
}

void CoordQueue::clear()
{
    for (int i = 0; i < kBuckets; ++i) {
        m_buckets[i].clear();
        m_reads[i] = 0;
    }
    m_pending = 0;
    m_cost = 0;
}

MoveRangeMap::MoveRangeMap(GameState& state)
    : m_state(state)
{
    reset();
}

MoveRangeMap::MoveRangeMap(GameState& state, int side, int index)
    : m_state(state)
{
    reset();
    m_side = side;
    m_unitIndex = index;
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit)
        return;
    const UnitTypeRecord& type = unit->type();
    m_startX = unit->x;
    m_startY = unit->y;
    m_moveType = type.movementType;
    m_domain = type.domain;
    m_targetClass = ::targetClass(type);
    m_carryClass = type.carryClass;
    m_interceptionCap = state.ruleSwitch(3) == 1 ? type.value48 : 0;
}

void MoveRangeMap::initFromValues(int side, int x, int y, int move_type, int domain)
{
    reset();
    m_side = side;
    m_startX = x;
    m_startY = y;
    m_moveType = move_type;
    m_domain = domain;
    m_targetClass = domain;
}

void MoveRangeMap::reset()
{
    release();
    m_side = 0;
    m_unitIndex = -1;
    m_costLimit = 0;
    m_moveType = 0;
    m_waterOnly = false;
    m_carryClass = 0;
    m_interceptionCap = 0;
    m_domain = 0;
    m_targetClass = 0;
    m_startX = m_startY = 0;
    m_buildUnitFlags = false;
    m_ignoreUnitsAtGoal = true;
    m_secondLayer = false;
    m_minesImpassable = false;
    m_goalX = m_goalY = -1;
    m_workingLimit = 0;
    m_known = nullptr;
}

void MoveRangeMap::release()
{
    m_entryCosts = {};
    m_flags = {};
    m_exitDirs = {};
    m_leave = {};
    m_costs[0] = {};
    m_costs[1] = {};
}

int MoveRangeMap::stackingClass() const { return m_state.unitSlotFor(m_domain); }

void MoveRangeMap::compute()
{
    m_width = m_state.mapWidth();
    m_height = m_state.mapHeight();
    const size_t hexes = size_t(m_width) * size_t(m_height);
    m_entryCosts.assign(hexes, 0);
    m_flags.assign(hexes, 0);
    m_exitDirs.assign(hexes, 0xFF);
    m_costs[0].clear();
    m_costs[1].clear();
    if (!onMap(m_startX, m_startY))
        return;
    m_flags[at(m_startX, m_startY)] |= kRangeStart;
    buildTerrainCosts();
    if (m_buildUnitFlags)
        buildUnitFlags();
    m_workingLimit = m_costLimit;
    if (m_secondLayer || m_minesImpassable)
        markKnownMines();
    buildLeaveMasks();
    flood(0);
    if (m_secondLayer)
        flood(1);
}

void MoveRangeMap::buildLeaveMasks()
{
    m_leave.assign(m_exitDirs.size(), 0);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const size_t i = at(x, y);
            if (!m_entryCosts[i] && !(m_flags[i] & kRangeStart))
                continue;
            uint8_t mask = 0;
            for (int d = 0; d < kHexDirections; ++d)
                if ((m_exitDirs[i] & (1 << d)) && m_state.canCrossHexSide(x, y, d))
                    mask |= uint8_t(1 << d);
            m_leave[i] = mask;
        }
}

void MoveRangeMap::flood(int layer)
{
    std::vector<int32_t>& costs = m_costs[layer];
    costs.assign(m_flags.size(), -1);
    m_queue.clear();
    const uint32_t start = uint32_t(at(m_startX, m_startY));
    costs[start] = 0;
    m_queue.push(start, 0);
    static constexpr int kOrder[kHexDirections] = { 0, 3, 5, 1, 4, 2 };
    while (!m_queue.empty()) {
        int cost = 0;
        const uint32_t i = m_queue.pop(cost);
        // An entry superseded by a cheaper push was expanded then.
        if (costs[i] != cost)
            continue;
        const int x = int(i % uint32_t(m_width));
        const int y = int(i / uint32_t(m_width));
        const uint8_t leave = m_leave[i];
        for (int d : kOrder) {
            if (!(leave & (1 << d)))
                continue;
            const HexPos n = hexNeighbour(x, y, d, m_width, m_height);
            if (!n.valid())
                continue;
            const uint32_t target = uint32_t(at(n.x, n.y));
            if (relax(target, cost, oppositeDirection(d), layer))
                m_queue.push(target, costs[target]);
        }
    }
    m_queue.clear();
}

bool MoveRangeMap::relax(uint32_t target, int cost, int entering_side, int layer)
{
    const uint32_t flags = m_flags[target];
    if (flags & kRangeEnemy) {
        if (m_state.ruleSwitch(17) != 1 || (flags & (kRangeEnemyClass << stackingClass())))
            return false;
    }
    if (layer == 1 && (flags & (kRangeInterceptZone | kRangeKnownMine)))
        return false;
    const int k = m_entryCosts[target];
    if (!(m_exitDirs[target] & (1 << entering_side)) || k == 0)
        return false;
    const int n = cost + k;
    if (n > m_workingLimit)
        return false;
    int32_t& held = m_costs[layer][target];
    if (held >= 0 && n >= held)
        return false;
    held = n;
    if (n >= m_workingLimit)
        return false;
    if (m_goalX >= 0 && target == at(m_goalX, m_goalY) && onMap(m_goalX, m_goalY))
        m_workingLimit = n;
    // A unit entering an enemy zone of control stops there.
    return !(flags & kRangeEnemyZoc);
}

int MoveRangeMap::costIn(int x, int y, int layer) const
{
    if (layer < 0 || layer > 1 || !onMap(x, y) || m_costs[layer].empty())
        return -1;
    return m_costs[layer][at(x, y)];
}

void MoveRangeMap::setCost(int x, int y, int layer, int cost)
{
    if (layer >= 0 && layer <= 1 && onMap(x, y) && !m_costs[layer].empty())
        m_costs[layer][at(x, y)] = cost;
}

int MoveRangeMap::costAt(int x, int y, int limit) const
{
    const int second = costIn(x, y, 1);
    if (second >= 0 && (limit == -1 || second <= limit))
        return second;
    return costIn(x, y, 0);
}

void MoveRangeMap::copyCosts(int32_t* buffer) const
{
    if (!m_costs[0].empty())
        std::copy(m_costs[0].begin(), m_costs[0].end(), buffer);
}

uint32_t MoveRangeMap::flagsAt(int x, int y) const
{
    return onMap(x, y) && !m_flags.empty() ? m_flags[at(x, y)] : 0;
}

void MoveRangeMap::setFlag(int x, int y, uint32_t bits)
{
    if (onMap(x, y) && !m_flags.empty())
        m_flags[at(x, y)] |= bits;
}

int MoveRangeMap::entryCost(int x, int y) const
{
    return onMap(x, y) && !m_entryCosts.empty() ? m_entryCosts[at(x, y)] : 0;
}

bool MoveRangeMap::hasUnitOfClass(int x, int y, int stacking_class) const
{
    const uint32_t any = (kRangeEnemyClass | kRangeOwnClass | kRangeAlliedClass) << stacking_class;
    return (flagsAt(x, y) & any) != 0;
}

uint8_t MoveRangeMap::exitDirs(int x, int y) const
{
    return onMap(x, y) && !m_exitDirs.empty() ? m_exitDirs[at(x, y)] : 0;
}

void MoveRangeMap::setExitDirs(int x, int y, uint8_t bits)
{
    if (onMap(x, y) && !m_exitDirs.empty())
        m_exitDirs[at(x, y)] = bits;
}

bool MoveRangeMap::canCrossSide(int x, int y, int direction) const { return m_state.canCrossHexSide(x, y, direction); }
