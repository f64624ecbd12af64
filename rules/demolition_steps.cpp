// The striker of a demolition: its power, its round, its experience, and the land unit a fallen hex takes.
#include "rules/demolition_steps.h"
#include "rules/shared_codes.h"

#include "rules/combat_values.h"
#include "rules/engineering_steps.h"
#include "rules/rules_context.h"
#include "rules/unit_removal.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {


} // namespace

int demolitionPower(const GameState& state, const UnitRecord& unit, int& slot)
{
    const UnitTypeRecord& type = unit.type();
    if (type.unitClass == kWarheadClass) {
        slot = 0;
        const int value = slotWeaponUseValue(state, type, 0);
        if (value == 0)
            return 0;
        int power = type.weaponSlot[0].multiplier * value;
        if (type.members == 1)
            power = power * unit.strengthTenths() / 10;
        return std::max(power, 1);
    }
    slot = findUsableWeaponSlot(unit, 0, 0);
    return slot >= 0 ? type.weaponSlot[slot].multiplier * slotWeaponUseValue(state, type, slot) : 1;
}

DemolitionStrike demolitionStrike(GameState& state, bool missile, int x, int y)
{
    const CurrentAction& action = currentAction(state);
    DemolitionStrike strike;
    strike.side = action.actingCountry();
    strike.index = action.actingIndex();
    strike.missile = missile;
    strike.x = x;
    strike.y = y;
    if (strike.side < 0 || strike.side >= (missile ? kCountryCount : kSideCount))
        return strike;
    strike.code = missile ? 100 + strike.side : strike.side;
    UnitRecord* unit = state.unitOf(strike.code, strike.index);
    if (!unit || !unitInPlay(*unit))
        return strike;
    strike.unit = unit;
    strike.damage = strengthSlotCount(*unit) * demolitionPower(state, *unit, strike.slot);
    return strike;
}

void spendDemolitionRound(const DemolitionStrike& strike)
{
    if (!strike.missile && strike.slot >= 0 && strike.unit->ammunition[strike.slot] > 0)
        --strike.unit->ammunition[strike.slot];
}

void gainDemolitionExperience(GameState& state, const DemolitionStrike& strike, void (UnitRecord::*gain)())
{
    gainExperience(state, ActingUnit { strike.code, strike.index, strike.unit }, gain);
}

void loseStandingLandUnit(GameState& state, const DemolitionStrike& strike)
{
    UnitRef ref;
    if (!state.unitRefInHex(strike.x, strike.y, state.unitSlotFor(kLandDomain), ref))
        return;
    UnitRecord* unit = state.unitOf(ref.table, ref.index);
    if (!unit || !unitExists(*unit) || unit->type().domain != kLandDomain)
        return;
    if (ref.table == strike.code && ref.index == strike.index) {
        std::fill(std::begin(unit->memberStrengths), std::end(unit->memberStrengths), uint8_t(0));
        return;
    }
    const int16_t none[10] = {};
    unit->applyDamage(ref.table, none, kNeutralSide);
    removeUnitFromHex(state, ref.table, ref.index);
    destroyUnit(state, ref.table, ref.index);
}
