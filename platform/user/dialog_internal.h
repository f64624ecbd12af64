// The dialog manager's own state per dialog window and the pieces its files share.
#pragma once

#include "platform/user/resource_table.h"
#include "platform/user/winuser.h"

#include <atomic>
#include <memory>
#include <vector>

namespace platform::dialogs {

struct DialogInfo {
    bool modal = false;
    std::atomic<bool> ended { false };   // EndDialog may come from another thread
    std::atomic<INT_PTR> result { 0 };
    std::atomic<bool> endedActive { false };   // it had the activation when EndDialog hid it
    int defaultId = 0;        // set by DM_SETDEFID; 0: found from the buttons
    HWND lent = nullptr;      // a push button that shows the default look only while it has the focus
    HFONT font = nullptr;
    bool ownsFont = false;
    HWND savedFocus = nullptr; // focus to give back when the dialog is activated again
};

// The dialog class "#32770", registered on first use.
void registerDialogClass();
// The state of a dialog window of the dialog manager, or null.
std::shared_ptr<DialogInfo> infoOf(HWND dialog);
void attachInfo(HWND dialog, std::shared_ptr<DialogInfo> info);
void detachInfo(HWND dialog);

// Keeps the dialog's control that has the focus as the one to give it back to when the dialog is
// active again; called whenever the focus leaves the dialog (another window is activated, or the
// dialog is disabled while a modal dialog it opened runs).
void rememberFocus(HWND dialog, HWND focus);

// Gives the default look to the push button with the focus, as Enter presses it, and with the focus
// elsewhere back to the dialog's own default button.
void showDefaultFor(HWND dialog, HWND focus);

// Creates the window and its items, sends WM_SETFONT and WM_INITDIALOG and sets the focus.
// Returns null when the window or an item cannot be created; nothing is left behind then.
HWND createFromTemplate(HINSTANCE instance, const resources::DialogTemplate& dialog, HWND parent, DLGPROC proc,
    LPARAM param, bool modal);
// Runs the modal loop of a created dialog until EndDialog or its destruction.
INT_PTR runModal(HWND dialog, HWND owner);

// The dialog's items in creation order (tab order).
std::vector<HWND> dialogItems(HWND dialog);
// What the keyboard walks: the items in creation order, with each visible and enabled child of
// WS_EX_CONTROLPARENT replaced by its own controls, depth first.
std::vector<HWND> navigationItems(HWND dialog);
// Keyboard helpers shared by IsDialogMessageA and DefDlgProcA.
UINT dialogCode(HWND control, const MSG* msg);
void setDialogFocus(HWND dialog, HWND control);
bool isTabStop(HWND control);

} // namespace platform::dialogs
