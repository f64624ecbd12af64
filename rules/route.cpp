// Route planning and the route marks of the acting unit.
#include "rules/route.h"

#include "rules/current_action_marks.h"
#include "rules/links.h"
#include "rules/map_window_link.h"
#include "rules/rules_context.h"

namespace {

bool traceInRange(const CurrentAction& action, int x, int y, std::vector<HexPos>& trace)
{
    trace.clear();
    return action.range() && action.range()->tracePath(x, y, trace, -1);
}

HexPos unitHex(GameState& state, const CurrentAction& action)
{
    const UnitRecord* unit = state.unitOf(action.actingCountry(), action.actingIndex());
    return unit ? HexPos { unit->x, unit->y } : kNoHex;
}

void markAndRedraw(GameState& state, HexPos hex, uint16_t bits)
{
    setHexMark(state, hex.x, hex.y, bits);
    mapWindowLink().updateHex(hex.x, hex.y);
}

} // namespace

bool planRoute(GameState& state, std::vector<HexPos>& list, int x, int y)
{
    return planActionRoute(currentAction(state), rulesContext(state).fixedRoute, x, y, list);
}

bool planActionRoute(const CurrentAction& action, const std::vector<HexPos>& fixed, int x, int y, std::vector<HexPos>& list)
{
    list.clear();
    if (!fixed.empty()) {
        list = fixed;
        return true;
    }
    std::vector<HexPos> trace;
    const bool traced = traceInRange(action, x, y, trace);
    if (action.wayPoints().empty()) {
        list = trace;
        return traced;
    }
    list = action.path();
    list.insert(list.end(), trace.begin(), trace.end());
    return action.range() && action.range()->costAt(x, y, -1) >= 0;
}

void showMovePath(GameState& state, int x, int y, RouteEnd end)
{
    CurrentAction& action = currentAction(state);
    const HexPos own = unitHex(state, action);
    if (own == HexPos { x, y } && action.path().empty()) {
        setHexMark(state, own.x, own.y, kMarkActingUnit);
        markAndRedraw(state, own, kMarkPathEnd);
        return;
    }
    std::vector<HexPos> path;
    if (end == RouteEnd::Fixed)
        path.push_back({ x, y });
    else
        traceInRange(action, x, y, path);
    if (path.empty())
        return;
    HexPos start = own;
    if (!action.wayPoints().empty())
        start = { int(action.wayPoints().back().x), int(action.wayPoints().back().y) };
    if (start.valid()) {
        clearHexMark(state, start.x, start.y, kMarkPathEnd);
        markAndRedraw(state, start, kMarkPath);
    }
    for (const HexPos& hex : path)
        setHexMark(state, hex.x, hex.y, kMarkPath);
    setHexMark(state, x, y, kMarkPathEnd);
    for (const HexPos& hex : path)
        mapWindowLink().updateHex(hex.x, hex.y);
}
