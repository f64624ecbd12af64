// The game's yes/no questions asked in message boxes owned by the main window, in the game's words.
#include "app/main_window_prompts.h"

#include "app/window_helpers.h"
#include "platform/kernel/host.h"

namespace prompts {

namespace {

bool askYesNo(HWND owner, const char* utf8)
{
    ModalIdleOff idle;
    const std::string text = platform::utf8ToCp932(utf8);
    const std::string caption = platform::utf8ToCp932("確認");
    return MessageBoxA(owner, text.c_str(), caption.c_str(), MB_YESNO) == IDYES;
}

} // namespace

bool askProductionOrders(HWND owner) { return askYesNo(owner, "部隊の生産指示を行いますか？"); }

bool confirmTurnEnd(HWND owner) { return askYesNo(owner, "ターンを終了しますか？"); }

} // namespace prompts
