// SupplyOrder: building an order for a unit and carrying it out.
#include "state/supply_order.h"

#include "state/unit_hooks.h"
#include "state/unit_facts.h"
#include "state/unit_internal.h"

#include <algorithm>

using namespace unit_rules;

namespace {

uint32_t fundsOf(int side) { return side >= 0 && side < kCountryCount ? game().country(side).funds : 0; }

} // namespace

int supplyPartOfKind(int weapon_kind)
{
    if (weapon_kind == kWeaponEngineering)
        return SupplyOrder::kEngineering;
    if (weapon_kind == kWeaponSupply)
        return SupplyOrder::kSupplyGoods;
    return SupplyOrder::kAmmunition;
}

bool SupplyOrder::anyWanted() const
{
    return std::any_of(std::begin(parts), std::end(parts), [](const SupplyPart& p) { return p.wanted != 0; });
}

bool SupplyOrder::anyGranted() const
{
    return std::any_of(std::begin(parts), std::end(parts), [](const SupplyPart& p) { return p.granted != 0; });
}

uint32_t SupplyOrder::firstAmount() const { return parts[kFuel].granted == 1 ? parts[kFuel].cost : 0; }

uint32_t SupplyOrder::otherAmountsTotal() const
{
    uint32_t total = 0;
    for (int p = kAmmunition; p < kPartCount; ++p)
        if (parts[p].granted == 1)
            total += parts[p].cost;
    return total;
}

void SupplyOrder::selectAmmunition(bool on)
{
    for (int p = kAmmunition; p < kPartCount; ++p)
        parts[p].chosen = on ? parts[p].granted : 0;
}

bool UnitRecord::buildSupplyOrder(SupplyOrder& order, int side, int index) const
{
    order = SupplyOrder {};
    order.country = uint32_t(side);
    order.unitIndex = uint32_t(index);
    const UnitTypeRecord& t = type();
    if (t.unitClass == kHeadquartersClass)
        return false;
    bool costs = ruleOn(kRuleSupplyCosts);
    int64_t count = strengthSlotCount(*this);
    int members = std::max<int>(t.members, 1);
    uint32_t funds = fundsOf(side);

    SupplyPart& fuel_part = order.parts[SupplyOrder::kFuel];
    fuel_part.wanted = needsFuel();
    if (costs && fuel_part.wanted)
        fuel_part.cost = uint32_t(ceilDiv(count * (maxFuel() - fuel), members));
    fuel_part.granted = fuel_part.chosen = fuel_part.cost > funds ? 0 : fuel_part.wanted;

    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = slotWeaponOrBase(slot);
        int missing = maxAmmo(slot) - ammunition[slot];
        if (!weapon || missing <= 0)
            continue;
        SupplyPart& part = order.parts[supplyPartOfKind(weapon->kind)];
        part.wanted = 1;
        if (costs)
            part.cost += uint32_t(ceilDiv(int64_t(ammoUnitPrice(slot)) * count * missing, members));
    }
    uint64_t ammo_costs = 0;
    for (int p = SupplyOrder::kAmmunition; p < SupplyOrder::kPartCount; ++p) {
        SupplyPart& part = order.parts[p];
        part.granted = part.chosen = part.wanted;
        ammo_costs += part.cost;
    }
    if (ammo_costs > funds)
        for (int p = SupplyOrder::kAmmunition; p < SupplyOrder::kPartCount; ++p)
            order.parts[p].granted = order.parts[p].chosen = 0;
    return true;
}

void SupplyOrder::apply() const
{
    int side = int(country);
    UnitRecord* unit = game().unitOf(side, int(unitIndex));
    if (!unit)
        return;
    const UnitTypeRecord& t = unit->type();
    bool costs = ruleOn(kRuleSupplyCosts);
    int64_t members = std::max<int>(t.members, 1);
    int64_t count = std::max(strengthSlotCount(*unit), 1);
    bool given = false;

    if (parts[kFuel].chosen) {
        int missing = std::max(unit->maxFuel() - int(unit->fuel), 0);
        int64_t added = costs ? std::min<int64_t>(missing, members * fundsOf(side) / count) : missing;
        if (added > 0) {
            unit->fuel = uint16_t(unit->fuel + added);
            given = true;
            if (costs)
                game().spendFunds(side, uint32_t(ceilDiv(count * added, members)));
        }
    }
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = unit->slotWeaponOrBase(slot);
        if (!weapon || !parts[supplyPartOfKind(weapon->kind)].chosen)
            continue;
        int missing = unit->maxAmmo(slot) - unit->ammunition[slot];
        if (missing <= 0)
            continue;
        int64_t price = unit->ammoUnitPrice(slot);
        int64_t added = missing;
        if (costs && price > 0)
            added = std::min<int64_t>(missing, members * fundsOf(side) / (count * price));
        if (added <= 0)
            continue;
        unit->ammunition[slot] = uint8_t(unit->ammunition[slot] + added);
        given = true;
        if (costs && price > 0)
            game().spendFunds(side, uint32_t(ceilDiv(count * price * added, members)));
    }
    if (given)
        if (UnitRecordHooks* hooks = unitRecordHooks())
            hooks->recordSupply(side, int(unitIndex), 1);
}
