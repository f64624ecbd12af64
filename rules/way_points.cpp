// The current action's route: way-points, path hexes, their marks and the auto-move group.
#include "rules/current_action.h"

#include "rules/current_action_marks.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/visibility.h"
#include "state/game_state.h"

#include <algorithm>
#include <cstring>

namespace {

// A unit stores this many way-points; the last of a route is its goal.
constexpr size_t kStoredWayPoints = 8;

} // namespace

int CurrentAction::routeCostTo(int x, int y) const
{
    if (!m_ownedRange)
        return 0;
    // Unreachable stays -1 rather than passing for a cost once way-points were added.
    int cost = m_ownedRange->costAt(x, y, -1);
    return cost < 0 ? -1 : cost + lastWayPointCost();
}

bool CurrentAction::addWayPoint(int x, int y)
{
    if (!m_ownedRange)
        return false;
    // A unit has room for eight way-points and a goal; more would overrun its record.
    if (m_setup && m_wayPoints.size() >= size_t(kMaxAutoMoveWayPoints))
        return false;
    int cost = m_ownedRange->costAt(x, y, -1);
    std::vector<HexPos> leg;
    if (cost < 0 || !m_ownedRange->tracePath(x, y, leg, -1))
        return false;
    int total = cost + lastWayPointCost();
    WayPoint point { uint32_t(x), uint32_t(y), uint16_t(std::min(total, 0xFFFF)), uint16_t(m_path.size()) };
    m_path.insert(m_path.end(), leg.begin(), leg.end());
    m_wayPoints.push_back(point);
    bool outside_zone = m_ownedRange->isOutsideEnemyZoc(x, y);
    m_ownedRange->setStart(x, y);
    if (outside_zone)
        markRangeAfter(total);
    else
        markStopInZone(total);
    return true;
}

// Inside an enemy zone of control the move must end: only the band 0..1 stays marked.
void CurrentAction::markStopInZone(int spent)
{
    clearHexMarkAll(m_state, kMarkMoveRange | kMarkInterceptRange | kMarkExtendedBand);
    m_range->setCostLimit(0);
    m_range->compute();
    if (spent <= int(m_firstAllowance))
        m_range->markNormalRange(0, 1);
    else
        m_range->markExtendedRange(0, 1);
    m_range->markInterceptedHexes();
    m_range->unmarkOccupiedHexes();
    mapWindowLink().postRefresh(false);
}

HexPos CurrentAction::removeLastWayPoint()
{
    HexPos actor = actorHex();
    if (m_wayPoints.empty()) {
        setHexMark(m_state, actor.x, actor.y, kMarkPathEnd);
        if (m_range)
            m_range->setStart(actor.x, actor.y);
        markRangeAfter(0);
        mapWindowLink().postRefresh(false);
        return actor;
    }
    const WayPoint last = m_wayPoints.back();
    clearHexMark(m_state, int(last.x), int(last.y), kMarkPathEnd);
    size_t keep = std::min<size_t>(last.pathCount, m_path.size());
    for (size_t i = keep; i < m_path.size(); ++i)
        clearHexMark(m_state, m_path[i].x, m_path[i].y, kMarkPath);
    m_path.resize(keep);

    if (m_wayPoints.size() > 1)
        setHexMark(m_state, actor.x, actor.y, kMarkPath);
    else
        clearHexMark(m_state, actor.x, actor.y, kMarkPath);
    for (const HexPos& hex : m_path)
        setHexMark(m_state, hex.x, hex.y, kMarkPath);

    m_wayPoints.pop_back();
    HexPos end = actor;
    int spent = 0;
    if (!m_wayPoints.empty()) {
        end = { int(m_wayPoints.back().x), int(m_wayPoints.back().y) };
        spent = m_wayPoints.back().cost;
        setHexMark(m_state, end.x, end.y, kMarkPath);
    }
    setHexMark(m_state, end.x, end.y, kMarkPathEnd);
    if (m_range)
        m_range->setStart(end.x, end.y);
    markRangeAfter(spent);
    return end;
}

void CurrentAction::clearRouteMarks() { clearHexMarkAll(m_state, kMarkAutoMoveEnd | kMarkAutoMoveRoute); }

void CurrentAction::markAutoMoveRoute()
{
    const UnitRecord* unit = m_state.unitOf(int(m_country), int(m_index));
    ActionRangeSource* source = actionRangeSource();
    if (!unit || unit->hasAutoRoute != 1 || !source)
        return;
    std::unique_ptr<ActionRange> range = source->unitRange(m_state, int(m_country), int(m_index), false);
    if (!range)
        return;
    range->setCostLimit(unit->fuel);
    HexPos from { unit->x, unit->y };
    auto markLeg = [&](HexPos to) {
        range->setStart(from.x, from.y);
        range->compute();
        std::vector<HexPos> leg;
        if (range->tracePath(to.x, to.y, leg, -1))
            for (const HexPos& hex : leg)
                setHexMark(m_state, hex.x, hex.y, kMarkAutoMoveRoute);
        setHexMark(m_state, to.x, to.y, kMarkAutoMoveEnd);
        from = to;
    };
    size_t count = std::min<size_t>(unit->wayPointCount, kStoredWayPoints);
    for (size_t i = 0; i < count; ++i)
        markLeg({ unit->wayPoints[i][0], unit->wayPoints[i][1] });
    if (!unit->followsUnit) {
        markLeg({ unit->goalXOrSide, unit->goalYOrIndex });
        return;
    }
    int country = unit->goalXOrSide;
    int index = unit->goalYOrIndex;
    if (!m_state.countryTakesPart(country))
        return;
    const UnitRecord* followed = m_state.unitOf(country, index);
    if (!followed || followed->state() != 1 || followed->hasFlag(kUnitAwaitingProduction | kUnitAboard))
        return;
    if (m_state.isAllied(int(m_country), country) || isUnitVisibleTo(m_state, int(m_country), country, index))
        setHexMark(m_state, followed->x, followed->y, kMarkAutoMoveEnd);
}

void CurrentAction::beginAutoMoveSetup()
{
    m_group.clear();
    m_setup = 1;
    m_setupStage = 1;
    m_runRequest = 0;
}

void CurrentAction::endAutoMoveSetup()
{
    m_group.clear();
    m_setup = 0;
    m_setupStage = 0;
    m_runRequest = 0;
    clearHexMarkAll(m_state, kMarkAutoMoveGroup);
}

void CurrentAction::addAutoMoveUnit(int country, int index)
{
    if (const UnitRecord* unit = m_state.unitOf(country, index))
        setHexMark(m_state, unit->x, unit->y, kMarkAutoMoveGroup);
    m_group.push_back(uint32_t(index));
    mainWindowLink().refresh(MainRefresh::AutoMoveWindow);
}

bool CurrentAction::autoMoveGroupContains(int index) const
{
    return std::find(m_group.begin(), m_group.end(), uint32_t(index)) != m_group.end();
}

bool CurrentAction::isActingOrGroupedUnit(int country, int index) const
{
    return uint32_t(country) == m_country && (uint32_t(index) == m_index || autoMoveGroupContains(index));
}

void CurrentAction::assignAutoMoveRoute(int follow, int a, int b)
{
    if (m_group.empty())
        return;
    const UnitRecord* first = m_state.unitOf(int(m_country), int(m_group.front()));
    HexPos goal = first ? HexPos { first->x, first->y } : kNoHex;
    if (!m_wayPoints.empty())
        goal = { int(m_wayPoints.back().x), int(m_wayPoints.back().y) };
    // The way-points before the goal; a route longer than a unit holds keeps its first eight.
    size_t stored = m_wayPoints.empty() ? 0 : std::min(m_wayPoints.size() - 1, kStoredWayPoints);

    for (size_t g = 0; g < m_group.size(); ++g) {
        UnitRecord* unit = m_state.unitOf(int(m_country), int(m_group[g]));
        if (!unit)
            continue;
        // The 24 route bytes from byte 120.
        std::memset(unit->wayPoints, 0, sizeof unit->wayPoints);
        unit->wayPointCount = 0;
        unit->followsUnit = 0;
        unit->goalXOrSide = unit->goalYOrIndex = unit->groupLead = 0;
        for (size_t i = 0; i < stored; ++i) {
            unit->wayPoints[i][0] = uint8_t(m_wayPoints[i].x);
            unit->wayPoints[i][1] = uint8_t(m_wayPoints[i].y);
        }
        unit->wayPointCount = uint8_t(stored);
        if (follow == 1) {
            unit->goalXOrSide = uint16_t(a);
            unit->goalYOrIndex = uint16_t(b);
            unit->followsUnit = 1;
        } else {
            unit->goalXOrSide = uint16_t(goal.x);
            unit->goalYOrIndex = uint16_t(goal.y);
        }
        unit->hasAutoRoute = 1;
        if (g > 0)
            unit->groupLead = uint16_t(m_group.front() + 26);
    }
}
