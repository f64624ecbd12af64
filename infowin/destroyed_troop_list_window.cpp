// DestroyedTroopListWindow: its rows, the four sorting headers and a height of whole rows.
#include "infowin/destroyed_troop_list_window.h"

#include "infowin/troop_list_box.h"
#include "infowin/troop_list_ids.h"
#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "rules/visibility.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "ui/info_window_frame.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_services.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {


constexpr UINT kListId = 1000;
constexpr UINT kFirstHeader = 1001;
// A destroyed unit's name is the first 32 bytes of its record's name, not always terminated.
constexpr size_t kNameBytes = 32;

void cell(HDC dc, int left, int top, int width, const char* text, UINT align, int length = -1)
{
    RECT box { left, top + 2, left + width, top + 16 };
    DrawTextA(dc, text, length, &box, align | DT_NOPREFIX | DT_SINGLELINE);
}

} // namespace

std::string destroyedUnitName(const DestroyedUnitRecord& entry)
{
    const char* name = reinterpret_cast<const char*>(entry.identity);
    return std::string(name, strnlen(name, kNameBytes));
}

DestroyedTroopListBox::DestroyedTroopListBox(swCWindow* owner, GameState& game, const Presentation& look)
    : ChildControl("ListBox", owner, kListId, TroopListBox::kStyle)
    , m_game(game)
    , m_look(look)
{
}

void DestroyedTroopListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    GameState* state = &m_game;
    if (!item || int(item->itemID) < 0 || m_country < 0)
        return;
    const RECT& r = item->rcItem;
    PaletteHolder holder(item->hDC);
    holder.fillRectColor(r.left, r.top, r.right - 1, r.bottom - 1, kWhite);
    TextHolder textState(item->hDC, m_look.font(kFont14).handle(), kBlack);

    const std::vector<uint32_t>* keys = m_look.lists().destroyed(m_country);
    const size_t row = size_t(item->itemData);
    const DestroyedUnitRecord* entry = keys && row < keys->size()
        ? state->destroyedUnitEntry(m_country, int((*keys)[row] >> 16))
        : nullptr;
    const int viewer = state->turnBlock().viewer();
    const bool seen = entry && entry->isUsed() && (viewer < 0 || (entry->visibleMask >> viewer & 1));
    char text[16];
    int x = r.left;
    std::snprintf(text, sizeof text, "%3d", seen ? int(entry->turn) : 0);
    cell(item->hDC, x, r.top, 24, seen ? text : "---", DT_CENTER);
    x += 24;
    // Another country's troop numbers stay its own.
    const bool number = seen && (viewer < 0 || m_country == viewer);
    std::snprintf(text, sizeof text, "%3d", number ? int(entry->troopNumber) : 0);
    cell(item->hDC, x, r.top, 24, number ? text : "---", DT_CENTER);
    x += 24;
    std::snprintf(text, sizeof text, "%3d", seen ? int(entry->x) : 0);
    cell(item->hDC, x, r.top, 21, seen ? text : "---", DT_CENTER);
    holder.setPixelColor(x + 24, r.top + 13, kBlack);
    x += 26;
    std::snprintf(text, sizeof text, "%3d", seen ? int(entry->y) : 0);
    cell(item->hDC, x, r.top, 21, seen ? text : "---", DT_CENTER);
    x += 22 + 2;
    if (seen) {
        const std::string name = destroyedUnitName(*entry);
        cell(item->hDC, x, r.top, 226, name.c_str(), DT_LEFT);
    } else {
        cell(item->hDC, x, r.top, 226, "--------------------------------", DT_LEFT);
    }
    for (int line : { 23, 47, 95 })
        holder.drawPolyline(r.left + line, r.top, r.left + line, r.bottom - 1, kBlack);
}

DestroyedTroopListWindow::DestroyedTroopListWindow(const WindowContext& context, swCWindow* mainWindow)
    : InfoListWindow(kClassName, mainWindow, "全滅部隊表", static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)), 40)
    , m_game(context.game)
    , m_look(context.look)
{
}

DestroyedTroopListWindow* DestroyedTroopListWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    return ui::openOwnWindow(new DestroyedTroopListWindow(context, mainWindow), &DestroyedTroopListWindow::create);
}

bool DestroyedTroopListWindow::create(bool& windowMade)
{
    windowMade = createMeasured();
    if (!windowMade)
        return false;
    const SIZE defaultSize { m_frameWidth + DestroyedTroopListBox::kWidth, m_frameHeight + 2 * border() + 400 };
    ui::fitInWorkArea(*this, restoredRect(defaultSize, m_game.settings().leftInfoPanel));

    RECT client {};
    GetClientRect(handle(), &client);
    m_list = new DestroyedTroopListBox(this, m_game, m_look);
    m_list->controlCreate({ 0, kHeaderHeight, DestroyedTroopListBox::kWidth, std::max(0, int(client.bottom) - kHeaderHeight) });
    SendMessageA(m_list->handle(), LB_SETITEMHEIGHT, 0, kTroopRowHeight);
    for (int i = 0; i < kDestroyedUnitsPerCountry; ++i)
        SendMessageA(m_list->handle(), LB_ADDSTRING, 0, LPARAM(i));
    m_headers[0] = columnHeader(new Button24x20(this, 2, kFirstHeader, 0, 0));
    m_headers[1] = columnHeader(new Button24x20(this, 0, kFirstHeader + 1, 24, 0));
    m_headers[2] = columnHeader(new Button48x20(this, 5, kFirstHeader + 2, 48, 0));
    m_headers[3] = columnHeader(new Button228x20(this, 1, kFirstHeader + 3, 96, 0));

    latchOne(m_headers, int(m_look.lists().destroyedSortKey()));
    showCountry(chooseCountry());
    // Tab walks the headers and the list as in a dialog; Enter and Escape stay swallowed.
    showWithDialogKeys(m_list ? m_list->handle() : nullptr);
    UpdateWindow(handle());
    return true;
}

HWND DestroyedTroopListWindow::listHandle() const { return m_list ? m_list->handle() : nullptr; }

int DestroyedTroopListWindow::chooseCountry() const
{
    return ViewerView(m_game).viewer();
}

void DestroyedTroopListWindow::showCountry(int country)
{
    m_country = country >= 0 && country < kCountryCount ? country : -1;
    if (m_list)
        m_list->setCountry(m_country);
    if (m_country >= 0)
        sortAndRepaint();
    else if (m_list)
        InvalidateRect(m_list->handle(), nullptr, TRUE);
}

void DestroyedTroopListWindow::chooseKey(int key)
{
    // One key and direction for every country; a new key starts ascending.
    ListOrders& lists = m_look.lists();
    if (uint32_t(key) != lists.destroyedSortKey())
        lists.setDestroyedSort(uint32_t(key), 0);
    else
        lists.setDestroyedSort(uint32_t(key), lists.destroyedSortReverse() == 1 ? 0 : 1);
    latchOne(m_headers, key);
    sortAndRepaint();
}

void DestroyedTroopListWindow::sortAndRepaint()
{
    if (m_country >= 0)
        m_look.lists().sortDestroyed(m_game, m_country);
    if (!m_list)
        return;
    InvalidateRect(m_list->handle(), nullptr, TRUE);
    giveFocus(m_list->handle());
}

int DestroyedTroopListWindow::maxRows() const
{
    return m_country >= 0 ? m_game.playerUnitCount(m_country) : 200;
}

void DestroyedTroopListWindow::limitTracking(MINMAXINFO& info) const
{
    const int width = m_frameWidth + DestroyedTroopListBox::kWidth;
    const int fixed = m_frameHeight + 2 * border() + kHeaderHeight;
    info.ptMinTrackSize.x = info.ptMaxTrackSize.x = info.ptMaxSize.x = width;
    info.ptMinTrackSize.y = fixed;
    info.ptMaxTrackSize.y = info.ptMaxSize.y = fixed + kTroopRowHeight * maxRows();
}

void DestroyedTroopListWindow::snap(RECT& rect, WPARAM edge) const
{
    snapHeightToRows(rect, edge, m_frameHeight + 2 * border() + kHeaderHeight, kTroopRowHeight);
}

int DestroyedTroopListWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kTroopListRefresh:
        if (m_list) {
            InvalidateRect(m_list->handle(), nullptr, TRUE);
            giveFocus(m_list->handle());
        }
        return 1;
    case ui_message::kTroopListShowCurrent: {
        showCountry(ViewerView(m_game).viewer());
        return 1;
    }
    case ui_message::kTroopListShowCountry:
        showCountry(int(msg.wParam));
        return 1;
    case WM_SIZE:
        if (m_list)
            MoveWindow(m_list->handle(), 0, kHeaderHeight, LOWORD(msg.lParam), std::max(0, int(HIWORD(msg.lParam)) - kHeaderHeight), TRUE);
        return 0;
    default:
        return InfoListWindow::OnMessage(msg);
    }
}

int DestroyedTroopListWindow::OnCommand(MessageRecord&, UINT controlId, UINT)
{
    if (controlId >= kFirstHeader && controlId < kFirstHeader + kKeyCount) {
        chooseKey(int(controlId - kFirstHeader));
        return 1;
    }
    return controlId == IDOK || controlId == IDCANCEL ? 1 : 0;
}
