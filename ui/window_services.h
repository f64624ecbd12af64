// Window services of the game's windows: the modal-idle guard, the game's message box and the
// lists' row snapping.
#pragma once

#include "lib/window_services.h"

#include <functional>

class swCWindow;
struct MessageRecord;

// Clears the game's modal-idle flag for its lifetime and puts the old value back.
class ModalIdleOff {
public:
    ModalIdleOff();
    ~ModalIdleOff();
    ModalIdleOff(const ModalIdleOff&) = delete;
    ModalIdleOff& operator=(const ModalIdleOff&) = delete;

private:
    bool m_saved = false;
};

// WM_SIZING of the lists: the height keeps whole rows above its fixed part (at least none); the
// top moves when a top edge or corner is dragged, else the bottom.
void snapHeightToRows(RECT& rect, WPARAM edge, int fixedHeight, int rowHeight);

// A message box on the owner's window with the game's modal-idle flag cleared while it is open.
// Returns the button pressed.
int modalMessageBox(swCWindow* owner, const char* text, const char* caption, UINT style = MB_OK);

// The common messages of the game's drawn modal dialogs: a paint or an erase draws the whole face,
// the close box or a right click closes, a drag keeps the frame inside the work area, and the end
// takes the play timer away and keeps the placement under the prefix. Returns what the dialog's
// message handler returns: 1 when the message was taken, else 0.
int handleDrawnDialogMessage(swCWindow& dialog, MessageRecord& msg, const char* placementPrefix, UINT_PTR playTimer,
    const std::function<void(HDC)>& paint, const std::function<void()>& close);
