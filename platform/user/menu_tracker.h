// The menu loop: popups and the menu bar tracked by mouse and keyboard on the calling thread.
#pragma once

#include "platform/user/winuser.h"

namespace platform::menus {

// Returns the chosen command, 0 when the menu was dismissed. Notifications (WM_INITMENU,
// WM_INITMENUPOPUP, WM_MENUSELECT) go to `owner` unless TPM_NONOTIFY is in `flags`.
// With `exclude`, the menu is kept off that screen rectangle (below it, else above it).
UINT trackPopup(HWND owner, HMENU menu, int x, int y, UINT flags, const RECT* exclude = nullptr);
// The bar of a frame window, opened by a button press at `screen`.
UINT trackBarByMouse(HWND owner, HMENU menu, POINT screen);
// The bar opened from the keyboard: key 0 for Alt or F10 alone, else the mnemonic character.
UINT trackBarByKey(HWND owner, HMENU menu, LPARAM key);

// The bar as last painted (window coordinates) and the item the loop shows selected (-1).
void rememberBarRect(HWND frame, const RECT& bar);
int barSelection(HWND frame);
void forgetFrame(HWND frame);

// The popup window class "#32768".
void registerPopupClass();

} // namespace platform::menus
