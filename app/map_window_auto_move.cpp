// MapOrders: the auto-move set-up on the map: the group gathered by clicks, then the route of its
// first unit (way-points, or a unit to follow), stored in every unit of the group.
#include "app/map_window_orders.h"

#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/popup_entries.h"
#include "rules/auto_move.h"
#include "rules/current_action.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/commands.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

void MapOrders::beginAutoMoveSetup()
{
    dropStaleSelection();
    if (m_stage != OrderStage::Idle)
        cancel();
    m_followSide = m_followIndex = -1;
    currentAction(m_state).beginAutoMoveSetup();
    mainWindowLink().refresh(MainRefresh::AutoMoveWindow);
}

void MapOrders::addToAutoMoveGroup(int x, int y)
{
    CurrentAction& action = currentAction(m_state);
    const int side = m_state.turnBlock().currentCountry;
    std::vector<uint32_t> candidates;
    for (const UnitRef& ref : visibleUnitsAt(x, y)) {
        const UnitRecord* unit = m_state.unitOf(ref.table, ref.index);
        if (ref.table == side && unit && unitInPlay(*unit) && !unit->hasFlag(kUnitAwaitingProduction)
            && !action.autoMoveGroupContains(ref.index))
            candidates.push_back(popup_entry::make(ref.table, ref.index));
    }
    if (candidates.empty())
        return;
    uint32_t chosen = candidates.front();
    if (candidates.size() > 1)
        chosen = m_ui.choose(HookedPopupDialog::kAutoMoveGroup, {}, candidates);
    if (chosen == popup_entry::kNone)
        return;
    action.addAutoMoveUnit(side, int(popup_entry::valueOf(chosen)));
    m_ui.marksChanged();
}

bool MapOrders::beginAutoMoveRoute()
{
    CurrentAction& action = currentAction(m_state);
    if (!action.autoMoveSetup() || action.autoMoveGroupSize() == 0)
        return false;
    dropStaleSelection();
    if (m_stage != OrderStage::Idle)
        cancel();
    if (!personActs() || action.underWay())
        return false;
    // The first unit's range is built for the set-up: as far as its fuel, through any unit. A
    // unit that has acted this turn still takes an order for the turns to come.
    m_side = m_state.turnBlock().currentCountry;
    m_index = action.autoMoveGroupUnit(0);
    m_code = 0;
    m_targets.clear();
    action.beginUnitAction(m_side, m_index, false);
    m_state.handshake().setUnitCommandBeingSet(true);
    m_stage = OrderStage::Selected;
    m_dest = unitHex();
    action.beginAutoMoveRouteStage();
    m_ui.marksChanged();
    mainWindowLink().refresh(MainRefresh::AutoMoveWindow);
    return true;
}

void MapOrders::chooseAutoMoveTarget(int x, int y)
{
    const CurrentAction& action = currentAction(m_state);
    std::vector<uint32_t> units;
    for (const UnitRef& ref : visibleUnitsAt(x, y))
        if (!(ref.table == m_side && (ref.index == m_index || action.autoMoveGroupContains(ref.index))))
            units.push_back(popup_entry::make(ref.table, ref.index));
    uint32_t chosen = popup_entry::hex(x, y);
    if (!units.empty()) {
        // The hex itself is a way-point; a unit on it is one to follow.
        std::vector<uint32_t> entries { chosen };
        entries.insert(entries.end(), units.begin(), units.end());
        chosen = m_ui.choose(HookedPopupDialog::kAutoMoveTarget, { popup_entry::prompt(3) }, entries);
    }
    if (chosen == popup_entry::kNone)
        return;
    if (popup_entry::isUnit(chosen)) {
        m_followSide = int(popup_entry::kindOf(chosen));
        m_followIndex = int(popup_entry::valueOf(chosen));
        return;
    }
    if (isInMoveRange(m_state, x, y))
        addWayPoint(x, y);
}

void MapOrders::setAutoMoveRoute()
{
    CurrentAction& action = currentAction(m_state);
    if (!action.autoMoveRouteStage())
        return;
    const bool follow = m_followSide >= 0;
    action.assignAutoMoveRoute(follow ? 1 : 0, m_followSide, m_followIndex);
    endAutoMoveSetup();
}

void MapOrders::endAutoMoveSetup()
{
    dropStaleSelection();
    if (m_stage != OrderStage::Idle)
        cancel();
    m_followSide = m_followIndex = -1;
    currentAction(m_state).endAutoMoveSetup();
    m_ui.marksChanged();
    mainWindowLink().refresh(MainRefresh::AutoMoveWindow);
}

void MapOrders::runAutoMoves()
{
    if (!personActs() || currentAction(m_state).autoMoveSetup())
        return;
    ::runAutoMoves(m_state);
    m_ui.marksChanged();
    mainWindowLink().refresh(MainRefresh::AfterAction);
}
