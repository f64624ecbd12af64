// The window system's side of the desktop: input events become queued input of the thread that
// owns the target window; idleness for the test harness.
#pragma once

#include "platform/desktop/desktop.h"

namespace platform::user {

// Installs the window system as the desktop's input sink (once).
void connectInputSink(desktop::Desktop& desktop);
// The desktop, with the sink connected.
desktop::Desktop& theDesktop();

// Delivers an event as if it came from the desktop (tests); it goes the desktop's own road so
// the cursor position and async key state follow.
void postDesktopInput(const desktop::InputEvent& event);

// True when every queue is empty, nothing waits to be painted and no sent message is pending.
// A calling thread with a queue of its own first handles what is queued for it, so a test that
// runs its windows on its own thread can wait for idle.
bool windowSystemIdle();

// The system shape (an IDC_ value) of the cursor last given to SetCursor; 0 when there is none
// or ShowCursor hid it. The sdl backend may show the matching system cursor.
WORD currentCursorShape();

} // namespace platform::user
