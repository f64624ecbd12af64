// WeaponSelection: the usability of each side's weapons and the expected losses of both sides.
#include "rules/weapon_selection.h"
#include "rules/shared_codes.h"

#include "rules/combat_pair.h"
#include "rules/combat_values.h"
#include "rules/targets.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kSeaDomain = 4;

std::array<int, 10> countersOf(const UnitRecord& unit)
{
    std::array<int, 10> counters {};
    std::copy(std::begin(unit.memberStrengths), std::end(unit.memberStrengths), counters.begin());
    return counters;
}

} // namespace

int membersAfterFirstStrike(const std::array<int, 10>& counters, int strengthTenths, int losses, int maxMembers,
    int memberStrength)
{
    if (strengthTenths <= losses)
        return 0;
    const int left = strengthTenths - losses;
    if (maxMembers == 1)
        return left * memberStrength / 10 > 0 ? 1 : 0;
    const int kept = std::clamp(left * maxMembers / 10, 0, 10);
    return int(std::count_if(counters.begin(), counters.begin() + kept, [](int c) { return c != 0; }));
}

WeaponSelection::WeaponSelection(GameState& state, const CombatPair& pair, bool restrictedWeaponsOnly)
    : m_state(state)
    , m_pair(pair)
    , m_restrictedWeaponsOnly(restrictedWeaponsOnly)
{
    for (int s = 0; s < 2; ++s) {
        const UnitRecord* unit = pair.unit(state, s);
        const int reach = unit ? longestReachOfKind(*unit, kWeaponTorpedo, s == 0 && restrictedWeaponsOnly) : 0;
        if (reach < 1)
            continue;
        const CombatSide& side = pair.side[s];
        auto route = std::make_unique<MoveRangeMap>(state);
        route->initFromValues(side.code >= 100 ? side.code - 100 : side.code, int(side.x), int(side.y), kWaterMoveType,
            kSeaDomain);
        route->setCostLimit(reach);
        route->compute();
        m_torpedoRoutes[size_t(s)] = std::move(route);
    }
}

WeaponSelection::~WeaponSelection() = default;

int WeaponSelection::targetClassAgainst(int side) const
{
    const UnitRecord* other = m_pair.unit(m_state, 1 - side);
    return other ? targetClass(other->type()) : 3;
}

int WeaponSelection::hexDistanceOfSides() const
{
    const CombatSide& a = m_pair.side[0];
    const CombatSide& b = m_pair.side[1];
    return hexDistance({ int(a.x), int(a.y) }, { int(b.x), int(b.y) });
}

bool WeaponSelection::isUsable(int side, int slot) const
{
    if (side < 0 || side > 1 || slot < 0 || slot >= kWeaponSlotCount)
        return false;
    const UnitRecord* unit = m_pair.unit(m_state, side);
    const WeaponRecord* weapon = unit ? unit->slotWeapon(slot) : nullptr;
    if (!weapon)
        return false;
    const int target_class = targetClassAgainst(side);
    const int d = hexDistanceOfSides();
    if (!unit->isFresh() || unit->ammunition[slot] == 0 || target_class < 0 || target_class >= kTargetClassCount
        || weapon->power[target_class] < 1 || weapon->reach < d)
        return false;
    if (!(weapon->flags & (side == 0 ? kWeaponAttack : kWeaponDefence)))
        return false;
    if (side == 0 && m_restrictedWeaponsOnly && !(weapon->flags & kWeaponRestricted))
        return false;
    if (weapon->kind == kWeaponTorpedo) {
        const MoveRangeMap* route = m_torpedoRoutes[size_t(side)].get();
        const CombatSide& other = m_pair.side[1 - side];
        const int cost = route ? route->costAt(int(other.x), int(other.y), -1) : -1;
        if (cost < 0 || cost > weapon->reach)
            return false;
    }
    if (d == 1 && !(weapon->flags & kWeaponNear))
        return false;
    if (side == 1) {
        const CombatSide& attacker = m_pair.side[0];
        return isHexVisibleTo(m_state, m_pair.side[1].country, attacker.code, attacker.index, int(attacker.x),
            int(attacker.y));
    }
    return true;
}

ExpectedLosses WeaponSelection::lossesOf(int side, int otherLosses) const
{
    ExpectedLosses result;
    const UnitRecord* unit = m_pair.unit(m_state, side);
    if (!unit)
        return result;
    result.after = countersOf(*unit);
    const CombatSide& other = m_pair.side[1 - side];
    const UnitRecord* shooter = m_pair.unit(m_state, 1 - side);
    const int slot = other.weaponSlot;
    if (!shooter || slot < 0 || slot >= kWeaponSlotCount)
        return result;
    int members = strengthSlotCount(*shooter);
    // The attacker's shots from afar land first: the defender fires back with what is left.
    if (side == 0 && m_state.ruleOn(kRuleFirstStrike) && hexDistanceOfSides() >= 2 && otherLosses >= 1) {
        const UnitTypeRecord& type = shooter->type();
        members = membersAfterFirstStrike(countersOf(*shooter), shooter->strengthTenths(), otherLosses, type.members,
            type.memberStrength);
    }
    const int hits = estimateAttackDamage(m_state, other.code, other.index, targetOf(m_pair.side[side]), slot, members);
    const int damage = weaponStatThreeQuarters(*shooter, slot);
    for (int h = 0; h < hits; ++h) {
        auto hit = std::find_if(result.after.begin(), result.after.end(), [](int c) { return c >= 1; });
        if (hit == result.after.end())
            break;
        if (*hit <= damage) {
            *hit = 0;
            ++result.machines;
        } else {
            *hit -= damage;
        }
    }
    return result;
}

std::array<ExpectedLosses, 2> WeaponSelection::expectedLosses() const
{
    std::array<ExpectedLosses, 2> losses;
    losses[1] = lossesOf(1, 0);
    losses[0] = lossesOf(0, losses[1].machines);
    return losses;
}
