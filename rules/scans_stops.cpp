// The stop scans' visits and finishes.
#include "rules/scans_stops.h"

#include "rules/area_layers.h"
#include "rules/home_distance.h"
#include "rules/reach_map.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <vector>

namespace {

// Stops at a unit of the country whose type is of the kind, other than the ignored one.
class KindFoundScan : public HexScan {
public:
    KindFoundScan(GameState& state, int country, int kind, int ignored_index)
        : HexScan(state)
        , m_country(country)
        , m_kind(kind)
        , m_ignored(ignored_index)
    {
    }

    bool found() const { return stopped(); }

protected:
    void visit(int x, int y) override
    {
        std::vector<UnitRef> refs;
        state().collectUnitsInHex(x, y, refs);
        for (const UnitRef& ref : refs) {
            if (ref.table != m_country || ref.index == m_ignored)
                continue;
            const UnitRecord* unit = state().unitOf(ref.table, ref.index);
            if (unit && unitExists(*unit) && aiRoleGroup(unit->type()) == m_kind) {
                stop();
                return;
            }
        }
    }

private:
    int m_country;
    int m_kind;
    int m_ignored;
};

} // namespace

NearestFreeHexScan::NearestFreeHexScan(GameState& state, int country, const ReachMap& range)
    : HexScan(state)
    , m_country(country)
    , m_range(range)
{
}

void NearestFreeHexScan::setSpacing(int kind, int radius, int ignored_index)
{
    m_kind = kind;
    m_radius = radius;
    m_ignoredIndex = ignored_index;
}

void NearestFreeHexScan::begin()
{
    m_bestCost = 10000;
    m_foundRing = -1;
    m_result = kNoHex;
}

bool NearestFreeHexScan::hasKindWithin(int x, int y) const
{
    KindFoundScan inner(state(), m_country, m_kind, m_ignoredIndex);
    inner.scan(x, y, m_radius);
    return inner.found();
}

void NearestFreeHexScan::visit(int x, int y)
{
    if (m_foundRing >= 0 && ring() > m_foundRing) {
        stop();
        return;
    }
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost < 0 || cost >= m_bestCost || m_range.isLandingPlace(x, y))
        return;
    if (m_terrainTest && !m_terrainTest(x, y))
        return;
    if (m_kind >= 0 && hasKindWithin(x, y))
        return;
    m_bestCost = cost;
    m_result = { x, y };
    m_foundRing = ring();
}

BestCostHexScan::BestCostHexScan(GameState& state, const ReachMap& range, const HexBitLayer* area, int cost_limit, unsigned options)
    : HexScan(state)
    , m_range(range)
    , m_area(area)
    , m_limit(cost_limit)
    , m_options(options)
{
}

void BestCostHexScan::begin()
{
    m_bestCost = 10000;
    m_foundRing = -1;
    m_result = kNoHex;
}

void BestCostHexScan::visit(int x, int y)
{
    if (m_foundRing >= 0 && ring() > m_foundRing) {
        stop();
        return;
    }
    const bool second = (m_options & kBestCostSecondLayer) != 0;
    const int cost = second ? m_range.secondLayerCostAt(x, y) : reachCost(m_range, x, y, m_range.costLimit());
    if (cost < 0 || cost > m_limit || cost >= m_bestCost)
        return;
    if ((m_area && !testHexBit(*m_area, x, y)) || m_range.isLandingPlace(x, y))
        return;
    if ((m_options & kBestCostNotNextToEnemy) && m_range.isNextToEnemy(x, y))
        return;
    if (second && m_range.isInterceptZone(x, y))
        return;
    m_bestCost = cost;
    m_result = { x, y };
    m_foundRing = ring();
}

NearestHexScan::NearestHexScan(GameState& state, int country, NearestMatch match)
    : HexScan(state)
    , m_country(country)
    , m_match(match)
{
}

void NearestHexScan::begin()
{
    m_distance = 10000;
    m_result = kNoHex;
}

void NearestHexScan::visit(int x, int y)
{
    const TerrainCell* cell = state().terrainCellAt(x, y);
    if (!cell)
        return;
    const int owner = int(cell->owner) - 1;
    const bool match = m_match == NearestMatch::OwnTerritory
        ? owner == m_country
        : owner >= 0 && owner != m_country && state().isEnemy(m_country, owner);
    if (!match)
        return;
    m_distance = hexDistance({ centreX(), centreY() }, { x, y });
    m_result = { x, y };
    // Rings run nearest first: nothing further out can be nearer.
    stop();
}

NearestStopHexScan::NearestStopHexScan(GameState& state, int country, int index, const ReachMap& range)
    : HexScan(state)
    , m_country(country)
    , m_index(index)
    , m_range(range)
{
}

void NearestStopHexScan::begin()
{
    m_bestCost = 10000;
    m_foundRing = -1;
    m_result = kNoHex;
}

void NearestStopHexScan::visit(int x, int y)
{
    if (m_foundRing >= 0 && ring() > m_foundRing) {
        stop();
        return;
    }
    const UnitRecord* unit = state().unitOf(m_country, m_index);
    if (!unit || !unitExists(*unit)) {
        stop();
        return;
    }
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost < 0 || cost >= m_bestCost || m_range.isLandingPlace(x, y))
        return;
    const int slot = state().unitSlotFor(unit->type().domain);
    if (state().hexHasOtherUnit(x, y, slot, m_country, m_index) || !unitHexCheck(state(), *unit, x, y, m_country))
        return;
    m_bestCost = cost;
    m_result = { x, y };
    m_foundRing = ring();
}

RandomReachHexScan::RandomReachHexScan(GameState& state, const ReachMap& range)
    : HexScan(state)
    , m_range(range)
{
}

void RandomReachHexScan::begin()
{
    clearHits();
    m_result = kNoHex;
}

void RandomReachHexScan::visit(int x, int y)
{
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost >= 0 && !m_range.isLandingPlace(x, y))
        addHit(x, y, uint32_t(cost));
}

void RandomReachHexScan::finish()
{
    if (hits().empty())
        return;
    const HexScanHit& hit = hits()[size_t(state().random(0, hitCount() - 1))];
    m_result = { hit.x, hit.y };
}

SafeStopHexScan::SafeStopHexScan(GameState& state, int country, int move_type, const ReachMap& range)
    : HexScan(state)
    , m_country(country)
    , m_moveType(move_type)
    , m_range(range)
{
    setMinimumRadius(1);
}

void SafeStopHexScan::visit(int x, int y)
{
    if (reachCost(m_range, x, y, m_range.costLimit()) < 0)
        return;
    const int cost = m_range.secondLayerCostAt(x, y);
    if (cost < 0 || cost > m_range.costLimit())
        return;
    if (m_range.isNextToEnemy(x, y) || m_range.isLandingPlace(x, y) || m_range.isInterceptZone(x, y))
        return;
    const uint32_t distance = uint32_t(distanceFromHome(state(), m_country, m_moveType, x, y));
    if (!hits().empty()) {
        const HexScanHit& first = hits().front();
        if (uint32_t(cost) > first.key || (uint32_t(cost) == first.key && distance >= first.extra))
            return;
    }
    addHit(x, y, uint32_t(cost), distance);
}
