// Visits of the scans that rate hexes by the distance from a capital.
#include "rules/scans_home.h"

#include "rules/home_distance.h"
#include "rules/reach_map.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kNoCountry = 8;

// Stops at the first hex the country (or an ally of it) sees in the layer.
class ForeignSightScan : public HexScan {
public:
    ForeignSightScan(GameState& state, int country, int layer) : HexScan(state), m_country(country), m_layer(layer) { }
    bool found() const { return m_found; }

protected:
    void begin() override { m_found = false; }
    void visit(int x, int y) override
    {
        const FogMap* fog = state().fogMap();
        if (fog && fog->isSeenBy(m_country, x, y, m_layer)) {
            m_found = true;
            stop();
        }
    }

private:
    int m_country;
    int m_layer;
    bool m_found = false;
};

// Stops at a unit of a side allied with the country whose type is of the class; the unit itself
// does not count.
class AlliedClassScan : public HexScan {
public:
    AlliedClassScan(GameState& state, int side, int index, int unit_class)
        : HexScan(state), m_side(side), m_index(index), m_class(unit_class) { }
    bool found() const { return m_found; }

protected:
    void begin() override { m_found = false; }
    void visit(int x, int y) override
    {
        std::vector<UnitRef> units;
        state().collectUnitsInHex(x, y, units);
        for (const UnitRef& ref : units) {
            if (ref.table == m_side && ref.index == m_index)
                continue;
            const UnitRecord* unit = state().unitOf(ref.table, ref.index);
            if (unit && state().isAllied(m_side, ref.country) && unit->type().unitClass == m_class) {
                m_found = true;
                stop();
                return;
            }
        }
    }

private:
    int m_side;
    int m_index;
    int m_class;
    bool m_found = false;
};

} // namespace

uint32_t distanceKey(GameState& state, int side, int move_type, int x, int y, bool nearest_first)
{
    const int d = distanceFromHome(state, side, move_type, x, y);
    // A hex the capital does not reach comes last in either order.
    if (d < 0)
        return nearest_first ? UINT32_MAX : 0;
    return uint32_t(d);
}

void UncontestedHexScan::visit(int x, int y)
{
    if (reachableCost(x, y) < 0 || !isFreeForDomain(x, y))
        return;
    if (targetCountry() != kNoCountry) {
        ForeignSightScan sight(state(), targetCountry(), unitType()->domain);
        sight.scan(x, y, unitType()->range[widestRangeLayer(*unitType())]);
        if (sight.found())
            return;
    }
    addHit(x, y, distanceKey(state(), targetCountry(), movementType(), x, y, true));
}

SpreadOutHexScan::SpreadOutHexScan(GameState& state, int side, int index, const ReachMap& range, int spacing, int allowance)
    : UnitHexScan(state, side, index, range, allowance)
    , m_spacing(spacing)
{
}

void SpreadOutHexScan::visit(int x, int y)
{
    if (reachableCost(x, y) < 0 || !isFreeForDomain(x, y))
        return;
    AlliedClassScan allies(state(), unitSide(), unitIndex(), unitType()->unitClass);
    allies.scan(x, y, m_spacing);
    if (!allies.found())
        addHit(x, y, distanceKey(state(), targetCountry(), movementType(), x, y, true));
}

ClosestToHomeHexScan::ClosestToHomeHexScan(GameState& state, int country, int move_type, const ReachMap& range)
    : HexScan(state)
    , m_country(country)
    , m_moveType(move_type)
    , m_range(range)
{
}

void ClosestToHomeHexScan::begin()
{
    clearHits();
    m_best = -1;
    m_result = kNoHex;
}

void ClosestToHomeHexScan::visit(int x, int y)
{
    if (reachCost(m_range, x, y, m_range.costLimit()) < 0)
        return;
    const int d = distanceFromHome(state(), m_country, m_moveType, x, y);
    if (d < 0 || (m_best >= 0 && d > m_best))
        return;
    if (d < m_best || m_best < 0)
        clearHits();
    m_best = d;
    addHit(x, y, uint32_t(d));
}

void ClosestToHomeHexScan::finish()
{
    if (hitCount() == 0)
        return;
    const HexScanHit& pick = hits()[size_t(state().random(0, hitCount() - 1))];
    m_result = { pick.x, pick.y };
}

BuildingHexScan::BuildingHexScan(GameState& state, int side, int index, const ReachMap& range, unsigned relations, int allowance)
    : UnitHexScan(state, side, index, range, allowance)
    , m_relations(relations)
{
}

void BuildingHexScan::visit(int x, int y)
{
    if (reachableCost(x, y) < 0)
        return;
    const UnitCell* cell = state().unitCellAt(x, y);
    const BuildingRecord* b = cell && cell->building ? state().building(cell->building - 1) : nullptr;
    if (!b)
        return;
    unsigned relation = kBuildingHostile;
    if (!b->ownerPlusOne)
        relation = kBuildingUnowned;
    else if (b->owner() == unitSide())
        relation = kBuildingOwn;
    else if (state().isAllied(unitSide(), b->owner()))
        relation = kBuildingAllied;
    if (m_relations & relation)
        addHit(x, y, distanceKey(state(), targetCountry(), movementType(), x, y, false), cell->building);
}
