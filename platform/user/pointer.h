// Where the pointer is and which window is under it.
#pragma once

#include "platform/desktop/desktop.h"
#include "platform/user/winuser.h"

#include <vector>

namespace platform::user {

// The deepest visible, enabled window under a screen point, honouring window shapes and
// leaving out the given windows (and what lies inside them); null over the bare desktop.
HWND windowFromPointExcluding(POINT screen, const std::vector<HWND>& skip);
POINT lastCursorPos();
// Queues an event from the desktop to the thread of its target window.
void routeInput(const desktop::InputEvent& event);

} // namespace platform::user
