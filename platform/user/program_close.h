// Closing the program from outside its windows: the desktop's close button, and the signals a
// terminal or the system sends (SIGTERM, SIGINT, SIGHUP).
#pragma once

namespace platform {

// Installs the handlers of SIGTERM, SIGINT and SIGHUP. Each signal asks the program's main window to
// close, as its close box does, also while that box is greyed (the window decides when it goes). A
// third signal before the program has ended ends it at once.
void closeOnSignals();

// Who asks for the close: the person (the desktop's close button, a window manager's close), or
// nobody who could answer a question (a signal, the display gone, a run timed to end).
enum class CloseRequest { Person, Unattended };

// Asks the program's top-level window to close (WM_CLOSE); a greyed close box refuses the person's
// request. The request is remembered (see closeRequested) when it was sent.
void requestProgramClose(CloseRequest kind);

// Whether a close was asked since the last clear: one that came before the main window existed (while
// a start-up box or dialog was open, or before any window) is still owed to it.
bool closeRequested();
// Whether one of them came unattended: the program then ends without asking anything.
bool unattendedCloseRequested();
void clearCloseRequest();

} // namespace platform
