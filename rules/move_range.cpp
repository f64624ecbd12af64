// MoveRangeMap: set-up from a unit or from values, the cost flood and the per-hex queries.
#include "rules/move_range.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

// Hexes beyond the limit that a range still answers for itself: the neighbours of its last hexes.
constexpr int kWindowMargin = 2;

struct Step {
    int dx, dy;
};
// The six directions' steps on even rows and on odd rows (odd rows are shifted right).
constexpr Step kSteps[2][kHexDirections] = {
    { { -1, 0 }, { -1, 1 }, { 0, 1 }, { 1, 0 }, { 0, -1 }, { -1, -1 } },
    { { -1, 0 }, { 0, 1 }, { 1, 1 }, { 1, 0 }, { 1, -1 }, { 0, -1 } },
};

} // namespace

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
    m_gates = {};
    m_costs[0] = {};
    m_costs[1] = {};
    m_window = {};
    m_startOnMap = false;
}

int MoveRangeMap::stackingClass() const { return m_state.unitSlotFor(m_domain); }

void MoveRangeMap::compute()
{
    m_width = m_state.mapWidth();
    m_height = m_state.mapHeight();
    m_costs[0].clear();
    m_costs[1].clear();
    m_builtStart = { m_startX, m_startY };
    m_builtGoal = { m_goalX, m_goalY };
    m_startOnMap = onMap(m_startX, m_startY);
    if (m_startOnMap) {
        const int reach = std::clamp(m_costLimit, 0, std::max(m_width, m_height)) + kWindowMargin;
        m_window.x = std::max(0, m_startX - reach);
        m_window.y = std::max(0, m_startY - reach);
        m_window.width = std::min(m_width - 1, m_startX + reach) - m_window.x + 1;
        m_window.height = std::min(m_height - 1, m_startY + reach) - m_window.y + 1;
    } else {
        m_window = { 0, 0, m_width, m_height };
    }
    const size_t hexes = size_t(m_window.width) * size_t(m_window.height);
    m_entryCosts.assign(hexes, 0);
    m_flags.assign(hexes, 0);
    m_exitDirs.assign(hexes, 0xFF);
    if (!m_startOnMap)
        return;
    buildHexData();
    m_workingLimit = m_costLimit;
    buildLeaveMasks();
    flood(0);
    if (m_secondLayer)
        flood(1);
}

void MoveRangeMap::buildHexData()
{
    if (inWindow(m_startX, m_startY))
        m_flags[at(m_startX, m_startY)] |= kRangeStart;
    buildTerrainCosts();
    if (m_buildUnitFlags)
        buildUnitFlags();
    if (m_secondLayer || m_minesImpassable)
        markKnownMines();
}

bool MoveRangeMap::covers(int x, int y) const
{
    if (m_flags.empty() || !onMap(x, y))
        return false;
    if (!inWindow(x, y))
        // Filling in leaves every answer given so far as it was; only the storage grows.
        const_cast<MoveRangeMap*>(this)->coverWholeMap();
    return true;
}

void MoveRangeMap::coverWholeMap()
{
    // Built for the start and goal the range was computed with, whatever was set since.
    const int start_x = m_startX, start_y = m_startY, goal_x = m_goalX, goal_y = m_goalY;
    m_startX = m_builtStart.x, m_startY = m_builtStart.y, m_goalX = m_builtGoal.x, m_goalY = m_builtGoal.y;
    const Window old = m_window;
    std::vector<uint8_t> entry = std::move(m_entryCosts), exits = std::move(m_exitDirs);
    std::vector<uint32_t> flags = std::move(m_flags);
    std::vector<int32_t> costs[2] = { std::move(m_costs[0]), std::move(m_costs[1]) };
    m_window = { 0, 0, m_width, m_height };
    const size_t hexes = size_t(m_width) * size_t(m_height);
    m_entryCosts.assign(hexes, 0);
    m_flags.assign(hexes, 0);
    m_exitDirs.assign(hexes, 0xFF);
    buildHexData();
    for (int layer = 0; layer < 2; ++layer)
        if (!costs[layer].empty())
            m_costs[layer].assign(hexes, -1);
    // What the window held stands: its costs, and any flag or exit a caller changed.
    for (int y = 0; y < old.height; ++y)
        for (int x = 0; x < old.width; ++x) {
            const size_t from = size_t(y) * size_t(old.width) + size_t(x);
            const size_t to = at(old.x + x, old.y + y);
            m_entryCosts[to] = entry[from];
            m_flags[to] = flags[from];
            m_exitDirs[to] = exits[from];
            for (int layer = 0; layer < 2; ++layer)
                if (!costs[layer].empty())
                    m_costs[layer][to] = costs[layer][from];
        }
    m_leave.clear();
    m_startX = start_x, m_startY = start_y, m_goalX = goal_x, m_goalY = goal_y;
}

void MoveRangeMap::buildLeaveMasks()
{
    // Sides closed from a hex's own cell, one ring beyond the window so that every neighbour's
    // closed side back is at hand.
    const int ox = m_window.x - 1, oy = m_window.y - 1;
    const int cw = m_window.width + 2, ch = m_window.height + 2;
    std::vector<uint8_t> closed(size_t(cw) * size_t(ch), 0);
    bool any_closed = false;
    for (int y = std::max(0, oy); y < std::min(m_height, oy + ch); ++y)
        for (int x = std::max(0, ox); x < std::min(m_width, ox + cw); ++x) {
            const uint8_t sides = m_state.closedHexSides(x, y);
            closed[size_t(y - oy) * size_t(cw) + size_t(x - ox)] = sides;
            any_closed |= sides != 0;
        }
    m_leave.assign(m_exitDirs.size(), 0);
    for (int y = m_window.y; y < m_window.y + m_window.height; ++y)
        for (int x = m_window.x; x < m_window.x + m_window.width; ++x) {
            const size_t i = at(x, y);
            if (!m_entryCosts[i] && !(m_flags[i] & kRangeStart))
                continue;
            uint8_t mask = m_exitDirs[i];
            if (!any_closed) {
                m_leave[i] = mask;
                continue;
            }
            mask = uint8_t(mask & ~closed[size_t(y - oy) * size_t(cw) + size_t(x - ox)]);
            for (int d = 0; d < kHexDirections; ++d) {
                const Step s = kSteps[y & 1][d];
                const int nx = x + s.dx, ny = y + s.dy;
                if ((mask & (1 << d)) && onMap(nx, ny)
                    && (closed[size_t(ny - oy) * size_t(cw) + size_t(nx - ox)] >> oppositeDirection(d) & 1))
                    mask = uint8_t(mask & ~(1 << d));
            }
            m_leave[i] = mask;
        }
}

// Entries are packed window coordinates (x low, y high); a neighbour outside the window lies beyond
// the limit and is never entered. Each hex's tests are packed into one word first: entry cost (bits
// 0..7), the sides it may be entered through (8..15), and whether it is closed to this layer (no
// entry cost, a blocking enemy, or in the second layer an interception zone or known mine) or stops
// the mover (enemy zone). An edge is open when the word holds its side's bit and no closing bit.
void MoveRangeMap::flood(int layer)
{
    constexpr uint32_t kStops = 1u << 16, kSecondLayerClosed = 1u << 17, kBlocked = 1u << 18;
    std::vector<int32_t>& cost_vector = m_costs[layer];
    cost_vector.assign(m_flags.size(), -1);
    const bool stacking = m_state.ruleSwitch(17) == 1;
    const uint32_t own_class = kRangeEnemyClass << stackingClass();
    m_gates.resize(m_flags.size());
    for (size_t t = 0; t < m_flags.size(); ++t) {
        const uint32_t flags = m_flags[t];
        const uint32_t entry = m_entryCosts[t];
        uint32_t gate = entry | uint32_t(m_exitDirs[t]) << 8;
        if (flags & kRangeEnemyZoc)
            gate |= kStops;
        if (flags & (kRangeInterceptZone | kRangeKnownMine))
            gate |= kSecondLayerClosed;
        if (!entry || ((flags & kRangeEnemy) && (!stacking || (flags & own_class))))
            gate |= kBlocked;
        m_gates[t] = gate;
    }
    const uint32_t closed = kBlocked | (layer == 1 ? kSecondLayerClosed : 0);
    m_queue.clear();
    const int w = m_window.width, h = m_window.height;
    const int start_x = m_startX - m_window.x, start_y = m_startY - m_window.y;
    int32_t* const costs = cost_vector.data();
    const uint32_t* const gates = m_gates.data();
    const uint8_t* const leave = m_leave.data();
    costs[start_y * w + start_x] = 0;
    m_queue.push(uint32_t(start_x) | uint32_t(start_y) << 16, 0);
    const long goal = m_goalX >= 0 && onMap(m_goalX, m_goalY) && inWindow(m_goalX, m_goalY) ? long(at(m_goalX, m_goalY)) : -1;
    int limit = m_workingLimit;
    // Row parity of the window's first row, so a window row's parity is known without the map's y.
    const int parity = m_window.y & 1;
    // Per direction, in the order the flood tries them: the step on even and odd rows, its offset in
    // the window and the side bit the neighbour is entered through.
    struct Edge {
        int dx[2], dy, offset[2];
        uint32_t side;
    };
    static constexpr int kOrder[kHexDirections] = { 0, 3, 5, 1, 4, 2 };
    Edge edges[kHexDirections];
    for (int k = 0; k < kHexDirections; ++k) {
        const int d = kOrder[k];
        Edge& e = edges[k];
        e.dy = kSteps[0][d].dy;
        for (int p = 0; p < 2; ++p) {
            e.dx[p] = kSteps[p][d].dx;
            e.offset[p] = e.dy * w + e.dx[p];
        }
        e.side = 1u << (8 + oppositeDirection(d));
    }
    uint8_t leave_bit[kHexDirections];
    for (int k = 0; k < kHexDirections; ++k)
        leave_bit[k] = uint8_t(1u << kOrder[k]);
    while (!m_queue.empty()) {
        int cost = 0;
        const uint32_t entry = m_queue.pop(cost);
        const int x = int(entry & 0xFFFF), y = int(entry >> 16);
        const int i = y * w + x;
        // An entry superseded by a cheaper push was expanded then.
        if (costs[i] != cost)
            continue;
        const unsigned exits = leave[i];
        const int p = (y + parity) & 1;
        for (int k = 0; k < kHexDirections; ++k) {
            const Edge& e = edges[k];
            if (!(exits & leave_bit[k]))
                continue;
            const int nx = x + e.dx[p], ny = y + e.dy;
            if (unsigned(nx) >= unsigned(w) || unsigned(ny) >= unsigned(h))
                continue;
            const int t = i + e.offset[p];
            const uint32_t gate = gates[t];
            if ((gate & (closed | e.side)) != e.side)
                continue;
            const int n = cost + int(gate & 0xFF);
            const int held = costs[t];
            if (n > limit || (held >= 0 && n >= held))
                continue;
            costs[t] = n;
            if (n >= limit)
                continue;
            if (t == goal)
                limit = n;
            // A unit entering an enemy zone of control stops there.
            if (!(gate & kStops))
                m_queue.push(uint32_t(nx) | uint32_t(ny) << 16, n);
        }
    }
    m_workingLimit = limit;
    m_queue.clear();
}

int MoveRangeMap::costIn(int x, int y, int layer) const
{
    if (layer < 0 || layer > 1 || !onMap(x, y) || m_costs[layer].empty() || !inWindow(x, y))
        return -1;
    return m_costs[layer][at(x, y)];
}

void MoveRangeMap::setCost(int x, int y, int layer, int cost)
{
    if (layer >= 0 && layer <= 1 && !m_costs[layer].empty() && covers(x, y))
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
    if (m_costs[0].empty())
        return;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            buffer[size_t(y) * size_t(m_width) + size_t(x)] = costIn(x, y, 0);
}

uint32_t MoveRangeMap::flagsAt(int x, int y) const { return covers(x, y) ? m_flags[at(x, y)] : 0; }

void MoveRangeMap::setFlag(int x, int y, uint32_t bits)
{
    if (covers(x, y))
        m_flags[at(x, y)] |= bits;
}

int MoveRangeMap::entryCost(int x, int y) const { return covers(x, y) ? m_entryCosts[at(x, y)] : 0; }

bool MoveRangeMap::hasUnitOfClass(int x, int y, int stacking_class) const
{
    const uint32_t any = (kRangeEnemyClass | kRangeOwnClass | kRangeAlliedClass) << stacking_class;
    return (flagsAt(x, y) & any) != 0;
}

uint8_t MoveRangeMap::exitDirs(int x, int y) const { return covers(x, y) ? m_exitDirs[at(x, y)] : 0; }

void MoveRangeMap::setExitDirs(int x, int y, uint8_t bits)
{
    if (covers(x, y))
        m_exitDirs[at(x, y)] = bits;
}

bool MoveRangeMap::canCrossSide(int x, int y, int direction) const { return m_state.canCrossHexSide(x, y, direction); }
