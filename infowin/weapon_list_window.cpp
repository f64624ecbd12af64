// WeaponListWindow: the filter, the sorting headers, the rows, and a height that shows whole rows.
#include "infowin/weapon_list_window.h"

#include "infowin/panel_text.h"
#include "infowin/sheet_layout.h"
#include "lib/control.h"
#include "lib/error.h"
#include "lib/media/bitmap_button.h"
#include "lib/media/row_canvas.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_services.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void text(HDC dc, int left, int right, const char* text, int length = -1)
{
    RECT box { left, 3, right, 15 };
    DrawTextA(dc, text, length, &box, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
}

} // namespace

// The owner-drawn rows of the weapon list; item data is the row's position in the game's list.
class WeaponListBox : public ChildControl {
public:
    WeaponListBox(swCWindow* parent, GameState& game, const Presentation& look, const swCBitmap& strip);
    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    GameState& m_game;
    const Presentation& m_look;
    const swCBitmap& m_strip;
};

WeaponListBox::WeaponListBox(swCWindow* parent, GameState& game, const Presentation& look, const swCBitmap& strip)
    : ChildControl("ListBox", parent, weapon_list_id::kList,
          WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED)
    , m_game(game)
    , m_look(look)
    , m_strip(strip)
{
}

void WeaponListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    GameState* state = &m_game;
    if (!item || int(item->itemID) < 0 || !state)
        return;
    RowCanvas row(*item);
    PaletteHolder& memory = row.holder();
    HDC dc = row.dc();
    const int width = row.width();
    const int height = row.height();
    const info_sheet::Cell strip = info_sheet::kWeaponRowStrip;
    if (m_strip.handle())
        memory.blitBitmap(0, 0, m_strip.handle(), RECT { strip.x, strip.y, strip.right(), strip.bottom() });
    else
        memory.fillRectColor(0, 0, width - 1, height - 1, 0x02FFFFFF);
    const std::vector<uint32_t>& list = m_look.lists().producible();
    const size_t position = size_t(item->itemData);
    const int typeId = position < list.size() ? int(list[position]) : 0;
    if (typeId > 0 && typeId < kUnitTypeIdMapSize && state->unitTypeIndex(typeId)) {
        const UnitTypeRecord& type = state->unitTypeRecord(typeId);
        const swCBitmap* icons = m_look.baseBitmap(kCategorySheet);
        if (icons && icons->handle()) {
            const int column = unitBitmapIndex(*state, type);
            panel::blitKeyed(dc, 2, 1, *icons, RECT { column * 16, 0, column * 16 + 16, 16 }, kPictureKey);
        }
        TextHolder textState(dc, m_look.font(kSmallFont).handle(), kBlack);
        text(dc, 20, 116, unitClassName(type.unitClass));
        text(dc, 124, 316, type.name, int(strnlen(type.name, sizeof type.name)));
        char figure[16];
        std::snprintf(figure, sizeof figure, "%2d", type.members);
        text(dc, 334, 346, figure);
        std::snprintf(figure, sizeof figure, "%6d", int(type.memberPrice * type.members));
        text(dc, 366, 402, figure);
    }
    if (item->itemState & ODS_SELECTED) {
        RECT all { 0, 0, width, height };
        InvertRect(dc, &all);
    }
}

WeaponListWindow::WeaponListWindow(const WindowContext& context, swCWindow* mainWindow)
    : InfoListWindow(kClassName, mainWindow, "兵器一覧", static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)), 200)
    , m_game(context.game)
    , m_look(context.look)
{
}

WeaponListWindow::~WeaponListWindow() = default;

int WeaponListWindow::fullWidth() const { return kListWidth + scrollBarWidth(); }

HWND WeaponListWindow::listHandle() const { return m_list ? m_list->handle() : nullptr; }

WeaponListWindow* WeaponListWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    return ui::openOwnWindow(new WeaponListWindow(context, mainWindow), &WeaponListWindow::create);
}

bool WeaponListWindow::create(bool& windowMade)
{
    windowMade = createMeasured();
    if (!windowMade)
        return false;
    RECT placed = restoredRect({ fullWidth() + m_frameWidth, kListWidth + m_frameHeight }, m_game.settings().leftInfoPanel);
    snap(placed, WMSZ_BOTTOM);
    ui::fitInWorkArea(*this, placed);
    try {
        createControls();
    } catch (swCError* error) {
        return failWith(error);
    }
    // Tab walks the filter, the headers and the list as in a dialog; Enter and Escape stay
    // swallowed by the commands.
    showWithDialogKeys(m_list ? m_list->handle() : nullptr);
    return true;
}

void WeaponListWindow::createControls()
{
    m_strip.bitmapLoadFile(m_look.bitmapPath("list_weap.bmp").c_str());
    {
        // The list's background is the row strip's own colour.
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, m_strip.handle());
        const COLORREF colour = GetPixel(memory, info_sheet::kListColourX, info_sheet::kListColourY);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        m_listBrush = std::make_unique<GdiObjectHolder>(CreateSolidBrush(colour));
    }
    HFONT font = m_look.font(kSmallFont).handle();
    m_filter = new ComboBoxControl(this, weapon_list_id::kFilter, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    m_filter->setStyle(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
    m_filter->controlCreate({ 0, 0, 112, 128 });
    SendMessageA(m_filter->handle(), WM_SETFONT, WPARAM(font), FALSE);
    fillFilter(m_look.lists().producibleFilter());

    RECT client {};
    GetClientRect(handle(), &client);
    m_list = new WeaponListBox(this, m_game, m_look, m_strip);
    m_list->controlCreate({ 0, kHeaderHeight, fullWidth(), client.bottom - kHeaderHeight });
    SendMessageA(m_list->handle(), LB_SETITEMHEIGHT, 0, kRowHeight);
    static constexpr int kHeaderX[4] = { 0, 120, 320, 360 };
    for (int k = 0; k < 4; ++k)
        m_headers[k] = columnHeader(new WeaponListButton(this, k, weapon_list_id::kFirstHeader + UINT(k), kHeaderX[k], 24));
    const int order = m_look.lists().producibleOrder();
    for (int k = 0; k < 4; ++k)
        m_headers[k]->setHeldPressed(k == order);
    // A list never built yet (the first opening) is made for the stored filter and order.
    if (m_look.lists().producible().empty())
        rebuild(m_look.lists().producibleFilter());
    else
        redrawList();
}

void WeaponListWindow::fillFilter(int selectedFilter)
{
    HWND combo = m_filter->handle();
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    auto add = [&](const char* name, size_t length, int filter) {
        const std::string text(name, strnlen(name, length));
        const LRESULT item = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(text.c_str()));
        SendMessageA(combo, CB_SETITEMDATA, WPARAM(item), LPARAM(filter));
        if (filter == selectedFilter)
            SendMessageA(combo, CB_SETCURSEL, WPARAM(item), 0);
    };
    static const std::string all = platform::utf8ToCp932("全兵器");
    add(all.c_str(), all.size(), 0);
    const auto& builtin = m_game.builtinProductionTypes();
    for (size_t i = 0; i < builtin.size() && i < size_t(kFirstUserProductionType); ++i)
        if (builtin[i].name[0])
            add(builtin[i].name, sizeof builtin[i].name, producibleFilterOf(int(i)));
    const auto& user = m_game.userProductionTypes();
    for (size_t i = 0; i < user.size() && i < size_t(kUserProductionTypeCount); ++i)
        if (user[i].name[0])
            add(user[i].name, sizeof user[i].name, producibleFilterOf(kFirstUserProductionType + int(i)));
    if (SendMessageA(combo, CB_GETCURSEL, 0, 0) == CB_ERR)
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

int WeaponListWindow::chosenFilter() const
{
    if (!m_filter)
        return 0;
    const LRESULT item = SendMessageA(m_filter->handle(), CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? 0 : int(SendMessageA(m_filter->handle(), CB_GETITEMDATA, WPARAM(item), 0));
}

void WeaponListWindow::rebuild(int filter)
{
    // A new list is sorted ascending by the key kept; a reversed order is not carried over.
    ListOrders& lists = m_look.lists();
    lists.buildProducible(m_game, filter);
    lists.sortProducible(m_game, lists.producibleOrder(), 0);
    redrawList();
}

void WeaponListWindow::pressHeader(int key)
{
    if (m_headers[key]->heldPressed()) {
        m_look.lists().sortProducible(m_game, key, 1);
    } else {
        latchOne(m_headers, key);
        m_look.lists().sortProducible(m_game, key, 0);
    }
    redrawList();
}

void WeaponListWindow::redrawList()
{
    if (!m_list)
        return;
    HWND list = m_list->handle();
    setListIndexRows(list, m_look.lists().producible().size());
    InvalidateRect(list, nullptr, TRUE);
    giveFocus(list);
}

int WeaponListWindow::rowTypeId(int row) const
{
    const std::vector<uint32_t>& list = m_look.lists().producible();
    const LPARAM position = m_list ? listRowValue(m_list->handle(), row) : -1;
    return position >= 0 && size_t(position) < list.size() ? int(list[size_t(position)]) : 0;
}

void WeaponListWindow::snap(RECT& rect, WPARAM edge) const
{
    snapHeightToRows(rect, edge, m_frameHeight + kHeaderHeight, kRowHeight);
    const int width = fullWidth() + m_frameWidth;
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
        rect.left = rect.right - width;
    else
        rect.right = rect.left + width;
}

void WeaponListWindow::limitTracking(MINMAXINFO& info) const
{
    const int width = fullWidth() + m_frameWidth;
    info.ptMaxSize.x = info.ptMaxTrackSize.x = info.ptMinTrackSize.x = width;
    info.ptMinTrackSize.y = m_frameHeight + kHeaderHeight;
}

int WeaponListWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kWeaponListRefresh:
        if (!m_filter)
            return 1;
        fillFilter(chosenFilter());
        rebuild(chosenFilter());
        return 1;
    case WM_SIZE:
        if (m_list)
            MoveWindow(m_list->handle(), 0, kHeaderHeight, fullWidth(), std::max(0, int(HIWORD(msg.lParam)) - kHeaderHeight), TRUE);
        return 0;
    case WM_CTLCOLORLISTBOX:
        if (m_list && HWND(msg.lParam) == m_list->handle() && m_listBrush) {
            msg.result = LRESULT(m_listBrush->get());
            return 1;
        }
        return 0;
    case WM_CTLCOLORBTN:
        msg.result = LRESULT(GetStockObject(NULL_BRUSH));
        return 1;
    default:
        if (msg.message >= ui_message::kWeaponListRebuildFirst && msg.message <= ui_message::kWeaponListRebuildLast) {
            if (m_filter)
                rebuild(chosenFilter());
            return 1;
        }
        return InfoListWindow::OnMessage(msg);
    }
}

int WeaponListWindow::OnCommand(MessageRecord&, UINT id, UINT code)
{
    if (id >= weapon_list_id::kFirstHeader && id < weapon_list_id::kFirstHeader + 4) {
        pressHeader(int(id - weapon_list_id::kFirstHeader));
        return 1;
    }
    if (id == weapon_list_id::kFilter && code == CBN_SELCHANGE) {
        rebuild(chosenFilter());
        return 1;
    }
    // A double click on a row opens its details, and so does Enter on it.
    if (id == weapon_list_id::kList && code == LBN_DBLCLK) {
        const int row = int(SendMessageA(m_list->handle(), LB_GETCURSEL, 0, 0));
        if (const int type = rowTypeId(row))
            postToOwner(*this, ui_message::kWeaponInfo, WPARAM(type));
        return 1;
    }
    return id == IDOK || id == IDCANCEL ? 1 : 0;
}
