// Window services of the game's windows: the modal-idle guard, the game's message box and the
// lists' row snapping.
#pragma once

#include "lib/window_services.h"

#include <functional>
#include <string>

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

// Whether a file may be written at the path: yes when none is there, else the person's answer to
// the overwrite question, whose default is no.
bool mayWriteOver(HWND owner, const std::string& path);
