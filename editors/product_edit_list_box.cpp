// The editor's unit-type lists: row drawing, whole repaints on scrolling, rows and selection.
#include "editors/product_edit_list_box.h"

#include "infowin/panel_text.h"
#include "lib/media/bitmap_button_layout.h"
#include "lib/media/dc_holders.h"
#include "lib/media/row_canvas.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr COLORREF kOwnTypeColour = 0x0200FFFF;
// Types from this id on are the program's own additions and show in yellow.
constexpr int kFirstOwnTypeId = 10000;
constexpr int kEditListHeight = 360;
constexpr int kBackgroundBottom = 500;
constexpr DWORD kListStyle = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_EXTENDEDSEL;

RECT toRect(const bitmap_buttons::FaceRect& r) { return { r.left, r.top, r.right, r.bottom }; }

bool scrollsTheList(const MessageRecord& msg)
{
    static const UINT wheelRoll = RegisterWindowMessageA("MSWHEEL_ROLLMSG");
    switch (msg.message) {
    case WM_KEYDOWN:
        return msg.wParam >= VK_PRIOR && msg.wParam <= VK_DOWN;
    case WM_MOUSEWHEEL:
    case LB_SETTOPINDEX:
        return true;
    case WM_VSCROLL:
    case WM_HSCROLL:
        return LOWORD(msg.wParam) != SB_ENDSCROLL;
    default:
        return msg.message == wheelRoll;
    }
}

} // namespace

ProductEditListBox::ProductEditListBox(swCWindow* parent, const GameState& game, const Presentation& look, const swCBitmap& background,
    const swCBitmap& strips)
    : ProductEditListBox(parent, game, look, product_edit_id::kRightList, background, strips, 438, 318,
          toRect(bitmap_buttons::kEditSelectedRows[0]), false)
{
}

ProductEditListBox::ProductEditListBox(swCWindow* parent, const GameState& game, const Presentation& look, int controlId,
    const swCBitmap& background, const swCBitmap& strips, int left, int rowWidth, RECT selectedStrip, bool showsCost)
    : ChildControl("ListBox", parent, UINT(controlId), kListStyle)
    , m_game(game)
    , m_look(look)
    , m_background(background)
    , m_strips(strips)
    , m_left(left)
    , m_selectedStrip(selectedStrip)
    , m_showsCost(showsCost)
{
    controlCreate({ left, kTop, rowWidth + GetSystemMetrics(SM_CXVSCROLL), kEditListHeight });
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, kRowHeight);
}

ProductEditListBox2::ProductEditListBox2(swCWindow* parent, const GameState& game, const Presentation& look, const swCBitmap& background,
    const swCBitmap& strips)
    : ProductEditListBox(parent, game, look, product_edit_id::kLeftList, background, strips, 8, 362,
          toRect(bitmap_buttons::kEditSelectedRows[1]), true)
{
}

int ProductEditListBox::OnMessage(MessageRecord& msg)
{
    if (!scrollsTheList(msg) || !oldProcedure())
        return ChildControl::OnMessage(msg);
    msg.result = CallWindowProcA(oldProcedure(), handle(), msg.message, msg.wParam, msg.lParam);
    InvalidateRect(handle(), nullptr, FALSE);
    return 1;
}

void ProductEditListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || int(item->itemID) < 0)
        return;
    RowCanvas row(*item);
    HDC dc = row.dc();
    const int backgroundTop = kTop + item->rcItem.top;
    row.holder().blitBitmap(0, 0, m_background.handle(),
        RECT { m_left, backgroundTop, m_left + row.width(), backgroundTop + row.height() });
    if (item->itemState & ODS_SELECTED)
        row.holder().blitBitmap(0, 0, m_strips.handle(), m_selectedStrip);
    const int id = int(item->itemData) - 1;
    if (id > 0 && id < kUnitTypeIdMapSize && m_game.unitTypeIndex(id)) {
        const UnitTypeRecord& type = m_game.unitTypeRecord(id);
        if (const swCBitmap* icons = m_look.baseBitmap(kCategorySheet); icons && icons->handle()) {
            const int column = unitBitmapIndex(m_game, type);
            panel::blitKeyed(dc, 2, 1, *icons, RECT { column * 16, 16, column * 16 + 16, 32 }, kPictureKey);
        }
        panel::TextScope scope(dc, m_look.font(kSmallFont));
        SetTextColor(dc, id >= kFirstOwnTypeId ? kOwnTypeColour : kWhite);
        panel::text(dc, 20, 3, 116, 15, unitClassName(type.unitClass));
        const std::string name(type.name, strnlen(type.name, sizeof type.name));
        panel::text(dc, 122, 3, 314, 15, name.c_str());
        if (m_showsCost)
            panel::format(dc, 322, 3, 358, 15, DT_RIGHT, "%5d", int(uint32_t(type.members) * type.memberPrice));
    }
}

void ProductEditListBox::paintBelowRows(HDC dc) const
{
    const int shown = rowCount() - topRow();
    if (shown >= kEditListHeight / kRowHeight)
        return;
    const int top = kRowHeight * std::max(0, shown);
    // The whole width: a short list shows no scroll bar, and its rows reach across.
    RECT client {};
    GetClientRect(handle(), &client);
    PaletteHolder holder(dc);
    holder.blitBitmap(0, top, m_background.handle(), RECT { m_left, kTop + top, m_left + client.right, kBackgroundBottom });
}

void ProductEditListBox::setRows(const std::vector<int>& ids, const std::vector<int>& selected, int top)
{
    HWND list = handle();
    std::vector<int> chosen = selected;
    std::sort(chosen.begin(), chosen.end());
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int id : ids) {
        const LRESULT row = SendMessageA(list, LB_ADDSTRING, 0, LPARAM(id + 1));
        if (row >= 0 && std::binary_search(chosen.begin(), chosen.end(), id))
            SendMessageA(list, LB_SETSEL, TRUE, row);
    }
    SendMessageA(list, LB_SETTOPINDEX, WPARAM(std::max(0, top)), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, FALSE);
}

std::vector<int> ProductEditListBox::selectedRows() const
{
    const LRESULT count = SendMessageA(handle(), LB_GETSELCOUNT, 0, 0);
    std::vector<int> rows(size_t(std::max<LRESULT>(0, count)));
    if (!rows.empty()) {
        const LRESULT got = SendMessageA(handle(), LB_GETSELITEMS, WPARAM(rows.size()), LPARAM(rows.data()));
        rows.resize(size_t(std::max<LRESULT>(0, got)));
    }
    return rows;
}

std::vector<int> ProductEditListBox::selectedIds() const
{
    std::vector<int> ids;
    for (int row : selectedRows())
        ids.push_back(int(SendMessageA(handle(), LB_GETITEMDATA, WPARAM(row), 0)) - 1);
    return ids;
}

int ProductEditListBox::rowCount() const { return int(SendMessageA(handle(), LB_GETCOUNT, 0, 0)); }

int ProductEditListBox::topRow() const { return int(SendMessageA(handle(), LB_GETTOPINDEX, 0, 0)); }
