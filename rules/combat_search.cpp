// The attack search: whether a unit at a hex has a weapon that may fire at a given target unit.
#include "rules/combat.h"

#include "rules/combat_pair.h"
#include "rules/combat_values.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

int findAttackWeapon(GameState& state, int code, int index, int x, int y, int target_code, int target_index,
    unsigned mask)
{
    const UnitRecord* unit = state.unitOf(code, index);
    const UnitRecord* target = state.unitOf(target_code, target_index);
    if (!unit || !target || !unitExists(*unit) || !unitExists(*target) || !unit->isFresh())
        return -1;
    const int target_class = targetClass(target->type());
    WeaponChoiceAsk ask;
    ask.code = code;
    ask.index = index;
    ask.fromX = x;
    ask.fromY = y;
    ask.target = { target_code, target_index, target->x, target->y };
    ask.required = mask;
    // A single-slot ask per weapon: the choice's candidate test, plus power and the usable byte.
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = unit->slotWeapon(slot);
        if (!weapon || weapon->useValue == 0 || target_class < 0 || target_class >= kTargetClassCount
            || weapon->power[target_class] == 0)
            continue;
        if (isWeaponCandidate(state, ask, slot))
            return slot;
    }
    return -1;
}
