// What the floating information windows share: their first place beside the side panel, their
// frame, their requests to the main window, and the mouse and drag rules of their bodies.
#pragma once

#include "lib/window.h"

namespace info_window {

// The default top-left in screen coordinates: the main window's client point (216, 0) while the
// side panel stands at the left ("LeftInfoPanel"), else just right of a vertical scroll bar.
POINT defaultOrigin(const swCWindow& window);
// The window's outer size less its client size.
SIZE frameSize(HWND window);
// A position change that put the window at the top of the z-order.
bool raisedToTop(const WINDOWPOS& pos);

// A left button in the window or on a child raises it; a right button, or WM_CLOSE, posts the
// close request; a drag stays in the work area. True when msg was one of these; the handler then
// returns 1, or 0 for WM_PARENTNOTIFY, which the default handling still sees.
bool handleBodyMessage(const swCWindow& window, MessageRecord& msg, UINT closeRequest);
// Escape reaches the window as IDCANCEL: it closes the window as its close box does. True when
// the command was IDCANCEL.
bool escapeCloses(const swCWindow& window, UINT command);

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
