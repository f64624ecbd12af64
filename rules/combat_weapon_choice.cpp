// The weapon choice of an engagement: the slot that kills most, else the one that scores best.
#include "rules/combat_values.h"
#include "rules/shared_codes.h"

#include "rules/combat_pair.h"
#include "rules/move_range.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {


bool isLaunchKind(int kind) { return kind == kWeaponCruiseMissile || kind == kWeaponBallisticMissile; }

// A torpedo fired at a distance needs water all the way within its reach.
bool hasWaterRoute(GameState& state, const WeaponChoiceAsk& ask, int reach)
{
    if (ask.fromX < 0)
        return false;
    MoveRangeMap route(state);
    route.initFromValues(ask.code >= 100 ? ask.code - 100 : ask.code, ask.fromX, ask.fromY, kWaterMoveType, 4);
    route.setCostLimit(reach);
    route.compute();
    const int cost = route.costAt(ask.target.x, ask.target.y, -1);
    return cost >= 0 && cost <= reach;
}

bool isCandidate(GameState& state, const UnitRecord& unit, int slot, int distance, const WeaponChoiceAsk& ask)
{
    const WeaponRecord* weapon = unit.slotWeapon(slot);
    if (!weapon || unit.ammunition[slot] == 0 || weapon->reach < distance)
        return false;
    if (isLaunchKind(weapon->kind) != ask.launch)
        return false;
    if ((weapon->flags & ask.required) != ask.required || (weapon->flags & ask.excluded) != 0)
        return false;
    if (!(weapon->flags & (distance <= 1 ? kWeaponNear : kWeaponFar)))
        return false;
    return weapon->kind != kWeaponTorpedo || distance <= 1 || hasWaterRoute(state, ask, weapon->reach);
}

int distanceOf(const WeaponChoiceAsk& ask)
{
    return ask.fromX >= 0 ? hexDistance({ ask.fromX, ask.fromY }, { ask.target.x, ask.target.y }) : ask.distance;
}

} // namespace

bool isWeaponCandidate(GameState& state, const WeaponChoiceAsk& ask, int slot)
{
    const UnitRecord* unit = state.unitOf(ask.code, ask.index);
    return unit && slot >= 0 && slot < kWeaponSlotCount && isCandidate(state, *unit, slot, distanceOf(ask), ask);
}

int chooseWeaponSlot(GameState& state, const WeaponChoiceAsk& ask)
{
    const UnitRecord* unit = state.unitOf(ask.code, ask.index);
    if (!unit || !unit->isFresh())
        return -1;
    const int distance = distanceOf(ask);
    const UnitRecord* target = ask.target.code == kHexSideCode ? nullptr : state.unitOf(ask.target.code, ask.target.index);
    const int target_class = target ? targetClass(target->type()) : 3;
    const int full = target ? std::max<int>(target->type().memberStrength, 1) : 1;
    const int target_members = target ? strengthSlotCount(*target) : 0;
    const int target_index = ask.target.code == kHexSideCode ? packHexIndex(ask.target.x, ask.target.y) : ask.target.index;

    int kill_slot = -1;
    int kill_count = 0;
    int kill_value = 0;
    int score_slot = -1;
    int best_score = 0;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        if (!isCandidate(state, *unit, slot, distance, ask))
            continue;
        if (target) {
            const int value = expectedKillsValue(state, ask.code, ask.index, ask.target, slot);
            const int kills = std::min(value / full, target_members);
            bool take = kill_slot < 0 || kills > kill_count;
            if (!take && kills == kill_count) {
                if (kills == target_members)
                    take = slotWeaponAmmoPrice(state, unit->type(), slot)
                        < slotWeaponAmmoPrice(state, unit->type(), kill_slot);
                else if (value != kill_value)
                    take = value > kill_value;
                else
                    take = unit->slotWeapon(slot)->power[target_class] > unit->attackValueScaled(kill_slot, target_class);
            }
            if (take)
                kill_slot = slot, kill_count = kills, kill_value = value;
        }
        const int score = attackScore(state, ask.code, ask.index, ask.target.code, target_index, slot);
        if (score > best_score)
            score_slot = slot, best_score = score;
    }
    return kill_slot >= 0 ? kill_slot : score_slot;
}
