// The held area and the front-distance grid of a side, built over the whole map.
#include "ai/area_analysis.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <deque>

namespace {

// Owned by nobody or by a friend of the side.
bool friendlyGround(GameState& state, int side, int x, int y)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    if (!cell || cell->owner < 1 || cell->owner > kCountryCount)
        return cell != nullptr;
    const int owner = cell->owner - 1;
    return !state.isEnemy(side, owner);
}

void pushSource(GameState& state, HexWordGrid& front, std::deque<HexPos>& queue, int x, int y)
{
    if (!state.isOnMap(x, y) || getHexWord(front, x, y) == 0)
        return;
    front[size_t(x + kLayerStride * y)] = 0;
    queue.push_back({ x, y });
}

} // namespace

void buildHeldArea(GameState& state, int side, HexBitLayer& held)
{
    held.clearAll();
    const int w = std::min(state.mapWidth(), kLayerStride);
    const int h = std::min(state.mapHeight(), kLayerStride);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool keep = friendlyGround(state, side, x, y);
            for (int d = 0; d < kHexDirections && !keep; ++d) {
                HexPos n = state.hexNeighbour(x, y, d);
                keep = n.valid() && friendlyGround(state, side, n.x, n.y);
            }
            if (keep)
                held.set(x, y);
        }
}

void buildFrontGrid(GameState& state, int side, HexWordGrid& front)
{
    front.fill(0xFFFF);
    std::deque<HexPos> queue;
    for (int s = 0; s < kSideCount; ++s) {
        if (!state.isEnemy(side, s))
            continue;
        for (uint32_t i = 0; i < state.unitCount(s); ++i) {
            const UnitRecord* unit = state.unitOf(s, int(i));
            if (unit && unitInPlay(*unit) && isUnitVisibleTo(state, side, s, int(i)))
                pushSource(state, front, queue, unit->x, unit->y);
        }
    }
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const BuildingRecord& b = state.buildingAt(i);
        if (b.ownerPlusOne != 0 && state.isEnemy(side, b.owner()))
            pushSource(state, front, queue, int(b.x), int(b.y));
    }
    while (!queue.empty()) {
        const HexPos at = queue.front();
        queue.pop_front();
        const uint16_t next = uint16_t(getHexWord(front, at.x, at.y) + 1);
        for (int d = 0; d < kHexDirections; ++d) {
            HexPos n = state.hexNeighbour(at.x, at.y, d);
            if (!n.valid() || n.x >= kLayerStride || n.y >= kLayerStride || getHexWord(front, n.x, n.y) <= next)
                continue;
            front[size_t(n.x + kLayerStride * n.y)] = next;
            queue.push_back(n);
        }
    }
}
