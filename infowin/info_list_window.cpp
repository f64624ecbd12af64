// InfoListWindow: the lists' frame, placement and failure.
#include "infowin/info_list_window.h"

#include "platform/kernel/host.h"

#include <algorithm>

InfoListWindow::InfoListWindow(const char* className, swCWindow* mainWindow, const char* utf8Title, HBRUSH background,
    int initialSize)
    : KitWindow(className, mainWindow)
    , m_title(platform::utf8ToCp932(utf8Title))
{
    m_windowClass.hbrBackground = background;
    setTitle(m_title.c_str());
    setStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_TOOLWINDOW);
    setFrame(0, 0, initialSize, initialSize);
}

bool InfoListWindow::createMeasured()
{
    if (!Create())
        return false;
    const SIZE frame = info_window::frameSize(handle());
    m_frameWidth = frame.cx;
    m_frameHeight = frame.cy;
    return true;
}

RECT InfoListWindow::restoredRect(SIZE defaultSize, bool besideLeftPanel)
{
    return ui::restoreInfoWindow(*this, description().placementKey, defaultSize, besideLeftPanel);
}

bool InfoListWindow::failWith(swCError* error)
{
    ui::showOverOwner(*this, error);
    DestroyWindow(handle());
    return false;
}

void InfoListWindow::showWithDialogKeys(HWND firstFocus)
{
    m_dialogKeys.attach(this);
    m_savedFocus = firstFocus;
    ShowWindow(handle(), SW_SHOW);
}

void InfoListWindow::giveFocus(HWND control)
{
    if (GetActiveWindow() == handle())
        SetFocus(control);
    else
        m_savedFocus = control;
}

int InfoListWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_GETMINMAXINFO: {
        // Until the frame is measured the limits stay the system's.
        if (!m_frameWidth)
            return 0;
        auto& limits = *reinterpret_cast<MINMAXINFO*>(msg.lParam);
        limitTracking(limits);
        // Never smaller than a drag to nothing snaps to: the fixed part of a list stays whole,
        // whatever size the ini keeps.
        RECT least {};
        snap(least, WMSZ_BOTTOMRIGHT);
        limits.ptMinTrackSize.x = std::max(limits.ptMinTrackSize.x, least.right);
        limits.ptMinTrackSize.y = std::max(limits.ptMinTrackSize.y, least.bottom);
        return 1;
    }
    case WM_SIZING:
        snap(*reinterpret_cast<RECT*>(msg.lParam), msg.wParam);
        msg.result = TRUE;
        return 1;
    case WM_ACTIVATE:
        keepFocus(LOWORD(msg.wParam) != WA_INACTIVE);
        return 1;
    default:
        return KitWindow::OnMessage(msg);
    }
}

// The keyboard comes back to the control that had it when the window lost the activation, as in
// a dialog.
void InfoListWindow::keepFocus(bool activated)
{
    const HWND focus = GetFocus();
    if (!activated) {
        if (focus && IsChild(handle(), focus))
            m_savedFocus = focus;
        return;
    }
    if (focus && IsChild(handle(), focus))
        return;
    HWND restore = m_savedFocus && IsChild(handle(), m_savedFocus) && IsWindowVisible(m_savedFocus) && IsWindowEnabled(m_savedFocus)
        ? m_savedFocus
        : GetNextDlgTabItem(handle(), nullptr, FALSE);
    SetFocus(restore ? restore : handle());
}
