// WindowApplicationLink: the game state's requests answered by the windows: notices as message
// boxes, the application's restart flag and its main window.
#pragma once

#include "platform/windows.h"
#include "state/application_link.h"

class WindowApplicationLink : public ApplicationLink {
public:
    // A message box, over the main window when the notice is its own.
    void tell(const std::string& text, const std::string& caption, NoticeIcon icon, NoticeOwner owner) override;
    void setRestartRequested(bool requested) override;
    bool restartRequested() const override;
    bool raiseMainWindow() override;
};

// The one instance; the application installs it at start-up, the window tests for their whole run.
WindowApplicationLink& windowApplicationLink();

// Raises window to the front from any thread; false when it is not a window.
bool bringWindowToFront(HWND window);
