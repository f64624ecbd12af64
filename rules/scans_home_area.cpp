// The threat grid and the scans that keep clear of it: the area around a building and the approach.
#include "rules/scans_home.h"

#include "rules/home_distance.h"
#include "rules/reach_map.h"
#include "rules/scans_marks.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kBuildingAreaOwned = 5;
constexpr int kBuildingAreaOther = 3;

bool isAirUnit(const UnitTypeRecord* type) { return type && type->domain <= 2; }

bool hostileBuildingNear(GameState& state, int side, int x, int y)
{
    for (int d = -1; d < kHexDirections; ++d) {
        const HexPos n = d < 0 ? HexPos { x, y } : state.hexNeighbour(x, y, d);
        const UnitCell* cell = state.unitCellAt(n.x, n.y);
        const BuildingRecord* b = cell && cell->building ? state.building(cell->building - 1) : nullptr;
        if (b && b->ownerPlusOne && state.isEnemy(side, b->owner()))
            return true;
    }
    return false;
}

bool inGrid(const std::vector<uint8_t>& grid, const GameState& state, int x, int y)
{
    const size_t i = size_t(y) * size_t(state.mapWidth()) + size_t(x);
    return i < grid.size() && grid[i];
}

} // namespace

std::vector<uint8_t> buildThreatGrid(GameState& state, int side, int target_class)
{
    std::vector<uint8_t> grid(size_t(state.mapWidth()) * size_t(state.mapHeight()), 0);
    ByteGridMarkScan mark(state, grid);
    for (int enemy = 0; enemy < kSideCount; ++enemy) {
        if (!state.isEnemy(side, enemy))
            continue;
        const UnitRecord* table = std::as_const(state).unitTable(enemy);
        for (uint32_t i = 0; table && i < state.unitCount(enemy); ++i) {
            const UnitRecord& u = table[i];
            if (!unitInPlay(u) || u.hasFlag(kUnitAwaitingProduction) || !u.isOnOwnHex()
                || !isUnitVisibleTo(state, side, enemy, int(i)))
                continue;
            const int reach = u.reachWithoutRestricted(target_class);
            if (reach > 0)
                mark.scan(u.x, u.y, reach);
        }
    }
    return grid;
}

BuildingAreaHexScan::BuildingAreaHexScan(GameState& state, int side, int index, const ReachMap& range, int allowance)
    : UnitHexScan(state, side, index, range, allowance)
{
    // Only aircraft keep out of the anti-air reach.
    if (isAirUnit(unitType()))
        m_threat = buildThreatGrid(state, side, targetClass(*unitType()));
}

void BuildingAreaHexScan::run(int building, int avoid_x, int avoid_y)
{
    const BuildingRecord* b = state().building(building);
    if (!b || !unit())
        return;
    m_avoid = { avoid_x, avoid_y };
    const int x = int(b->x), y = int(b->y);
    m_centreDistance = distanceFromHome(state(), targetCountry(), movementType(), x, y);
    scan(x, y, b->owner() == unitSide() ? kBuildingAreaOwned : kBuildingAreaOther);
}

void BuildingAreaHexScan::visit(int x, int y)
{
    if (reachableCost(x, y) < 0 || !isFreeForDomain(x, y) || HexPos { x, y } == m_avoid)
        return;
    if (range().isNextToEnemy(x, y) || range().isInterceptZone(x, y) || inGrid(m_threat, state(), x, y)
        || hostileBuildingNear(state(), unitSide(), x, y))
        return;
    // Without storing (6) and rule 14 a unit may not idle on its own capital.
    if (!state().ruleOn(kRuleStoring) && !state().ruleOn(kRuleAdjacentProduction) && HexPos { x, y } == sideHomeHex(state(), unitSide()))
        return;
    const int d = distanceFromHome(state(), targetCountry(), movementType(), x, y);
    uint32_t key = d >= 0 ? uint32_t(10000 - std::min(d, 10000)) : 0;
    if (d >= 0 && m_centreDistance >= 0 && d < m_centreDistance) {
        const TerrainRecord* terrain = state().terrainTypeAt(x, y);
        key += uint32_t(terrain ? terrain->evasion[movementType()] : 0) * 65536u;
    }
    addHit(x, y, key);
}

ApproachHexScan::ApproachHexScan(GameState& state, int side, int index, const ReachMap& range, int allowance)
    : UnitHexScan(state, side, index, range, allowance)
{
    if (unitType())
        m_threat = buildThreatGrid(state, side, targetClass(*unitType()));
}

void ApproachHexScan::visit(int x, int y)
{
    if (reachableCost(x, y) < 0 || !isFreeForDomain(x, y) || range().isNextToEnemy(x, y) || inGrid(m_threat, state(), x, y))
        return;
    const int d = distanceFromHome(state(), targetCountry(), movementType(), x, y);
    if (d < 0 || (m_best >= 0 && d > m_best))
        return;
    m_best = d;
    addHit(x, y, uint32_t(d));
}
