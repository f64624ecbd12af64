// DisplayItemDock: the display-item window follows its list.
#include "infowin/display_item_dock.h"

namespace {

HWND alive(HWND window) { return window && IsWindow(window) ? window : nullptr; }

} // namespace

HWND DisplayItemDock::list() const { return alive(m_list); }

HWND DisplayItemDock::options() const { return alive(m_options); }

bool DisplayItemDock::visible() const
{
    const HWND window = options();
    return window && IsWindowVisible(window);
}

POINT displayItemDockPoint(HWND list)
{
    RECT outer {};
    GetWindowRect(list, &outer);
    POINT clientTop { 0, 0 };
    ClientToScreen(list, &clientTop);
    return { outer.right, clientTop.y };
}

void DisplayItemDock::dock()
{
    const HWND owner = list();
    const HWND window = options();
    if (!owner || !window || m_moving)
        return;
    m_moving = true;
    const POINT at = displayItemDockPoint(owner);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_moving = false;
}

void DisplayItemDock::show(bool on)
{
    const HWND window = options();
    if (!window)
        return;
    if (on)
        dock();
    ShowWindow(window, on ? SW_SHOWNOACTIVATE : SW_HIDE);
}

bool DisplayItemDock::toggle()
{
    show(!visible());
    return visible();
}
