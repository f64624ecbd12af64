// Surrender: the side's capital falls, the end of the game is checked (a lone camp left wins at once)
// and the windows are told.
#include "rules/surrender.h"

#include "rules/dialog_link.h"
#include "rules/home_distance.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"
#include "rules/occupation_steps.h"
#include "rules/supply_lines.h"
#include "rules/turn_marks.h"
#include "rules/victory.h"
#include "state/game_state.h"
#include "state/map_bit_set.h"

namespace {

void surrenderCapital(GameState& state, int side)
{
    const HexPos home = sideHomeHex(state, side);
    const UnitCell* cell = state.unitCellAt(home.x, home.y);
    BuildingRecord* capital = cell && cell->building ? state.building(cell->building - 1) : nullptr;
    if (!capital)
        return;
    transferBuildingStats(state, 0, capital->type, capital->ownerPlusOne, capital->isIntact());
    fallCapitalToLargeCity(state, *capital);
    capital->ownerPlusOne = 0;
    markOwnershipChanged(state);
    destroyStoredUnits(state, *capital, StoredLoss::ZeroCountersFirst);
    destroyUpperUnitsNotAllied(state, home.x, home.y, -1);
}

void refreshWindows()
{
    MainWindowLink& main = mainWindowLink();
    main.refresh(MainRefresh::Panel);
    if (mapWindowLink().isOpen())
        mapWindowLink().postRefresh(false);
    main.refresh(MainRefresh::PanelUnit);
    main.refresh(MainRefresh::TroopLists);
    main.refresh(MainRefresh::PanelHex);
    main.refresh(MainRefresh::SideInfo);
    main.refresh(MainRefresh::Results);
}

} // namespace

void surrenderSide(GameState& state, int side)
{
    if (side < 0 || side >= kCountryCount)
        return;
    if (mainWindowLink().isVisible())
        dialogLink().showGameEnd(side, kGameEndSurrender);
    uint8_t& started_with_capital = state.turnBlock().capitalMask;
    if (!(started_with_capital & (1u << side)))
        started_with_capital |= uint8_t(1u << side);
    else
        surrenderCapital(state, side);

    state.endCheckFlags() |= kEndCheckCapital;
    checkEndOfGame(state, 0);
    decideWhenOneCampLeft(state);
    resetHexTurnMarks(state);
    if (state.command().ownershipChanged || state.supplyLinesDirty()) {
        updateSupplyLines(state);
        state.command().ownershipChanged = 0;
    }
    if (MapBitSet* redraw = state.redrawSet())
        redraw->setAll();
    refreshWindows();
}
