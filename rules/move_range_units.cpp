// MoveRangeMap: units, zones of control and interception zones in the flag map.
#include "rules/move_range.h"

#include "rules/hex_scan.h"
#include "rules/unit_places.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

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

// How far an enemy's marks reach from its hex: its neighbours and, with interception on, its type's
// range byte for the mover's domain. Most units share a handful of types, so a few slots spare a type
// look-up per far enemy; the longest range of any type bounds them all.
struct MoveRangeMap::TypeReaches {
    static constexpr int kSlots = 64;
    int domain = 0;
    int farthest = 1;
    uint16_t ids[kSlots] = {};
    int16_t reach[kSlots];

    TypeReaches(const GameState& state, int d, bool intercepting)
        : domain(d)
    {
        std::fill(std::begin(reach), std::end(reach), int16_t(-1));
        if (intercepting)
            for (const UnitTypeRecord& type : state.unitTypes())
                farthest = std::max<int>(farthest, type.range[domain]);
    }

    int of(const UnitRecord& unit)
    {
        const unsigned slot = unit.unitTypeId & (kSlots - 1);
        if (reach[slot] < 0 || ids[slot] != unit.unitTypeId) {
            ids[slot] = unit.unitTypeId;
            reach[slot] = int16_t(unit.type().range[domain]);
        }
        return reach[slot];
    }
};

void MoveRangeMap::buildUnitFlags()
{
    TypeReaches reaches(m_state, m_domain, m_state.ruleOn(kRuleInterception) && m_domain >= 0 && m_domain < kDomainCount);
    const UnitPlaces& places = currentUnitPlaces(m_state);
    for (int s = 0; s < kSideCount; ++s) {
        if (s < kCountryCount) {
            const CountryRecord& country = m_state.country(s);
            if (!country.takesPart())
                continue;
        }
        addSideUnits(s, std::as_const(m_state).unitTable(s), int(m_state.unitCount(s)), &places, reaches);
        if (s < kCountryCount)
            addSideUnits(s, m_state.missileTable(s), int(m_state.missileCount(s)), nullptr, reaches);
    }
}

void MoveRangeMap::addSideUnits(int side, const UnitRecord* table, int count, const UnitPlaces* places, TypeReaches& reaches)
{
    // Missile tables are read whole; a side's units are found by where they stand.
    const bool missiles = places == nullptr;
    if (!table)
        return;
    uint32_t relation = kRangeEnemy, base = kRangeEnemyClass;
    if (side == m_side)
        relation = kRangeOwn, base = kRangeOwnClass;
    else if (m_state.isAllied(m_side, side))
        relation = kRangeAllied, base = kRangeAlliedClass;
    const bool stacking = m_state.ruleOn(kRuleStacking);
    const int code = missiles ? 100 + side : side;
    // How far a unit's marks reach from its hex: its own hex, and for an enemy its neighbours and
    // its interception zone (never beyond its type's range byte for the mover's domain), so units
    // further outside the window are passed over.
    const bool intercepting = m_state.ruleOn(kRuleInterception) && m_domain >= 0 && m_domain < kDomainCount;
    const int farthest = relation == kRangeEnemy && !missiles ? reaches.farthest : 0;
    // The units standing within the farthest reach, in table order: a side's from where its units
    // were last seen standing, a missile table's by one pass over it without a branch a record.
    static thread_local std::vector<uint32_t> near;
    size_t found = 0;
    const int lo_x = m_window.x - farthest, lo_y = m_window.y - farthest;
    const unsigned span_x = unsigned(m_window.width - 1 + 2 * farthest), span_y = unsigned(m_window.height - 1 + 2 * farthest);
    if (places) {
        places->collect(side, lo_x, lo_y, lo_x + int(span_x), lo_y + int(span_y), near);
        found = near.size();
    } else {
        near.resize(size_t(std::max(count, 0)));
        for (int i = 0; i < count; ++i) {
            near[found] = uint32_t(i);
            found += (unsigned(table[i].x - lo_x) <= span_x) & (unsigned(table[i].y - lo_y) <= span_y);
        }
    }
    for (size_t k = 0; k < found; ++k) {
        const int i = int(near[k]);
        const UnitRecord& unit = table[i];
        if (!onMap(unit.x, unit.y))
            continue;
        const int outside = std::max(distanceOutside(unit.x, m_window.x, m_window.width),
            distanceOutside(unit.y, m_window.y, m_window.height));
        if (outside > 0) {
            if (relation != kRangeEnemy || missiles)
                continue;
            // Beyond its zone's one hex only its interception reach can touch the window.
            if (outside > 1 && (!intercepting || outside > reaches.of(unit)))
                continue;
        }
        if (!isCounted(unit) || (!missiles && side == m_side && i == m_unitIndex))
            continue;
        if (relation == kRangeEnemy && !isUnitVisibleTo(m_state, m_side, code, i))
            continue;
        if (m_ignoreUnitsAtGoal && unit.x == m_goalX && unit.y == m_goalY)
            continue;
        if (inWindow(unit.x, unit.y))
            m_buf.flags[at(unit.x, unit.y)] |= relation | (base << (stacking ? unit.type().domain : 0));
        if (relation == kRangeEnemy && !missiles)
            addEnemyZones(unit);
    }
}

void MoveRangeMap::addEnemyZones(const UnitRecord& enemy)
{
    bool zone = false;
    if (m_state.ruleOn(kRuleZoc))
        zone = !m_state.ruleOn(kRuleZocNeedsWeapon) || enemy.canAttackClass(m_targetClass);
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = hexNeighbour(enemy.x, enemy.y, d, m_width, m_height);
        if (n.valid() && inWindow(n.x, n.y))
            m_buf.flags[at(n.x, n.y)] |= zone ? kRangeEnemyZoc : kRangeNextToEnemy;
    }
    if (zone && m_state.ruleOn(kRuleStacking) && inWindow(enemy.x, enemy.y))
        m_buf.flags[at(enemy.x, enemy.y)] |= kRangeEnemyZoc;

    if (!m_state.ruleOn(kRuleInterception) || m_domain < 0 || m_domain >= kDomainCount)
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
            m_buf.flags[at(x, y)] |= kRangeInterceptZone;
    });
    scan.scan(enemy.x, enemy.y, r);
}
