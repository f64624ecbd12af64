// UnitRecord: ammunition, fuel and the stocks of supply goods and engineering material.
#include "state/unit_record.h"

#include "state/unit_facts.h"
#include "state/unit_internal.h"

#include <algorithm>

using namespace unit_rules;

namespace {

int stockOfKind(const UnitRecord& unit, int kind)
{
    int total = 0;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = unit.slotWeapon(slot);
        if (weapon && weapon->kind == kind)
            total += unit.ammunition[slot];
    }
    return total;
}

void spendStockOfKind(UnitRecord& unit, int kind, int amount)
{
    for (int slot = 0; slot < kWeaponSlotCount && amount > 0; ++slot) {
        const WeaponRecord* weapon = unit.slotWeapon(slot);
        if (!weapon || weapon->kind != kind)
            continue;
        int taken = std::min<int>(amount, unit.ammunition[slot]);
        unit.ammunition[slot] = uint8_t(unit.ammunition[slot] - taken);
        amount -= taken;
    }
}

} // namespace

const WeaponRecord* UnitRecord::slotWeaponOrBase(int slot) const
{
    if (const WeaponRecord* weapon = slotWeapon(slot))
        return weapon;
    const UnitTypeRecord* base = baseType();
    return base && slot >= 0 && slot < kWeaponSlotCount ? ::slotWeapon(game(), *base, slot) : nullptr;
}

int UnitRecord::maxAmmo(int slot) const { return modelAmmoAllowance(game(), type(), modelIndex(), slot); }

int UnitRecord::maxFuel() const { return type().model[modelIndex()].fuel; }

bool UnitRecord::needsFuel() const { return fuel < maxFuel(); }

bool UnitRecord::needsAmmo() const
{
    for (int slot = 0; slot < kWeaponSlotCount; ++slot)
        if (slotWeaponOrBase(slot) && ammunition[slot] < maxAmmo(slot))
            return true;
    return false;
}

bool UnitRecord::needsWeaponAmmo() const
{
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = slotWeapon(slot);
        if (weapon && weapon->kind != kWeaponSupply && weapon->kind != kWeaponEngineering
            && ammunition[slot] < type().model[modelIndex()].ammo[slot])
            return true;
    }
    return false;
}

bool UnitRecord::hasEmptySupplyOrWorksSlot() const
{
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = slotWeapon(slot);
        if (weapon && maxAmmo(slot) != 0 && ammunition[slot] == 0
            && (weapon->kind == kWeaponEngineering || weapon->kind == kWeaponSupply))
            return true;
    }
    return false;
}

int UnitRecord::ammoUnitPrice(int slot) const
{
    if (slot < 0 || slot >= kWeaponSlotCount)
        return 0;
    int price = 0;
    if (const WeaponRecord* weapon = slotWeapon(slot))
        price = weapon->ammoPrice;
    if (const UnitTypeRecord* base = baseType())
        if (const WeaponRecord* weapon = ::slotWeapon(game(), *base, slot))
            price = std::max<int>(price, weapon->ammoPrice);
    return price;
}

int UnitRecord::engineeringAmmoTotal() const { return stockOfKind(*this, kWeaponEngineering); }

int UnitRecord::supplyStock() const { return stockOfKind(*this, kWeaponSupply); }

void UnitRecord::spendSupplyStock(int amount) { spendStockOfKind(*this, kWeaponSupply, amount); }

void UnitRecord::spendEngineeringStock(int amount) { spendStockOfKind(*this, kWeaponEngineering, amount); }
