// The game's question still asked in a message box, in the game's words.
#include "app/main_window_prompts.h"

#include "app/window_helpers.h"
#include "platform/kernel/host.h"

namespace prompts {

bool askProductionOrders(HWND owner)
{
    ModalIdleOff idle;
    const std::string text = platform::utf8ToCp932("部隊の生産指示を行いますか？");
    const std::string caption = platform::utf8ToCp932("確認");
    return MessageBoxA(owner, text.c_str(), caption.c_str(), MB_YESNO) == IDYES;
}

} // namespace prompts
