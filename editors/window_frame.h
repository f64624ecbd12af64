// What the editors' windows share: their pictures, push buttons and closing gestures.
#pragma once

#include "lib/media/bitmap.h"
#include "lib/window.h"

#include <functional>
#include <memory>

// A picture of the bitmap folder; throws the picture loader's error when it cannot be read.
std::unique_ptr<swCBitmap> loadEditorPicture(const char* name);

// A push button of the editors (96 x 24 unless told) in the game's 14-pixel font; text in UTF-8.
HWND makePushButton(HWND window, const char* utf8, int controlId, int x, int y, int width = 96, int height = 24);

// The gestures that close a dialog of the editors as its cancel button does: WM_CLOSE, a right
// click on it, or a right click on one of its controls (WM_PARENTNOTIFY). WM_MOVING keeps it in the
// work area. True when the message was one of them; `close` runs for the closing ones.
template <class Close>
bool handleCloseGestures(HWND window, MessageRecord& msg, Close close);

void keepMovingRectInWorkArea(MessageRecord& msg);

// The drawn windows' buttons paint over the picture without a brush: true when the message was
// WM_CTLCOLORBTN, answered.
bool answerTransparentButtons(MessageRecord& msg);

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
