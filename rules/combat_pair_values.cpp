// CombatPair: the weapon slots of both sides, their attack and defence values and the preview values.
#include "rules/combat_pair.h"

#include "rules/combat_values.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

bool isMissileWeaponKind(int kind)
{
    return kind == kWeaponWarhead || kind == kWeaponBallisticMissile || kind == kWeaponCruiseMissile
        || kind == kWeaponMissile;
}

// The class side k's defence is asked against: the other unit's base class, 3 for a hex.
int otherBaseClass(const GameState& state, const CombatPair& pair, int k)
{
    const UnitRecord* other = pair.unit(state, 1 - k);
    return other ? baseTargetClass(other->type()) : 3;
}

void fillAttack(GameState& state, CombatPair& pair, int k)
{
    CombatSide& s = pair.side[k];
    const UnitRecord* unit = pair.unit(state, k);
    const WeaponRecord* weapon = unit && s.weaponSlot >= 0 && s.weaponSlot < kWeaponSlotCount
        ? unit->slotWeapon(s.weaponSlot) : nullptr;
    if (!weapon) {
        s.attackValue = s.weaponMultiplier = s.slotMultiplier = 0;
        return;
    }
    s.attackValue = uint16_t(std::max(attackValue(state, s.code, s.index, targetOf(pair.side[1 - k]), s.weaponSlot), 0));
    s.weaponMultiplier = weapon->multiplier;
    s.slotMultiplier = unit->type().weaponSlot[s.weaponSlot].multiplier;
}

void fillDefence(GameState& state, CombatPair& pair, int k)
{
    CombatSide& s = pair.side[k];
    if (!pair.unit(state, k)) {
        s.defenceValue = 0;
        return;
    }
    const CombatSide& other = pair.side[1 - k];
    s.defenceValue = uint16_t(std::max(defenceValue(state, s.code, s.index, int(s.x), int(s.y), other.code, other.index,
                                           otherBaseClass(state, pair, k)),
        0));
}

void previewSide(GameState& state, CombatPair& pair, int k)
{
    CombatSide& s = pair.side[k];
    // The record is packed: the values are cleared as bytes, never through misaligned references.
    std::memset(s.preview, 0, sizeof s.preview);
    const UnitRecord* unit = pair.unit(state, k);
    if (!unit)
        return;
    const CombatSide& other_side = pair.side[1 - k];
    const UnitRecord* other = pair.unit(state, 1 - k);
    const int attack_class = other ? targetClass(other->type()) : 3;
    if (s.weaponSlot >= 0 && s.weaponSlot < kWeaponSlotCount) {
        s.preview[kPreviewBasePower] = uint32_t(std::max(unit->attackValueScaled(s.weaponSlot, attack_class), 0));
        s.preview[kPreviewAttackBonus] = uint32_t(experienceBonus(*unit));
    }
    const UnitTypeRecord& type = unit->type();
    s.preview[kPreviewDefence] = uint32_t(type.defenceAgainst(otherBaseClass(state, pair, k)));
    s.preview[kPreviewDefenceBonus] = uint32_t(experienceBonus(*unit));
    const WeaponRecord* other_weapon = other && other_side.weaponSlot >= 0 && other_side.weaponSlot < kWeaponSlotCount
        ? other->slotWeapon(other_side.weaponSlot) : nullptr;
    if (other_weapon && (other_weapon->flags & kWeaponEvadable)) {
        s.preview[kPreviewEvasion] = uint32_t(modelEvasion(*unit));
        s.preview[kPreviewAreaCover] = uint32_t(areaCoverPercent(state, s.code, int(s.x), int(s.y), type.domain));
    }
    const TerrainRecord* terrain = state.terrainTypeAt(int(s.x), int(s.y));
    if (terrain && type.movementType < kMovementTypeCount)
        s.preview[kPreviewTerrain] = terrain->evasion[type.movementType];
    if (other)
        s.preview[kPreviewEncirclement] = uint32_t(encirclementPercent(state, other_side.code, other_side.index, targetOf(s)));
}

} // namespace

CombatTarget targetOf(const CombatSide& side) { return { side.code, side.index, int(side.x), int(side.y) }; }

void CombatPair::prepare(GameState& state)
{
    CombatSide& a = side[0];
    const UnitRecord* attacker = unit(state, 0);
    if (!attacker)
        return;
    if (a.code >= 100) {
        for (int slot = 0; slot < kWeaponSlotCount; ++slot)
            if (const WeaponRecord* weapon = attacker->slotWeapon(slot); weapon && isMissileWeaponKind(weapon->kind)) {
                a.weaponSlot = int16_t(slot);
                break;
            }
    } else {
        WeaponChoiceAsk ask;
        ask.code = a.code;
        ask.index = a.index;
        ask.fromX = int(a.x);
        ask.fromY = int(a.y);
        ask.target = targetOf(side[1]);
        ask.required = a.restricted ? kWeaponAttack | kWeaponRestricted : kWeaponAttack;
        a.weaponSlot = int16_t(chooseWeaponSlot(state, ask));
    }
    CombatSide& d = side[1];
    d.weaponSlot = -1;
    if (unit(state, 1) && isHexVisibleTo(state, d.country, a.code, a.index, int(a.x), int(a.y))) {
        WeaponChoiceAsk ask;
        ask.code = d.code;
        ask.index = d.index;
        ask.fromX = int(d.x);
        ask.fromY = int(d.y);
        ask.target = targetOf(a);
        ask.required = kWeaponDefence;
        d.weaponSlot = int16_t(chooseWeaponSlot(state, ask));
    }
}

void CombatPair::computeValues(GameState& state)
{
    combatPreview(state, *this);
    fillAttack(state, *this, 0);
    fillAttack(state, *this, 1);
    fillDefence(state, *this, 0);
    fillDefence(state, *this, 1);
}

void CombatPair::computeValuesHalfWeapon(GameState& state)
{
    fillAttack(state, *this, 0);
    side[0].weaponMultiplier = uint16_t((side[0].weaponMultiplier + 1) / 2);
    fillDefence(state, *this, 1);
}

void combatPreview(GameState& state, CombatPair& pair)
{
    previewSide(state, pair, 0);
    previewSide(state, pair, 1);
}
