// The finding scans' visits.
#include "rules/scans_finds.h"

#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/terrain_record.h"
#include "state/unit_facts.h"

namespace {


} // namespace

CapitalFoundScan::CapitalFoundScan(GameState& state, int country)
    : HexScan(state)
    , m_country(country)
{
}

void CapitalFoundScan::visit(int x, int y)
{
    const UnitCell* cell = state().unitCellAt(x, y);
    if (!cell)
        return;
    if (const BuildingRecord* b = cell->building ? state().building(cell->building - 1) : nullptr) {
        const TerrainRecord* terrain = b->terrain();
        if (b->owner() == m_country && terrain && terrain->kind == kTerrainCapital) {
            m_where = { x, y };
            stop();
            return;
        }
    }
    std::vector<UnitRef> refs;
    state().collectUnitsInHex(x, y, refs);
    for (const UnitRef& ref : refs) {
        const UnitRecord* unit = ref.table < kSideCount ? state().unitOf(ref.table, ref.index) : nullptr;
        if (ref.country == m_country && unit && unit->type().unitClass == kHeadquartersClass) {
            m_where = { x, y };
            stop();
            return;
        }
    }
}

EnemyUnitsScan::EnemyUnitsScan(GameState& state, int country, int domain)
    : HexScan(state)
    , m_country(country)
    , m_domain(domain)
{
}

void EnemyUnitsScan::visit(int x, int y)
{
    // The hex's units are added to the list and those that do not count taken out again, which spares
    // a list a hex.
    const size_t first = m_units.size();
    if (!state().collectUnitsInHex(x, y, m_units))
        return;
    StateRulesHooks* hooks = stateRulesHooks();
    size_t kept = first;
    for (size_t k = first; k < m_units.size(); ++k) {
        const UnitRef ref = m_units[k];
        const UnitRecord* unit = state().unitOf(ref.table, ref.index);
        if (!unit || !state().isEnemy(m_country, ref.country))
            continue;
        if (m_domain >= 0 && unitTypeDomain(unit->type()) != m_domain)
            continue;
        if (hooks && !hooks->isUnitVisibleTo(state(), ref.table, ref.index, m_country))
            continue;
        m_units[kept++] = ref;
    }
    m_units.resize(kept);
}
