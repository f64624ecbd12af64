// UnitRecord: weapon choice and reach, sight and movement.
#include "state/unit_record.h"

#include "state/unit_facts.h"
#include "state/unit_internal.h"

#include <algorithm>

using namespace unit_rules;

namespace {

bool isMissileKind(int kind) { return kind == kWeaponCruiseMissile || kind == kWeaponBallisticMissile; }

int power(const WeaponRecord& weapon, int target_class)
{
    return target_class >= 0 && target_class < kTargetClassCount ? weapon.power[target_class] : 0;
}

int scaledAtNight(const UnitRecord& unit, int value)
{
    if (value < 1 || !game().isNightTurn())
        return value;
    return std::max(value * unit.type().nightPercent / 100, 1);
}

// A usable fitted slot with ammunition that passes the flag and class tests, or null. The unit's
// type is passed in, looked up once for all its slots.
const WeaponRecord* directWeapon(const UnitRecord& unit, const UnitTypeRecord& type, int slot, int target_class,
    int restricted_only, unsigned required, unsigned excluded)
{
    if (unit.ammunition[slot] == 0)
        return nullptr;
    const WeaponRecord* weapon = slotWeapon(game(), type, slot);
    if (!weapon || isMissileKind(weapon->kind))
        return nullptr;
    if (restricted_only == 1)
        required |= kWeaponRestricted;
    if ((weapon->flags & required) != required || (weapon->flags & excluded) != 0)
        return nullptr;
    return power(*weapon, target_class) > 0 ? weapon : nullptr;
}

} // namespace

bool UnitRecord::canAttackClass(int target_class) const
{
    if (!isFresh())
        return false;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = slotWeapon(slot);
        if (weapon && ammunition[slot] > 0 && power(*weapon, target_class) > 0)
            return true;
    }
    return false;
}

int UnitRecord::bestWeaponReach(int target_class, int restricted_only, unsigned required, unsigned excluded) const
{
    if (!isFresh())
        return 0;
    const UnitTypeRecord& t = type();
    int best = 0;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot)
        if (const WeaponRecord* weapon = directWeapon(*this, t, slot, target_class, restricted_only, required, excluded))
            best = std::max<int>(best, weapon->reach);
    return best;
}

int UnitRecord::firstWeaponSlotFor(int target_class, int min_reach, int restricted_only, unsigned required,
    unsigned excluded) const
{
    if (!isFresh())
        return -1;
    const UnitTypeRecord& t = type();
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = directWeapon(*this, t, slot, target_class, restricted_only, required, excluded);
        if (weapon && weapon->reach >= min_reach)
            return slot;
    }
    return -1;
}

bool UnitRecord::listUsableWeapons(bool skip_waiting, std::vector<int>& slots, int restricted_only) const
{
    if (!isFresh())
        return false;
    bool added = false;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = slotWeapon(slot);
        if (!weapon || ammunition[slot] == 0 || weapon->launchedType == 0)
            continue;
        if ((skip_waiting && weaponWait[slot] != 0) || (restricted_only == 1 && !(weapon->flags & kWeaponRestricted)))
            continue;
        slots.push_back(slot);
        added = true;
    }
    return added;
}

int UnitRecord::shortestWeaponWait() const
{
    int shortest = 0;
    for (uint8_t wait : weaponWait)
        if (wait != 0 && (shortest == 0 || wait < shortest))
            shortest = wait;
    return shortest;
}

int UnitRecord::findEcmWeapon() const
{
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = slotWeapon(slot);
        if (weapon && ammunition[slot] > 0 && weapon->kind == kWeaponEcm)
            return slot;
    }
    return -1;
}

int UnitRecord::attackValueScaled(int slot, int target_class) const
{
    const WeaponRecord* weapon = slotWeapon(slot);
    return weapon ? scaledAtNight(*this, power(*weapon, target_class)) : 0;
}

int UnitRecord::sightRange(int layer) const
{
    if (sightFixed)
        return 1;
    const UnitTypeRecord& t = type();
    int range;
    if (ruleOn(kRuleSightLayers))
        range = layer >= 0 && layer < kDomainCount ? t.sight[layer] : 0;
    else
        range = *std::max_element(std::begin(t.sight), std::end(t.sight));
    return scaledAtNight(*this, range);
}

int UnitRecord::movePoints() const
{
    // The allowance is the model's single byte; the byte after it is the fast-move value.
    return std::min<int>(fuel, type().model[modelIndex()].values[0]);
}

int UnitRecord::halfFuelCapped() const { return std::min<int>(type().model[modelIndex()].values[1], fuel / 2); }
