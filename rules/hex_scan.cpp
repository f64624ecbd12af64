// HexScan's ring walk, hit list and finishing sorts.
#include "rules/hex_scan.h"

#include "state/game_state.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kHitGrowth = 10;

inline void ringStep(int& x, int& y, int direction)
{
    const int p = y & 1;
    switch (direction) {
    case 0: x += p - 1; --y; break;
    case 1: x += p; --y; break;
    case 2: ++x; break;
    case 3: x += p; ++y; break;
    case 4: x += p - 1; ++y; break;
    case 5: --x; break;
    default: break;
    }
}

// The last ring that holds a hex of the map: no hex of the map lies farther from the centre than
// the farthest corner.
int farthestRing(const GameState& state, int x, int y)
{
    const int w = state.mapWidth() - 1, h = state.mapHeight() - 1;
    int far = 0;
    for (HexPos corner : { HexPos { 0, 0 }, HexPos { w, 0 }, HexPos { 0, h }, HexPos { w, h } })
        far = std::max(far, hexDistance({ x, y }, corner));
    return far;
}

} // namespace

HexScan::HexScan(GameState& state)
    : m_state(state)
{
    m_hits.reserve(kHitGrowth);
}

void HexScan::scan(int x, int y, int radius)
{
    m_centreX = x;
    m_centreY = y;
    m_radius = radius;
    begin();
    walkRings();
    finish();
}

void HexScan::walkRings()
{
    m_stop = false;
    m_ringFlag = false;
    m_ring = m_side = m_step = 0;
    if (m_minimumRadius == 0) {
        if (m_state.isOnMap(m_centreX, m_centreY))
            visit(m_centreX, m_centreY);
        if (m_stop)
            return;
    }
    int start_x = m_centreX;
    int start_y = m_centreY;
    // Rings beyond the map visit nothing; the walk stands where it would have ended after them.
    const int last = std::min(m_radius, farthestRing(m_state, m_centreX, m_centreY) + 1);
    for (int r = 1; r <= last; ++r) {
        m_ring = r;
        ringStep(start_x, start_y, 4);
        int x = start_x;
        int y = start_y;
        for (int s = 0; s < 6; ++s) {
            m_side = s;
            for (int k = 0; k < r; ++k) {
                m_step = k;
                ringStep(x, y, s);
                if (r >= m_minimumRadius && m_state.isOnMap(x, y)) {
                    visit(x, y);
                    if (m_stop)
                        return;
                }
            }
        }
        if (m_ringEndMode) {
            if (!m_ringFlag)
                return;
            m_ringFlag = false;
        }
    }
    if (last < m_radius) {
        m_ring = m_ringEndMode ? last + 1 : m_radius;
        m_side = 5;
        m_step = m_ring - 1;
    }
}

bool HexScan::hitAt(int i, int& x, int& y) const
{
    if (i < 0 || i >= hitCount())
        return false;
    x = m_hits[size_t(i)].x;
    y = m_hits[size_t(i)].y;
    return true;
}

void HexScan::addHit(int x, int y, uint32_t key, uint32_t extra)
{
    if (m_hits.size() == m_hits.capacity())
        m_hits.reserve(m_hits.capacity() + kHitGrowth);
    m_hits.push_back({ int16_t(x), int16_t(y), key, extra });
}

void HexScan::shuffleTopTies()
{
    const int n = hitCount();
    int t = 0;
    while (t + 1 < n && m_hits[size_t(t + 1)].key == m_hits[0].key)
        ++t;
    if (t == 0)
        return;
    for (int i = 0; i <= t; ++i) {
        const int r = m_state.random(0, t);
        if (r != i)
            std::swap(m_hits[size_t(i)], m_hits[size_t(r)]);
    }
}

void HexScan::sortAscending()
{
    const size_t n = m_hits.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        size_t choice = i;
        for (size_t j = i + 1; j < n; ++j)
            if (!lessByCost(m_hits[choice], m_hits[j]))
                choice = j;
        if (choice != i)
            std::swap(m_hits[i], m_hits[choice]);
    }
}

void HexScan::sortDescending()
{
    const size_t n = m_hits.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        size_t choice = i;
        for (size_t j = i + 1; j < n; ++j)
            if (!lessByCost(m_hits[j], m_hits[choice]))
                choice = j;
        if (choice != i)
            std::swap(m_hits[i], m_hits[choice]);
    }
}
