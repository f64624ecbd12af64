// A computer unit's action: the checks in order of urgency and the order that carries the choice out.
#include "ai/unit_plan.h"

#include "rules/combat_values.h"
#include "rules/commands.h"
#include "rules/commands_range.h"
#include "rules/current_action.h"
#include "rules/execute_command.h"
#include "rules/home_distance.h"
#include "rules/move_display_path.h"
#include "rules/move_range.h"
#include "rules/rules_context.h"
#include "rules/scans_home.h"
#include "rules/scans_placement.h"
#include "rules/scans_sites.h"
#include "rules/scans_unit_points.h"
#include "rules/targets.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/unit_type_record.h"

#include <climits>

namespace {

constexpr int kNeutralSide = 8;
// Scanned capturable buildings; the best few are enough and the check is dear.
constexpr int kOccupyCandidates = 4;

bool isAircraft(const UnitRecord& unit) { return unit.type().domain <= 2; }

} // namespace

Strategy countryStrategy(GameState& state, int country)
{
    if (country < 0 || country >= kCountryCount)
        return Strategy::Balanced;
    const int byte = state.country(country).analysisByte;
    return byte == 0 ? Strategy::Offensive : byte == 1 ? Strategy::Defensive : Strategy::Balanced;
}

UnitPlan::UnitPlan(GameState& state, int country, int index)
    : m_state(state), m_country(country), m_index(index), m_unit(state.unitOf(country, index))
{
}

UnitPlan::~UnitPlan() = default;

UnitChoice UnitPlan::act()
{
    // Units produced inside a building leave it by moving; those aboard a carrier wait for it.
    if (!m_unit || !unitInPlay(*m_unit) || m_unit->hasFlag(kUnitActed | kUnitAwaitingProduction | kUnitAboard | kUnitOffMap))
        return UnitChoice::None;
    const bool transport = (m_unit->watchBits & kWatchTransported) != 0;
    if (m_country == kNeutralSide && !transport)
        return UnitChoice::None;

    const bool ranged = prepareRange();
    CurrentAction& action = currentAction(m_state);
    action.beginPlannedAction(m_country, m_index, m_range.get());
    const UnitChoice choice = ranged ? decide() : UnitChoice::EndAction;
    // An order the rules refused (no route after all) still ends the unit's action.
    if (unitInPlay(*m_unit) && !m_unit->hasFlag(kUnitActed))
        endAction();
    action.finishPlannedAction();
    return choice;
}

UnitChoice UnitPlan::decide()
{
    if (m_country == kNeutralSide)
        return moveToward({ m_unit->goalX, m_unit->goalY }, kCommandNone, 0) ? UnitChoice::Advance : UnitChoice::EndAction;
    if (tryResupply())
        return UnitChoice::Resupply;
    if (tryOccupyHere() || tryOccupyObjective())
        return UnitChoice::Occupy;
    // An occupier takes a building in reach, or closes on an objective, rather than trade blows.
    if (canOccupy() && tryOccupy())
        return UnitChoice::Occupy;
    if (tryAdvanceOnObjective())
        return UnitChoice::Advance;
    if (tryAttack() || tryGroundAttack())
        return UnitChoice::Attack;
    if (tryRetreat())
        return UnitChoice::Retreat;
    if (tryAdvance())
        return UnitChoice::Advance;
    return UnitChoice::EndAction;
}

bool UnitPlan::prepareRange()
{
    if (ActionRangeSource* source = actionRangeSource())
        m_range = source->unitRange(m_state, m_country, m_index, true);
    if (!m_range) {
        // Nothing installed a source: the commands' own range, with its stacking checks.
        auto own = std::make_unique<CommandUnitRange>(m_state, m_country, m_index);
        own->setSecondLayer(true);
        own->setBuildUnitFlags(true);
        m_range = std::move(own);
    }
    m_map = dynamic_cast<MoveRangeMap*>(m_range.get());
    if (!m_map)
        return false;
    m_range->setCostLimit(m_unit->movePoints());
    m_range->compute();
    return true;
}

bool UnitPlan::needsSupply() const
{
    const int max_fuel = m_unit->maxFuel();
    if (max_fuel > 0) {
        // Aircraft fall from the sky at zero fuel, so they turn back with half a tank.
        const int share = isAircraft(*m_unit) ? 2 : 4;
        if (m_unit->fuel * share < max_fuel)
            return true;
    }
    return m_unit->needsAmmo() && findUsableWeaponSlot(m_state, *m_unit, kWeaponAttack, 0) < 0
        && hasUsableDirectWeapon(m_state, m_unit->type());
}

bool UnitPlan::badlyDamaged() const
{
    const UnitTypeRecord& type = m_unit->type();
    const int full = type.members * type.memberStrength;
    return full > 0 && strengthTotal(*m_unit) * 100 < full * 40;
}

bool UnitPlan::tryResupply()
{
    if (!needsSupply())
        return false;
    const HexPos own { m_unit->x, m_unit->y };
    const int group = unitTypeGroup(m_unit->type());
    const bool rearm = m_unit->needsAmmo();
    SupplyPointHexScan scan(m_state, m_country, m_index, *m_map, m_unit->movePoints(), group,
        rearm ? SupplyTest::FuelAndAmmunition : SupplyTest::Fuel);
    scan.scan(own.x, own.y, m_unit->movePoints());
    if (scan.result().valid()) {
        if (scan.result() != own)
            order(scan.result(), kCommandNone, 0, 0);
        else
            endAction();
        return true;
    }
    // Nothing in reach: head for the nearest building of ours that refuels the group.
    HexPos best = kNoHex;
    int best_distance = INT_MAX;
    for (size_t i = 0; i < m_state.buildingCount(); ++i) {
        const BuildingRecord& b = m_state.buildingAt(i);
        if (b.owner() != m_country || !b.canRefuel(m_country, group))
            continue;
        const int d = hexDistance(own, { int(b.x), int(b.y) });
        if (d < best_distance)
            best = { int(b.x), int(b.y) }, best_distance = d;
    }
    return best.valid() && moveToward(best, kCommandNone, 0);
}

bool UnitPlan::tryOccupyHere()
{
    // An occupation under way wears the building's points down turn by turn; leaving it lets them recover.
    const HexPos own { m_unit->x, m_unit->y };
    const CommandAsk ask { m_country, m_index, own.x, own.y, false, m_unit->movePoints() };
    if (!m_state.buildingOnHex(own.x, own.y) || !commandTargetCheck(m_state, ask, kCommandOccupy))
        return false;
    order(own, kCommandOccupy, int(packHex(own.x, own.y)), 0);
    return true;
}

bool UnitPlan::tryOccupy()
{
    CapturableBuildingHexScan scan(m_state, m_country, m_index, *m_map);
    scan.scanFromUnit();
    const HexPos own { m_unit->x, m_unit->y };
    for (int i = 0; i < scan.hitCount() && i < kOccupyCandidates; ++i) {
        int x = 0, y = 0;
        scan.hitAt(i, x, y);
        CommandAsk ask { m_country, m_index, x, y, HexPos { x, y } != own, m_unit->movePoints() };
        if (commandTargetCheck(m_state, ask, kCommandOccupy)) {
            order({ x, y }, kCommandOccupy, int(packHex(x, y)), 0);
            return true;
        }
    }
    return false;
}

bool UnitPlan::tryRetreat()
{
    if (!badlyDamaged())
        return false;
    ReplenishPointHexScan scan(m_state, m_country, m_index, *m_map);
    scan.scanFromUnit();
    int x = 0, y = 0;
    if (scan.hitAt(0, x, y)) {
        if (HexPos { x, y } != HexPos { m_unit->x, m_unit->y })
            order({ x, y }, kCommandNone, 0, 0);
        else
            endAction();
        return true;
    }
    ClosestToHomeHexScan home(m_state, m_country, scanMovementType(m_unit->type().movementType), *m_map);
    home.scan(m_unit->x, m_unit->y, m_unit->movePoints());
    if (!home.result().valid() || home.result() == HexPos { m_unit->x, m_unit->y })
        return false;
    order(home.result(), kCommandNone, 0, 0);
    return true;
}

bool UnitPlan::tryAdvance()
{
    const int target = m_state.country(m_country).targetCountry;
    if (target < 0 || target >= kCountryCount)
        return false;
    const HexPos own { m_unit->x, m_unit->y };
    // A careful country approaches only over hexes no seen enemy reaches.
    if (countryStrategy(m_state, m_country) != Strategy::Offensive) {
        ApproachHexScan scan(m_state, m_country, m_index, *m_map);
        scan.scanFromUnit();
        for (const HexScanHit& hit : scan.hits())
            if (HexPos { hit.x, hit.y } != own && !m_map->isLandingPlace(hit.x, hit.y) && mayStopAt({ hit.x, hit.y })) {
                order({ hit.x, hit.y }, kCommandNone, 0, 0);
                return true;
            }
    }
    const int move_type = scanMovementType(m_unit->type().movementType);
    auto distance = [&](int x, int y) {
        const int d = distanceFromHome(m_state, target, move_type, x, y);
        return d < 0 ? INT_MAX : d;
    };
    const HexPos to = bestStop(distance(own.x, own.y), distance);
    if (to.valid()) {
        order(to, kCommandNone, 0, 0);
        return true;
    }
    const HexPos capital = sideHomeHex(m_state, target);
    return capital.valid() && moveToward(capital, kCommandNone, 0);
}

bool UnitPlan::mayStopAt(HexPos hex) const
{
    if (canOccupy())
        return true;
    // A unit that cannot take a building would only block the hex for one that can.
    const BuildingRecord* building = m_state.buildingOnHex(hex.x, hex.y);
    return !building || (building->owner() >= 0 && m_state.isAllied(building->owner(), m_country));
}

HexPos UnitPlan::bestStop(int limit, const std::function<int(int, int)>& distance)
{
    const HexPos own { m_unit->x, m_unit->y };
    const int allowance = m_unit->movePoints();
    HexPos best = kNoHex;
    int best_distance = limit;
    int best_cost = 0;
    for (int y = own.y - allowance; y <= own.y + allowance; ++y)
        for (int x = own.x - allowance; x <= own.x + allowance; ++x) {
            if (!m_state.isOnMap(x, y))
                continue;
            const int cost = reachCost(*m_map, x, y, allowance);
            if (cost <= 0 || m_map->isLandingPlace(x, y) || !isHexFreeForUnit(m_state, m_country, m_index, x, y)
                || !mayStopAt({ x, y }))
                continue;
            const int d = distance(x, y);
            if (d < best_distance || (d == best_distance && best.valid() && cost < best_cost))
                best = { x, y }, best_distance = d, best_cost = cost;
        }
    return best;
}

bool UnitPlan::moveToward(HexPos goal, int code, int target)
{
    const HexPos own { m_unit->x, m_unit->y };
    if (!goal.valid() || goal == own)
        return false;
    const int allowance = m_unit->movePoints();
    if (reachCost(*m_map, goal.x, goal.y, allowance) >= 0 && isHexFreeForUnit(m_state, m_country, m_index, goal.x, goal.y)
        && mayStopAt(goal)) {
        order(goal, code, target, 0);
        return true;
    }
    const HexPos best = bestStop(hexDistance(own, goal), [&](int x, int y) { return hexDistance({ x, y }, goal); });
    if (!best.valid())
        return false;
    order(best, kCommandNone, 0, 0);
    return true;
}

void UnitPlan::order(HexPos dest, int code, int target, int extra)
{
    rulesContext(m_state).approach = ComputerApproach {};
    moveAlongPath(m_state, dest.x, dest.y, code, target, extra);
}

void UnitPlan::endAction()
{
    executeCommand(m_state, {}, m_unit->x, m_unit->y, kCommandEndAction, 0, 0);
}
