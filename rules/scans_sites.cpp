// The building and merge scans' visits.
#include "rules/scans_sites.h"

#include "rules/reach_map.h"
#include "rules/targets.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <vector>

namespace {

constexpr int kMaxMoveTurns = 5;

int buildingIndexAt(const GameState& state, int x, int y)
{
    return state.buildingOnHex(x, y) ? int(state.unitCellAt(x, y)->building) - 1 : -1;
}

bool isTargetPlace(GameState& state, int x, int y)
{
    const int link = state.hexPlaceLink(x, y);
    return link > 0 && link <= kPlaceRecordCount && state.placeTable() && state.placeTable()[link - 1].target != 0;
}

bool isCapital(const BuildingRecord& building)
{
    const TerrainRecord* terrain = building.terrain();
    return terrain && terrain->kind == kTerrainCapital;
}

} // namespace

void CapturableBuildingHexScan::visit(int x, int y)
{
    const int cost = reachableCost(x, y);
    const int index = cost >= 0 ? buildingIndexAt(state(), x, y) : -1;
    if (index < 0)
        return;
    const BuildingRecord& building = state().buildingAt(size_t(index));
    if (building.ownerPlusOne != 0 && !state().isEnemy(unitSide(), building.owner()))
        return;
    const TerrainRecord* terrain = building.terrain();
    uint32_t value = 0;
    if (terrain) {
        value = terrain->income + (terrain->productionMask ? 400u : 0u);
        value += 100u * (terrain->occupationValue + terrain->capacity);
    }
    if (cost <= kMaxMoveTurns * unit()->movePoints() && isTargetPlace(state(), x, y))
        value += 1000;
    addHit(x, y, value, uint32_t(index + 1));
}

EnemyBuildingHexScan::EnemyBuildingHexScan(GameState& state, int side, int index, const ReachMap& range, unsigned country_mask, int ring_limit, int allowance)
    : UnitHexScan(state, side, index, range, allowance)
    , m_countryMask(country_mask)
    , m_ringLimit(ring_limit)
{
}

EnemyBuildingHexScan::EnemyBuildingHexScan(GameState& state, int side, int index, unsigned country_mask, int ring_limit, int allowance)
    : UnitHexScan(state, side, index, allowance)
    , m_countryMask(country_mask)
    , m_ringLimit(ring_limit)
{
}

void EnemyBuildingHexScan::visit(int x, int y)
{
    const int index = unit() ? buildingIndexAt(state(), x, y) : -1;
    if (index < 0)
        return;
    const BuildingRecord& building = state().buildingAt(size_t(index));
    if (building.durability == 0 || building.ownerPlusOne == 0 || building.owner() >= kCountryCount)
        return;
    if (!(m_countryMask & (1u << building.owner())))
        return;
    if (isCapital(building) && !state().ruleOn(kRuleCapitalDestruction))
        return;
    std::vector<UnitRef> refs;
    state().collectUnitsInHex(x, y, refs);
    for (const UnitRef& ref : refs)
        if (ref.country != unitSide() && !state().isEnemy(unitSide(), ref.country))
            return;
    // Beyond the allowance too: the computer player aims at buildings several turns away.
    const int cost = range().costAt(x, y, -1);
    if (cost < 0)
        return;
    int key = cost + 10 * m_ringLimit;
    if (ring() <= m_ringLimit)
        key = cost + state().random(1, 9) * m_ringLimit / 10;
    addHit(x, y, uint32_t(key), uint32_t(index + 1));
}

int FriendlyBuildingHexScan::approachCost(int x, int y, int kind) const
{
    if (kind != kTerrainBridge && kind != 25 && kind != 26)
        return range().costAt(x, y, -1);
    int best = -1;
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state().hexNeighbour(x, y, d);
        if (!n.valid() || !isFreeForDomain(n.x, n.y))
            continue;
        const int cost = range().costAt(n.x, n.y, -1);
        if (cost >= 0 && (best < 0 || cost < best))
            best = cost;
    }
    return best;
}

void FriendlyBuildingHexScan::visit(int x, int y)
{
    const int index = unit() ? buildingIndexAt(state(), x, y) : -1;
    if (index < 0)
        return;
    const BuildingRecord& building = state().buildingAt(size_t(index));
    if (!building.isIntact())
        return;
    const bool unowned = building.ownerPlusOne == 0;
    const bool own = !unowned && building.owner() == unitSide();
    const bool allied = !unowned && !own && state().isAllied(unitSide(), building.owner());
    if (!unowned && !own && !allied)
        return;
    const TerrainRecord* terrain = building.terrain();
    int cost = approachCost(x, y, terrain ? terrain->kind : -1);
    if (cost < 0)
        return;
    const int points = unit()->movePoints();
    if (cost > points)
        cost = cost * state().random(70, 100) / 100 + points + 300;
    cost += unowned ? 200 : allied ? 100 : 0;
    addHit(x, y, uint32_t(cost), uint32_t(index + 1));
}

void MergePartnerHexScan::visit(int x, int y)
{
    if (reachableCost(x, y) < 0)
        return;
    UnitRef ref {};
    if (!state().unitRefInHex(x, y, state().unitSlotFor(unitType()->domain), ref))
        return;
    if (!canMergeUnits(state(), unitSide(), unitIndex(), ref.table, ref.index))
        return;
    const int members = strengthSlotCount(*unit()) + strengthSlotCount(*state().unitOf(ref.table, ref.index));
    if (members <= unitType()->members)
        addHit(x, y, uint32_t(members), uint32_t(ref.index + 1));
}

SupplyPointHexScan::SupplyPointHexScan(GameState& state, int country, int index, const ReachMap& range, int cost_limit, int group, SupplyTest test)
    : HexScan(state)
    , m_country(country)
    , m_index(index)
    , m_range(range)
    , m_limit(cost_limit)
    , m_group(group)
    , m_test(test)
{
}

bool SupplyPointHexScan::hasSupplierAround(int x, int y) const
{
    std::vector<UnitRef> refs;
    state().collectUnitsInHex(x, y, refs);
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state().hexNeighbour(x, y, d);
        if (n.valid())
            state().collectUnitsInHex(n.x, n.y, refs);
    }
    for (const UnitRef& ref : refs) {
        if (ref.table != m_country || ref.index == m_index)
            continue;
        const UnitRecord* supplier = state().unitOf(ref.table, ref.index);
        if (supplier && unitExists(*supplier) && supplier->canServiceUnit(m_country, m_index, x, y))
            return true;
    }
    return false;
}

bool SupplyPointHexScan::buildingServes(int x, int y) const
{
    const BuildingRecord* building = state().buildingOnHex(x, y);
    if (!building || !building->canRefuel(m_country, m_group))
        return false;
    if (m_test == SupplyTest::FuelAndAmmunition && !building->canRearm(m_country, m_group))
        return false;
    return !state().ruleOn(kRuleStoring) || building->acceptsUnit(m_country, m_group);
}

void SupplyPointHexScan::visit(int x, int y)
{
    const int cost = reachCost(m_range, x, y, m_range.costLimit());
    if (cost < 0 || cost > m_limit)
        return;
    if (hasSupplierAround(x, y) || buildingServes(x, y)) {
        m_result = { x, y };
        stop();
    }
}
