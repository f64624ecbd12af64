// The window menu of top-level windows: restore, move, size, minimise, maximise and close,
// opened by Alt+Space.
#pragma once

#include "platform/user/winuser.h"

namespace platform::user {

// Fills a new window menu with the commands a window of this style has.
void appendWindowCommands(HMENU menu, DWORD style);
// Opens the window menu under the caption, each command enabled as the window's state allows,
// and posts the chosen one back to the window as WM_SYSCOMMAND. Does nothing for a window
// without a window menu (no WS_SYSMENU) or one that is disabled.
void openWindowMenu(HWND hwnd);

} // namespace platform::user
