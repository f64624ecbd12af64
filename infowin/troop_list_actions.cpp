// TroopListWindow's commands on the selected unit: information, the map, renaming, renumbering in
// the number combo, disbanding, and the buttons that offer them.
#include "infowin/troop_info_window.h"
#include "infowin/troop_list_box.h"
#include "infowin/troop_list_ids.h"
#include "infowin/troop_list_window.h"
#include "infowin/unit_rename_dialog.h"
#include "lib/control.h"
#include "lib/media/bitmap_button.h"
#include "rules/current_action.h"
#include "rules/disband.h"
#include "rules/rules_context.h"
#include "rules/targets.h"
#include "rules/unit_numbers.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/disband_question.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

#include <algorithm>
#include <cstdio>

namespace {


using ui::cp;

} // namespace

bool TroopListWindow::waitingForOrders() const { return m_context.game.handshake().waitingForAnswer(); }

int TroopListWindow::selectedRow() const
{
    return m_list ? int(SendMessageA(m_list->handle(), LB_GETCURSEL, 0, 0)) : -1;
}

uint32_t TroopListWindow::selectedKey() const
{
    const int row = selectedRow();
    const std::vector<uint32_t>* keys = m_list ? m_list->keys() : nullptr;
    return row >= 0 && keys && size_t(row) < keys->size() ? (*keys)[size_t(row)] : kNoKey;
}

void TroopListWindow::selectKey(uint32_t key)
{
    const std::vector<uint32_t>* keys = m_list ? m_list->keys() : nullptr;
    if (!keys)
        return;
    const auto found = std::find(keys->begin(), keys->end(), key);
    const int row = found == keys->end() ? -1 : int(found - keys->begin());
    if (row != selectedRow())
        closeNumberCombo(false);
    SendMessageA(m_list->handle(), LB_SETCURSEL, WPARAM(row), 0);
    updateButtons();
}

int TroopListWindow::selectedLiveUnit() const
{
    const uint32_t key = selectedKey();
    const int index = int(key >> 16);
    if (key == kNoKey || m_country < 0 || int(key & 0xFFFF) != m_country
        || uint32_t(index) >= m_context.game.unitCount(m_country))
        return -1;
    const UnitRecord* unit = m_context.game.unitOf(m_country, index);
    return unit && unitInPlay(*unit) ? index : -1;
}

void TroopListWindow::updateButtons()
{
    if (!m_buttons[0])
        return;
    const int index = selectedLiveUnit();
    const bool live = index >= 0;
    const bool waiting = live && waitingForOrders();
    const bool disband = waiting && m_context.game.turnBlock().phase == kPhaseAction && canDisband(m_context.game, m_country, index, false);
    EnableWindow(m_buttons[0]->handle(), disband ? TRUE : FALSE);
    EnableWindow(m_buttons[1]->handle(), live ? TRUE : FALSE);
    EnableWindow(m_buttons[2]->handle(), waiting ? TRUE : FALSE);
    EnableWindow(m_buttons[3]->handle(), live ? TRUE : FALSE);
}

void TroopListWindow::openInformation()
{
    const int index = selectedLiveUnit();
    if (index < 0)
        return;
    TroopInfoWindow window(m_context, this, m_country, index);
    window.run();
}

void TroopListWindow::showOnMap()
{
    const int index = selectedLiveUnit();
    if (index >= 0)
        m_context.main.showUnitOnMap(m_country, index);
}

void TroopListWindow::rename()
{
    const int index = selectedLiveUnit();
    if (index < 0 || !waitingForOrders())
        return;
    UnitRenameDialog dialog(m_context, this, m_country, index);
    if (dialog.run() != 1)
        return;
    repaintList();
    m_context.main.refreshPanelUnit();
}

void TroopListWindow::disband()
{
    // Asked when the command runs: the game may have moved on since the button was enabled.
    auto allowed = [this] {
        const TurnBlock& turn = m_context.game.turnBlock();
        return waitingForOrders() && m_country >= 0 && turn.phase == kPhaseAction && turn.currentCountry == m_country;
    };
    if (!allowed())
        return;
    const int index = selectedLiveUnit();
    if (index < 0)
        return;
    const UnitRecord& unit = *m_context.game.unitOf(m_country, index);
    if (unit.hasFlag(kUnitAwaitingProduction) || !canDisband(m_context.game, m_country, index, false))
        return;
    if (m_context.game.handshake().unitCommandBeingSet()) {
        const CurrentAction& action = currentAction(m_context.game);
        const bool same = action.actingCountry() == m_country && action.actingIndex() == index;
        const std::string text = cp(same ? "行動中の部隊は、部隊表から解散を行うことはできません。"
                                         : "部隊行動処理中は、部隊表から解散を行うことはできません。");
        modalMessageBox(this, text.c_str(), cp("注意").c_str(), MB_OK);
        return;
    }
    if (!confirmDisband(this, m_context.game, m_country, index))
        return;
    // The box let the game run on (a stop, for one): ask again before the rules act.
    if (!allowed() || selectedLiveUnit() != index || m_context.game.handshake().unitCommandBeingSet())
        return;
    CurrentAction& action = currentAction(m_context.game);
    action.beginAction(m_country, index);
    execDisband(m_context.game);
    if (MapBitSet* redraw = m_context.game.redrawSet())
        redraw->setAll();
    action.finishAction();
    updateCount();
    repaintList();
    updateButtons();
}

void TroopListWindow::maybeOpenNumberCombo()
{
    const int index = selectedLiveUnit();
    if (!m_numberCombo || index < 0 || !waitingForOrders() || !(troopListColumnMask(m_context.game) & 1))
        return;
    POINT cursor {};
    GetCursorPos(&cursor);
    ScreenToClient(handle(), &cursor);
    if (cursor.x < 0 || cursor.x >= kTroopColumnWidths[0])
        return;
    m_editedIndex = index;
    HWND combo = m_numberCombo->handle();
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    std::vector<uint32_t> free;
    listFreeUnitNumbers(m_context.game, m_country, free);
    const uint32_t own = m_context.game.unitOf(m_country, index)->troopNumber;
    bool ownAdded = false;
    auto add = [combo](uint32_t number) {
        char text[16];
        std::snprintf(text, sizeof text, "%3u", number);
        const LRESULT item = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(text));
        SendMessageA(combo, CB_SETITEMDATA, WPARAM(item), LPARAM(number));
        return item;
    };
    LRESULT ownItem = CB_ERR;
    for (uint32_t number : free) {
        if (!ownAdded && own < number) {
            ownItem = add(own);
            ownAdded = true;
        }
        add(number);
    }
    if (!ownAdded)
        ownItem = add(own);
    SendMessageA(combo, CB_SETCURSEL, WPARAM(ownItem), 0);
    const int top = int(SendMessageA(m_list->handle(), LB_GETTOPINDEX, 0, 0));
    SetWindowPos(combo, HWND_TOP, 0, (selectedRow() - top) * kTroopRowHeight, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetFocus(combo);
}

void TroopListWindow::applyNumber()
{
    if (!m_numberCombo || m_editedIndex < 0 || m_country < 0)
        return;
    HWND combo = m_numberCombo->handle();
    const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    UnitRecord* unit = m_context.game.unitOf(m_country, m_editedIndex);
    if (item != CB_ERR && unit && unitInPlay(*unit)) {
        unit->troopNumber = uint16_t(SendMessageA(combo, CB_GETITEMDATA, WPARAM(item), 0));
        InvalidateRect(m_list->handle(), nullptr, TRUE);
    }
}

void TroopListWindow::closeNumberCombo(bool save)
{
    if (!m_numberCombo)
        return;
    if (save)
        applyNumber();
    m_editedIndex = -1;
    HWND combo = m_numberCombo->handle();
    if (!IsWindowVisible(combo))
        return;
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    ShowWindow(combo, SW_HIDE);
}

void TroopListWindow::toggleOptions()
{
    SetFocus(m_buttons[3]->handle());
    const bool wasShown = m_context.main.isDisplayItemWindowVisible(DisplayItemList::Troops);
    SetWindowTextA(m_optionButton->handle(), wasShown ? ">>" : "<<");
    postToOwner(*this, ui_message::kToggleTroopListOption);
}
