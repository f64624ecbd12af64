// MoveRangeMap: the flood's per-hex tests and the cheapest-first cost flood over the window.
#include "rules/move_range.h"

#include "state/game_state.h"

namespace {

// The order the flood tries the directions in; costs are the same in any order, but which of two
// equal routes reaches the goal first, and so the working limit, is not.
constexpr int kOrder[kHexDirections] = { 0, 3, 5, 1, 4, 2 };

// In a hex's leave byte: bit k for direction kOrder[k], and its row's parity.
constexpr uint8_t kOddRow = 0x40;

// Gate bits above the entry cost (0..7) and the sides a hex may be entered through (8..15).
constexpr uint32_t kStops = 1u << 16, kSecondLayerClosed = 1u << 17, kBlocked = 1u << 18;

// Directions (as leave bits) whose step leaves a window edge: towards lower or higher x on each row
// parity, and towards lower or higher y.
struct EdgeMasks {
    uint8_t lowX[2] = {}, highX[2] = {}, lowY = 0, highY = 0;
};

constexpr EdgeMasks edgeMasks()
{
    EdgeMasks m;
    for (int k = 0; k < kHexDirections; ++k) {
        const uint8_t bit = uint8_t(1u << k);
        for (int p = 0; p < 2; ++p) {
            const HexStep s = hexStep(p, kOrder[k]);
            if (s.dx < 0)
                m.lowX[p] |= bit;
            if (s.dx > 0)
                m.highX[p] |= bit;
            if (s.dy < 0)
                m.lowY |= bit;
            if (s.dy > 0)
                m.highY |= bit;
        }
    }
    return m;
}

// A hex's exit directions (bit d for direction d) as leave bits (bit k for direction kOrder[k]).
constexpr uint8_t toLeaveBits(unsigned dirs)
{
    uint8_t bits = 0;
    for (int k = 0; k < kHexDirections; ++k)
        if (dirs >> kOrder[k] & 1)
            bits = uint8_t(bits | 1u << k);
    return bits;
}

struct LeaveTable {
    uint8_t bits[64] = {};
};

constexpr LeaveTable leaveTable()
{
    LeaveTable t;
    for (unsigned d = 0; d < 64; ++d)
        t.bits[d] = toLeaveBits(d);
    return t;
}

} // namespace

// One word a hex for the flood, packed once for both layers: entry cost, the sides it may be entered
// through, and whether it is closed (no entry cost or a blocking enemy), closed to the second layer
// (an interception zone or known mine) or stops the mover (enemy zone). Beside it, the sides each
// hex may be left through: its exits less the sides closed from either cell and those leading out of
// the window (beyond the limit, so never entered).
void MoveRangeMap::buildFloodTests()
{
    static constexpr EdgeMasks kEdges = edgeMasks();
    static constexpr LeaveTable kLeave = leaveTable();
    const int w = m_window.width, h = m_window.height;
    const size_t hexes = m_buf.flags.size();
    m_buf.leave.assign(hexes, 0);
    m_buf.gates.resize(hexes);
    const bool stacking = m_state.ruleOn(kRuleStacking);
    const uint32_t own_class = kRangeEnemyClass << stackingClass();
    const uint8_t* const closed = m_anyClosed ? m_buf.closed.data() : nullptr;
    uint32_t all_gates = 0;
    for (int y = 0; y < h; ++y) {
        const int p = (m_window.y + y) & 1;
        const uint8_t row_mask = uint8_t(0x3F & ~(y == 0 ? kEdges.lowY : 0) & ~(y == h - 1 ? kEdges.highY : 0));
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            const uint32_t flags = m_buf.flags[i];
            const uint32_t entry = m_buf.entryCosts[i];
            const uint32_t exits = m_buf.exitDirs[i];
            uint32_t gate = entry | exits << 8;
            if (flags & kRangeEnemyZoc)
                gate |= kStops;
            if (flags & (kRangeInterceptZone | kRangeKnownMine))
                gate |= kSecondLayerClosed;
            if (!entry || ((flags & kRangeEnemy) && (!stacking || (flags & own_class))))
                gate |= kBlocked;
            m_buf.gates[i] = gate;
            all_gates |= gate;
            // Only a hex that can be entered, or the start, is ever left.
            if (!entry && !(flags & kRangeStart))
                continue;
            uint8_t dirs = uint8_t(exits & 0x3F);
            if (closed) {
                dirs = uint8_t(dirs & ~closed[i]);
                for (int d = 0; d < kHexDirections; ++d) {
                    const HexStep s = hexStep(p, d);
                    const int nx = x + s.dx, ny = y + s.dy;
                    if ((dirs >> d & 1) && unsigned(nx) < unsigned(w) && unsigned(ny) < unsigned(h)
                        && (closed[size_t(ny) * size_t(w) + size_t(nx)] >> oppositeDirection(d) & 1))
                        dirs = uint8_t(dirs & ~(1u << d));
                }
            }
            uint8_t leave = uint8_t(kLeave.bits[dirs] & row_mask);
            if (x == 0)
                leave = uint8_t(leave & ~kEdges.lowX[p]);
            if (x == w - 1)
                leave = uint8_t(leave & ~kEdges.highX[p]);
            m_buf.leave[i] = uint8_t(leave | (p ? kOddRow : 0));
        }
    }
    m_secondLayerDiffers = (all_gates & kSecondLayerClosed) != 0;
}

void MoveRangeMap::floodLayers()
{
    const int limit = m_workingLimit;
    flood(0);
    if (!m_secondLayer)
        return;
    // Without a hex closed to it, the second layer floods as the first did, unless the goal lowered
    // the limit on the way: the same costs.
    if (!m_secondLayerDiffers && m_workingLimit == limit)
        m_buf.costs[1] = m_buf.costs[0];
    else
        flood(1);
}

// Entries are window indices. An edge is open when the leave byte holds its direction and the
// neighbour's gate holds the side it is entered through and no closing bit.
void MoveRangeMap::flood(int layer)
{
    std::vector<int32_t>& cost_vector = m_buf.costs[layer];
    cost_vector.assign(m_buf.flags.size(), -1);
    const uint32_t closed = kBlocked | (layer == 1 ? kSecondLayerClosed : 0);
    const int w = m_window.width;
    // Per leave bit and row parity: the neighbour's offset in the window and the side it is entered by.
    int offset[2][kHexDirections];
    uint32_t side[kHexDirections];
    for (int k = 0; k < kHexDirections; ++k) {
        const int d = kOrder[k];
        for (int p = 0; p < 2; ++p)
            offset[p][k] = hexStep(p, d).dy * w + hexStep(p, d).dx;
        side[k] = 1u << (8 + oppositeDirection(d));
    }
    int32_t* const costs = cost_vector.data();
    const uint32_t* const gates = m_buf.gates.data();
    const uint8_t* const leave = m_buf.leave.data();
    const long goal = m_goalX >= 0 && onMap(m_goalX, m_goalY) && inWindow(m_goalX, m_goalY) ? long(at(m_goalX, m_goalY)) : -1;
    int limit = m_workingLimit;
    // Clear as borrowed, and left clear by every drain.
    CoordQueue& queue = *m_buf.queue;
    const uint32_t start = uint32_t(at(m_startX, m_startY));
    costs[start] = 0;
    queue.push(start, 0);
    queue.drain([&](uint32_t i, int cost) {
        // An entry superseded by a cheaper push was expanded then.
        if (costs[i] != cost)
            return;
        const unsigned bits = leave[i];
        const int* const step = offset[(bits & kOddRow) ? 1 : 0];
        for (unsigned open = bits & 0x3F; open; open &= open - 1) {
            const int k = __builtin_ctz(open);
            const uint32_t t = uint32_t(int(i) + step[k]);
            const uint32_t gate = gates[t];
            if ((gate & (closed | side[k])) != side[k])
                continue;
            const int n = cost + int(gate & 0xFF);
            // A hex not yet reached holds -1, above any cost as unsigned.
            if (n > limit || unsigned(n) >= unsigned(costs[t]))
                continue;
            costs[t] = n;
            if (n >= limit)
                continue;
            if (long(t) == goal)
                limit = n;
            // A unit entering an enemy zone of control stops there.
            if (!(gate & kStops))
                queue.push(t, n);
        }
    });
    m_workingLimit = limit;
}
