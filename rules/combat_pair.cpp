// CombatPair: setting the sides from the units, their strength copies, the hit draws and the write-back.
#include "rules/combat_pair.h"

#include "rules/rules_context.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t kUnitFought = 0x20;
constexpr int kNeutralAttacker = 8;

int positiveCount(const uint16_t (&counters)[10])
{
    return int(std::count_if(std::begin(counters), std::end(counters), [](uint16_t c) { return c > 0; }));
}

// strengthTenths of the unit as if it held these counters.
int tenthsWith(const GameState& state, const CombatSide& side, const uint16_t (&counters)[10])
{
    const UnitRecord* unit = state.unitOf(side.code, side.index);
    if (!unit)
        return 0;
    UnitRecord copy = *unit;
    for (int i = 0; i < 10; ++i)
        copy.memberStrengths[i] = uint8_t(std::min<int>(counters[i], 255));
    return strengthTenths(copy, unit->type());
}

const UnitTypeRecord* sideType(const GameState& state, const CombatSide& side)
{
    const UnitRecord* unit = state.unitOf(side.code, side.index);
    return unit ? &unit->type() : nullptr;
}

} // namespace

CombatPair& currentCombat(GameState& state) { return rulesContext(state).combat; }

UnitRecord* CombatPair::unit(GameState& state, int k) const
{
    return isSideSet(k) ? state.unitOf(side[k].code, side[k].index) : nullptr;
}

const UnitRecord* CombatPair::unit(const GameState& state, int k) const
{
    return isSideSet(k) ? state.unitOf(side[k].code, side[k].index) : nullptr;
}

void CombatPair::setSide(const GameState& state, int k, int code, int index)
{
    CombatSide& s = side[k];
    selfDestruct = 0;
    const UnitRecord* unit = code > 108 ? nullptr : state.unitOf(code, index);
    if (!unit) {
        s = {};
        s.code = int16_t(code > 108 ? kHexSideCode : code);
        s.country = int16_t(code > 108 ? kHexSideCode : code);
        s.index = int16_t(index);
        if (code > 108)
            s.x = uint32_t(packedHexX(s.index)), s.y = uint32_t(packedHexY(s.index));
        s.weaponSlot = -1;
        return;
    }
    s = {};
    s.code = int16_t(code);
    s.index = int16_t(index);
    s.country = int16_t(code >= 100 ? code - 100 : code);
    s.unitType = unit->unitTypeId;
    s.weaponSlot = -1;
    s.x = unit->x;
    s.y = unit->y;
    s.experienceBefore = s.experienceAfter = unit->experience;
    refreshSide(state, k);
}

void CombatPair::setAttacker(const GameState& state, int code, int index, int x, int y, bool restricted)
{
    setSide(state, 0, code, index);
    side[0].x = uint32_t(x);
    side[0].y = uint32_t(y);
    side[0].restricted = restricted ? 1 : 0;
}

void CombatPair::refreshSide(const GameState& state, int k)
{
    const UnitRecord* unit = isSideSet(k) ? state.unitOf(side[k].code, side[k].index) : nullptr;
    if (!unit)
        return;
    for (int i = 0; i < 10; ++i)
        side[k].strengthBefore[i] = side[k].strengthAfter[i] = unit->memberStrengths[i];
    side[k].memberCount = uint16_t(strengthSlotCount(*unit));
}

int CombatPair::strengthSlotsBefore(int k) const { return positiveCount(side[k].strengthBefore); }
int CombatPair::strengthSlotsAfter(int k) const { return positiveCount(side[k].strengthAfter); }

int CombatPair::strengthTenthsBefore(const GameState& state, int k) const
{
    return tenthsWith(state, side[k], side[k].strengthBefore);
}

int CombatPair::strengthTenthsAfter(const GameState& state, int k) const
{
    return tenthsWith(state, side[k], side[k].strengthAfter);
}

void CombatPair::writeBack(GameState& state, int k)
{
    const CombatSide& s = side[k];
    if (s.code >= 100 && s.code < 100 + kCountryCount) {
        // A missile in flight keeps only its counters: an interceptor can bring it down.
        if (UnitRecord* missile = state.unitOf(s.code, s.index); missile && unitExists(*missile))
            for (int i = 0; i < 10; ++i)
                missile->memberStrengths[i] = uint8_t(std::min<int>(s.strengthAfter[i], 255));
        return;
    }
    if (s.code < 0 || s.code >= 100)
        return;
    UnitRecord* unit = state.unitOf(s.code, s.index);
    if (!unit || !unitExists(*unit))
        return;
    int16_t counters[10];
    for (int i = 0; i < 10; ++i)
        counters[i] = int16_t(std::min<int>(s.strengthAfter[i], 255));
    const int attacker = k == 0 && selfDestruct ? kNeutralAttacker : side[1 - k].country;
    unit->applyDamage(s.code, counters, attacker);
    unit->experience = s.experienceAfter;
    if (state.ruleOn(kRuleFatigue))
        unit->fatigue = uint16_t(std::min(50, unit->fatigue + strengthSlotsBefore(k) + 6 - strengthSlotsAfter(k)));
    if (s.weaponSlot >= 0 && s.weaponSlot < kWeaponSlotCount && unit->ammunition[s.weaponSlot] > 0)
        --unit->ammunition[s.weaponSlot];
    unit->flags |= kUnitFought;
}

int CombatPair::hitChance(GameState& state, int k, bool spread) const
{
    int a = side[k].attackValue;
    if (a < 1)
        return a;
    if (spread)
        a = (95 + state.random(0, 10)) * a / 100;
    return std::clamp((100 - side[1 - k].defenceValue) * a / 100, 1, 100);
}

int CombatPair::oneHitDamage(GameState& state, int k) const
{
    const int m = side[k].weaponMultiplier;
    if (m < 2)
        return m;
    const int lo = (m + 1) / 2;
    const int span = m - lo;
    if (span < 1)
        return m;
    return std::min(state.random(lo, lo + 2 * span - 1), m);
}

int CombatPair::expectedDamage(const GameState& state, int k) const
{
    const UnitTypeRecord* other = sideType(state, side[1 - k]);
    const int full = other ? other->memberStrength : 0;
    const int m = side[k].weaponMultiplier;
    const int a = side[k].attackValue;
    const int chance = a < 1 ? a : std::clamp((100 - side[1 - k].defenceValue) * a / 100, 1, 100);
    return std::min(full, (3 * m + 1) / 4) * (side[k].memberCount * side[k].slotMultiplier * chance / 100);
}
