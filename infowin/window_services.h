// Window services of the game's windows: the modal-idle guard, the game's message box and the
// centring of a dialog on its owner.
#pragma once

#include "lib/window_services.h"

class swCWindow;

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

// Moves and sizes the window so that its client area is width x height, centred on its parent's
// client area (on the work area without a parent), and kept inside the work area.
void centreOnParent(swCWindow& window, int width, int height);

// A message box on the owner's window with the game's modal-idle flag cleared while it is open.
// Returns the button pressed.
int modalMessageBox(swCWindow* owner, const char* text, const char* caption, UINT style = MB_OK);
