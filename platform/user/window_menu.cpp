// The window menu: its commands by the window's style, and their enabled states by its state
// each time it opens.
#include "platform/user/window_menu.h"

#include "platform/kernel/host.h"
#include "platform/user/menu_tracker.h"
#include "platform/user/window_state.h"

namespace platform::user {

namespace {

bool hasSizeBoxes(DWORD style) { return (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0; }

void enableCommand(HMENU menu, UINT command, bool on)
{
    EnableMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

} // namespace

void appendWindowCommands(HMENU menu, DWORD style)
{
    const bool boxes = hasSizeBoxes(style);
    if (boxes)
        AppendMenuA(menu, MF_STRING, SC_RESTORE, utf8ToCp932("元のサイズに戻す(&R)").c_str());
    if ((style & WS_CAPTION) == WS_CAPTION)
        AppendMenuA(menu, MF_STRING, SC_MOVE, utf8ToCp932("移動(&M)").c_str());
    if (style & WS_THICKFRAME)
        AppendMenuA(menu, MF_STRING, SC_SIZE, utf8ToCp932("サイズ変更(&S)").c_str());
    if (boxes) {
        AppendMenuA(menu, MF_STRING, SC_MINIMIZE, utf8ToCp932("最小化(&N)").c_str());
        AppendMenuA(menu, MF_STRING, SC_MAXIMIZE, utf8ToCp932("最大化(&X)").c_str());
    }
    if (GetMenuItemCount(menu) > 0)
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SC_CLOSE, utf8ToCp932("閉じる(&C)\tAlt+F4").c_str());
}

void openWindowMenu(HWND hwnd)
{
    DWORD style;
    POINT at;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w || w->isChild() || !(w->style & WS_SYSMENU) || (w->style & WS_DISABLED))
            return;
        style = w->style;
        const RECT insets = nonClientInsets(*w);
        at = { w->rect.left + insets.left, w->rect.top + insets.top };
    }
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu)
        return;
    const bool zoomed = IsZoomed(hwnd), iconic = IsIconic(hwnd);
    enableCommand(menu, SC_RESTORE, zoomed || iconic);
    enableCommand(menu, SC_MOVE, !zoomed);
    enableCommand(menu, SC_SIZE, (style & WS_THICKFRAME) && !zoomed && !iconic);
    enableCommand(menu, SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !iconic);
    enableCommand(menu, SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !zoomed);
    // Close keeps the state the program gave it: greyed while closing must wait.
    // Chosen from the keyboard: a move or size then runs by the keys too.
    if (UINT command = menus::trackPopup(hwnd, menu, at.x, at.y, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD))
        PostMessageA(hwnd, WM_SYSCOMMAND, command, 0);
}

} // namespace platform::user
