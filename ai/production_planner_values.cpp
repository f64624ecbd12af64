// The production planner's view of unit types: roles, battle worth and the country's price list.
#include "ai/production_planner_values.h"

#include "rules/targets.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kPlayTypeLimit = 10000;
constexpr int kMaxCounters = 10;

// Kinds that strike in battle; launched, service and engineering kinds do not.
bool firesInBattle(int kind)
{
    switch (kind) {
    case kWeaponNormal:
    case kWeaponMissile:
    case kWeaponAntiAir:
    case kWeaponTorpedo:
    case kWeaponGun:
    case kWeaponBomb: return true;
    default: return false;
    }
}

// A slot the default model can fire: a direct weapon with rounds.
const WeaponRecord* armedSlot(const GameState& state, const UnitTypeRecord& type, int slot)
{
    const WeaponRecord* weapon = slotWeapon(state, type, slot);
    if (!weapon || weapon->useValue == 0 || type.model[defaultModelOf(type)].ammo[slot] == 0)
        return nullptr;
    return firesInBattle(weapon->kind) ? weapon : nullptr;
}

} // namespace

bool typeCanOccupy(const UnitTypeRecord& type) { return (typeAbilityBits(type) & 0x80) != 0; }

bool typeIsAntiAir(const GameState& state, const UnitTypeRecord& type)
{
    for (int i = 0; i < kWeaponSlotCount; ++i)
        if (const WeaponRecord* weapon = armedSlot(state, type, i))
            for (int tc = kTargetVeryHighAir; tc <= kTargetLowAir; ++tc)
                if (weapon->power[tc] > 0)
                    return true;
    return false;
}

uint32_t typeCombatValue(const GameState& state, const UnitTypeRecord& type)
{
    uint32_t firepower = 0;
    for (int i = 0; i < kWeaponSlotCount; ++i)
        if (const WeaponRecord* weapon = armedSlot(state, type, i)) {
            const uint8_t best = *std::max_element(std::begin(weapon->power), std::begin(weapon->power) + kTargetWarhead);
            firepower += uint32_t(best) * std::max<uint32_t>(weapon->multiplier, 1);
        }
    const uint32_t strength = uint32_t(std::min<int>(type.members, kMaxCounters)) * type.memberStrength;
    if (firepower == 0)
        return typeCanOccupy(type) ? strength : 0;
    return strength * (10 + firepower) / 10;
}

std::vector<ProductionOption> listProductionOptions(GameState& state, int country)
{
    std::vector<ProductionOption> options;
    const ProductionTypeRecord* allowed = state.sideProductionType(country);
    if (!allowed)
        return options;
    const CountryRecord& record = state.country(country);
    for (int id = 0; id < kPlayTypeLimit; ++id) {
        if (!allowed->canProduce(id) || !state.unitTypeIndex(id))
            continue;
        const UnitTypeRecord& type = state.unitTypeRecord(id);
        if (type.available != 1 || type.unitClass == kWarheadClass || type.domain >= kDomainCount)
            continue;
        ProductionOption option;
        option.typeId = id;
        option.domain = type.domain;
        option.counters = std::min<int>(type.members, kMaxCounters);
        option.price = unitTypeCost(type, record, uint32_t(option.counters), type.members);
        option.value = typeCombatValue(state, type);
        option.occupier = typeCanOccupy(type);
        option.antiAir = typeIsAntiAir(state, type);
        if (option.value > 0)
            options.push_back(option);
    }
    return options;
}
