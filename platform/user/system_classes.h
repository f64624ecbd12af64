// Registration of the system window classes ("Button", "Edit", "#32770", ...) by the areas that
// implement them; these classes are found whatever instance a window is created with.
#pragma once

#include "platform/user/winuser.h"

namespace platform::user {

// Returns the class atom, or 0 when a system class of that name exists already.
ATOM registerSystemClass(const WNDCLASSA& wndClass);
// Marks the system class of the controls that turn a dialog's pages (the tab control): the dialog
// manager hands its page strip Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp pressed anywhere
// in the dialog.
void markPageStripClass(LPCSTR className);
bool isPageStrip(HWND hwnd);

} // namespace platform::user
