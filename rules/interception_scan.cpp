// The interception candidates around a moving unit, and the computer player's reach test.
#include "rules/interception.h"

#include "rules/combat_values.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

// The interceptor's reach against the mover: its type's range for the mover's domain, no further
// than its best direct weapon against the mover's class.
int interceptionReach(const UnitRecord& unit, int target_class, int domain)
{
    if (domain < 0 || domain >= kDomainCount)
        return 0;
    const int range = unit.type().range[domain];
    if (range <= 0)
        return 0;
    return std::min(range, unit.bestWeaponReach(target_class, 0, 0, 0));
}

} // namespace

InterceptionCandidatesScan::InterceptionCandidatesScan(GameState& state, int side, int target_class, int domain)
    : HexScan(state)
    , m_side(side)
    , m_targetClass(target_class)
    , m_domain(domain)
{
    // An enemy sharing the mover's hex in another domain covers it too.
    setMinimumRadius(0);
}

void InterceptionCandidatesScan::begin() { m_candidates.clear(); }

void InterceptionCandidatesScan::visit(int x, int y)
{
    m_refs.clear();
    state().collectUnitsInHex(x, y, m_refs);
    for (const UnitRef& ref : m_refs) {
        if (ref.table >= kSideCount || ref.table == m_side || !state().isEnemy(m_side, ref.country))
            continue;
        const UnitRecord* unit = state().unitOf(ref.table, ref.index);
        if (!unit || !unitInPlay(*unit) || unit->hasFlag(kUnitActed | kUnitAwaitingProduction) || !unit->isOnOwnHex())
            continue;
        const int reach = interceptionReach(*unit, m_targetClass, m_domain);
        if (reach <= 0 || ring() > reach || hasIntercepted(state(), ref.table, ref.index))
            continue;
        m_candidates.push_back(uint32_t(ref.table) | uint32_t(ref.index) << 16);
    }
}

bool hasActionCount(GameState& state, int side, int index, int distance, int layer, int target_class)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || layer < 0 || layer >= kDomainCount)
        return false;
    const int range = unit->type().range[layer];
    if (range == 0 || range < distance)
        return false;
    const int reach = unit->bestWeaponReach(target_class, 0, 0, 0);
    if (reach < 1 || reach < distance)
        return false;
    return distance != 1 || hasDirectFireWeapon(*unit, target_class);
}
