// ActionHistoryOptionDialog: the kind boxes of the history.
#include "infowin/action_history_option_dialog.h"

#include "infowin/action_history_window.h"
#include "lib/control.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/private_messages.h"

namespace {

struct Box {
    const char* label; // UTF-8
    std::vector<int> kinds;
};

const std::vector<Box>& boxes()
{
    static const std::vector<Box> table = {
        { "生産", { 0, 23 } }, { "増援登場", { 24 } }, { "輸送完了", { 31 } }, { "燃料切れ", { 21, 22 } },
        { "戦闘", { 14, 28 } }, { "射撃", { 19 } }, { "自爆", { 11 } }, { "誤射", { 15, 30 } },
        { "地雷作動", { 20 } }, { "機雷作動", { 18 } }, { "占領", { 3 } }, { "変形", { 2 } },
        { "破壊", { 12 } }, { "修復", { 1 } }, { "補強", { 27 } }, { "合流", { 7 } },
        { "分散", { 8 } }, { "武装交換", { 6 } }, { "妨害", { 13 } }, { "ﾄｰﾁｶ設営", { 9 } },
        { "架橋", { 10 } }, { "道路施設", { 26 } }, { "補給", { 4 } }, { "補充", { 5 } },
        { "修理", { 25 } }, { "解散", { 17 } }, { "地雷除去", { 29 } }, { "機雷掃海", { 16 } },
    };
    return table;
}

} // namespace

const std::vector<int>& ActionHistoryOptionDialog::boxKinds(int box) { return boxes()[size_t(box)].kinds; }

uint32_t ActionHistoryOptionDialog::boxMask(int box)
{
    uint32_t mask = 0;
    for (int kind : boxKinds(box))
        mask |= 1u << kind;
    return mask;
}

ActionHistoryOptionDialog::ActionHistoryOptionDialog(const WindowContext& context, swCWindow* history)
    : DisplayItemWindow(context, history, kClassName, action_history_id::kOptionButton)
{
}

ActionHistoryOptionDialog* ActionHistoryOptionDialog::open(const WindowContext& context, swCWindow* history)
{
    auto* window = new ActionHistoryOptionDialog(context, history);
    if (!window->createBeside(kClientWidth, kClientHeight, action_history_option_id::kLabel)) {
        delete window;
        return nullptr;
    }
    window->createBoxes();
    return window;
}

void ActionHistoryOptionDialog::createBoxes()
{
    const uint32_t mask = uint32_t(m_game.settings().historyOption);
    for (int i = 0; i < action_history_option_id::kBoxCount; ++i) {
        auto* box = new CheckBox(this, action_history_option_id::kFirstBox + UINT(i));
        box->controlCreateTitled(platform::utf8ToCp932(boxes()[size_t(i)].label).c_str(),
            { (i % 2) * 72 + 4, (i / 2) * 16 + 20, 66, 14 });
        useSmallFont(box->handle());
        SendMessageA(box->handle(), BM_SETCHECK, (mask & boxMask(i)) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

int ActionHistoryOptionDialog::OnCommand(MessageRecord&, UINT command, UINT)
{
    if (command < action_history_option_id::kFirstBox || command >= action_history_option_id::kFirstBox + action_history_option_id::kBoxCount)
        return dialogKey(command) ? 1 : 0;
    const int box = int(command - action_history_option_id::kFirstBox);
    const bool checked = SendMessageA(GetDlgItem(handle(), int(command)), BM_GETCHECK, 0, 0) == BST_CHECKED;
    int32_t& option = m_game.settings().historyOption;
    option = int32_t(checked ? uint32_t(option) | boxMask(box) : uint32_t(option) & ~boxMask(box));
    if (parent() && parent()->handle())
        PostMessageA(parent()->handle(), ui_message::kHistoryRefresh, 0, 0);
    return 1;
}
