// The unit-centred point scans' visits.
#include "rules/scans_unit_points.h"

#include "state/game_state.h"
#include "state/unit_type_record.h"

namespace {

constexpr int kAmmoDepotType = 41;

} // namespace

CaptureHexScan::CaptureHexScan(GameState& state, int side, int index, const ReachMap& range, CaptureTargets targets, int allowance)
    : UnitHexScan(state, side, index, range, allowance)
    , m_targets(targets)
{
}

void CaptureHexScan::visit(int x, int y)
{
    const int cost = reachableCost(x, y);
    const BuildingRecord* b = cost >= 0 ? state().buildingOnHex(x, y) : nullptr;
    if (!b)
        return;
    const bool unowned = b->ownerPlusOne == 0;
    const bool hostile = !unowned && state().isEnemy(unitSide(), b->owner());
    if ((unowned && m_targets != CaptureTargets::Hostile) || (hostile && m_targets != CaptureTargets::Unowned))
        addHit(x, y, uint32_t(cost), uint32_t(state().unitCellAt(x, y)->building));
}

void ReplenishPointHexScan::visit(int x, int y)
{
    const int cost = reachableCost(x, y);
    const BuildingRecord* b = cost >= 0 ? state().buildingOnHex(x, y) : nullptr;
    if (!b || !b->canReplenish(unitSide(), *unitType()))
        return;
    const bool room = state().ruleOn(kRuleStoring) ? b->acceptsUnit(unitSide(), unitTypeGroup(*unitType()))
                                                             : isFreeForDomain(x, y);
    if (room)
        addHit(x, y, uint32_t(cost));
}

void AmmoPointHexScan::visit(int x, int y)
{
    const int cost = reachableCost(x, y);
    const BuildingRecord* b = cost >= 0 ? state().buildingOnHex(x, y) : nullptr;
    if (b && (b->type == kAmmoDepotType || b->canRearm(unitSide(), unitTypeGroup(*unitType()))))
        addHit(x, y, uint32_t(cost));
}

void ActionTerrainHexScan::visit(int x, int y)
{
    const int cost = reachableCost(x, y);
    if (cost >= 0 && unit()->canActOnTerrain(x, y, unitSide()))
        addHit(x, y, uint32_t(cost));
}
