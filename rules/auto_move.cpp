// Automatic moves: the route of a standing move order, the step of one unit and the run of all.
#include "rules/auto_move.h"

#include "rules/commands.h"
#include "rules/current_action_marks.h"
#include "rules/dialog_link.h"
#include "rules/execute_command.h"
#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/move_checks.h"
#include "rules/move_range.h"
#include "rules/route.h"
#include "rules/rules_context.h"
#include "rules/scans_reach.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kSkipDistance = 2;

void dropFirstWayPoint(UnitRecord& unit)
{
    if (unit.wayPointCount == 0)
        return;
    for (int i = 1; i < 8; ++i)
        unit.wayPoints[i - 1][0] = unit.wayPoints[i][0], unit.wayPoints[i - 1][1] = unit.wayPoints[i][1];
    unit.wayPoints[7][0] = unit.wayPoints[7][1] = 0;
    unit.wayPointCount -= 1;
}

// The followed unit still leads: its country plays, it is in play on the map and the follower
// is allied with it or sees it.
bool followedUnitLeads(GameState& state, int side, const UnitRecord& unit)
{
    const int country = unit.goalXOrSide;
    const int index = unit.goalYOrIndex;
    if (!state.countryTakesPart(country) || uint32_t(index) >= state.unitCount(country))
        return false;
    const UnitRecord& led = *state.unitOf(country, index);
    if (!unitInPlay(led) || led.hasFlag(kUnitAwaitingProduction | kUnitAboard))
        return false;
    return state.isAllied(side, country) || isUnitVisibleTo(state, side, country, index);
}

std::unique_ptr<MoveRangeMap> rangeFrom(GameState& state, int side, int index, HexPos from, int limit)
{
    auto range = std::make_unique<MoveRangeMap>(state, side, index);
    range->setStart(from.x, from.y);
    range->setCostLimit(limit);
    range->setSecondLayer(true);
    range->setBuildUnitFlags(true);
    range->compute();
    return range;
}

class AutoStep {
public:
    AutoStep(GameState& state, int side, int index, UnitRecord& unit)
        : m_state(state), m_side(side), m_index(index), m_unit(unit), m_points(unit.movePoints())
    {
    }

    // Gathers this turn's route; false when the order ended before it.
    bool plan(std::vector<HexPos>& route)
    {
        HexPos at { m_unit.x, m_unit.y };
        for (;;) {
            auto range = rangeFrom(m_state, m_side, m_index, at, m_unit.fuel);
            HexPos goal;
            if (!chooseGoal(*range, at, goal))
                return false;
            std::vector<HexPos> path;
            if (range->costAt(goal.x, goal.y, -1) >= 0) {
                range->tracePath(goal.x, goal.y, path, -1);
            } else {
                auto back = rangeFrom(m_state, m_side, m_index, goal, m_unit.fuel);
                TwoMapBestHexScan nearest(m_state, *back, *range);
                nearest.scan(goal.x, goal.y, hexDistance(at, goal));
                if (nearest.result().valid())
                    range->tracePath(nearest.result().x, nearest.result().y, path, -1);
            }
            const int start_points = m_points;
            size_t taken = 0;
            for (; taken < path.size(); ++taken) {
                const int cost = range->costAt(path[taken].x, path[taken].y, -1);
                if (cost < 0 || cost > start_points)
                    break;
                route.push_back(path[taken]);
            }
            if (path.empty() || taken < path.size())
                return true;
            m_points = start_points - range->costAt(path.back().x, path.back().y, -1);
            if (path.back() != goal)
                return true;
            if (m_unit.wayPointCount == 0) {
                finished = m_unit.followsUnit != 1;
                return true;
            }
            dropFirstWayPoint(m_unit);
            if (m_points <= 0)
                return true;
            at = goal;
        }
    }

    bool finished = false;

private:
    HexPos wayPoint(int i) const { return { m_unit.wayPoints[i][0], m_unit.wayPoints[i][1] }; }

    HexPos currentGoal() const
    {
        if (m_unit.wayPointCount > 0)
            return wayPoint(0);
        if (m_unit.followsUnit == 1) {
            const UnitRecord& led = *m_state.unitOf(m_unit.goalXOrSide, m_unit.goalYOrIndex);
            return { led.x, led.y };
        }
        return { m_unit.goalXOrSide, m_unit.goalYOrIndex };
    }

    // Skips way-points reached or out of reach close by; false when nothing is left to go to. A
    // follower keeps its order however close it stands.
    bool chooseGoal(const MoveRangeMap& range, HexPos at, HexPos& goal)
    {
        for (;;) {
            goal = currentGoal();
            const bool near_out_of_reach = range.costAt(goal.x, goal.y, -1) < 0 && hexDistance(at, goal) <= kSkipDistance;
            if (goal != at && !near_out_of_reach)
                return true;
            if (m_unit.wayPointCount > 0) {
                dropFirstWayPoint(m_unit);
                continue;
            }
            if (m_unit.followsUnit != 1)
                clearUnitAux(m_unit);
            return false;
        }
    }

    GameState& m_state;
    int m_side;
    int m_index;
    UnitRecord& m_unit;
    int m_points;
};

} // namespace

void executeRoute(GameState& state, int x, int y, int code, int target, int extra, RouteChoice choice)
{
    std::vector<HexPos> route;
    if (choice == RouteChoice::Forced)
        route.push_back({ x, y });
    else if (!planRoute(state, route, x, y))
        return;
    if (!route.empty()) {
        clearHexMark(state, route.back().x, route.back().y, kMarkPathEnd);
        mapWindowLink().updateHex(route.back().x, route.back().y);
    }
    executeCommand(state, route, x, y, code, target, extra);
}

void autoMoveStep(GameState& state)
{
    CurrentAction& action = currentAction(state);
    const int side = action.actingCountry();
    const int index = action.actingIndex();
    UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unitInPlay(*unit))
        return;
    std::vector<HexPos>& route = rulesContext(state).fixedRoute;
    route.clear();
    if (unit->followsUnit == 1 && !followedUnitLeads(state, side, *unit))
        clearUnitAux(*unit);
    bool finished = false;
    if (unit->hasAutoRoute == 1) {
        AutoStep step(state, side, index, *unit);
        step.plan(route);
        finished = step.finished;
    }
    if (unit->hasAutoRoute != 1) {
        route.clear();
        dialogLink().showEventNotice(kOrderClearedNotice, side, index);
        return;
    }
    if (route.empty()) {
        if (unit->followsUnit != 1) {
            dialogLink().showEventNotice(kNoRouteNotice, side, index);
            clearUnitAux(*unit);
        }
        return;
    }
    setHexMark(state, unit->x, unit->y, kMarkActingUnit);
    const HexPos last = route.back();
    executeRoute(state, last.x, last.y, kCommandNone, 0, -1, RouteChoice::Planned);
    route.clear();
    if (finished && unitExists(*unit))
        clearUnitAux(*unit);
}

void runAutoMoves(GameState& state)
{
    const int side = state.turnBlock().currentCountry;
    if (!state.countryTakesPart(side))
        return;
    for (uint32_t i = 0; i < state.unitCount(side); ++i) {
        const UnitRecord& unit = *state.unitOf(side, int(i));
        if (!unitInPlay(unit) || unit.hasFlag(kUnitAwaitingProduction) || unit.hasAutoRoute != 1
            || !canUnitLand(state, side, int(i), ActedUnits::Refuse))
            continue;
        CurrentAction& action = currentAction(state);
        action.beginAction(side, int(i));
        autoMoveStep(state);
        action.finishActionQuiet();
        if (state.turnBlock().decided || !state.countryTakesPart(side))
            return;
    }
}
