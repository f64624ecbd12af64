// Scans that build and own the movement range they read.
#include "rules/scans_own_range.h"

#include "rules/move_range.h"
#include "state/game_state.h"

ReachHexScan::ReachHexScan(GameState& state, int country, int type_id, int x, int y, bool sorted)
    : HexScan(state)
    , m_range(std::make_unique<MoveRangeMap>(state))
    , m_x(x)
    , m_y(y)
    , m_sorted(sorted)
{
    // An unknown type reaches nothing: its range stays empty.
    if (state.unitTypeIndex(type_id) == 0)
        return;
    const UnitTypeRecord& type = state.unitTypeRecord(type_id);
    m_allowance = type.model[0].values[0];
    m_range->initFromValues(country, x, y, type.movementType, type.domain);
    m_range->setCostLimit(m_allowance);
    m_range->compute();
}

ReachHexScan::~ReachHexScan() = default;

void ReachHexScan::rescan() { scan(m_x, m_y, m_allowance); }

void ReachHexScan::visit(int x, int y)
{
    const int cost = m_range->costAt(x, y, -1);
    if (cost >= 0 && cost <= m_allowance)
        addHit(x, y, uint32_t(cost));
}

void ReachHexScan::finish()
{
    if (m_sorted)
        sortAscending();
}
