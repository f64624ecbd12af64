// ApplicationLink: what the game state asks of the program around it: telling the person something,
// the restart request and raising the main window. The application installs the windows' link at
// start-up; without one the state still runs (tests, tools) and each request does what is sound there.
#pragma once

#include <string>

// A notice's icon: none, or the stop sign of a warning that may end start-up.
enum class NoticeIcon { None, Stop };
// Whose notice it is: the main window's (it waits until the notice is read) or nobody's (start-up,
// before there is a main window).
enum class NoticeOwner { Nobody, MainWindow };

class ApplicationLink {
public:
    virtual ~ApplicationLink() = default;

    // Shows text under caption (both CP932) and returns once the person has read it.
    virtual void tell(const std::string& text, const std::string& caption, NoticeIcon icon, NoticeOwner owner) = 0;
    // The program-wide restart flag: after its run the program starts again.
    virtual void setRestartRequested(bool requested) = 0;
    virtual bool restartRequested() const = 0;
    // False when there is no main window to raise.
    virtual bool raiseMainWindow() = 0;
};

// Owned by the caller; nullptr uninstalls.
void setApplicationLink(ApplicationLink* link);
// The installed link, else one with nobody to tell (notices go to the debug output), a restart flag
// that nothing acts on, and no main window.
ApplicationLink& applicationLink();
