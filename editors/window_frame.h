// Placing the editors' windows: a client area of a given size, centred over the owner, or at the
// information windows' stored or default place; and the closing gestures they share.
#pragma once

#include "lib/window.h"

// Sizes the window to the client area and centres it over the parent's client area (the screen
// without a parent), kept inside the work area.
void centreClientOverParent(swCWindow& window, HWND parent, int clientWidth, int clientHeight);

// Sizes the window to the client area at the position stored under the prefix in "WindowInfo"
// ("...WindowPosLeft", "...WindowPosTop"); without one, at the information windows' default: the
// main window's client point (216, 0) while the side panel stands at the left, else (width of a
// vertical scroll bar, 0). Kept inside the work area.
void placeInformationWindow(swCWindow& window, const char* prefix, int clientWidth, int clientHeight);

// A push button of the editors (96 x 24 unless told) in the game's 14-pixel font; text in UTF-8.
HWND makePushButton(HWND window, const char* utf8, int controlId, int x, int y, int width = 96, int height = 24);

// The gestures that close a dialog of the editors as its cancel button does: WM_CLOSE, a right
// click on it, or a right click on one of its controls (WM_PARENTNOTIFY). WM_MOVING keeps it in the
// work area. True when the message was one of them; `close` runs for the closing ones.
template <class Close>
bool handleCloseGestures(HWND window, MessageRecord& msg, Close close);

void keepMovingRectInWorkArea(MessageRecord& msg);

template <class Close>
bool handleCloseGestures(HWND window, MessageRecord& msg, Close close)
{
    switch (msg.message) {
    case WM_CLOSE:
    case WM_RBUTTONDOWN:
        close();
        return true;
    case WM_PARENTNOTIFY:
        if (LOWORD(msg.wParam) == WM_RBUTTONDOWN)
            PostMessageA(window, WM_CLOSE, 0, 0);
        return true;
    case WM_MOVING:
        keepMovingRectInWorkArea(msg);
        return true;
    default:
        return false;
    }
}
