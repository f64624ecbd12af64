// DisplayItemDock: the display-item window follows its list's right edge.
#include "infowin/display_item_dock.h"

HWND DisplayItemDock::list() const { return m_list && IsWindow(m_list) ? m_list : nullptr; }

HWND DisplayItemDock::options() const { return m_options && IsWindow(m_options) ? m_options : nullptr; }

bool DisplayItemDock::visible() const
{
    HWND window = options();
    return window && IsWindowVisible(window);
}

POINT displayItemDockPoint(HWND list)
{
    RECT frame {};
    GetWindowRect(list, &frame);
    POINT client { 0, 0 };
    ClientToScreen(list, &client);
    return POINT { frame.right, client.y };
}

void DisplayItemDock::dock()
{
    HWND owner = list();
    HWND window = options();
    if (!owner || !window || m_docking)
        return;
    m_docking = true;
    const POINT at = displayItemDockPoint(owner);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_docking = false;
}

void DisplayItemDock::show(bool on)
{
    HWND window = options();
    if (!window)
        return;
    if (on)
        dock();
    ShowWindow(window, on ? SW_SHOW : SW_HIDE);
}

bool DisplayItemDock::toggle()
{
    const bool on = !visible();
    show(on);
    return visible();
}
