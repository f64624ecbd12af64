// After the action phase: the country's units left standing exposed to enemy fire are intercepted.
#include "rules/missiles.h"

#include "rules/interception.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/move_checks.h"
#include "rules/rules_context.h"
#include "rules/turn_marks.h"
#include "rules/unit_removal.h"
#include "rules/victory.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

constexpr int kEndCheckActionCode = 19;

bool waitsToAct(const UnitRecord& unit)
{
    return unitInPlay(unit) && !unit.hasFlag(kUnitAwaitingProduction | kUnitActed) && unit.isOnOwnHex();
}

void refreshAfterInterception(GameState& state)
{
    resetHexTurnMarks(state);
    if (MapBitSet* redraw = state.redrawSet())
        redraw->setAll();
    MainWindowLink& main = mainWindowLink();
    main.refresh(MainRefresh::Panel);
    main.refresh(MainRefresh::PanelUnit);
    main.refresh(MainRefresh::TroopLists);
    main.refresh(MainRefresh::PanelHex);
    mapWindowLink().postRefresh(false);
}

} // namespace

void interceptExposedUnits(GameState& state, int country)
{
    UnitRecord* table = country >= 0 && country < kCountryCount ? state.unitTable(country) : nullptr;
    if (!state.ruleOn(kRuleInterception) || !table)
        return;
    CurrentAction& action = currentAction(state);
    state.command().interceptedUnits.clear();
    const int count = int(state.unitCount(country));
    for (int i = 0; i < count; ++i) {
        UnitRecord& unit = table[i];
        if (!waitsToAct(unit) || !isExposedToEnemyFire(state, unit.x, unit.y, country, i))
            continue;
        action.setActingUnit(country, i);
        interceptAt(state, country, i, 0);
        if (unitInPlay(unit) && strengthTotal(unit) > 0) {
            // Only a survivor loses its action; a destroyed unit leaves nothing to mark.
            unit.flags |= kUnitActed;
        } else if (unitExists(unit)) {
            removeUnitFromHex(state, country, i);
            destroyUnit(state, country, i);
        }
        refreshAfterInterception(state);
    }
    if (state.endCheckFlags() != 0) {
        action.setCommandCode(kEndCheckActionCode);
        checkEndOfGame(state, 1);
    }
}
