// Combat values: what a unit's weapon is worth against a target and what the target's defence is.
#include "rules/combat_values.h"

#include "rules/combat_pair.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <vector>
#include <utility>

namespace {


int targetClassOf(GameState& state, const CombatTarget& target)
{
    if (target.code == kHexSideCode)
        return 3;
    const UnitRecord* unit = state.unitOf(target.code, target.index);
    return unit ? targetClass(unit->type()) : 3;
}

} // namespace

int experienceBonus(const UnitRecord& unit) { return experienceLevel(unit) * 5; }

int modelEvasion(const UnitRecord& unit) { return unit.type().model[unit.modelIndex()].values[2]; }

int attackValue(GameState& state, int code, int index, const CombatTarget& target, int slot)
{
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit || slot < 0 || slot >= kWeaponSlotCount)
        return 0;
    const WeaponRecord* weapon = unit->slotWeapon(slot);
    if (!unit->isFresh() || !weapon)
        return 0;
    const int p = unit->attackValueScaled(slot, targetClassOf(state, target));
    if (p <= 0)
        return p;
    int v = p + experienceBonus(*unit) * p / 100;
    const UnitRecord* defender = target.code == kHexSideCode ? nullptr : state.unitOf(target.code, target.index);
    if (target.x != -1 && (weapon->flags & kWeaponEvadable) && defender) {
        v = (100 - modelEvasion(*defender)) * v / 100;
        v = (100 - areaCoverPercent(state, target.code, target.x, target.y, defender->type().domain)) * v / 100;
    }
    return std::clamp(v, 1, 999);
}

int areaCoverPercent(GameState& state, int side, int x, int y, int domain)
{
    if (side < 0 || side >= kCountryCount || !state.hexMasks() || !state.hexMasks()->testBit(side, x, y))
        return 0;
    int best = 0;
    for (uint32_t i = 0; i < state.unitCount(side); ++i) {
        const UnitRecord& unit = std::as_const(state).unitTable(side)[i];
        if (!unitInPlay(unit) || unit.hasFlag(kUnitAwaitingProduction))
            continue;
        const UnitTypeRecord& type = unit.type();
        if (type.domain != domain || type.areaRadius == 0)
            continue;
        const int d = hexDistance({ unit.x, unit.y }, { x, y });
        if (d <= type.areaRadius)
            best = std::max(best, (type.areaRadius - d + 1) * 10);
    }
    return best;
}

int encirclementPercent(GameState& state, int code, int index, const CombatTarget& target)
{
    if (!state.ruleOn(kRuleEncirclement) || target.x < 0)
        return 0;
    int sum = 0;
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state.hexNeighbour(target.x, target.y, d);
        if (!n.valid())
            continue;
        std::vector<UnitRef> units;
        state.collectUnitsInHex(n.x, n.y, units);
        for (const UnitRef& ref : units) {
            if (ref.table != code || ref.index == index)
                continue;
            const UnitRecord* helper = state.unitOf(ref.table, ref.index);
            if (!helper)
                continue;
            int best = 0;
            for (int slot = 0; slot < kWeaponSlotCount; ++slot)
                if (helper->ammunition[slot] > 0)
                    best = std::max(best, attackValue(state, ref.table, ref.index, target, slot));
            if (best > 0)
                sum += helper->strengthTenths() * best / 10;
        }
    }
    return sum > 0 ? std::max(sum / 5, 1) : 0;
}

int defenceValue(GameState& state, int code, int index, int x, int y, int attacker_code, int attacker_index,
    int attacker_class)
{
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit)
        return 0;
    const UnitTypeRecord& type = unit->type();
    int b = type.defenceAgainst(attacker_class);
    b += experienceBonus(*unit) * b / 100;
    if (x == -1)
        return b;
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    const int t = terrain && type.movementType < kMovementTypeCount ? terrain->evasion[type.movementType] : 0;
    const int b2 = b + t * b / 100;
    const CombatTarget self { code, index, x, y };
    return (100 - encirclementPercent(state, attacker_code, attacker_index, self)) * b2 / 100;
}

int attackScore(GameState& state, int code, int index, int target_code, int target_index, int slot)
{
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit || slot < 0 || slot >= kWeaponSlotCount)
        return 0;
    CombatTarget target { target_code, target_index };
    if (target_code == kHexSideCode)
        target.x = packedHexX(int16_t(target_index)), target.y = packedHexY(int16_t(target_index));
    const WeaponRecord* weapon = unit->slotWeapon(slot);
    const int weapon_multiplier = weapon ? weapon->multiplier : 0;
    return unit->type().weaponSlot[slot].multiplier * weapon_multiplier * attackValue(state, code, index, target, slot);
}

int estimateAttackDamage(GameState& state, int code, int index, const CombatTarget& target, int slot)
{
    const UnitRecord* unit = state.unitOf(code, index);
    return unit ? estimateAttackDamage(state, code, index, target, slot, strengthSlotCount(*unit)) : 0;
}

int estimateAttackDamage(GameState& state, int code, int index, const CombatTarget& target, int slot, int members)
{
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit || slot < 0 || slot >= kWeaponSlotCount)
        return 0;
    int defence = 0;
    if (target.code != kHexSideCode)
        defence = defenceValue(state, target.code, target.index, target.x, target.y, code, index,
            baseTargetClass(unit->type()));
    const int64_t value = int64_t(unit->type().weaponSlot[slot].multiplier) * members
        * (100 - defence) * attackValue(state, code, index, target, slot) / 10000;
    return int(value);
}

int expectedKillsValue(GameState& state, int code, int index, const CombatTarget& target, int slot)
{
    const UnitRecord* unit = state.unitOf(code, index);
    const WeaponRecord* weapon = unit && slot >= 0 && slot < kWeaponSlotCount ? unit->slotWeapon(slot) : nullptr;
    const int m = weapon ? weapon->multiplier : 0;
    if (m <= 0)
        return 0;
    int reduced = 3 * m < 4 ? 1 : 3 * m / 4;
    if (const UnitRecord* defender = target.code == kHexSideCode ? nullptr : state.unitOf(target.code, target.index))
        reduced = std::min<int>(reduced, defender->type().memberStrength);
    return estimateAttackDamage(state, code, index, target, slot) * reduced;
}

int weaponStatThreeQuarters(const UnitRecord& unit, int slot)
{
    const WeaponRecord* weapon = slot >= 0 && slot < kWeaponSlotCount ? unit.slotWeapon(slot) : nullptr;
    return weapon ? (3 * weapon->multiplier + 1) / 4 : 0;
}

int findUsableWeaponSlot(const UnitRecord& unit, unsigned required, unsigned excluded)
{
    return findUsableWeaponSlot(*g_gameState, unit, required, excluded);
}

int findUsableWeaponSlot(const GameState& state, const UnitRecord& unit, unsigned required, unsigned excluded)
{
    if (state.ruleOn(kRuleFatigue) && unit.fatigue >= 50)
        return -1;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = unit.slotWeapon(slot);
        if (!weapon || unit.ammunition[slot] == 0 || weapon->useValue == 0)
            continue;
        if (weapon->kind == kWeaponCruiseMissile || weapon->kind == kWeaponBallisticMissile)
            continue;
        if ((weapon->flags & required) == required && (weapon->flags & excluded) == 0)
            return slot;
    }
    return -1;
}

bool hasDirectFireWeapon(const UnitRecord& unit, int target_class)
{
    if (!unit.isFresh() || target_class < 0 || target_class >= kTargetClassCount)
        return false;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        // An empty slot is passed over before its weapon is looked up.
        if (unit.ammunition[slot] == 0)
            continue;
        const WeaponRecord* weapon = unit.slotWeapon(slot);
        if (weapon && weapon->power[target_class] > 0 && (weapon->flags & kWeaponNear))
            return true;
    }
    return false;
}
