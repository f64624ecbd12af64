// The works scans' visits and finishes.
#include "rules/scans_works.h"
#include "rules/shared_codes.h"

#include "rules/open_sides.h"
#include "rules/reach_map.h"
#include "rules/targets.h"
#include "state/game_state.h"

#include <utility>

namespace {


} // namespace

BombTargetHexScan::BombTargetHexScan(GameState& state, int country, int index, int x, int y, bool restricted_only)
    : HexScan(state)
    , m_country(country)
    , m_index(index)
    , m_x(x)
    , m_y(y)
    , m_restrictedOnly(restricted_only)
{
}

void BombTargetHexScan::run()
{
    const UnitRecord* unit = state().unitOf(m_country, m_index);
    const int radius = unit ? longestReach(*unit, m_restrictedOnly) : 0;
    if (radius < 1) {
        clearHits();
        return;
    }
    scan(m_x, m_y, radius);
}

void BombTargetHexScan::visit(int x, int y)
{
    if (hasDestroyableTarget(state(), m_country, x, y))
        addHit(x, y, 0);
}

StructureHexScan::StructureHexScan(GameState& state, int country, int durability_limit, StructureLinks links)
    : HexScan(state)
    , m_country(country)
    , m_limit(durability_limit)
    , m_links(links)
{
}

bool StructureHexScan::isConnected(int x, int y) const
{
    const int open = hexGraphicCode(state(), x, y);
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state().hexNeighbour(x, y, d);
        if ((open >> d & 1) && n.valid() && (isRoadOrBuildingTerrain(state(), n.x, n.y) || state().buildingOnHex(n.x, n.y)))
            return true;
    }
    return false;
}

void StructureHexScan::visit(int x, int y)
{
    const TemporaryBridgeHex* bridge = state().temporaryBridgeHex(state().findTemporaryBridgeHex(x, y));
    if (!bridge || state().effectiveTerrainAt(x, y) != kTemporaryBridgeTerrain || bridge->durability > m_limit)
        return;
    if (m_links == StructureLinks::Connected && !isConnected(x, y))
        return;
    UnitRef ref {};
    const UnitRecord* occupant = state().unitRefInHex(x, y, state().unitSlotFor(kLandDomain), ref) ? state().unitOf(ref.table, ref.index) : nullptr;
    const bool enemy = occupant && occupant->type().domain == kLandDomain && ref.country != m_country && state().isEnemy(m_country, ref.country);
    addHit(x, y, bridge->durability, enemy ? 1 : 0);
}

WorkSiteHexScan::WorkSiteHexScan(GameState& state, const ReachMap& range, int value, const ReachMap& range_b)
    : HexScan(state)
    , m_range(range)
    , m_value(value)
    , m_rangeB(range_b)
{
    setRingEndMode(true);
}

void WorkSiteHexScan::begin()
{
    clearHits();
    m_best = 1000;
    m_foundRing = -1;
    m_claimed.assign(size_t(state().mapWidth()) * size_t(state().mapHeight()), 0);
}

void WorkSiteHexScan::visit(int x, int y)
{
    if (m_foundRing < 0)
        keepGoing();
    else if (ring() > m_foundRing) {
        stop();
        return;
    }
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost < 0 || cost > m_best + 10)
        return;
    if (!state().buildingOnHex(x, y) && state().findTemporaryBridgeHex(x, y) < 0)
        return;
    HexPos access;
    int access_cost = -1;
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state().hexNeighbour(x, y, d);
        if (!n.valid() || m_claimed[size_t(n.y) * size_t(state().mapWidth()) + size_t(n.x)])
            continue;
        const int b = reachCost(m_rangeB, n.x, n.y, m_value);
        if (b < 0 || (access_cost >= 0 && b >= access_cost) || !canLinkRoad(state(), { x, y }, n))
            continue;
        access = n;
        access_cost = b;
    }
    if (access_cost < 0)
        return;
    m_claimed[size_t(access.y) * size_t(state().mapWidth()) + size_t(access.x)] = 1;
    addHit(x, y, uint32_t(cost), uint32_t(access_cost));
    if (cost < m_best)
        m_best = cost;
    if (m_foundRing < 0)
        m_foundRing = ring();
}

void WorkSiteHexScan::finish()
{
    // The selection sort of the hit list, by the extra word: of equal extras the last one first.
    auto& hits = mutableHits();
    for (size_t i = 0; i + 1 < hits.size(); ++i) {
        size_t pick = i;
        for (size_t j = i + 1; j < hits.size(); ++j)
            if (hits[j].extra <= hits[pick].extra)
                pick = j;
        if (pick != i)
            std::swap(hits[i], hits[pick]);
    }
}

int WorkSiteHexScan::countTopTies() const
{
    int n = 0;
    while (n < hitCount() && hits()[size_t(n)].extra == hits()[0].extra)
        ++n;
    return n;
}
