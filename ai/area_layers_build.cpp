// The held area and the front-distance grid of a side, built over the whole map.
#include "ai/area_analysis.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Per hex of the map, row by row: owned by nobody or by a friend of the side. Empty without terrain.
std::vector<uint8_t> friendlyGround(GameState& state, int side)
{
    const int w = state.mapWidth(), h = state.mapHeight();
    std::vector<uint8_t> friendly;
    if (!state.terrainCellAt(0, 0))
        return friendly;
    // Whether each owner code (1..kCountryCount) is an enemy of the side, asked once.
    std::array<uint8_t, kCountryCount + 1> enemy {};
    for (int owner = 1; owner <= kCountryCount; ++owner)
        enemy[size_t(owner)] = state.isEnemy(side, owner - 1);
    friendly.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const TerrainCell* row = state.terrainCellAt(0, y);
        for (int x = 0; x < w; ++x) {
            const int owner = row[x].owner;
            friendly[size_t(y) * size_t(w) + size_t(x)] = owner < 1 || owner > kCountryCount || !enemy[size_t(owner)];
        }
    }
    return friendly;
}

} // namespace

void buildHeldArea(GameState& state, int side, HexBitLayer& held)
{
    held.clearAll();
    const std::vector<uint8_t> friendly = friendlyGround(state, side);
    if (friendly.empty())
        return;
    const int map_w = state.mapWidth(), map_h = state.mapHeight();
    const int w = std::min(map_w, kLayerStride);
    const int h = std::min(map_h, kLayerStride);
    // A hex is held when it or a neighbour is friendly: per row, the friendly hexes of the row and of
    // the rows above and below spread to their neighbours (a row's neighbours above and below are x - 1
    // and x on even rows, x and x + 1 on odd ones). Rows carry a blank hex at each end.
    const size_t padded = size_t(map_w) + 2;
    std::vector<uint8_t> near(padded), row_above(padded), row_here(padded), row_below(padded);
    auto load = [&](std::vector<uint8_t>& row, int y) {
        std::fill(row.begin(), row.end(), uint8_t(0));
        if (y >= 0 && y < map_h)
            std::copy_n(friendly.begin() + long(y) * map_w, map_w, row.begin() + 1);
    };
    load(row_here, 0);
    load(row_below, 1);
    for (int y = 0; y < h; ++y) {
        if (y > 0) {
            std::swap(row_above, row_here);
            std::swap(row_here, row_below);
            load(row_below, y + 1);
        }
        // The neighbours in other rows lie at x - 1 and x (even) or x and x + 1 (odd), padded by one.
        const int shift = y & 1;
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(x) + 1;
            near[i] = row_here[i] | row_here[i - 1] | row_here[i + 1] | row_above[i - 1 + size_t(shift)]
                | row_above[i + size_t(shift)] | row_below[i - 1 + size_t(shift)] | row_below[i + size_t(shift)];
        }
        uint8_t* bits = held.bits.data() + size_t(y) * (kLayerStride / 8);
        for (int x = 0; x < w; ++x)
            if (near[size_t(x) + 1])
                bits[x >> 3] = uint8_t(bits[x >> 3] | 1u << (x & 7));
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
    auto take = [](uint16_t& held, uint16_t from) {
        if (from != 0xFFFF && from + 1 < held)
            held = uint16_t(from + 1);
    };
    for (int y = 0; y < h; ++y) {
        uint16_t* row = grid + size_t(y) * kLayerStride;
        // The row above's neighbours are x - 1 and x on even rows, x and x + 1 on odd ones.
        const uint16_t* above = y > 0 ? row - kLayerStride : nullptr;
        const int shift = y & 1;
        for (int x = 0; x < w; ++x) {
            if (x > 0)
                take(row[x], row[x - 1]);
            if (above) {
                if (x - 1 + shift >= 0)
                    take(row[x], above[x - 1 + shift]);
                if (x + shift < w)
                    take(row[x], above[x + shift]);
            }
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        uint16_t* row = grid + size_t(y) * kLayerStride;
        const uint16_t* below = y + 1 < h ? row + kLayerStride : nullptr;
        const int shift = y & 1;
        for (int x = w - 1; x >= 0; --x) {
            if (x + 1 < w)
                take(row[x], row[x + 1]);
            if (below) {
                if (x - 1 + shift >= 0)
                    take(row[x], below[x - 1 + shift]);
                if (x + shift < w)
                    take(row[x], below[x + shift]);
            }
        }
    }
}
