// The main window's done event; the window services every window uses come from infowin/.
#pragma once

#include "ui/window_services.h"

#include <functional>
#include <memory>

class UiWait;

// The wait the main window answers, then forgets, once the work asked by the income or the
// end-of-game message is done. Null forgets a stored one without answering it.
void setMainWindowDoneEvent(std::shared_ptr<UiWait> wait);
// Whether a stored wait still waits for its answer (play may have stopped meanwhile).
bool mainWindowDoneEventPending();
// Answers and forgets the stored wait; nothing when none is stored.
void signalMainWindowDoneEvent();

