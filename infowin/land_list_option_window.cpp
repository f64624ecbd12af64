// LandListOptionWindow: check boxes over the terrain list's display mask.
#include "infowin/land_list_option_window.h"

#include "infowin/display_item_dock.h"
#include "infowin/land_list_items.h"
#include "infowin/land_list_window.h"
#include "lib/control.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"

namespace {

namespace id = land_list_option_id;

GameState& game() { return *g_gameState; }

} // namespace

LandListOptionWindow::LandListOptionWindow(swCWindow* landList)
    : swCWindow(kClassName, landList)
{
    m_windowClass.hbrBackground = GetSysColorBrush(COLOR_MENU);
    setTitle("");
    setStyle(WS_POPUP | WS_DLGFRAME | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_TOOLWINDOW);
    setFrame(0, 0, 100, 100);
}

LandListOptionWindow* LandListOptionWindow::open(swCWindow* landList)
{
    if (!g_gameState || !landList || !landList->handle())
        return nullptr;
    auto* window = new LandListOptionWindow(landList);
    if (!window->Create()) {
        delete window;
        return nullptr;
    }
    RECT outer {}, client {};
    GetWindowRect(window->handle(), &outer);
    GetClientRect(window->handle(), &client);
    window->m_frameWidth = (outer.right - outer.left) - client.right;
    window->m_frameHeight = (outer.bottom - outer.top) - client.bottom;
    static const std::string label = platform::utf8ToCp932("表示項目");
    auto* text = new StaticText(window, id::kLabel, SS_LEFT);
    text->controlCreateTitled(label.c_str(), { 4, 4, 48, 12 });
    SendMessageA(text->handle(), WM_SETFONT, WPARAM(game().font(kSmallFont).handle()), FALSE);
    window->layoutBoxes();
    const POINT at = displayItemDockPoint(landList->handle());
    SetWindowPos(window->handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return window;
}

void LandListOptionWindow::layoutBoxes()
{
    const HFONT font = game().font(kSmallFont).handle();
    const uint32_t mask = uint32_t(game().settings().landListOption);
    int shown = 0;
    for (int i = 0; i < land_list::kItemCount; ++i) {
        HWND box = GetDlgItem(handle(), int(id::kFirstItem) + i);
        if (!land_list::isItemOffered(i)) {
            if (box)
                DestroyWindow(box);
            continue;
        }
        const int y = 20 + 16 * shown++;
        if (!box) {
            auto* check = new CheckBox(this, id::kFirstItem + UINT(i));
            check->setStyle(BS_AUTOCHECKBOX | WS_TABSTOP | WS_CHILD | WS_VISIBLE);
            check->controlCreateTitled(platform::utf8ToCp932(land_list::item(i).label).c_str(), { 4, y, 78, 14 });
            box = check->handle();
            SendMessageA(box, WM_SETFONT, WPARAM(font), FALSE);
        } else {
            MoveWindow(box, 4, y, 78, 14, TRUE);
        }
        SendMessageA(box, BM_SETCHECK, (mask >> i & 1) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    SetWindowPos(handle(), nullptr, 0, 0, kClientWidth + m_frameWidth, 16 * shown + 20 + m_frameHeight,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int LandListOptionWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case land_list_option_message::kRefresh:
        layoutBoxes();
        return 1;
    case WM_LBUTTONDOWN:
        if (parent() && parent()->handle())
            BringWindowToTop(parent()->handle());
        return 1;
    case WM_PARENTNOTIFY:
        if (LOWORD(msg.wParam) == WM_LBUTTONDOWN && parent() && parent()->handle())
            BringWindowToTop(parent()->handle());
        return 0;
    default:
        return 0;
    }
}

int LandListOptionWindow::OnCommand(MessageRecord&, UINT id, UINT)
{
    if (id < id::kFirstItem || id >= id::kFirstItem + land_list::kItemCount)
        return id == IDOK || id == IDCANCEL ? 1 : 0;
    const int item = int(id - id::kFirstItem);
    const bool checked = SendMessageA(GetDlgItem(handle(), int(id)), BM_GETCHECK, 0, 0) == BST_CHECKED;
    int32_t& mask = game().settings().landListOption;
    mask = int32_t(checked ? uint32_t(mask) | 1u << item : uint32_t(mask) & ~(1u << item));
    if (parent() && parent()->handle())
        PostMessageA(parent()->handle(), land_list_message::kItemsChanged, 0, 0);
    return 1;
}
