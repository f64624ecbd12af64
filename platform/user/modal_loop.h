// Nested message loops of a thread: modal dialogs, message boxes, menus and mouse captures. A window
// asked to go while one runs must not be destroyed under the code that waits in it.
#pragma once

#include "platform/user/winuser.h"

namespace platform {

// How many nested loops the calling thread is running now (0 in its own top-level loop).
int modalLoopDepth();

// Counts one nested loop for its lifetime.
class ModalLoopScope {
public:
    ModalLoopScope();
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;
};

// Posts the message once every nested loop of the calling thread has ended: at once from its own
// top-level loop, else as the last of them ends. The same message is kept once.
void postWhenUnnested(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// A nested loop ends at WM_QUIT and posts it again, so that every loop outside ends too. True when
// `msg` (taken by PeekMessageA) is that message.
bool endsNestedLoop(const MSG& msg);
// GetMessageA for a nested loop: false at WM_QUIT (posted again) or on an error.
bool getNestedMessage(MSG& msg);

} // namespace platform
