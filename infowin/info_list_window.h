// InfoListWindow: what the resizable information lists share: a captioned tool window over its
// class brush, owned by the main window, measured once made, restored to its kept place and size,
// and walked by Tab as a dialog once its controls are made.
#pragma once

#include "lib/error.h"
#include "ui/info_window_frame.h"
#include "ui/window_kit.h"

#include <string>

class InfoListWindow : public ui::KitWindow<swCWindow> {
public:
    // The outer size less the client size, once the window is made.
    int frameWidth() const { return m_frameWidth; }
    int frameHeight() const { return m_frameHeight; }
    // WM_GETMINMAXINFO and WM_SIZING ask the window's limits and snap.
    int OnMessage(MessageRecord& msg) override;

protected:
    InfoListWindow(const char* className, swCWindow* mainWindow, const char* utf8Title, HBRUSH background, int initialSize);
    // Makes the window and measures its frame; false when no window was made.
    bool createMeasured();
    // The window's kept place and size under its description's key, else the default outer size
    // beside the side panel or the scroll bar; the caller snaps it and fits it with ui::fitInWorkArea.
    RECT restoredRect(SIZE defaultSize, bool besideLeftPanel);
    // Shows the error over the owner and destroys the window; false, for create's return.
    bool failWith(swCError* error);
    // Tab walks the controls as in a dialog (Enter and Escape stay with the commands); shows the
    // window with the keyboard at `firstFocus`, its list.
    void showWithDialogKeys(HWND firstFocus);
    // The control has the keyboard now while the window is the active one, else when it is next
    // activated: a refresh the game sends never takes the keyboard from the window the person
    // works in.
    void giveFocus(HWND control);
    // The sizes a drag may give the window, asked once the frame is measured.
    virtual void limitTracking(MINMAXINFO& info) const = 0;
    // A dragged rectangle snapped to whole rows or columns; the dragged edge moves.
    virtual void snap(RECT& rect, WPARAM edge) const = 0;
    // The system's border height and vertical scroll bar width, which the lists' sizes allow for.
    static int border() { return GetSystemMetrics(SM_CYBORDER); }
    static int scrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

    int m_frameWidth = 0;
    int m_frameHeight = 0;

private:
    void keepFocus(bool activated);

    HWND m_savedFocus = nullptr;
    std::string m_title;
    info_window::DialogKeys m_dialogKeys;
};
