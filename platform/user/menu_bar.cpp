// The menu bar of frame windows (through the window system's menu bar hooks), menu templates
// from the resource table, and TrackPopupMenu.
#include "platform/user/menu_layout.h"
#include "platform/user/menu_tracker.h"
#include "platform/user/menubar_hooks.h"
#include "platform/user/nonclient.h"
#include "platform/user/resource_table.h"
#include "platform/user/window_menu.h"

#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <map>
#include <mutex>

namespace platform::menus {

namespace {

std::mutex& systemMenuMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The system menus handed out, by window. Entries of destroyed windows are never looked up
// again: a window handle is not reused.
std::map<HWND, HMENU>& systemMenus()
{
    static std::map<HWND, HMENU> menus;
    return menus;
}

int barHeight(HWND, HMENU menu, int width)
{
    Pane pane;
    auto list = items(menu);
    if (!list || list->empty())
        return 0;
    pane.items = std::move(*list);
    HDC dc = GetDC(nullptr);
    int height = layoutBar(dc, pane, width);
    ReleaseDC(nullptr, dc);
    return height;
}

void paintBar(HWND hwnd, HMENU menu, HDC dc, const RECT& bar)
{
    rememberBarRect(hwnd, bar);
    Pane pane;
    auto list = items(menu);
    if (list)
        pane.items = std::move(*list);
    layoutBar(dc, pane, bar.right - bar.left);
    pane.selected = barSelection(hwnd);
    drawBar(dc, pane, bar);
}

// Commands from the bar arrive after the loop, as posted messages.
void clickBar(HWND hwnd, HMENU menu, POINT screen)
{
    if (UINT id = trackBarByMouse(hwnd, menu, screen))
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void keyBar(HWND hwnd, HMENU menu, LPARAM key)
{
    if (UINT id = trackBarByKey(hwnd, menu, key))
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

HMENU buildMenu(const std::vector<resources::MenuTemplateItem>& entries, bool popup, int depth)
{
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    if (depth > 16)
        return menu;
    for (const auto& entry : entries) {
        if (!entry.children.empty() || (entry.flags & MF_POPUP)) {
            HMENU sub = buildMenu(entry.children, true, depth + 1);
            AppendMenuA(menu, (entry.flags | MF_POPUP) & ~UINT(MF_SEPARATOR), UINT_PTR(sub), entry.text.c_str());
        } else {
            AppendMenuA(menu, entry.flags, entry.id, entry.text.c_str());
        }
    }
    return menu;
}

} // namespace

void installMenuBarHooks()
{
    static std::once_flag once;
    std::call_once(once, [] {
        user::MenuBarHooks& hooks = user::menuBarHooks();
        hooks.height = barHeight;
        hooks.paint = paintBar;
        hooks.click = clickBar;
        hooks.keyMenu = keyBar;
        hooks.loadClassMenu = LoadMenuA;
    });
}

HWND systemMenuWindow(HMENU menu)
{
    std::lock_guard lock(systemMenuMutex());
    for (const auto& [hwnd, held] : systemMenus())
        if (held == menu)
            return hwnd;
    return nullptr;
}

} // namespace platform::menus

namespace platform::user {

bool systemCloseDisabled(HWND hwnd)
{
    HMENU menu;
    {
        std::lock_guard lock(menus::systemMenuMutex());
        auto it = menus::systemMenus().find(hwnd);
        if (it == menus::systemMenus().end())
            return false;
        menu = it->second;
    }
    UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
    return state != UINT(-1) && (state & (MF_GRAYED | MF_DISABLED));
}

} // namespace platform::user

using namespace platform;

HMENU LoadMenuA(HINSTANCE, LPCSTR name)
{
    menus::installMenuBarHooks();
    auto entries = resources::findMenu(name);
    if (!entries) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return menus::buildMenu(*entries, false, 0);
}

HMENU GetMenu(HWND hwnd)
{
    return user::windowMenu(hwnd);
}

BOOL SetMenu(HWND hwnd, HMENU menu)
{
    menus::installMenuBarHooks();
    if (menu && !menus::isMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!menu)
        menus::forgetFrame(hwnd);
    return user::setWindowMenu(hwnd, menu) ? TRUE : FALSE;
}

// One window menu per frame; the game greys its Close item while a battle runs.
HMENU GetSystemMenu(HWND hwnd, BOOL revert)
{
    if (!IsWindow(hwnd))
        return nullptr;
    bool reverted = false;
    HMENU menu = nullptr;
    const DWORD style = DWORD(GetWindowLongPtrA(hwnd, GWL_STYLE));
    {
        std::lock_guard lock(menus::systemMenuMutex());
        auto& held = menus::systemMenus();
        auto it = held.find(hwnd);
        if (revert) {
            if (it != held.end()) {
                DestroyMenu(it->second);
                held.erase(it);
                reverted = true;
            }
        } else if (it != held.end() && menus::isMenu(it->second)) {
            return it->second;
        } else {
            menu = CreatePopupMenu();
            user::appendWindowCommands(menu, style);
            held[hwnd] = menu;
        }
    }
    // The default menu has Close enabled again.
    if (reverted)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return menu;
}

BOOL DrawMenuBar(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return FALSE;
    return RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND hwnd, const RECT*)
{
    return TrackPopupMenuEx(menu, flags, x, y, hwnd, nullptr);
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND hwnd, LPTPMPARAMS params)
{
    if (!menus::isMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!IsWindow(hwnd))
        return FALSE;
    UINT id = menus::trackPopup(hwnd, menu, x, y, flags, params ? &params->rcExclude : nullptr);
    if (flags & TPM_RETURNCMD)
        return BOOL(id);
    if (id)
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return id ? TRUE : FALSE;
}
