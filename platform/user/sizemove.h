// Modal mouse loops of the non-client area: moving and sizing a window, pressing a caption box,
// and tracking a window scroll bar.
#pragma once

#include "platform/user/modal_loop.h"
#include "platform/user/winuser.h"

namespace platform::user {

// Moves (HTCAPTION) or sizes (HTLEFT..HTBOTTOMRIGHT) the window while the left button is held;
// `start` is where the button went down (screen).
void runSizeMove(HWND hwnd, int hit, POINT start);
// Moves or sizes the window by the keys, as the window menu's commands do: each arrow moves the
// window, or when sizing the edge the first arrow of its direction chose; Enter or a click keeps
// the place, Esc puts the window back.
void runKeyboardSizeMove(HWND hwnd, bool sizing);
// The window the calling thread moves or sizes now (GUI_INMOVESIZE); null when none.
HWND moveSizeWindow();
// Releases the capture a mouse loop took when an error unwinds through the loop (quietly: no
// window procedure runs while the error is on its way), and counts the loop as a nested one.
class CaptureGuard {
public:
    explicit CaptureGuard(HWND hwnd);
    ~CaptureGuard();
    CaptureGuard(const CaptureGuard&) = delete;
    CaptureGuard& operator=(const CaptureGuard&) = delete;

private:
    HWND m_hwnd;
    int m_exceptions;
    ModalLoopScope m_loop;
};

// True when the button was released over the same caption box.
bool trackCaptionButton(HWND hwnd, int hit);
// Clicks and drags on a window scroll bar, sending WM_HSCROLL/WM_VSCROLL with auto-repeat.
void trackWindowScrollBar(HWND hwnd, int bar, POINT screen);

} // namespace platform::user
