// The attacks carried out at the end of a move: an attack with its weapon choice, and self-destruction.
#include "rules/finish_command.h"

#include "rules/combat.h"
#include "rules/combat_pair.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/rules_context.h"
#include "state/application_link.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

bool executeAttack(GameState& state, bool fuel_changed)
{
    const CurrentAction& action = currentAction(state);
    CombatPair& pair = currentCombat(state);
    // The caller prepares the engagement; one left over from another unit is not fought.
    if (pair.side[0].code != action.actingCountry() || pair.side[0].index != action.actingIndex())
        return false;
    pair.refreshSide(state, 0);
    CommandFields& f = state.command();
    const int side = action.actingCountry();
    if (state.handshake().delegation() && state.settings().selArms && state.isHumanCountry(side)) {
        f.weaponChoiceShown = 1;
        const int chosen = dialogLink().chooseWeapon(pair, fuel_changed ? 1 : 0, WeaponChoiceMode::AttackAfterMove);
        applicationLink().raiseMainWindow();
        if (chosen == 0) {
            f.chosenWeaponSlot = -1;
            return false;
        }
        f.chosenWeaponSlot = pair.side[0].weaponSlot;
    }
    resolveCombat(state);
    return true;
}

void executeSelfDestruct(GameState& state, HexPos dest, HexPos target, bool fuel_changed)
{
    const CurrentAction& action = currentAction(state);
    const int side = action.actingCountry();
    const int index = action.actingIndex();
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit)
        return;
    CombatPair pair {};
    pair.setAttacker(state, side, index, dest.x, dest.y, fuel_changed);
    pair.setDefender(state, kHexSideCode, packHexIndex(target.x, target.y));
    const UnitTypeRecord& type = unit->type();
    for (int slot = kWeaponSlotCount - 1; slot >= 0; --slot)
        if (unitWeaponSlotUsed(type, slot) && unit->ammunition[slot] > 0 && slotWeaponKind(state, type, slot) == 12) {
            pair.side[0].weaponSlot = int16_t(slot);
            break;
        }
    pair.side[1].weaponSlot = -1;
    pair.selfDestruct = 1;
    pair.computeValues(state);
    currentCombat(state) = pair;
    resolveCombat(state);
}
