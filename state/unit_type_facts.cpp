// Weapon-slot facts of unit types and model selection of units.
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kNoWeaponKind = 13;

bool isLaunchKind(int kind) { return kind == kWeaponCruiseMissile || kind == kWeaponBallisticMissile; }

bool isDirect(const WeaponRecord* weapon) { return weapon && weapon->useValue > 0 && !isLaunchKind(weapon->kind); }

} // namespace

const WeaponRecord* slotWeapon(const GameState& state, const UnitTypeRecord& type, int i)
{
    if (!unitWeaponSlotUsed(type, i))
        return nullptr;
    int id = type.weaponSlot[i].weaponId;
    return state.weaponIndex(id) ? &state.weaponRecord(id) : nullptr;
}

const UnitTypeRecord* baseTypeOf(const GameState& state, const UnitTypeRecord& type)
{
    // Stored plus 1; 0 = none.
    int base = type.baseType;
    if (base < 1 || !state.unitTypeIndex(base - 1))
        return nullptr;
    return &state.unitTypeRecord(base - 1);
}

int slotWeaponKindOrBase(const GameState& state, const UnitTypeRecord& type, int i)
{
    if (const WeaponRecord* weapon = slotWeapon(state, type, i))
        return weapon->kind;
    const UnitTypeRecord* base = baseTypeOf(state, type);
    if (const WeaponRecord* weapon = base ? slotWeapon(state, *base, i) : nullptr)
        return weapon->kind;
    return kNoWeaponKind;
}

bool slotIsLaunchWeapon(const GameState& state, const UnitTypeRecord& type, int i)
{
    const WeaponRecord* weapon = slotWeapon(state, type, i);
    return weapon && isLaunchKind(weapon->kind);
}

bool hasUsableDirectWeapon(const GameState& state, const UnitTypeRecord& type)
{
    for (int i = 0; i < kWeaponSlotCount; ++i)
        if (isDirect(slotWeapon(state, type, i)))
            return true;
    return false;
}

bool hasWeaponOfKind(const GameState& state, const UnitTypeRecord& type, int kind)
{
    for (int i = 0; i < kWeaponSlotCount; ++i) {
        const WeaponRecord* weapon = slotWeapon(state, type, i);
        if (weapon && weapon->kind == kind)
            return true;
    }
    return false;
}

bool hasLaunchWeapon(const GameState& state, const UnitTypeRecord& type)
{
    for (int i = 0; i < kWeaponSlotCount; ++i)
        if (slotIsLaunchWeapon(state, type, i))
            return true;
    return false;
}

int bestReachFor(const GameState& state, const UnitTypeRecord& type, int model)
{
    if (model < 0 || model >= kModelCount)
        return 0;
    int best = 0;
    for (int i = 0; i < kWeaponSlotCount; ++i) {
        const WeaponRecord* weapon = slotWeapon(state, type, i);
        if (isDirect(weapon) && type.model[model].ammo[i] > 0)
            best = std::max<int>(best, weapon->reach);
    }
    return best;
}

int modelAmmoAllowance(const GameState& state, const UnitTypeRecord& type, int model, int i)
{
    if (model < 0 || model >= kModelCount || i < 0 || i >= kWeaponSlotCount)
        return 0;
    int own = type.model[model].ammo[i];
    const UnitTypeRecord* base = baseTypeOf(state, type);
    return base ? std::max<int>(own, base->model[model].ammo[i]) : own;
}

void selectModel(const GameState& state, UnitRecord& unit, int model)
{
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    if (!type || model < 0 || model >= kModelCount)
        return;
    unit.model = uint8_t(model);
    for (int i = 0; i < kWeaponSlotCount; ++i)
        unit.ammunition[i] = uint8_t(modelAmmoAllowance(state, *type, model, i));
    unit.fuel = type->model[model].fuel;
}

namespace {

template <typename F>
int weaponField(const GameState& state, const UnitTypeRecord& type, int i, F field)
{
    const WeaponRecord* weapon = slotWeapon(state, type, i);
    return weapon ? int(field(*weapon)) : 0;
}

} // namespace

int slotWeaponLaunchedType(const GameState& s, const UnitTypeRecord& t, int i)
{
    return weaponField(s, t, i, [](const WeaponRecord& w) { return w.launchedType; });
}

int slotWeaponWaitTurns(const GameState& s, const UnitTypeRecord& t, int i)
{
    return weaponField(s, t, i, [](const WeaponRecord& w) { return w.waitTurns; });
}

int slotWeaponMultiplier(const GameState& s, const UnitTypeRecord& t, int i)
{
    return weaponField(s, t, i, [](const WeaponRecord& w) { return w.multiplier; });
}

int slotWeaponAmmoPrice(const GameState& s, const UnitTypeRecord& t, int i)
{
    return weaponField(s, t, i, [](const WeaponRecord& w) { return w.ammoPrice; });
}

int slotWeaponPower(const GameState& s, const UnitTypeRecord& t, int i, int target_class)
{
    if (target_class < 0 || target_class >= kTargetClassCount)
        return 0;
    return weaponField(s, t, i, [&](const WeaponRecord& w) { return w.power[target_class]; });
}

int slotWeaponUseValue(const GameState& s, const UnitTypeRecord& t, int i)
{
    return weaponField(s, t, i, [](const WeaponRecord& w) { return w.useValue; });
}

int slotWeaponKind(const GameState& s, const UnitTypeRecord& t, int i)
{
    return weaponField(s, t, i, [](const WeaponRecord& w) { return w.kind; });
}
