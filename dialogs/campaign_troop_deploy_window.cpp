// CampaignTroopDeployWindow: the carry-over rows, the placement commands and their states, and a
// height of whole rows.
#include "dialogs/campaign_troop_deploy_window.h"

#include "infowin/troop_list_box.h"
#include "lib/control.h"
#include "lib/media/bitmap_button.h"
#include "rules/carry_over.h"
#include "state/game_state.h"
#include "state/troop_sort.h"
#include "state/unit_facts.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace {

int border() { return GetSystemMetrics(SM_CYBORDER); }

using ui::cp;

int entryState(GameState& game, uint32_t entry)
{
    const UnitRecord* record = entry < game.carryOverCount() ? carryOverEntry(game, int(entry)) : nullptr;
    return record ? unitState(*record) : 0;
}

bool isPlaced(int state) { return state != 0 && state != kCarryOverWaiting; }

} // namespace

std::string CampaignTroopDeployWindow::countsText(GameState& game)
{
    int held = 0, placed = 0;
    for (uint32_t i = 0; i < game.carryOverCount(); ++i) {
        const int state = entryState(game, i);
        held += state != 0;
        placed += isPlaced(state);
    }
    char figures[96];
    std::snprintf(figures, sizeof figures, cp("保有部隊数%4d  配置部隊数%4d/%d").c_str(), held, placed,
        int(carryOverDeployment(game).limit));
    return figures;
}

CampaignTroopDeployWindow::CampaignTroopDeployWindow(const WindowContext& context, swCWindow* mainWindow)
    : KitWindow(kClassName, mainWindow)
    , m_game(context.game)
    , m_look(context.look)
    , m_main(context.main)
    , m_playerCountry(context.game.campaignBlock().playerCountry)
{
    static const std::string title = cp("部隊配置");
    m_windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    setTitle(title.c_str());
    setStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_TOOLWINDOW);
    setFrame(0, 0, 40, 40);
}

CampaignTroopDeployWindow* CampaignTroopDeployWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    auto* window = new CampaignTroopDeployWindow(context, mainWindow);
    if (!window->Create()) {
        delete window;
        return nullptr;
    }
    return window->create() ? window : nullptr;
}

int CampaignTroopDeployWindow::fixedHeight() const { return m_frameHeight + 2 * border() + kButtonsHeight; }

int CampaignTroopDeployWindow::maxHeight() const { return fixedHeight() + kTroopRowHeight * int(m_game.carryOverCount()); }

void CampaignTroopDeployWindow::layOut(int width, int height)
{
    MoveWindow(m_list->handle(), 0, kHeaderHeight, width, std::max(0, height - kButtonsHeight), TRUE);
    MoveWindow(m_counts->handle(), 0, height - 68, 252, 18, TRUE);
    const int places[5][2] = { { 548, height - 68 }, { 644, height - 68 }, { 548, height - 44 }, { 644, height - 44 }, { 644, height - 20 } };
    for (int i = 0; i < 5; ++i)
        MoveWindow(m_buttons[i]->handle(), places[i][0] + 2 * border(), places[i][1], 80, 20, TRUE);
}

bool CampaignTroopDeployWindow::create()
{
    RECT window {}, client {};
    GetWindowRect(handle(), &window);
    GetClientRect(handle(), &client);
    m_frameWidth = (window.right - window.left) - client.right;
    m_frameHeight = (window.bottom - window.top) - client.bottom;
    MoveWindow(handle(), 0, 0, m_frameWidth + kClientWidth, m_frameHeight + 2 * border() + 446, FALSE);
    windowRestorePlacement(kClassName, true, false);
    RECT placed {};
    GetWindowRect(handle(), &placed);
    // A placement kept from a deployment of more units is no higher than this one's rows: the
    // buttons stay at the foot of the list, where sizing puts them.
    const int height = std::clamp(int(placed.bottom - placed.top), fixedHeight(), maxHeight());
    windowFitWorkArea(placed.left, placed.top, placed.right - placed.left, height, FALSE, 1);

    m_list = new TroopListBox(this, m_game, m_look, troop_deploy_id::kList, &m_order);
    m_list->setCarryOverMode(1);
    m_list->controlCreate({ 0, kHeaderHeight, kClientWidth, 0 });
    SendMessageA(m_list->handle(), LB_SETITEMHEIGHT, 0, kTroopRowHeight);
    int x = 0;
    for (int column = 0; column < kTroopColumnCount; ++column) {
        m_headers[column] = makeTroopColumnHeader(this, column, troop_deploy_id::kFirstHeader + UINT(column));
        MoveWindow(m_headers[column]->handle(), x, 0, kTroopColumnWidths[column], kHeaderHeight, FALSE);
        x += kTroopColumnWidths[column];
    }

    m_counts = new StaticText(this, troop_deploy_id::kCounts, 0);
    m_counts->setStyle(WS_CHILD | WS_VISIBLE, WS_EX_STATICEDGE);
    m_counts->controlCreate({ 0, 0, 252, 18 });
    SendMessageA(m_counts->handle(), WM_SETFONT, WPARAM(m_look.font(kFont14).handle()), FALSE);
    const std::pair<UINT, const char*> buttons[5] = {
        { troop_deploy_id::kPlaceByHand, "手動配置" },
        { troop_deploy_id::kPlaceAutomatically, "自動配置" },
        { troop_deploy_id::kCancelOne, "配置ｷｬﾝｾﾙ" },
        { troop_deploy_id::kCancelAll, "全配置ｷｬﾝｾﾙ" },
        { troop_deploy_id::kStartGame, "ｹﾞｰﾑ開始" },
    };
    for (int i = 0; i < 5; ++i) {
        m_buttons[i] = new PushButton(this, buttons[i].first, WS_TABSTOP);
        m_buttons[i]->controlCreateTitled(cp(buttons[i].second).c_str(), { 0, 0, 80, 20 });
        SendMessageA(m_buttons[i]->handle(), WM_SETFONT, WPARAM(m_look.font(kSmallFont).handle()), FALSE);
    }
    GetClientRect(handle(), &client);
    layOut(client.right, client.bottom);

    m_sortKey = 0;
    sortByKey(int(m_sortKey));
    fill();
    updateButtons();
    // Tab walks the headers, the list and the buttons as in a dialog; Enter and Escape stay
    // swallowed, for only "ｹﾞｰﾑ開始" ends the deployment.
    m_dialogKeys.attach(this);
    BringWindowToTop(handle());
    ShowWindow(handle(), SW_SHOW);
    UpdateWindow(handle());
    return true;
}

HWND CampaignTroopDeployWindow::listHandle() const { return m_list ? m_list->handle() : nullptr; }

void CampaignTroopDeployWindow::fill()
{
    showCounts();
    setListIndexRows(m_list->handle(), m_game.carryOverCount());
}

void CampaignTroopDeployWindow::sortByKey(int key)
{
    m_sortKey = uint32_t(key);
    if (!m_headers[key]->heldPressed()) {
        m_descending = 0;
        latchOne(m_headers, key);
    } else {
        m_descending = m_descending ? 0 : 1;
    }
    m_order.clear();
    for (uint32_t i = 0; i < m_game.carryOverCount(); ++i)
        m_order.push_back(i);
    GameState& state = m_game;
    sortTroopKeys(m_order, [&state, key](uint32_t a, uint32_t b) { return carryOverKeyLess(state, key, a, b); });
    if (m_descending) {
        // Empty entries stay at the end but for key 0, which turns the whole list round.
        auto end = key == 0 ? m_order.end()
                            : std::find_if(m_order.begin(), m_order.end(), [&](uint32_t e) { return entryState(state, e) == 0; });
        std::reverse(m_order.begin(), end);
    }
    InvalidateRect(m_list->handle(), nullptr, TRUE);
    SetFocus(m_list->handle());
}

int CampaignTroopDeployWindow::selectedEntry() const
{
    const LRESULT row = SendMessageA(m_list->handle(), LB_GETCURSEL, 0, 0);
    return row >= 0 && size_t(row) < m_order.size() ? int(m_order[size_t(row)]) : -1;
}

void CampaignTroopDeployWindow::updateButtons()
{
    bool anyPlaced = false;
    for (uint32_t i = 0; i < m_game.carryOverCount() && !anyPlaced; ++i)
        anyPlaced = isPlaced(entryState(m_game, i));
    const int entry = selectedEntry();
    const int state = entry >= 0 ? entryState(m_game, uint32_t(entry)) : 0;
    const bool movable = state != 0 && canDeployCarryOverEntry(m_game, entry);
    EnableWindow(GetDlgItem(handle(), int(troop_deploy_id::kPlaceByHand)), movable && state == kCarryOverWaiting);
    EnableWindow(GetDlgItem(handle(), int(troop_deploy_id::kCancelOne)), movable && isPlaced(state));
    EnableWindow(GetDlgItem(handle(), int(troop_deploy_id::kCancelAll)), anyPlaced);
    EnableWindow(GetDlgItem(handle(), int(troop_deploy_id::kPlaceAutomatically)), TRUE);
    EnableWindow(GetDlgItem(handle(), int(troop_deploy_id::kStartGame)), TRUE);
}

void CampaignTroopDeployWindow::showCounts()
{
    if (m_counts)
        SetWindowTextA(m_counts->handle(), countsText(m_game).c_str());
}

void CampaignTroopDeployWindow::placeSelected()
{
    const int entry = selectedEntry();
    const UnitRecord* record = entry >= 0 ? carryOverEntry(m_game, entry) : nullptr;
    if (!record || unitState(*record) != kCarryOverWaiting || record->hasFlag(kUnitAboard)
        || !canDeployCarryOverEntry(m_game, entry))
        return;
    if (carryOverDeployment(m_game).unitsLeft == 0) {
        modalMessageBox(this, cp("これ以上部隊を配置することはできません。").c_str(), cp("注意").c_str(), MB_OK);
        return;
    }
    // The map window takes the click and shows this window again.
    m_main.markPlacementHexes(entry);
    ShowWindow(handle(), SW_HIDE);
}

void CampaignTroopDeployWindow::refreshAfterChange()
{
    if (MapBitSet* redraw = m_game.redrawSet())
        redraw->setAll();
    m_main.refreshMap();
    m_main.refreshTroopLists();
    InvalidateRect(m_list->handle(), nullptr, TRUE);
    UpdateWindow(m_list->handle());
    updateButtons();
    showCounts();
}

int CampaignTroopDeployWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kTroopDeployRefresh:
        if (msg.wParam) {
            InvalidateRect(m_list->handle(), nullptr, TRUE);
            updateButtons();
            showCounts();
        }
        ShowWindow(handle(), SW_SHOW);
        UpdateWindow(handle());
        return 1;
    case WM_SIZE: {
        if (m_buttons[4])
            layOut(LOWORD(msg.lParam), HIWORD(msg.lParam));
        return 0;
    }
    case WM_SIZING:
        snapHeightToRows(*reinterpret_cast<RECT*>(msg.lParam), msg.wParam, fixedHeight(), kTroopRowHeight);
        msg.result = TRUE;
        return 1;
    case WM_GETMINMAXINFO: {
        if (!m_frameWidth)
            return 0;
        auto* info = reinterpret_cast<MINMAXINFO*>(msg.lParam);
        const int width = m_frameWidth + kClientWidth;
        info->ptMaxSize.x = info->ptMinTrackSize.x = info->ptMaxTrackSize.x = width;
        info->ptMinTrackSize.y = fixedHeight();
        info->ptMaxSize.y = info->ptMaxTrackSize.y = maxHeight();
        return 1;
    }
    default:
        return KitWindow::OnMessage(msg);
    }
}

int CampaignTroopDeployWindow::OnCommand(MessageRecord&, UINT controlId, UINT code)
{
    if (controlId >= troop_deploy_id::kFirstHeader && controlId < troop_deploy_id::kFirstHeader + kTroopColumnCount) {
        sortByKey(int(controlId - troop_deploy_id::kFirstHeader));
        return 1;
    }
    switch (controlId) {
    case troop_deploy_id::kList:
        if (code == LBN_SELCHANGE)
            updateButtons();
        else if (code == LBN_DBLCLK)
            placeSelected();
        return 1;
    case troop_deploy_id::kPlaceByHand:
        placeSelected();
        return 1;
    case troop_deploy_id::kPlaceAutomatically:
        autoDeployCarryOver(m_game);
        refreshAfterChange();
        return 1;
    case troop_deploy_id::kCancelOne: {
        const int entry = selectedEntry();
        if (entry >= 0 && isPlaced(entryState(m_game, uint32_t(entry))))
            cancelDeployment(m_game, entry);
        refreshAfterChange();
        return 1;
    }
    case troop_deploy_id::kCancelAll:
        cancelAllDeployments(m_game);
        refreshAfterChange();
        return 1;
    case troop_deploy_id::kStartGame:
        if (HWND main = parent() && parent()->handle() ? parent()->handle() : m_main.mainWindow())
            PostMessageA(main, ui_message::kCloseTroopDeploy, 1, 0);
        return 1;
    case IDOK:
    case IDCANCEL:
        return 1;
    default:
        return 0;
    }
}
