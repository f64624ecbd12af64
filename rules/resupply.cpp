// Resupply: the three supply services (building, carrier, supply unit), rearming costs and the supply phase.
#include "rules/resupply.h"

#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/play_handshake.h"
#include "state/game_state.h"
#include "state/supply_order.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {


// Clearing a part withdraws it from this service; what was wanted stays for the next source.
void withdraw(SupplyOrder& order, int part)
{
    order.parts[part].granted = 0;
    order.parts[part].chosen = 0;
}

bool fuelOrAmmunitionGranted(const SupplyOrder& order)
{
    return order.parts[SupplyOrder::kFuel].granted || order.parts[SupplyOrder::kAmmunition].granted;
}

bool anyChosen(const SupplyOrder& order)
{
    return std::any_of(std::begin(order.parts), std::end(order.parts), [](const SupplyPart& p) { return p.chosen != 0; });
}

UnitRecord* aboardCarrier(GameState& state, const UnitRecord& unit)
{
    return unit.hasFlag(kUnitAboard) ? state.unitOf(unit.carrierSide - 1, unit.carrierIndex - 1) : nullptr;
}

} // namespace

void showSupplyOrder(GameState& state, SupplyOrder& order)
{
    if (!state.isHumanCountry(int(order.country)) || !state.settings().askSupply)
        return;
    if (state.turnBlock().phase == kPhaseAction && !state.handshake().delegation())
        dialogLink().showSupplyOrder(order);
    else
        mainWindowLink().askSupplyOrder(order);
}

void serviceAtBuilding(GameState& state, int building, SupplyOrder& order)
{
    const BuildingRecord* record = state.building(building);
    const UnitRecord* unit = state.unitOf(int(order.country), int(order.unitIndex));
    if (!record || !unit)
        return;
    int group = unitTypeGroup(unit->type());
    if (!record->canRefuel(int(order.country), group))
        withdraw(order, SupplyOrder::kFuel);
    if (!record->canRearm(int(order.country), group))
        for (int part = SupplyOrder::kAmmunition; part < SupplyOrder::kPartCount; ++part)
            withdraw(order, part);
    if (!order.anyGranted())
        return;
    showSupplyOrder(state, order);
    order.apply();
}

void serviceFromCarrier(GameState& state, SupplyOrder& order)
{
    UnitRecord* unit = state.unitOf(int(order.country), int(order.unitIndex));
    if (!unit)
        return;
    withdraw(order, SupplyOrder::kEngineering);
    withdraw(order, SupplyOrder::kSupplyGoods);
    if (!fuelOrAmmunitionGranted(order))
        return;
    showSupplyOrder(state, order);
    order.apply();
    if (anyChosen(order))
        if (UnitRecord* carrier = aboardCarrier(state, *unit))
            carrier->spendSupplyStock(1);
}

void serviceFromSupplyUnit(GameState& state, SupplyOrder& order, int supplier)
{
    int country = int(order.country);
    UnitRecord* giver = state.unitOf(country, supplier);
    if (!giver || !state.unitOf(country, int(order.unitIndex)))
        return;
    // Supply aircraft carry fuel only.
    if (giver->type().domain <= 1)
        withdraw(order, SupplyOrder::kAmmunition);
    withdraw(order, SupplyOrder::kEngineering);
    withdraw(order, SupplyOrder::kSupplyGoods);
    if (!fuelOrAmmunitionGranted(order))
        return;
    showSupplyOrder(state, order);
    order.apply();
    if (!anyChosen(order))
        return;
    int old_experience = giver->experience;
    giver->spendSupplyStock(1);
    giver->gainExperience(10);
    announceRankChange(state, country, supplier, giver->x, giver->y, old_experience, giver->experience, ReportWait::Yes);
}

uint32_t rearmCost(GameState& state, int country, int index, int set)
{
    const UnitRecord* unit = state.unitOf(country, index);
    if (!state.ruleOn(kRuleSupplyCosts) || !unit || set < 0 || set >= kModelCount)
        return 0;
    const UnitTypeRecord& type = unit->type();
    int64_t counters = strengthSlotCount(*unit);
    int64_t maximum = std::max<int>(type.members, 1);
    uint64_t total = 0;
    for (int i = 0; i < kWeaponSlotCount; ++i) {
        int64_t rounds = type.model[set].ammo[i];
        if (!unitWeaponSlotUsed(type, i) || rounds == 0)
            continue;
        int64_t price = slotWeaponAmmoPrice(state, type, i);
        total += uint64_t((price * counters * rounds + maximum - 1) / maximum);
    }
    return uint32_t(std::min<uint64_t>(total, UINT32_MAX));
}

void autoResupplyAll(GameState& state)
{
    int country = state.turnBlock().currentCountry;
    if (country < 0 || country >= kCountryCount)
        return;
    for (int i = 0; i < int(state.unitCount(country)); ++i) {
        UnitRecord& unit = *state.unitOf(country, i);
        if (unitInPlay(unit) && !unit.hasFlag(kUnitAwaitingProduction | kUnitActed))
            unit.requestResupply(country, i);
    }
}
