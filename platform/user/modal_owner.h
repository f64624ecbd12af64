// The hold of modal windows on their owner, shared by the modal dialogs and message boxes of
// every thread.
#pragma once

#include "platform/user/winuser.h"

namespace platform::user {

// A modal window's hold on its owner for the life of its loop. The owner stays disabled while any
// modal window of any thread holds it, and the last hold to go enables it again when the holds
// disabled it. When the modal window was active (or no visible window is), the activation goes
// back to the window that had it as the hold began, if that one can still take it (another window
// of the program the person worked in, over the owner), else to the owner. While other
// holds are left, the activation goes to the newest of their windows if it was this one's; else it
// stays where it is (a question asked over this window keeps the keyboard, another window of the
// program that the person went to keeps it too).
class ModalOwnerHold {
public:
    explicit ModalOwnerHold(HWND owner);
    ~ModalOwnerHold();
    ModalOwnerHold(const ModalOwnerHold&) = delete;
    ModalOwnerHold& operator=(const ModalOwnerHold&) = delete;

    // The modal window, once it exists.
    void setModal(HWND modal);
    // The modal window had the activation when it was hidden at its end (EndDialog hides a dialog
    // before its loop ends, and the activation moves on then): it is given back as if it still had.
    void modalEndedActive() { m_modalEndedActive = true; }

private:
    // Ends the hold; returns the newest modal window of the holds left, if any.
    HWND release();

    HWND m_owner;
    HWND m_activeBefore;
    HWND m_modal = nullptr;
    bool m_modalEndedActive = false;
};

// Tests line threads up with it: called on the thread that is about to tell an owner that its
// enabled state changed, after letting go of the holds' lock.
void setOwnerNewsHook(void (*hook)(HWND owner));

} // namespace platform::user
