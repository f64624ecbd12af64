// A missile's flight: one step along its route with interception on the way, and the fuel it burns.
#include "rules/missiles.h"
#include "rules/shared_codes.h"

#include "rules/commands.h"
#include "rules/current_action.h"
#include "rules/fog.h"
#include "rules/interception.h"
#include "rules/move_checks.h"
#include "rules/move_display.h"
#include "rules/reach_map.h"
#include "rules/rules_context.h"
#include "rules/scans_reach.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {


struct Missile {
    int country = 0;
    int index = 0;
    int code = 0;
    UnitRecord* unit = nullptr;
    int slot = 0;
};

bool destroyed(const Missile& m) { return !unitExists(*m.unit) || strengthTotal(*m.unit) == 0; }

void leaveHexSlot(GameState& state, const Missile& m)
{
    if (state.isUnitInHexDomain(m.unit->x, m.unit->y, m.slot, m.code, m.index)) {
        state.setUnitRefInHex(m.unit->x, m.unit->y, m.slot, 0, 0);
        if (MapBitSet* redraw = state.redrawSet())
            redraw->set(m.unit->x, m.unit->y);
    }
}

// The record is freed for reuse.
void removeMissile(GameState& state, const Missile& m)
{
    leaveHexSlot(state, m);
    m.unit->stateLow = 0;
    m.unit->stateHigh = 0;
}

// The route to the target cut at the first hex that costs more than the move points; its last hex
// is the candidate end. Empty when the range does not reach the target.
HexPos candidateEnd(ActionRange& range, HexPos target, int move_points)
{
    std::vector<HexPos> route;
    if (!range.tracePath(target.x, target.y, route, -1))
        return kNoHex;
    HexPos candidate;
    for (const HexPos& hex : route) {
        const int cost = range.costAt(hex.x, hex.y, -1);
        if (cost < 0 || cost > move_points)
            break;
        candidate = hex;
    }
    return candidate;
}

// The free hex nearest the candidate that the range reaches within the move points.
HexPos placeableEnd(GameState& state, ActionRange& range, HexPos candidate, int move_points)
{
    const ReachMap* reach = dynamic_cast<const ReachMap*>(&range);
    if (!reach || !candidate.valid())
        return kNoHex;
    PlaceableHexScan scan(state, *reach, move_points);
    scan.scan(candidate.x, candidate.y, state.mapWidth() + state.mapHeight());
    int x = 0;
    int y = 0;
    return scan.hitAt(0, x, y) ? HexPos { x, y } : kNoHex;
}

class Flight {
public:
    Flight(GameState& state, Missile& m, HexPos target) : m_state(state), m_m(m), m_target(target) { }

    // Steps to the end hex through the range; false when the missile was shot down on the way.
    bool walk(ActionRange& range, HexPos end, int move_points)
    {
        std::vector<HexPos> route;
        range.tracePath(end.x, end.y, route, -1);
        leaveHexSlot(m_state, m_m);
        m_m.unit->flags &= uint16_t(~(kUnitOffMap | kUnitActed));
        const HexPos home { m_m.unit->x, m_m.unit->y };
        stop = home;
        walked.push_back(home);
        for (const HexPos& hex : route) {
            if (range.costAt(hex.x, hex.y, -1) > move_points)
                break;
            walked.push_back(hex);
            passed.push_back(hex);
            if (hex == m_target) {
                stop = hex;
                break;
            }
            if (m_state.hexHasUnit(hex.x, hex.y, m_m.slot))
                continue;
            stop = hex;
            if (!survivesInterception(hex, home))
                return false;
        }
        return true;
    }

    HexPos stop;
    std::vector<HexPos> walked;
    std::vector<HexPos> passed;

private:
    bool survivesInterception(HexPos hex, HexPos home)
    {
        if (!m_state.ruleOn(kRuleInterception) || !isExposedToEnemyFire(m_state, hex.x, hex.y, m_m.code, m_m.index))
            return true;
        m_m.unit->x = uint8_t(hex.x);
        m_m.unit->y = uint8_t(hex.y);
        std::vector<uint32_t> interceptors;
        if (findInterceptors(m_state, m_m.index, interceptors)) {
            animateMove(m_state, walked, moveSoundNumber(m_m.unit->type()), kCommandFire);
            walked.assign(1, hex);
            resolveInterceptions(m_state, m_m.code, m_m.index, 0, interceptors);
            if (destroyed(m_m)) {
                CommandFields& f = m_state.command();
                f.moveStopped = 1;
                f.stopHexX = uint32_t(hex.x);
                f.stopHexY = uint32_t(hex.y);
                return false;
            }
        }
        if (MapBitSet* redraw = m_state.redrawSet())
            redraw->set(hex.x, hex.y);
        m_m.unit->x = uint8_t(home.x);
        m_m.unit->y = uint8_t(home.y);
        return true;
    }

    GameState& m_state;
    Missile& m_m;
    HexPos m_target;
};

} // namespace

bool advanceMissile(GameState& state, int target_x, int target_y)
{
    CurrentAction& action = currentAction(state);
    Missile m;
    m.country = action.actingCountry();
    m.index = action.actingIndex();
    m.code = kMissileCodeBase + m.country;
    m.unit = m.country < kCountryCount ? state.unitOf(m.code, m.index) : nullptr;
    if (!m.unit || !unitExists(*m.unit))
        return false;
    m.slot = state.unitSlotFor(m.unit->type().domain);
    const HexPos target { target_x, target_y };
    if (HexPos { m.unit->x, m.unit->y } == target)
        return true;
    const int move_points = m.unit->movePoints();
    state.command().moveStopped = 0;

    // The action's range first; when it misses the target, one flooded with the fuel left.
    ActionRange* range = action.range();
    HexPos candidate = range ? candidateEnd(*range, target, move_points) : kNoHex;
    std::unique_ptr<ActionRange> own;
    if (!candidate.valid() && actionRangeSource()) {
        own = actionRangeSource()->missileRange(state, m.country, m.index);
        if (own) {
            own->setCostLimit(m.unit->fuel);
            own->compute();
            range = own.get();
            candidate = candidateEnd(*range, target, move_points);
        }
    }
    const HexPos end = range ? placeableEnd(state, *range, candidate, move_points) : kNoHex;

    Flight flight(state, m, target);
    bool survived = true;
    if (end.valid()) {
        survived = flight.walk(*range, end, move_points);
    } else {
        flight.stop = { m.unit->x, m.unit->y };
        flight.walked.push_back(flight.stop);
    }
    if (survived) {
        animateMove(state, flight.walked, moveSoundNumber(m.unit->type()), kCommandFire);
        for (const HexPos& hex : flight.passed) {
            addUnitSight(state, hex.x, hex.y, m.code, m.index);
            if (hex == flight.stop)
                break;
        }
        m.unit->x = uint8_t(flight.stop.x);
        m.unit->y = uint8_t(flight.stop.y);
        const int cost = range ? std::max(range->costAt(flight.stop.x, flight.stop.y, -1), 0) : 0;
        m.unit->fuel = uint16_t(std::max(0, int(m.unit->fuel) - cost));
    }

    const bool on_target = HexPos { m.unit->x, m.unit->y } == target;
    // A missile shot down or out of fuel is gone: it never arrives, so no strike comes from its record.
    if (destroyed(m) || (m.unit->fuel == 0 && !on_target)) {
        removeMissile(state, m);
        return false;
    }
    if (on_target)
        return true;
    if (state.hexHasUnit(m.unit->x, m.unit->y, m.slot))
        return false;
    state.setUnitRefInHex(m.unit->x, m.unit->y, m.slot, m.code, m.index);
    return hexDistance({ m.unit->x, m.unit->y }, target) == 1;
}

void missileFlightStep(GameState& state, int country, int index)
{
    const int code = kMissileCodeBase + country;
    UnitRecord* unit = country >= 0 && country < kCountryCount ? state.unitOf(code, index) : nullptr;
    if (!unit || !unitExists(*unit))
        return;
    CurrentAction& action = currentAction(state);
    action.beginMissileAction(country, index);
    const int fuel_before = unit->fuel;

    if (advanceMissile(state, unit->missileTargetX, unit->missileTargetY))
        missileImpact(state, country, index);

    if (unitExists(*unit)) {
        const int allowance = unit->type().model[unit->modelIndex()].values[0];
        const int burn = state.ruleOn(kRuleLowFuelUse) ? allowance / 4 : allowance / 2;
        const int left = std::max(0, fuel_before - burn);
        if (left < unit->fuel)
            unit->fuel = uint16_t(left);
        if (unit->fuel == 0)
            removeMissile(state, { country, index, code, unit, state.unitSlotFor(unit->type().domain) });
    }
    if (unitInPlay(*unit) && !unit->hasFlag(kUnitAwaitingProduction))
        unit->flags |= kUnitActed;
    action.finishMissileAction();
}
