// The menu bar seam: the hooks the menus area installs and the menu handle of each frame.
#include "platform/user/menubar_hooks.h"

#include "platform/user/window_state.h"

namespace platform::user {

MenuBarHooks& menuBarHooks()
{
    static MenuBarHooks hooks;
    return hooks;
}

HMENU windowMenu(HWND hwnd)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    return w && !w->isChild() ? w->menu : nullptr;
}

bool setWindowMenu(HWND hwnd, HMENU menu)
{
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w || w->isChild())
            return false;
        w->menu = menu;
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

} // namespace platform::user
