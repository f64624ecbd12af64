// A missile's strike at its target hex: the fight, the demolition, the cleared record and the pact.
#include "rules/missiles.h"
#include "rules/shared_codes.h"

#include "rules/alliances.h"
#include "rules/combat.h"
#include "rules/combat_pair.h"
#include "rules/demolition.h"
#include "rules/dialog_link.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/rules_context.h"
#include "rules/targets.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {


void strikeHex(GameState& state, int code, int index, int x, int y)
{
    CombatPair pair {};
    pair.setAttacker(state, code, index);
    pair.setDefender(state, kHexSideCode, packHexIndex(x, y));
    pair.prepare(state);
    pair.computeValues(state);
    currentCombat(state) = pair;
    resolveCombat(state);
}

} // namespace

void missileImpact(GameState& state, int country, int index)
{
    const int code = kMissileCodeBase + country;
    UnitRecord* missile = country >= 0 && country < kCountryCount ? state.unitOf(code, index) : nullptr;
    if (!missile || !unitExists(*missile))
        return;
    const int x = missile->missileTargetX;
    const int y = missile->missileTargetY;
    if (!state.isOnMap(x, y))
        return;

    // The fight at the hex already ends a pact with its owner; the notice still tells of it.
    const int pact_owner = state.isHexOwnerAllied(country, x, y) ? state.terrainCellAt(x, y)->owner - 1 : -1;
    strikeHex(state, code, index, x, y);
    if (state.ruleOn(kRuleBombing) && hasDestroyableTarget(state, country, x, y)) {
        CurrentAction& action = currentAction(state);
        const int acting_country = action.actingCountry();
        const int acting_index = action.actingIndex();
        action.setActingUnit(country, index);
        execDestroy(state, x, y, Demolisher::Missile);
        action.setActingUnit(acting_country, acting_index);
    }

    const int slot = state.unitSlotFor(missile->type().domain);
    if (state.isUnitInHexDomain(missile->x, missile->y, slot, code, index))
        state.setUnitRefInHex(missile->x, missile->y, slot, 0, 0);
    if (MapBitSet* redraw = state.redrawSet())
        redraw->set(x, y);
    if (state.turnBlock().phase != kPhaseAction || state.handshake().onPlayThread())
        mapWindowLink().updateHex(x, y);
    *missile = UnitRecord {};

    if (pact_owner >= 0) {
        breakNonAggressionPact(state, country, pact_owner);
        if (ViewerView(state).knowsPactBreak(country, pact_owner)) {
            dialogLink().showEventNotice(kPactTerritoryStrikeNotice, country, pact_owner);
            mainWindowLink().bringToFront();
        }
    }
}
