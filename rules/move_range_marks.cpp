// MoveRangeMap: the range's marks on the map, where the mover may stop, and the route back.
#include "rules/move_range.h"

#include "rules/current_action_marks.h"
#include "state/game_state.h"

#include <algorithm>

void MoveRangeMap::markRange(int lo, int hi, uint16_t mark)
{
    clearHexMarkAll(m_state, mark);
    // Costs lie only within the window.
    for (int y = m_window.y; y < m_window.y + m_window.height; ++y)
        for (int x = m_window.x; x < m_window.x + m_window.width; ++x) {
            const int c = costIn(x, y, 0);
            if (c >= 0 && lo <= c && c <= hi)
                setHexMark(m_state, x, y, mark);
        }
}

void MoveRangeMap::markNormalRange(int lo, int hi) { markRange(lo, hi, kMarkMoveRange); }

void MoveRangeMap::markExtendedRange(int lo, int hi) { markRange(lo, hi, kMarkExtendedBand); }

void MoveRangeMap::markInterceptedHexes()
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (hasHexMark(m_state, x, y, kMarkMoveRange | kMarkExtendedBand) && isInterceptZone(x, y)) {
                clearHexMark(m_state, x, y, kMarkMoveRange | kMarkExtendedBand);
                setHexMark(m_state, x, y, kMarkInterceptRange);
            }
}

bool MoveRangeMap::mayShareHex(int x, int y, uint32_t flags, bool ignore_checks) const
{
    const int c = stackingClass();
    if (flags & (kRangeOwnClass << c))
        return ignore_checks || (m_checks && (m_checks->canBoardAt(x, y) || m_checks->canStoreAt(x, y)));
    if (flags & (kRangeAlliedClass << c))
        return !ignore_checks && m_checks && m_checks->canStoreAt(x, y);
    return !(flags & (kRangeEnemyClass << c));
}

bool MoveRangeMap::isLandingPlace(int x, int y) const
{
    const uint32_t flags = flagsAt(x, y);
    if ((flags & kRangeStart) || costIn(x, y, 0) < 0)
        return false;
    return (flags & ((kRangeOwnClass | kRangeAlliedClass) << stackingClass())) != 0;
}

void MoveRangeMap::unmarkOccupiedHexes()
{
    const int c = stackingClass();
    const uint16_t marks = kMarkMoveRange | kMarkInterceptRange | kMarkExtendedBand;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            // Beyond the window only a hex that carries a mark has one to lose.
            if (!inWindow(x, y) && !hasHexMark(m_state, x, y, marks))
                continue;
            const uint32_t flags = flagsAt(x, y);
            if (flags & kRangeStart)
                continue;
            bool occupied = (flags & (kRangeEnemyClass << c)) != 0;
            if (!occupied && (flags & ((kRangeOwnClass | kRangeAlliedClass) << c)))
                occupied = !(m_checks && (m_checks->canBoardAt(x, y) || m_checks->canStoreAt(x, y)));
            if (occupied)
                clearHexMark(m_state, x, y, marks);
        }
}

void MoveRangeMap::markReachable(bool ignore_checks)
{
    for (int y = m_window.y; y < m_window.y + m_window.height; ++y)
        for (int x = m_window.x; x < m_window.x + m_window.width; ++x) {
            if (costIn(x, y, 0) < 0)
                continue;
            uint32_t& flags = m_buf.flags[at(x, y)];
            if ((flags & kRangeStart) || mayShareHex(x, y, flags, ignore_checks))
                flags |= kRangeReachable;
        }
}

bool MoveRangeMap::tracePath(int x, int y, std::vector<HexPos>& path, int limit)
{
    path.clear();
    int layer = 0;
    const int second = costIn(x, y, 1);
    if (second >= 0 && (limit == -1 || second <= limit))
        layer = 1;
    if (costIn(x, y, layer) < 0)
        return false;
    // Costs fall strictly at each step, so the walk ends within the start's cost of zero.
    for (int step = 0;; ++step) {
        const int c = costIn(x, y, layer);
        if (c == 0) {
            std::reverse(path.begin(), path.end());
            return true;
        }
        path.push_back({ x, y });
        int best = c;
        HexPos next;
        for (int k = 0; k < kHexDirections; ++k) {
            const int d = step % 2 == 0 ? k : kHexDirections - 1 - k;
            const HexPos n = hexNeighbour(x, y, d, m_width, m_height);
            if (!n.valid())
                continue;
            const int nc = costIn(n.x, n.y, layer);
            if (nc < 0 || nc >= best)
                continue;
            if (!(exitDirs(x, y) & (1 << d)) || !(exitDirs(n.x, n.y) & (1 << oppositeDirection(d))))
                continue;
            if (!canCrossSide(x, y, d) || (nc > 0 && (flagsAt(n.x, n.y) & kRangeEnemyZoc)))
                continue;
            best = nc;
            next = n;
        }
        if (!next.valid()) {
            path.clear();
            return false;
        }
        x = next.x;
        y = next.y;
    }
}
