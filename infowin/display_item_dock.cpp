// DisplayItemDock: the display-item window follows its list's side.
#include "infowin/display_item_dock.h"

#include <algorithm>

HWND DisplayItemDock::list() const { return m_list && IsWindow(m_list) ? m_list : nullptr; }

HWND DisplayItemDock::options() const { return m_options && IsWindow(m_options) ? m_options : nullptr; }

bool DisplayItemDock::visible() const
{
    HWND window = options();
    return window && IsWindowVisible(window);
}

POINT displayItemDockPoint(HWND list, SIZE options)
{
    RECT frame {}, area {};
    GetWindowRect(list, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    POINT client { 0, 0 };
    ClientToScreen(list, &client);
    // A list at the desktop's right edge has it beside its left edge instead, one as wide as the
    // desktop has it over its own right end, and one low on the desktop has it raised: it is never
    // out of reach.
    LONG left = frame.right;
    if (frame.right + options.cx > area.right)
        left = frame.left - options.cx >= area.left ? frame.left - options.cx : std::max<LONG>(area.left, area.right - options.cx);
    const LONG top = std::max<LONG>(area.top, std::min<LONG>(client.y, area.bottom - options.cy));
    return POINT { left, top };
}

SIZE outerWindowSize(HWND window)
{
    RECT r {};
    GetWindowRect(window, &r);
    return { r.right - r.left, r.bottom - r.top };
}

void DisplayItemDock::dock()
{
    HWND owner = list();
    HWND window = options();
    if (!owner || !window || m_docking)
        return;
    m_docking = true;
    const POINT at = displayItemDockPoint(owner, outerWindowSize(window));
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
