// Small services every window of the program uses: work-area fitting, the game's message box,
// the open-file hook that refuses missing files, and the main window's done event.
#pragma once

#include "platform/windows.h"

#include <memory>

class swCWindow;
class UiWait;

// Moves the rectangle, keeping its size, so that it lies inside the desktop work area (as far as
// it fits); the WM_MOVING helper of dialogs and popups.
void keepRectInWorkArea(RECT& rect);

// A message box on the owner's window with the game's modal-idle flag cleared while it is open.
// Returns the button pressed.
int modalMessageBox(swCWindow* owner, const char* text, const char* caption, UINT style = MB_OK);

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

// Hook of the explorer-style open dialog: a name whose file does not exist is refused.
UINT_PTR CALLBACK openFileHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The wait the main window answers, then forgets, once the work asked by the income or the
// end-of-game message is done. Null forgets a stored one without answering it.
void setMainWindowDoneEvent(std::shared_ptr<UiWait> wait);
// Whether a stored wait still waits for its answer (play may have stopped meanwhile).
bool mainWindowDoneEventPending();
// Answers and forgets the stored wait; nothing when none is stored.
void signalMainWindowDoneEvent();
