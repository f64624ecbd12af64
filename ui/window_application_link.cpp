// The game state's notices, restart request and main window, through the application object.
#include "ui/window_application_link.h"

#include "lib/application.h"

void WindowApplicationLink::tell(const std::string& text, const std::string& caption, NoticeIcon icon, NoticeOwner owner)
{
    HWND window = owner == NoticeOwner::MainWindow ? theApplication().mainWindowHandle() : nullptr;
    MessageBoxA(window, text.c_str(), caption.c_str(), icon == NoticeIcon::Stop ? MB_OK | MB_ICONSTOP : MB_OK);
}

void WindowApplicationLink::setRestartRequested(bool requested)
{
    if (requested)
        theApplication().requestRestart();
    else
        theApplication().clearRestartRequest();
}

bool WindowApplicationLink::restartRequested() const { return theApplication().restartRequested(); }

bool WindowApplicationLink::raiseMainWindow() { return bringWindowToFront(theApplication().mainWindowHandle()); }

WindowApplicationLink& windowApplicationLink()
{
    static WindowApplicationLink link;
    return link;
}

bool bringWindowToFront(HWND window)
{
    // The desktop's foreground is shared by every thread here, so no input attach is needed
    // before the call; a window that is gone answers 0 and nothing happens.
    if (!window || GetWindowThreadProcessId(window, nullptr) == 0)
        return false;
    return SetForegroundWindow(window) != FALSE;
}
