// The terrain table family: the member table, the columns and a width that shows whole columns.
#include "infowin/land_table_window.h"

#include "infowin/land_list_items.h"
#include "infowin/land_transport_table.h"
#include "lib/control.h"
#include "lib/error.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/terrain_record.h"
#include "ui/info_window_frame.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_services.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

// The default width shows the legend and 35 columns.
constexpr int kDefaultWidth = kLandTableLegendWidth + 35 * kLandTableColumnWidth;

const LandTableMember kMembers[] = {
    { LandTable::Move, "VKRC_LANDMOVELISTWINDOW_CNAME", "地形移動表", "list_move.bmp", 616, 26, true, ui_message::kCloseMoveTable },
    { LandTable::Avoid, "VKRC_LANDAVOIDLISTWINDOW_CNAME", "地形回避表", "list_avoid.bmp", 616, 26, true, ui_message::kCloseAvoidTable },
    { LandTable::Transport, "VKRC_LANDTRANSPORTLISTWINDOW_CNAME", "輸送可能地形（搭載及び発進が可能となる地形）", "list_carry.bmp",
        316, 11, false, ui_message::kCloseTransportTable },
};

void centred(HDC dc, int left, int top, int right, int bottom, const char* text, UINT align = DT_CENTER)
{
    RECT box { left, top, right, bottom };
    DrawTextA(dc, text, -1, &box, align | DT_NOPREFIX | DT_SINGLELINE);
}

// A figure of a movement type's row, "-" where the type cannot enter.
std::string figureOrDash(const TerrainRecord& type, int k, const uint8_t* values)
{
    if (k < 0 || k >= kMovementTypeCount || type.moveCost[k] == 0)
        return "-";
    return std::to_string(values[k]);
}

} // namespace

const LandTableMember& landTableMember(LandTable table) { return kMembers[int(table)]; }

void drawNameDownwards(HDC dc, int x, int y, const char* name, int length)
{
    static const std::string bar = platform::utf8ToCp932("ー");
    for (int i = 0; i < length && name[i]; y += 12) {
        const BYTE lead = BYTE(name[i]);
        if (!IsDBCSLeadByte(lead)) {
            TextOutA(dc, x, y, name + i, 1);
            ++i;
            continue;
        }
        if (i + 1 >= length || !name[i + 1])
            return;
        if (bar.size() == 2 && name[i] == bar[0] && name[i + 1] == bar[1])
            TextOutA(dc, x + 4, y, "l", 1);
        else
            TextOutA(dc, x, y, name + i, 2);
        i += 2;
    }
}

LandTableListBox::LandTableListBox(swCWindow* parent, const LandTableMember& member, GameState& game, const Presentation& look)
    : ChildControl("ListBox", parent, land_table_id::kList,
          WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | LBS_DISABLENOSCROLL)
    , m_member(member)
    , m_game(game)
    , m_look(look)
{
}

void LandTableListBox::loadSheet() { m_sheet.bitmapLoadFile(m_look.bitmapPath(m_member.sheet).c_str()); }

void LandTableListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    const TerrainRecord* shown = item ? land_list::rowTerrain(m_game, int(item->itemID), item->itemData) : nullptr;
    if (!shown)
        return;
    const TerrainRecord& type = *shown;
    const int terrain = int(item->itemData);
    const int x = item->rcItem.left;
    const int y = item->rcItem.top;
    HDC dc = item->hDC;
    PaletteHolder(dc).blitBitmap(x, y, m_sheet.handle(),
        RECT { kLandTableLegendWidth, 0, kLandTableLegendWidth + kLandTableColumnWidth, m_member.columnHeight });
    m_look.drawLandIcon(dc, x + 2, y + 76, terrain, type.kind >= kTerrainCapital ? terrain : 0, 0, 16);
    TextHolder text(dc, m_look.font(kSmallFont).handle(), kBlack);
    drawNameDownwards(dc, x + 4, y + 2, type.name, int(strnlen(type.name, sizeof type.name)));
    // Movement and avoidance figures centred in their rows; transport marks from the left.
    const bool transport = m_member.table == LandTable::Transport;
    for (int row = 0; row < m_member.entries; ++row) {
        const std::string entry = entryText(row, terrain, type);
        const int top = y + (transport ? 98 : 100) + 20 * row;
        centred(dc, x + (transport ? 2 : 3), top, x + (transport ? 14 : 15), top + 12, entry.c_str(), transport ? DT_LEFT : DT_CENTER);
    }
}

std::string LandTableListBox::entryText(int row, int terrain, const TerrainRecord& type) const
{
    switch (m_member.table) {
    case LandTable::Move: return figureOrDash(type, row, type.moveCost);
    case LandTable::Avoid: return figureOrDash(type, row, type.evasion);
    case LandTable::Transport: break;
    }
    return land_transport::mark(land_transport::code(terrain, row), type.kind, m_game.ruleOn(kRuleBoardingOwnership));
}

LandTableWindow::LandTableWindow(const WindowContext& context, swCWindow* mainWindow, const LandTableMember& member)
    : InfoListWindow(member.className, mainWindow, member.title, GetSysColorBrush(COLOR_BTNFACE), 200)
    , m_game(context.game)
    , m_look(context.look)
    , m_member(member)
    , m_description { .placementKey = member.className, .closing = ui::Closing::AskOwner,
        .closeRequest = member.closeRequest, .floating = true, .painted = true }
{
}

LandTableWindow::~LandTableWindow() = default;

LandTableWindow* LandTableWindow::open(const WindowContext& context, swCWindow* mainWindow, LandTable table)
{
    return ui::openOwnWindow(new LandTableWindow(context, mainWindow, landTableMember(table)), &LandTableWindow::create);
}

HWND LandTableWindow::listHandle() const { return m_list ? m_list->handle() : nullptr; }

bool LandTableWindow::create(bool& windowMade)
{
    windowMade = createMeasured();
    if (!windowMade)
        return false;
    const int scrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    // The list's scroll bar counts with the frame: the client area holds the columns themselves.
    m_frameHeight += scrollHeight;
    RECT placed = restoredRect({ kDefaultWidth + m_frameWidth, m_member.columnHeight + m_frameHeight }, m_game.settings().leftInfoPanel);
    placed.bottom = placed.top + m_member.columnHeight + m_frameHeight;
    snap(placed, WMSZ_RIGHT);
    ui::fitInWorkArea(*this, placed);
    try {
        m_legend.bitmapLoadRect(m_look.bitmapPath(m_member.sheet).c_str(), 0, 0, kLandTableLegendWidth,
            m_member.columnHeight);
        m_list = new LandTableListBox(this, m_member, m_game, m_look);
        m_list->loadSheet();
    } catch (swCError* error) {
        return failWith(error);
    }
    RECT client {};
    GetClientRect(handle(), &client);
    m_list->controlCreate({ kLandTableLegendWidth, 0, std::max(0, int(client.right) - kLandTableLegendWidth),
        m_member.columnHeight + scrollHeight });
    SendMessageA(m_list->handle(), LB_SETCOLUMNWIDTH, kLandTableColumnWidth, 0);
    auto* corner = new StaticText(this, land_table_id::kCorner, SS_LEFT);
    corner->controlCreate({ 0, m_member.columnHeight, kLandTableLegendWidth, scrollHeight });
    fill();
    // Tab walks the controls as in a dialog; Enter and Escape stay swallowed.
    showWithDialogKeys(m_list ? m_list->handle() : nullptr);
    return true;
}

void LandTableWindow::fill()
{
    std::vector<int> order(m_game.terrainTypes().size());
    if (m_member.byListOrder)
        order = land_list::terrainsByListOrder(m_game);
    else
        std::iota(order.begin(), order.end(), 0);
    setListRows(m_list->handle(), order);
}

int LandTableWindow::columnTerrain(int column) const
{
    return m_list ? int(listRowValue(m_list->handle(), column)) : -1;
}

void LandTableWindow::snap(RECT& rect, WPARAM edge) const
{
    const int columns = std::max(0, int(rect.right - rect.left) - m_frameWidth - kLandTableLegendWidth) / kLandTableColumnWidth;
    const int width = m_frameWidth + kLandTableLegendWidth + kLandTableColumnWidth * columns;
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
        rect.left = rect.right - width;
    else
        rect.right = rect.left + width;
}

void LandTableWindow::paint(HDC dc, const RECT&)
{
    if (m_legend.handle())
        PaletteHolder(dc).blitBitmap(0, 0, m_legend.handle(), RECT { 0, 0, kLandTableLegendWidth, m_member.columnHeight });
}

void LandTableWindow::limitTracking(MINMAXINFO& info) const
{
    const int columns = int(m_game.terrainTypes().size());
    info.ptMinTrackSize.y = info.ptMaxTrackSize.y = m_member.columnHeight + m_frameHeight;
    info.ptMinTrackSize.x = kLandTableLegendWidth + m_frameWidth;
    info.ptMaxTrackSize.x = kLandTableLegendWidth + kLandTableColumnWidth * columns + m_frameWidth;
}

int LandTableWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_MEASUREITEM: {
        // A column is one item as tall as the table.
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.lParam);
        if (!measure || measure->CtlID != land_table_id::kList)
            return 0;
        measure->itemHeight = UINT(m_member.columnHeight);
        msg.result = TRUE;
        return 1;
    }
    case WM_SIZE:
        if (m_list)
            MoveWindow(m_list->handle(), kLandTableLegendWidth, 0, std::max(0, int(LOWORD(msg.lParam)) - kLandTableLegendWidth),
                m_member.columnHeight + GetSystemMetrics(SM_CYHSCROLL), TRUE);
        return 0;
    case WM_CTLCOLORLISTBOX:
        msg.result = LRESULT(GetStockObject(NULL_BRUSH));
        return 1;
    default:
        return InfoListWindow::OnMessage(msg);
    }
}

int LandTableWindow::OnCommand(MessageRecord&, UINT id, UINT) { return id == IDOK || id == IDCANCEL ? 1 : 0; }
