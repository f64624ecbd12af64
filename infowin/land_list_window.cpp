// LandListWindow: the composed column sheet, the rows drawn from it, and a width that follows the
// effective items.
#include "infowin/land_list_window.h"

#include "infowin/land_list_items.h"
#include "lib/control.h"
#include "lib/error.h"
#include "lib/media/row_canvas.h"
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
#include <cstring>
#include <vector>

namespace {

void centredText(HDC dc, int left, int top, int right, int bottom, const std::string& text)
{
    RECT box { left, top, right, bottom };
    DrawTextA(dc, text.c_str(), int(text.size()), &box, DT_CENTER | DT_NOPREFIX | DT_SINGLELINE);
}

} // namespace

// The owner-drawn rows; item data is the terrain index.
class LandListBox : public ChildControl {
public:
    LandListBox(swCWindow* parent, GameState& game, const Presentation& look, const swCBitmap& composed, const uint32_t& effective);
    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    GameState& m_game;
    const Presentation& m_look;
    const swCBitmap& m_composed;
    const uint32_t& m_effective;
};

LandListBox::LandListBox(swCWindow* parent, GameState& game, const Presentation& look, const swCBitmap& composed,
    const uint32_t& effective)
    : ChildControl("ListBox", parent, land_list_id::kList,
          WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_DISABLENOSCROLL)
    , m_game(game)
    , m_look(look)
    , m_composed(composed)
    , m_effective(effective)
{
}

void LandListBox::DrawItem(DRAWITEMSTRUCT* item)
{
    const TerrainRecord* shown = item ? land_list::rowTerrain(m_game, int(item->itemID), item->itemData) : nullptr;
    if (!shown)
        return;
    const TerrainRecord& type = *shown;
    const int terrain = int(item->itemData);
    RowCanvas row(*item);
    PaletteHolder& memory = row.holder();
    HDC dc = row.dc();
    const int width = row.width();
    const int height = row.height();
    if (m_composed.handle())
        memory.blitBitmap(0, 0, m_composed.handle(),
            RECT { 0, land_list::kTitleHeight, land_list::kSheetWidth, land_list::kSheetHeight });
    else
        memory.fillRectColor(0, 0, width - 1, height - 1, 0x02FFFFFF);
    m_look.drawLandIcon(dc, 2, 1, terrain, type.kind >= kTerrainCapital ? terrain : 0, 0, 16);
    TextHolder text(dc, m_look.font(kSmallFont).handle(), kBlack);
    centredText(dc, 20, 3, 92, 15, std::string(type.name, strnlen(type.name, sizeof type.name)));
    int x = land_list::kNameWidth;
    for (int i = 0; i < land_list::kItemCount; ++i) {
        if (!(m_effective >> i & 1))
            continue;
        const land_list::Item& column = land_list::item(i);
        const int left = x + column.textInset;
        centredText(dc, left, 3, left + column.textWidth, 15, land_list::itemText(m_game, i, type));
        x += column.width;
    }
}

LandListWindow::LandListWindow(const WindowContext& context, swCWindow* mainWindow)
    : InfoListWindow(kClassName, mainWindow, "地形情報", GetSysColorBrush(COLOR_BTNFACE), 200)
    , m_context(context)
{
}

LandListWindow::~LandListWindow() = default;

LandListWindow* LandListWindow::open(const WindowContext& context, swCWindow* mainWindow)
{
    return ui::openOwnWindow(new LandListWindow(context, mainWindow), &LandListWindow::create);
}

HWND LandListWindow::listHandle() const { return m_list ? m_list->handle() : nullptr; }

int LandListWindow::columnWidth() const { return land_list::columnWidth(m_effective); }

int LandListWindow::windowWidth() const { return columnWidth() + scrollBarWidth() + m_frameWidth; }

bool LandListWindow::create(bool& windowMade)
{
    windowMade = createMeasured();
    if (!windowMade)
        return false;
    try {
        m_sheet.bitmapLoadFile(m_context.look.bitmapPath("list_land.bmp").c_str());
    } catch (swCError* error) {
        // Without the sheet the rows are plain and the header strip stays unpainted.
        delete error;
    }
    {
        HDC screen = GetDC(nullptr);
        m_composed.bitmapCreateCompatible(PaletteHolder(screen), land_list::kSheetWidth, land_list::kSheetHeight);
        ReleaseDC(nullptr, screen);
    }
    compose();
    RECT placed = restoredRect({ windowWidth(), m_frameHeight + kDefaultListHeight },
        m_context.game.settings().leftInfoPanel);
    placed.right = placed.left + windowWidth();
    snap(placed, WMSZ_BOTTOM);
    ui::fitInWorkArea(*this, placed);

    RECT client {};
    GetClientRect(handle(), &client);
    HFONT font = m_context.look.font(kSmallFont).handle();
    m_button = new PushButton(this, land_list_id::kOptionButton, BS_PUSHBUTTON | WS_TABSTOP);
    m_button->controlCreateTitled(">>", { client.right - 16, 0, 16, 16 });
    SendMessageA(m_button->handle(), WM_SETFONT, WPARAM(font), FALSE);
    m_list = new LandListBox(this, m_context.game, m_context.look, m_composed, m_effective);
    m_list->controlCreate({ 0, kHeaderHeight, columnWidth() + scrollBarWidth(), std::max(0, int(client.bottom) - kHeaderHeight) });
    SendMessageA(m_list->handle(), LB_SETITEMHEIGHT, 0, kRowHeight);
    fill();
    // Tab walks the controls as in a dialog; Enter and Escape stay swallowed.
    showWithDialogKeys(m_list ? m_list->handle() : nullptr);
    return true;
}

void LandListWindow::fill()
{
    setListRows(m_list->handle(), land_list::terrainsByListOrder(m_context.game));
}

int LandListWindow::rowTerrain(int row) const
{
    return m_list ? int(listRowValue(m_list->handle(), row)) : -1;
}

void LandListWindow::compose()
{
    m_effective = land_list::effectiveItems(m_context.game, uint32_t(m_context.game.settings().landListOption));
    if (!m_composed.handle())
        return;
    if (!m_sheet.handle()) {
        HDC screen = GetDC(nullptr);
        {
            MemoryDcHolder memory(screen);
            HGDIOBJ old = SelectObject(memory.dc(), m_composed.handle());
            memory.fillRectColor(0, 0, land_list::kSheetWidth - 1, land_list::kSheetHeight - 1, 0x02FFFFFF);
            SelectObject(memory.dc(), old);
        }
        ReleaseDC(nullptr, screen);
        return;
    }
    auto copy = [&](int x, int sourceX, int width) {
        m_composed.bitmapBlit(x, 0, m_sheet.handle(), RECT { sourceX, 0, sourceX + width, land_list::kSheetHeight });
    };
    copy(0, 0, land_list::kNameWidth);
    int x = land_list::kNameWidth;
    for (int i = 0; i < land_list::kItemCount; ++i) {
        if (!(m_effective >> i & 1))
            continue;
        copy(x, land_list::sheetX(i), land_list::item(i).width);
        x += land_list::item(i).width;
    }
    copy(x, land_list::sheetX(land_list::kItemCount), land_list::kClosingWidth);
}

void LandListWindow::applyWidth(bool keepRight)
{
    RECT outer {};
    GetWindowRect(handle(), &outer);
    const int width = windowWidth();
    const int left = keepRight ? outer.right - width : outer.left;
    MoveWindow(handle(), left, outer.top, width, outer.bottom - outer.top, TRUE);
    InvalidateRect(handle(), nullptr, TRUE);
    if (m_list)
        InvalidateRect(m_list->handle(), nullptr, TRUE);
}

void LandListWindow::layout(int clientWidth, int clientHeight)
{
    if (m_list)
        MoveWindow(m_list->handle(), 0, kHeaderHeight, columnWidth() + scrollBarWidth(), std::max(0, clientHeight - kHeaderHeight), TRUE);
    if (m_button)
        MoveWindow(m_button->handle(), clientWidth - 16, 0, 16, 16, TRUE);
}

void LandListWindow::snap(RECT& rect, WPARAM edge) const
{
    snapHeightToRows(rect, edge, m_frameHeight + kHeaderHeight, kRowHeight);
}

void LandListWindow::paintHeader(HDC dc) const
{
    if (m_sheet.handle() && m_composed.handle())
        PaletteHolder(dc).blitBitmap(0, 0, m_composed.handle(), RECT { 0, 0, columnWidth(), kHeaderHeight });
}

void LandListWindow::limitTracking(MINMAXINFO& info) const
{
    info.ptMinTrackSize.x = info.ptMaxTrackSize.x = windowWidth();
    info.ptMaxTrackSize.y = m_frameHeight + kRowHeight * int(m_context.game.terrainTypes().size()) + kHeaderHeight;
}

int LandListWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kLandListRefresh:
    case ui_message::kLandListReload:
        compose();
        applyWidth(false);
        return 1;
    case ui_message::kLandListItemsChanged:
        compose();
        applyWidth(true);
        return 1;
    case WM_SIZE:
        layout(LOWORD(msg.lParam), HIWORD(msg.lParam));
        m_context.main.dockDisplayItemWindow(DisplayItemList::Terrain);
        return 0;
    case WM_MOVE:
        m_context.main.dockDisplayItemWindow(DisplayItemList::Terrain);
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (info_window::raisedToTop(*reinterpret_cast<WINDOWPOS*>(msg.lParam)))
            m_context.main.dockDisplayItemWindow(DisplayItemList::Terrain);
        return 0;
    case WM_CTLCOLORLISTBOX:
        msg.result = LRESULT(GetStockObject(NULL_BRUSH));
        return 1;
    default:
        return InfoListWindow::OnMessage(msg);
    }
}

int LandListWindow::OnCommand(MessageRecord&, UINT id, UINT)
{
    if (id == land_list_id::kOptionButton) {
        if (m_list)
            SetFocus(m_list->handle());
        const bool shown = m_context.main.isDisplayItemWindowVisible(DisplayItemList::Terrain);
        SetWindowTextA(m_button->handle(), shown ? ">>" : "<<");
        postToOwner(*this, ui_message::kToggleLandListOption);
        return 1;
    }
    return id == IDOK || id == IDCANCEL ? 1 : 0;
}
