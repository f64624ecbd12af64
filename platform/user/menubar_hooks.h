// The window system's seam for the menu bar: the menus area fills these in so that frames get a
// bar of the right height, painted and clickable. Unset hooks mean "no menu bar". `height` runs
// with the window system's lock held: it must not send messages or wait on other threads.
#pragma once

#include "platform/user/winuser.h"

namespace platform::user {

struct MenuBarHooks {
    // Height of the bar for this menu at this window width (0: no bar).
    int (*height)(HWND hwnd, HMENU menu, int width) = nullptr;
    // Paints the bar into the window DC; `bar` is in window coordinates.
    void (*paint)(HWND hwnd, HMENU menu, HDC windowDC, const RECT& bar) = nullptr;
    // A button press on the bar (HTMENU); runs the menu loop and returns when it ends.
    void (*click)(HWND hwnd, HMENU menu, POINT screen) = nullptr;
    // WM_SYSCOMMAND SC_KEYMENU: Alt, F10 or Alt + a character (lParam as in the message).
    void (*keyMenu)(HWND hwnd, HMENU menu, LPARAM key) = nullptr;
    // The class menu named in WNDCLASS when CreateWindowExA gets no menu.
    HMENU (*loadClassMenu)(HINSTANCE instance, LPCSTR name) = nullptr;
};

MenuBarHooks& menuBarHooks();

// The menu bar handle a top-level window holds, for GetMenu/SetMenu. Setting it recalculates
// the frame (WM_NCCALCSIZE) and repaints it.
HMENU windowMenu(HWND hwnd);
bool setWindowMenu(HWND hwnd, HMENU menu);

} // namespace platform::user
