// Small shared operations of the game state: text line ends and raising the main window.
#pragma once

#include "platform/kernel/windef.h"
#include "platform/kernel/winbase.h"

#include <string>
#include <string_view>

// Copies CP932 text with each lone LF turned into CR LF; an existing CR LF and both bytes of a
// double-byte character pass unchanged. The result holds whatever length that needs.
std::string convertLfToCrLf(std::string_view text);

// Raises window to the front from any thread; false when it is not a window.
bool bringWindowToFront(HWND window);
// The application's main window; nothing happens before there is one.
bool bringMainWindowToFront();
