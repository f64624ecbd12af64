// The game's yes/no questions asked in message boxes owned by the main window.
#pragma once

#include "platform/windows.h"

namespace prompts {

// "部隊の生産指示を行いますか？": true for yes.
bool askProductionOrders(HWND owner);
// "ターンを終了しますか？": true for yes.
bool confirmTurnEnd(HWND owner);

} // namespace prompts
