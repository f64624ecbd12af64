// MoveRangeMap: units, zones of control, interception zones and known mines in the flag map.
#include "rules/move_range.h"

#include "rules/hex_scan.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <functional>

namespace {

// Every hex of the scan within the range's window, its centre included.
class RadiusMarkScan : public HexScan {
public:
    using Mark = std::function<void(int, int)>;
    RadiusMarkScan(GameState& state, Mark mark)
        : HexScan(state)
        , m_mark(std::move(mark))
    {
        setMinimumRadius(0);
    }

protected:
    void visit(int x, int y) override { m_mark(x, y); }

private:
    Mark m_mark;
};

// How far outside a box a hex lies, counted in rows or columns: no hex at a lower hex distance.
int distanceOutside(int v, int lo, int size) { return v < lo ? lo - v : v >= lo + size ? v - (lo + size - 1) : 0; }

bool isCounted(const UnitRecord& unit)
{
    return unit.state() == 1 && !unit.hasFlag(kUnitAwaitingProduction | kUnitOffMap | kUnitStored | kUnitAboard);
}

} // namespace

void MoveRangeMap::buildUnitFlags()
{
    for (int s = 0; s < kSideCount; ++s) {
        if (s < kCountryCount) {
            const CountryRecord& country = m_state.country(s);
            if (country.controller == 0 || country.inPlay != 1)
                continue;
        }
        addSideUnits(s, m_state.unitTable(s), int(m_state.unitCount(s)), false);
        if (s < kCountryCount)
            addSideUnits(s, m_state.missileTable(s), int(m_state.missileCount(s)), true);
    }
    markTurnInterceptions();
}

void MoveRangeMap::addSideUnits(int side, const UnitRecord* table, int count, bool missiles)
{
    if (!table)
        return;
    uint32_t relation = kRangeEnemy, base = kRangeEnemyClass;
    if (side == m_side)
        relation = kRangeOwn, base = kRangeOwnClass;
    else if (m_state.isAllied(m_side, side))
        relation = kRangeAllied, base = kRangeAlliedClass;
    const bool stacking = m_state.ruleSwitch(17) == 1;
    const int code = missiles ? 100 + side : side;
    // How far a unit's marks reach from its hex: its own hex, and for an enemy its neighbours and
    // its interception zone (never beyond its type's range byte for the mover's domain). The longest
    // range of any type bounds them all, so a unit's type is read only when it stands that near.
    const bool intercepting = m_state.ruleSwitch(31) == 1 && m_domain >= 0 && m_domain < kDomainCount;
    const bool zones = relation == kRangeEnemy && !missiles;
    int farthest = 0;
    if (zones)
        farthest = 1;
    if (zones && intercepting)
        for (const UnitTypeRecord& type : m_state.unitTypes())
            farthest = std::max<int>(farthest, type.range[m_domain]);
    // The units standing that near, in table order, picked without a branch a unit.
    static thread_local std::vector<uint32_t> near;
    near.resize(size_t(std::max(count, 0)));
    size_t found = 0;
    const int lo_x = m_window.x - farthest, lo_y = m_window.y - farthest;
    const unsigned span_x = unsigned(m_window.width - 1 + 2 * farthest), span_y = unsigned(m_window.height - 1 + 2 * farthest);
    for (int i = 0; i < count; ++i) {
        near[found] = uint32_t(i);
        found += (unsigned(table[i].x - lo_x) <= span_x) & (unsigned(table[i].y - lo_y) <= span_y);
    }
    for (size_t k = 0; k < found; ++k) {
        const int i = int(near[k]);
        const UnitRecord& unit = table[i];
        const int outside = std::max(distanceOutside(unit.x, m_window.x, m_window.width), distanceOutside(unit.y, m_window.y, m_window.height));
        if (!isCounted(unit) || (!missiles && side == m_side && i == m_unitIndex))
            continue;
        if (!onMap(unit.x, unit.y))
            continue;
        if (outside > 0 && outside > std::max(1, intercepting ? int(unit.type().range[m_domain]) : 0))
            continue;
        if (relation == kRangeEnemy && !isUnitVisibleTo(m_state, m_side, code, i))
            continue;
        if (m_ignoreUnitsAtGoal && unit.x == m_goalX && unit.y == m_goalY)
            continue;
        if (inWindow(unit.x, unit.y))
            m_flags[at(unit.x, unit.y)] |= relation | (base << (stacking ? unit.type().domain : 0));
        if (zones)
            addEnemyZones(unit);
    }
}

void MoveRangeMap::addEnemyZones(const UnitRecord& enemy)
{
    bool zone = false;
    if (m_state.ruleSwitch(1) == 1)
        zone = m_state.ruleSwitch(2) != 1 || enemy.canAttackClass(m_targetClass);
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = hexNeighbour(enemy.x, enemy.y, d, m_width, m_height);
        if (n.valid() && inWindow(n.x, n.y))
            m_flags[at(n.x, n.y)] |= zone ? kRangeEnemyZoc : kRangeNextToEnemy;
    }
    if (zone && m_state.ruleSwitch(17) == 1 && inWindow(enemy.x, enemy.y))
        m_flags[at(enemy.x, enemy.y)] |= kRangeEnemyZoc;

    if (m_state.ruleSwitch(31) != 1 || m_domain < 0 || m_domain >= kDomainCount)
        return;
    const int range = enemy.type().range[m_domain];
    if (range <= 0)
        return;
    int r = std::min(range, enemy.bestWeaponReach(m_domain, 0, 0, 0));
    if (m_interceptionCap >= 1 && r > m_interceptionCap)
        r = m_interceptionCap;
    if (r <= 0)
        return;
    RadiusMarkScan scan(m_state, [this](int x, int y) {
        if (inWindow(x, y))
            m_flags[at(x, y)] |= kRangeInterceptZone;
    });
    scan.scan(enemy.x, enemy.y, r);
}

void MoveRangeMap::markTurnInterceptions()
{
    if (m_domain < 0 || m_domain >= kDomainCount)
        return;
    const unsigned bit = 1u << m_domain;
    for (int y = m_window.y; y < m_window.y + m_window.height; ++y)
        for (int x = m_window.x; x < m_window.x + m_window.width; ++x) {
            const TerrainCell* cell = m_state.terrainCellAt(x, y);
            if (cell && ((cell->turnMarks[0] | cell->turnMarks[1]) & bit))
                m_flags[at(x, y)] |= kRangeInterceptZone;
        }
}

void MoveRangeMap::markKnownMines()
{
    if (m_side < 0 || m_side >= kCountryCount)
        return;
    const unsigned known = 1u << m_side;
    for (int y = m_window.y; y < m_window.y + m_window.height; ++y)
        for (int x = m_window.x; x < m_window.x + m_window.width; ++x) {
            const TerrainCell* cell = m_state.terrainCellAt(x, y);
            if (!cell || !cell->mineKind || !(cell->mineKnownMask & known))
                continue;
            if ((cell->mineKind == 1 && m_domain == 3) || (cell->mineKind == 2 && m_domain == 4)) {
                m_flags[at(x, y)] |= kRangeKnownMine;
                if (m_minesImpassable)
                    m_entryCosts[at(x, y)] = 0;
            }
        }
}
