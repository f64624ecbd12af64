// Scans that build and own the movement range they read.
#include "rules/scans_own_range.h"

#include "rules/move_range.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <vector>

ReachHexScan::ReachHexScan(GameState& state, int country, int type_id, int x, int y, bool sorted)
    : HexScan(state)
    , m_range(std::make_unique<MoveRangeMap>(state))
    , m_country(country)
    , m_typeId(type_id)
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

int ReachHexScan::reachedCost(int x, int y) const
{
    const int cost = m_range->costAt(x, y, -1);
    return cost >= 0 && cost <= m_allowance ? cost : -1;
}

void ReachHexScan::visit(int x, int y)
{
    const int cost = reachedCost(x, y);
    if (cost >= 0)
        addHit(x, y, uint32_t(cost));
}

void ReachHexScan::finish()
{
    if (m_sorted)
        sortAscending();
}

MissileTargetHexScan::MissileTargetHexScan(GameState& state, int country, int type_id, int x, int y)
    : ReachHexScan(state, country, type_id, x, y, false)
{
    if (state.unitTypeIndex(type_id) == 0)
        return;
    const int weapon_id = state.unitTypeRecord(type_id).weaponSlot[0].weaponId;
    if (state.weaponIndex(weapon_id) != 0)
        m_weapon = &state.weaponRecord(weapon_id);
}

void MissileTargetHexScan::visit(int x, int y)
{
    if (!m_weapon || reachedCost(x, y) < 0)
        return;
    const int count = countTargetsAround(x, y);
    if (count >= 4)
        addHit(x, y, uint32_t(count));
}

int MissileTargetHexScan::countTargetsAround(int x, int y) const
{
    const GameState& game = state();
    const bool spare_own = game.ruleOn(kRuleFriendlyDamage) && (m_weapon->flags & 4);
    const bool near_turn_start = game.ruleOn(kRuleMissilePhase);
    int count = 0;
    std::vector<UnitRef> units;
    for (int d = -1; d < kHexDirections; ++d) {
        const HexPos hex = d < 0 ? HexPos { x, y } : game.hexNeighbour(x, y, d);
        if (!hex.valid())
            continue;
        units.clear();
        game.collectUnitsInHex(hex.x, hex.y, units);
        for (const UnitRef& ref : units) {
            if (ref.country == country()) {
                if (spare_own)
                    return -1;
                continue;
            }
            const UnitRecord* unit = game.unitOf(ref.table, ref.index);
            if (!unit || !game.isEnemy(country(), ref.country) || unit->type().domain != 3)
                continue;
            if (!isUnitVisibleTo(game, country(), ref.table, ref.index))
                continue;
            if (near_turn_start && hexDistance({ unit->x, unit->y }, { unit->turnStartX, unit->turnStartY }) > 2)
                continue;
            const int target_class = targetClass(unit->type());
            if (target_class >= 0 && target_class < kTargetClassCount && m_weapon->power[target_class] > 0)
                ++count;
        }
    }
    return count;
}
