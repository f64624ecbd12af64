// The whole-map movement range, kept plain so that the bounded one can be checked against it.
#include "tests/ai/move_range_reference.h"

#include "rules/area_layers.h"
#include "rules/hex_scan.h"
#include "rules/open_sides.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <deque>
#include <map>

namespace testing_ai {
namespace {

class RadiusScan : public HexScan {
public:
    RadiusScan(GameState& state, std::vector<uint32_t>& flags, int width)
        : HexScan(state), m_flags(flags), m_width(width)
    {
        setMinimumRadius(0);
    }

protected:
    void visit(int x, int y) override { m_flags[size_t(y) * size_t(m_width) + size_t(x)] |= kRangeInterceptZone; }

private:
    std::vector<uint32_t>& m_flags;
    int m_width;
};

} // namespace

ReferenceRange::ReferenceRange(GameState& state, const RangeSetUp& setUp)
    : m_state(state)
    , m_setUp(setUp)
{
    const UnitRecord& unit = *state.unitOf(setUp.side, setUp.index);
    const UnitTypeRecord& type = unit.type();
    m_start = { unit.x, unit.y };
    m_moveType = type.movementType;
    m_domain = type.domain;
    m_targetClass = ::targetClass(type);
    m_cap = state.ruleOn(kRuleSearch) ? type.concealRadius : 0;
    width = state.mapWidth();
    height = state.mapHeight();
    const size_t hexes = size_t(width) * size_t(height);
    entryCosts.assign(hexes, 0);
    flags.assign(hexes, 0);
    exitDirs.assign(hexes, 0xFF);
    if (!onMap(m_start.x, m_start.y))
        return;
    flags[at(m_start.x, m_start.y)] |= kRangeStart;
    terrainCosts();
    if (setUp.unitFlags)
        unitFlags();
    workingLimit = setUp.limit;
    if (setUp.secondLayer || setUp.minesImpassable)
        knownMines();
    flood(0);
    if (setUp.secondLayer)
        flood(1);
}

void ReferenceRange::terrainCosts()
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            entryCosts[at(x, y)] = uint8_t(std::clamp(m_state.terrainValueAt(x, y, m_moveType), 0, 255));
    const UnitRecord& unit = *m_state.unitOf(m_setUp.side, m_setUp.index);
    const bool vehicle = m_domain == 3 && movementGroup(unit.type().movementType) != 3;
    const bool ship = m_domain == 4 || m_domain == 5;
    for (const BuildingRecord& building : m_state.buildings()) {
        const TerrainRecord* terrain = building.terrain();
        if (!terrain || !onMap(building.x, building.y))
            continue;
        const bool destroyed = !building.isIntact();
        const bool foreign = building.ownerPlusOne != 0 && !m_state.isAllied(m_setUp.side, building.owner());
        if ((terrain->kind == 20 && ((vehicle && (destroyed || foreign)) || (ship && foreign)))
            || ((terrain->kind == 25 || terrain->kind == 26) && vehicle && destroyed))
            entryCosts[at(building.x, building.y)] = 0;
    }
    if (m_domain != 3)
        return;
    for (const BuildingRecord& building : m_state.buildings())
        if (building.terrain() && building.terrain()->kind == 20 && onMap(building.x, building.y) && entryCosts[at(building.x, building.y)])
            exitDirs[at(building.x, building.y)] = uint8_t(buildingGraphicCode(m_state, building));
    for (const TemporaryBridgeHex& listed : m_state.temporaryBridgeHexes())
        if (onMap(listed.x, listed.y) && entryCosts[at(listed.x, listed.y)])
            exitDirs[at(listed.x, listed.y)] = uint8_t(hexGraphicCode(m_state, listed.x, listed.y));
}

void ReferenceRange::unitFlags()
{
    for (int s = 0; s < kSideCount; ++s) {
        if (s < kCountryCount && !m_state.country(s).takesPart())
            continue;
        sideUnits(s, m_state.unitTable(s), int(m_state.unitCount(s)), false);
        if (s < kCountryCount)
            sideUnits(s, m_state.missileTable(s), int(m_state.missileCount(s)), true);
    }
    const unsigned bit = 1u << m_domain;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TerrainCell* cell = m_state.terrainCellAt(x, y);
            if ((cell->turnMarks[0] | cell->turnMarks[1]) & bit)
                flags[at(x, y)] |= kRangeInterceptZone;
        }
}

void ReferenceRange::sideUnits(int side, const UnitRecord* table, int count, bool missiles)
{
    uint32_t relation = kRangeEnemy, base = kRangeEnemyClass;
    if (side == m_setUp.side)
        relation = kRangeOwn, base = kRangeOwnClass;
    else if (m_state.isAllied(m_setUp.side, side))
        relation = kRangeAllied, base = kRangeAlliedClass;
    for (int i = 0; table && i < count; ++i) {
        const UnitRecord& unit = table[i];
        if (unit.state() != 1 || unit.hasFlag(kUnitAwaitingProduction | kUnitOffMap | kUnitStored | kUnitAboard))
            continue;
        if ((!missiles && side == m_setUp.side && i == m_setUp.index) || !onMap(unit.x, unit.y))
            continue;
        if (relation == kRangeEnemy && !isUnitVisibleTo(m_state, m_setUp.side, missiles ? 100 + side : side, i))
            continue;
        if (unit.x == m_setUp.goal.x && unit.y == m_setUp.goal.y)
            continue;
        flags[at(unit.x, unit.y)] |= relation | (base << (m_state.ruleOn(kRuleStacking) ? unit.type().domain : 0));
        if (relation == kRangeEnemy && !missiles)
            enemyZones(unit);
    }
}

void ReferenceRange::enemyZones(const UnitRecord& enemy)
{
    const bool zone = m_state.ruleOn(kRuleZoc) && (!m_state.ruleOn(kRuleZocNeedsWeapon) || enemy.canAttackClass(m_targetClass));
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = hexNeighbour(enemy.x, enemy.y, d, width, height);
        if (n.valid())
            flags[at(n.x, n.y)] |= zone ? kRangeEnemyZoc : kRangeNextToEnemy;
    }
    if (zone && m_state.ruleOn(kRuleStacking))
        flags[at(enemy.x, enemy.y)] |= kRangeEnemyZoc;
    if (!m_state.ruleOn(kRuleInterception))
        return;
    const int range = enemy.type().range[m_domain];
    int r = range > 0 ? std::min(range, enemy.bestWeaponReach(m_domain, 0, 0, 0)) : 0;
    if (m_cap >= 1 && r > m_cap)
        r = m_cap;
    if (r > 0)
        RadiusScan(m_state, flags, width).scan(enemy.x, enemy.y, r);
}

void ReferenceRange::knownMines()
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TerrainCell* cell = m_state.terrainCellAt(x, y);
            if (!cell->mineKind || !(cell->mineKnownMask & (1u << m_setUp.side)))
                continue;
            if ((cell->mineKind == 1 && m_domain == 3) || (cell->mineKind == 2 && m_domain == 4)) {
                flags[at(x, y)] |= kRangeKnownMine;
                if (m_setUp.minesImpassable)
                    entryCosts[at(x, y)] = 0;
            }
        }
}

// Cheapest first; among equal costs, first pushed first expanded.
void ReferenceRange::flood(int layer)
{
    costs[layer].assign(flags.size(), -1);
    std::map<int, std::deque<HexPos>> open;
    costs[layer][at(m_start.x, m_start.y)] = 0;
    open[0].push_back(m_start);
    while (!open.empty()) {
        auto first = open.begin();
        const int cost = first->first;
        const HexPos hex = first->second.front();
        first->second.pop_front();
        if (first->second.empty())
            open.erase(first);
        if (costs[layer][at(hex.x, hex.y)] != cost)
            continue;
        for (int d : { 0, 3, 5, 1, 4, 2 }) {
            if (!(exitDirs[at(hex.x, hex.y)] & (1 << d)) || !m_state.canCrossHexSide(hex.x, hex.y, d))
                continue;
            const HexPos n = hexNeighbour(hex.x, hex.y, d, width, height);
            if (n.valid() && relax(n.x, n.y, cost, oppositeDirection(d), layer))
                open[costs[layer][at(n.x, n.y)]].push_back(n);
        }
    }
}

bool ReferenceRange::relax(int x, int y, int cost, int entering_side, int layer)
{
    const uint32_t f = flags[at(x, y)];
    const int stacking = m_state.unitSlotFor(m_domain);
    if ((f & kRangeEnemy) && (!m_state.ruleOn(kRuleStacking) || (f & (kRangeEnemyClass << stacking))))
        return false;
    if (layer == 1 && (f & (kRangeInterceptZone | kRangeKnownMine)))
        return false;
    const int k = entryCosts[at(x, y)];
    if (!(exitDirs[at(x, y)] & (1 << entering_side)) || k == 0)
        return false;
    const int n = cost + k;
    int32_t& held = costs[layer][at(x, y)];
    if (n > workingLimit || (held >= 0 && n >= held))
        return false;
    held = n;
    if (n >= workingLimit)
        return false;
    if (HexPos { x, y } == m_setUp.goal)
        workingLimit = n;
    return !(f & kRangeEnemyZoc);
}

} // namespace testing_ai
