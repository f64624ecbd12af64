// TroopListWindow: creation, the country shown, sorting by the headers, the column layout and a
// height of whole rows.
#include "infowin/troop_list_window.h"

#include "infowin/troop_list_box.h"
#include "infowin/troop_list_ids.h"
#include "infowin/troop_list_option_window.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "ui/info_window_frame.h"
#include "ui/main_window_services.h"
#include "ui/presentation.h"
#include "ui/private_messages.h"
#include "ui/window_services.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// Kept for the rest of the run, not saved: every troop list opens with the last key and direction.
int g_sortKey = 0;
uint8_t g_savedDescending = 0;

} // namespace

int TroopListWindow::currentSortKey() { return g_sortKey; }
bool TroopListWindow::savedDescending() { return g_savedDescending != 0; }
void TroopListWindow::resetSortMemory() { g_sortKey = 0, g_savedDescending = 0; }

int TroopListWindow::shownColumnsWidth() const
{
    const uint32_t mask = troopListColumnMask(m_context.game);
    int width = 0;
    for (int column = 0; column < kTroopColumnCount; ++column)
        if (mask >> column & 1)
            width += kTroopColumnWidths[column];
    return width;
}

TroopListWindow::TroopListWindow(const WindowContext& context, swCWindow* mainWindow)
    : InfoListWindow(kClassName, mainWindow, "部隊表", static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)), 40)
    , m_context(context)
{
}

TroopListWindow* TroopListWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    return ui::openOwnWindow(new TroopListWindow(context, mainWindow), &TroopListWindow::create);
}

bool TroopListWindow::create(bool& windowMade)
{
    windowMade = createMeasured();
    if (!windowMade)
        return false;
    const SIZE defaultSize { m_frameWidth + 742, m_frameHeight + 2 * border() + 360 };
    ui::fitInWorkArea(*this, restoredRect(defaultSize, m_context.game.settings().leftInfoPanel));
    try {
        createControls();
    } catch (swCError* error) {
        return failWith(error);
    }
    layoutColumns();
    showCountry(chooseCountry());
    sortByKey(g_sortKey, true);
    updateButtons();
    showWithDialogKeys(m_list ? m_list->handle() : nullptr);
    UpdateWindow(handle());

    // The number combo lives inside the list box so that it scrolls and closes with the rows.
    m_numberCombo = new ComboBoxControl(m_list, troop_list_id::kNumberCombo, 0);
    m_numberCombo->setStyle(CBS_DROPDOWNLIST | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_CHILD, WS_EX_TOPMOST);
    m_numberCombo->controlCreate({ 0, 0, 42, 256 });
    SendMessageA(m_numberCombo->handle(), WM_SETFONT, WPARAM(m_context.look.font(kSmallFont).handle()), FALSE);
    return true;
}

void TroopListWindow::createControls()
{
    RECT client {};
    GetClientRect(handle(), &client);
    m_list = new TroopListBox(this, m_context.game, m_context.look, troop_list_id::kList, nullptr);
    m_list->controlCreate({ 0, kHeaderHeight, int(client.right), std::max(0, int(client.bottom) - kHeaderHeight - kFooterHeight) });
    SendMessageA(m_list->handle(), LB_SETITEMHEIGHT, 0, kTroopRowHeight);
    for (int i = 0; i < kEmptyRows; ++i)
        SendMessageA(m_list->handle(), LB_ADDSTRING, 0, LPARAM(i));
    for (int column = 0; column < kTroopColumnCount; ++column)
        m_headers[column] = makeTroopColumnHeader(this, column, troop_list_id::kFirstHeader + UINT(column));

    const HFONT small = m_context.look.font(kSmallFont).handle();
    m_optionButton = new PushButton(this, troop_list_id::kOptionToggle, WS_TABSTOP);
    m_optionButton->controlCreateTitled(">>", { shownColumnsWidth() + 2, 0, 16, 16 });
    SendMessageA(m_optionButton->handle(), WM_SETFONT, WPARAM(small), FALSE);

    // Disband, information, rename and show on map, right-aligned at the bottom.
    const UINT ids[4] = { troop_list_id::kDisband, troop_list_id::kInformation, troop_list_id::kRename, troop_list_id::kShowOnMap };
    const int faces[4] = { 3, 0, 1, 2 };
    for (int i = 0; i < 4; ++i)
        m_buttons[i] = new Button48x16(this, faces[i], ids[i], int(client.right) - 192 + 48 * i, int(client.bottom) - kFooterHeight);
    EnableWindow(m_buttons[0]->handle(), FALSE);
    EnableWindow(m_buttons[2]->handle(), FALSE);

    m_count = new StaticText(this, troop_list_id::kCount, 0);
    m_count->setStyle(WS_CHILD | WS_VISIBLE, WS_EX_STATICEDGE);
    m_count->controlCreate({ 0, int(client.bottom) - kFooterHeight, 102, kFooterHeight });
    SendMessageA(m_count->handle(), WM_SETFONT, WPARAM(m_context.look.font(kFont14).handle()), FALSE);
}

HWND TroopListWindow::listHandle() const { return m_list ? m_list->handle() : nullptr; }

HWND TroopListWindow::numberComboHandle() const { return m_numberCombo ? m_numberCombo->handle() : nullptr; }

int TroopListWindow::chooseCountry() const
{
    return m_context.view().viewer();
}

void TroopListWindow::showCountry(int country)
{
    m_country = country >= 0 && country < kCountryCount ? country : -1;
    updateCount();
    closeNumberCombo(false);
    if (!m_list)
        return;
    HWND list = m_list->handle();
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (m_country >= 0) {
        m_context.look.lists().sortTroops(m_context.game, m_country, g_sortKey, m_descending);
        m_list->setKeys(&m_context.look.lists().troops(m_country));
        latchOne(m_headers, g_sortKey);
        const int rows = m_context.game.playerUnitCount(m_country);
        for (int i = 0; i < rows; ++i)
            SendMessageA(list, LB_ADDSTRING, 0, LPARAM(i));
    } else {
        m_list->setKeys(nullptr);
        for (int i = 0; i < kEmptyRows; ++i)
            SendMessageA(list, LB_ADDSTRING, 0, LPARAM(i));
    }
    applyHeightLimits();
    InvalidateRect(list, nullptr, TRUE);
}

void TroopListWindow::updateCount()
{
    if (!m_count)
        return;
    std::string text = platform::utf8ToCp932("部隊数");
    if (m_country >= 0) {
        char figures[32];
        std::snprintf(figures, sizeof figures, " %3d/%3d", m_context.game.countUnitsInPlay(m_country),
            m_context.game.playerUnitCount(m_country));
        text += figures;
    }
    SetWindowTextA(m_count->handle(), text.c_str());
}

void TroopListWindow::sortByKey(int key, bool atCreation)
{
    if (key < 0 || key >= kTroopColumnCount)
        return;
    g_sortKey = key;
    if (m_country < 0)
        return;
    // At creation the kept direction is taken whatever the header shows.
    if (atCreation || !m_headers[key]->heldPressed()) {
        m_descending = atCreation ? g_savedDescending : 0;
        latchOne(m_headers, key);
    } else {
        m_descending = m_descending ? 0 : 1;
    }
    // The rows move under the selection: it goes with its unit.
    const uint32_t selected = selectedKey();
    m_context.look.lists().sortTroops(m_context.game, m_country, key, m_descending);
    selectKey(selected);
    repaintList();
    g_savedDescending = m_descending;
}

void TroopListWindow::repaintList()
{
    if (!m_list)
        return;
    InvalidateRect(m_list->handle(), nullptr, TRUE);
    giveFocus(m_list->handle());
}

void TroopListWindow::layoutColumns()
{
    const uint32_t mask = troopListColumnMask(m_context.game);
    int x = 0;
    for (int column = 0; column < kTroopColumnCount; ++column) {
        HWND header = m_headers[column] ? m_headers[column]->handle() : nullptr;
        if (!header)
            continue;
        if (mask >> column & 1) {
            SetWindowPos(header, nullptr, x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            ShowWindow(header, SW_SHOWNA);
            x += kTroopColumnWidths[column];
        } else {
            ShowWindow(header, SW_HIDE);
        }
    }
    // The width follows the columns; the right edge, the top and the height stay.
    RECT frame {};
    GetWindowRect(handle(), &frame);
    const int width = std::max(x, kMinColumnsWidth) + kScrollAllowance + m_frameWidth;
    MoveWindow(handle(), frame.right - width, frame.top, width, frame.bottom - frame.top, TRUE);
}

void TroopListWindow::layoutControls(int width, int height)
{
    if (!m_list)
        return;
    MoveWindow(m_list->handle(), 0, kHeaderHeight, width, std::max(0, height - kHeaderHeight - kFooterHeight), TRUE);
    MoveWindow(m_optionButton->handle(), width - 16, 0, 16, 16, TRUE);
    MoveWindow(m_count->handle(), 0, height - kFooterHeight, 102, kFooterHeight, TRUE);
    for (int i = 0; i < 4; ++i)
        MoveWindow(m_buttons[i]->handle(), width - 192 + 48 * i, height - kFooterHeight, 48, 16, TRUE);
}

int TroopListWindow::maxRows() const
{
    return m_country >= 0 ? m_context.game.playerUnitCount(m_country) : 200;
}

void TroopListWindow::applyHeightLimits()
{
    RECT frame {};
    GetWindowRect(handle(), &frame);
    const int fixed = m_frameHeight + 2 * border() + kHeaderHeight + kFooterHeight;
    const int height = std::clamp(int(frame.bottom - frame.top), fixed, fixed + kTroopRowHeight * maxRows());
    if (height != frame.bottom - frame.top)
        SetWindowPos(handle(), nullptr, 0, 0, frame.right - frame.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TroopListWindow::dockOptions() { m_context.main.dockDisplayItemWindow(DisplayItemList::Troops); }

void TroopListWindow::limitTracking(MINMAXINFO& info) const
{
    const int width = std::max(shownColumnsWidth(), kMinColumnsWidth) + kScrollAllowance + m_frameWidth;
    const int fixed = m_frameHeight + 2 * border() + kHeaderHeight + kFooterHeight;
    info.ptMinTrackSize.x = info.ptMaxTrackSize.x = info.ptMaxSize.x = width;
    info.ptMinTrackSize.y = fixed;
    info.ptMaxTrackSize.y = info.ptMaxSize.y = fixed + kTroopRowHeight * maxRows();
}

void TroopListWindow::snap(RECT& rect, WPARAM edge) const
{
    snapHeightToRows(rect, edge, m_frameHeight + 2 * border() + kHeaderHeight + kFooterHeight, kTroopRowHeight);
}

int TroopListWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kTroopListRefresh:
        closeNumberCombo(false);
        updateCount();
        repaintList();
        updateButtons();
        return 1;
    case ui_message::kTroopListShowCurrent: {
        if (m_options)
            m_options->layoutBoxes();
        layoutColumns();
        showCountry(m_context.view().viewer());
        updateButtons();
        return 1;
    }
    case ui_message::kTroopListShowCountry:
        showCountry(int(msg.wParam));
        updateButtons();
        return 1;
    case ui_message::kTroopListColumnsChanged:
        layoutColumns();
        InvalidateRect(m_list->handle(), nullptr, TRUE);
        return 1;
    case ui_message::kTroopListNumberChosen:
        // wParam 1: a key changed the closed combo, which stays for the next key.
        if (msg.wParam)
            applyNumber();
        else
            closeNumberCombo(true);
        return 1;
    case ui_message::kTroopListUpdateButtons:
        updateButtons();
        return 1;
    case ui_message::kTroopListSelectUnit:
        selectKey(uint32_t(msg.lParam) << 16 | (uint32_t(msg.wParam) & 0xFFFF));
        return 1;
    case WM_SIZE:
        layoutControls(LOWORD(msg.lParam), HIWORD(msg.lParam));
        dockOptions();
        return 0;
    case WM_MOVE:
        dockOptions();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(msg.lParam);
        if (pos && !(pos->flags & SWP_NOZORDER) && pos->hwndInsertAfter == HWND_TOP)
            dockOptions();
        return 0;
    }
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        msg.result = LRESULT(GetStockObject(NULL_BRUSH));
        return 1;
    default:
        return InfoListWindow::OnMessage(msg);
    }
}

int TroopListWindow::OnCommand(MessageRecord& msg, UINT controlId, UINT code)
{
    if (controlId == troop_list_id::kList) {
        if (code == LBN_SELCHANGE) {
            // The number combo belongs to its row; it opens at a press of the button only, the
            // keys move the selection.
            if (m_editedIndex >= 0 && m_editedIndex != selectedLiveUnit())
                closeNumberCombo(false);
            updateButtons();
            if (m_list->chosenByMouse())
                maybeOpenNumberCombo();
        } else if (code == LBN_DBLCLK) {
            showOnMap();
        }
        return 1;
    }
    if (controlId >= troop_list_id::kFirstHeader && controlId < troop_list_id::kFirstHeader + kTroopColumnCount) {
        closeNumberCombo(false);
        sortByKey(int(controlId - troop_list_id::kFirstHeader), false);
        return 1;
    }
    switch (controlId) {
    case troop_list_id::kInformation: openInformation(); return 1;
    case troop_list_id::kRename: rename(); return 1;
    case troop_list_id::kShowOnMap: showOnMap(); return 1;
    case troop_list_id::kDisband: disband(); return 1;
    case troop_list_id::kOptionToggle: toggleOptions(); return 1;
    case IDOK: return 1;
    default: return KitWindow::OnCommand(msg, controlId, code);
    }
}
