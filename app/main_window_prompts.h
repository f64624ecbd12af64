// The game's question still asked in a message box, until its own window exists: it asks the
// person, owned by the main window, and returns the answer.
#pragma once

#include "platform/windows.h"

namespace prompts {

// "部隊の生産指示を行いますか？": true for yes.
bool askProductionOrders(HWND owner);

} // namespace prompts
