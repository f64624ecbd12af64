// ActionHistoryListView: turn, position, event and result of each listed record.
#include "infowin/action_history_list_view.h"

#include "infowin/action_history_rows.h"
#include "lib/list_view.h"
#include "lib/media/dc_holders.h"
#include "platform/kernel/host.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr COLORREF kRule = 0x02B4B4B4;

const HistoryRecord* recordAt(GameState& state, int index)
{
    return index >= 0 ? state.historyRecord(uint32_t(index)) : nullptr;
}

void label(HDC dc, const RECT& column, const char* text)
{
    RECT box { column.left + 1, 3, column.right, 15 };
    DrawTextA(dc, text, -1, &box, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS);
}

} // namespace

ActionHistoryListView::ActionHistoryListView(swCWindow* parent, GameState& game, const Presentation& look)
    : ChildControl("SysListView32", parent, kId, WS_TABSTOP | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER | LVS_SINGLESEL)
    , m_game(game)
    , m_look(look)
{
}

void ActionHistoryListView::setUp(const int (&widths)[kColumnCount])
{
    SendMessageA(handle(), WM_SETFONT, WPARAM(m_look.font(kSmallFont).handle()), FALSE);
    listViewSetHeaderFont(*this, m_look.font(kFont12Bold).handle());
    static const char* const kTitles[kColumnCount] = { "ターン", "座標", "出来事", "結果" };
    for (int c = 0; c < kColumnCount; ++c)
        listViewInsertColumn(*this, c, platform::utf8ToCp932(kTitles[c]).c_str(), std::max(10, widths[c]));
    HDC dc = GetDC(handle());
    m_row.bitmapCreateCompatible(PaletteHolder(dc), kRowBitmapWidth, kRowHeight);
    ReleaseDC(handle(), dc);
}

int ActionHistoryListView::itemCount() const { return int(SendMessageA(handle(), LVM_GETITEMCOUNT, 0, 0)); }

int ActionHistoryListView::itemRecord(int item) const
{
    if (item < 0 || item >= itemCount())
        return -1;
    return int(listViewGetItemData(const_cast<ActionHistoryListView&>(*this), item));
}

int ActionHistoryListView::columnWidth(int column) const
{
    return int(SendMessageA(handle(), LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
}

void ActionHistoryListView::clear() { SendMessageA(handle(), LVM_DELETEALLITEMS, 0, 0); }

void ActionHistoryListView::addRecord(uint32_t index)
{
    const HistoryRecord* record = recordAt(m_game, int(index));
    if (!record)
        return;
    // The placeholders are blanks as wide as the drawn texts, which is what fitting a column reads.
    int eventWidth = 0;
    int resultWidth = 0;
    if (m_row.handle()) {
        BitmapDcHolder memory(m_row.handle());
        HDC dc = memory.dc();
        // Measured only: the DC goes with the block, so nothing is given back.
        SelectObject(dc, m_look.font(kSmallFont).handle());
        SetBkMode(dc, TRANSPARENT);
        eventWidth = history_rows::paintEvent(dc, m_look, m_game, 0, kRowBitmapWidth, 1, *record, m_viewer);
        resultWidth = history_rows::paintResult(dc, m_look, m_game, 0, kRowBitmapWidth, 1, *record, m_viewer);
    }
    const int item = itemCount();
    listViewSetItem(*this, item, 0, "000", LPARAM(index));
    listViewSetItem(*this, item, 1, "000,000", 0);
    listViewSetItem(*this, item, 2, std::string(size_t((eventWidth + 5) / 6), ' ').c_str(), 0);
    listViewSetItem(*this, item, 3, std::string(size_t((resultWidth + 5) / 6), ' ').c_str(), 0);
}

RECT ActionHistoryListView::labelRect(int item, int column) const
{
    RECT rect {};
    rect.left = LVIR_LABEL;
    if (column == 0) {
        SendMessageA(handle(), LVM_GETITEMRECT, WPARAM(item), LPARAM(&rect));
    } else {
        rect.top = column;
        SendMessageA(handle(), LVM_GETSUBITEMRECT, WPARAM(item), LPARAM(&rect));
    }
    return rect;
}

void ActionHistoryListView::paintRow(HDC dc, int item, int) const
{
    const HistoryRecord* record = recordAt(m_game, itemRecord(item));
    PaletteHolder holder(dc);
    // The whole bitmap: a column widened past its old right edge must not show an earlier row.
    holder.fillRectColor(0, 0, kRowBitmapWidth - 1, kRowHeight - 1, kWhite);
    char text[16];
    RECT column = labelRect(item, 0);
    std::snprintf(text, sizeof text, "%03u", unsigned(record->turn));
    label(dc, column, text);
    holder.drawPolyline(column.right - 1, 0, column.right - 1, 17, kRule);
    column = labelRect(item, 1);
    std::snprintf(text, sizeof text, "%03u,%03u", unsigned(record->x), unsigned(record->y));
    label(dc, column, text);
    holder.drawPolyline(column.right - 1, 0, column.right - 1, 17, kRule);
    for (int c = 2; c < kColumnCount; ++c) {
        column = labelRect(item, c);
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, column.left, 0, column.right - 1, kRowHeight);
        if (c == 2)
            history_rows::paintEvent(dc, m_look, m_game, column.left + 1, column.right - 1, 1, *record, m_viewer);
        else
            history_rows::paintResult(dc, m_look, m_game, column.left + 1, column.right - 1, 1, *record, m_viewer);
        RestoreDC(dc, saved);
        holder.drawPolyline(column.right - 1, 0, column.right - 1, 17, kRule);
    }
    // A black rule closes each turn.
    const HistoryRecord* next = recordAt(m_game, itemRecord(item + 1));
    const RECT whole = labelRect(item, 0);
    RECT bounds {};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(handle(), LVM_GETITEMRECT, WPARAM(item), LPARAM(&bounds));
    holder.drawPolyline(std::min(whole.left, bounds.left), 17, bounds.right, 17, next && next->turn != record->turn ? kBlack : kRule);
}

void ActionHistoryListView::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || int(item->itemID) < 0 || !m_row.handle() || !recordAt(m_game, itemRecord(int(item->itemID))))
        return;
    BitmapDcHolder memory(m_row.handle());
    HDC dc = memory.dc();
    TextHolder textState(dc, m_look.font(kSmallFont).handle(), kBlack);
    paintRow(dc, int(item->itemID), item->rcItem.top);
    // The bitmap holds the row in the list's client coordinates: the same x on both sides.
    const int left = std::max(0, int(item->rcItem.left));
    const int right = std::min(kRowBitmapWidth, int(item->rcItem.right));
    if (right > left)
        BitBlt(item->hDC, left, item->rcItem.top, right - left, kRowHeight, dc, left, 0, SRCCOPY);
}
