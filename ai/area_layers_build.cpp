// The held area and the front-distance grid of a side, built over the whole map.
#include "ai/area_analysis.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// A row of a bit layer as four words, bit x of the row in bit x % 64 of word x / 64.
constexpr int kRowWords = kLayerStride / 64;
using RowBits = std::array<uint64_t, kRowWords>;

RowBits shiftedUp(const RowBits& r)
{
    RowBits out;
    for (int i = 0; i < kRowWords; ++i)
        out[size_t(i)] = r[size_t(i)] << 1 | (i > 0 ? r[size_t(i - 1)] >> 63 : 0);
    return out;
}

RowBits shiftedDown(const RowBits& r)
{
    RowBits out;
    for (int i = 0; i < kRowWords; ++i)
        out[size_t(i)] = r[size_t(i)] >> 1 | (i + 1 < kRowWords ? r[size_t(i + 1)] << 63 : 0);
    return out;
}

// The bits of a row's neighbours in the row above or below: x - 1 and x on even rows, x and x + 1 on
// odd ones.
RowBits besideOtherRow(const RowBits& other, int y)
{
    const RowBits moved = (y & 1) ? shiftedDown(other) : shiftedUp(other);
    RowBits out;
    for (size_t i = 0; i < size_t(kRowWords); ++i)
        out[i] = other[i] | moved[i];
    return out;
}

// min(held, from + 1): an unreached hex (0xFFFF) spreads nothing.
inline uint16_t closer(uint16_t held, uint16_t from)
{
    const unsigned n = unsigned(from) + 1;
    return n < held ? uint16_t(n) : held;
}

// closer() on eight hexes at once.
using Lanes = uint16_t __attribute__((vector_size(16)));

inline Lanes closerLanes(Lanes held, Lanes from)
{
    // from + 1, an unreached 0xFFFF staying so; then the lesser of the two.
    const Lanes next = (from + 1) | Lanes(from == 0xFFFF);
    const Lanes take = Lanes(next < held);
    return (next & take) | (held & ~take);
}

inline Lanes loadLanes(const uint16_t* p)
{
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Each hex of the row takes its two neighbours in the other row: x - 1 + shift and x + shift.
void takeFromOtherRow(uint16_t* row, const uint16_t* other, int w, int shift)
{
    if (!shift)
        row[0] = closer(row[0], other[0]);
    const int first = shift ? 0 : 1, last = shift ? w - 1 : w;
    int x = first;
    for (; x + 8 <= last; x += 8) {
        const Lanes v = closerLanes(closerLanes(loadLanes(row + x), loadLanes(other + x - 1 + shift)), loadLanes(other + x + shift));
        std::memcpy(row + x, &v, sizeof v);
    }
    for (; x < last; ++x)
        row[x] = closer(closer(row[x], other[x - 1 + shift]), other[x + shift]);
    if (shift)
        row[w - 1] = closer(row[w - 1], other[w - 1]);
}

} // namespace

void buildHeldArea(GameState& state, int side, HexBitLayer& held)
{
    held.clearAll();
    if (!state.terrainCellAt(0, 0))
        return;
    const int w = std::min(state.mapWidth(), kLayerStride);
    const int h = std::min(state.mapHeight(), kLayerStride);
    // Per owner code: whether the ground is friendly (nobody's, or a friend's of the side), asked once.
    std::array<uint8_t, 256> friendly_owner;
    friendly_owner.fill(1);
    for (int owner = 1; owner <= kCountryCount; ++owner)
        friendly_owner[size_t(owner)] = !state.isEnemy(side, owner - 1);
    auto friendly = [&](int y) {
        RowBits bits {};
        if (y < 0 || y >= h)
            return bits;
        const TerrainCell* row = state.terrainCellAt(0, y);
        for (int x = 0; x < w; ++x)
            bits[size_t(x >> 6)] |= uint64_t(friendly_owner[row[x].owner]) << (x & 63);
        return bits;
    };
    // A hex is held when it or a neighbour is friendly.
    RowBits above {}, here = friendly(0), below = friendly(1);
    RowBits in_map {};
    for (int x = 0; x < w; ++x)
        in_map[size_t(x >> 6)] |= uint64_t(1) << (x & 63);
    for (int y = 0; y < h; ++y) {
        if (y > 0) {
            above = here;
            here = below;
            below = friendly(y + 1);
        }
        const RowBits left = shiftedUp(here), right = shiftedDown(here);
        const RowBits up = besideOtherRow(above, y), down = besideOtherRow(below, y);
        uint8_t* bits = held.bits.data() + size_t(y) * (kLayerStride / 8);
        for (size_t i = 0; i < size_t(kRowWords); ++i) {
            const uint64_t near = (here[i] | left[i] | right[i] | up[i] | down[i]) & in_map[i];
            std::memcpy(bits + i * 8, &near, 8);
        }
    }
}

void buildFrontGrid(GameState& state, int side, HexWordGrid& front)
{
    front.fill(0xFFFF);
    bool any = false;
    auto source = [&](int x, int y) {
        if (state.isOnMap(x, y) && x < kLayerStride && y < kLayerStride) {
            front[size_t(x + kLayerStride * y)] = 0;
            any = true;
        }
    };
    for (int s = 0; s < kSideCount; ++s) {
        if (!state.isEnemy(side, s))
            continue;
        for (uint32_t i = 0; i < state.unitCount(s); ++i) {
            const UnitRecord* unit = state.unitOf(s, int(i));
            if (unit && unitInPlay(*unit) && isUnitVisibleTo(state, side, s, int(i)))
                source(unit->x, unit->y);
        }
    }
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const BuildingRecord& b = state.buildingAt(i);
        if (b.ownerPlusOne != 0 && state.isEnemy(side, b.owner()))
            source(int(b.x), int(b.y));
    }
    if (!any)
        return;
    // Every step costs one and the map is a full rectangle, so a hex's distance to the nearest source
    // is its hex distance to it, and two sweeps find it: a shortest path can be taken as its east and
    // southward steps first (the sweep down the map, each hex from its west and upper neighbours) and
    // then its west and northward ones (the sweep back up, from its east and lower neighbours).
    const int w = std::min(state.mapWidth(), kLayerStride), h = std::min(state.mapHeight(), kLayerStride);
    uint16_t* grid = front.data();
    for (int y = 0; y < h; ++y) {
        uint16_t* row = grid + size_t(y) * kLayerStride;
        if (y > 0)
            takeFromOtherRow(row, row - kLayerStride, w, y & 1);
        for (int x = 1; x < w; ++x)
            row[x] = closer(row[x], row[x - 1]);
    }
    for (int y = h - 1; y >= 0; --y) {
        uint16_t* row = grid + size_t(y) * kLayerStride;
        if (y + 1 < h)
            takeFromOtherRow(row, row + kLayerStride, w, y & 1);
        for (int x = w - 2; x >= 0; --x)
            row[x] = closer(row[x], row[x + 1]);
    }
}
