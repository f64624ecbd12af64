// Small services of every dialog and popup: work-area fitting and the open-file hook that refuses
// missing files.
#pragma once

#include "platform/windows.h"

// Moves the rectangle, keeping its size, so that it lies inside the desktop work area (as far as
// it fits); the WM_MOVING helper of dialogs and popups.
void keepRectInWorkArea(RECT& rect);

// Hook of the explorer-style open dialog: a name whose file does not exist is refused.
UINT_PTR CALLBACK openFileHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
