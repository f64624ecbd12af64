// UnitHexScan's unit facts and reach tests.
#include "rules/unit_hex_scan.h"

#include "rules/move_range.h"
#include "rules/reach_map.h"
#include "rules/scans_placement.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

const UnitRecord* existingUnit(const GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    return unit && unitExists(*unit) ? unit : nullptr;
}

} // namespace

UnitHexScan::UnitHexScan(GameState& state, int side, int index, const ReachMap& range, int allowance)
    : UnitHexScan(state, side, index, &range, allowance)
{
}

UnitHexScan::UnitHexScan(GameState& state, int side, int index, int allowance)
    : UnitHexScan(state, side, index, -1, -1, allowance)
{
}

UnitHexScan::UnitHexScan(GameState& state, int side, int index, int start_x, int start_y, int allowance)
    : UnitHexScan(state, side, index, nullptr, allowance)
{
    m_ownedRange = std::make_unique<MoveRangeMap>(state, side, index);
    m_range = m_ownedRange.get();
    // A missing unit keeps an empty range, which reaches nothing.
    if (!m_unit)
        return;
    if (start_x >= 0 && start_y >= 0)
        m_ownedRange->setStart(start_x, start_y);
    m_ownedRange->setCostLimit(m_allowance);
    m_ownedRange->setBuildUnitFlags(true);
    m_ownedRange->compute();
}

UnitHexScan::UnitHexScan(GameState& state, int side, int index, const ReachMap* range, int allowance)
    : HexScan(state)
    , m_side(side)
    , m_index(index)
    , m_unit(existingUnit(state, side, index))
    , m_type(m_unit ? &m_unit->type() : nullptr)
    , m_allowance(allowance)
    , m_range(range)
{
    if (m_allowance == -1)
        m_allowance = m_unit ? m_unit->movePoints() : 0;
    if (m_type)
        m_movementType = scanMovementType(m_type->movementType);
    if (side >= 0 && side < kCountryCount)
        m_targetCountry = state.country(side).targetCountry;
}

UnitHexScan::~UnitHexScan() = default;

void UnitHexScan::scanFromUnit()
{
    if (m_unit)
        scan(m_unit->x, m_unit->y, m_allowance);
}

int UnitHexScan::reachableCost(int x, int y) const
{
    return m_unit ? reachCost(*m_range, x, y, m_allowance) : -1;
}

bool UnitHexScan::isFreeForDomain(int x, int y) const
{
    return m_type && !state().hexHasUnit(x, y, state().unitSlotFor(m_type->domain));
}
