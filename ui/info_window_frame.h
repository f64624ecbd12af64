// What the floating information windows share beyond the kit: their frame, their raise to the top,
// and the dialog keys.
#pragma once

#include "lib/window.h"

namespace info_window {

// The window's outer size less its client size.
SIZE frameSize(HWND window);
// A position change that put the window at the top of the z-order.
bool raisedToTop(const WINDOWPOS& pos);

// Puts a window on the application's list that the dialog manager walks, so Tab and Escape work
// in it as in a dialog; the window leaves the list with this member.
class DialogKeys {
public:
    DialogKeys() = default;
    DialogKeys(const DialogKeys&) = delete;
    DialogKeys& operator=(const DialogKeys&) = delete;
    ~DialogKeys();
    void attach(swCWindow* window);

private:
    swCWindow* m_window = nullptr;
};

} // namespace info_window
