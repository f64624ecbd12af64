// LandListOptionWindow: check boxes over the terrain list's display mask.
#include "infowin/land_list_option_window.h"

#include "infowin/land_list_items.h"
#include "infowin/land_list_window.h"
#include "lib/control.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/private_messages.h"

LandListOptionWindow::LandListOptionWindow(const WindowContext& context, swCWindow* landList)
    : DisplayItemWindow(context, landList, kClassName, land_list_id::kOptionButton)
{
}

LandListOptionWindow* LandListOptionWindow::open(const WindowContext& context, swCWindow* landList)
{
    auto* window = new LandListOptionWindow(context, landList);
    if (!window->createBeside(kClientWidth, 20, land_list_option_id::kLabel)) {
        delete window;
        return nullptr;
    }
    window->layoutBoxes();
    return window;
}

void LandListOptionWindow::layoutBoxes()
{
    const uint32_t mask = uint32_t(m_game.settings().landListOption);
    int shown = 0;
    for (int i = 0; i < land_list::kItemCount; ++i) {
        HWND box = GetDlgItem(handle(), int(land_list_option_id::kFirstItem) + i);
        if (!land_list::isItemOffered(m_game, i)) {
            if (box)
                DestroyWindow(box);
            continue;
        }
        const int y = 20 + 16 * shown++;
        if (!box) {
            auto* check = new CheckBox(this, land_list_option_id::kFirstItem + UINT(i));
            check->setStyle(BS_AUTOCHECKBOX | WS_TABSTOP | WS_CHILD | WS_VISIBLE);
            check->controlCreateTitled(platform::utf8ToCp932(land_list::item(i).label).c_str(), { 4, y, 78, 14 });
            box = check->handle();
            useSmallFont(box);
        } else {
            MoveWindow(box, 4, y, 78, 14, TRUE);
        }
        SendMessageA(box, BM_SETCHECK, (mask >> i & 1) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    setClientSize(kClientWidth, 16 * shown + 20);
}

int LandListOptionWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kLandListOptionRefresh:
        layoutBoxes();
        return 1;
    default:
        return DisplayItemWindow::OnMessage(msg);
    }
}

int LandListOptionWindow::OnCommand(MessageRecord&, UINT id, UINT)
{
    if (id < land_list_option_id::kFirstItem || id >= land_list_option_id::kFirstItem + land_list::kItemCount)
        return dialogKey(id) ? 1 : 0;
    const int item = int(id - land_list_option_id::kFirstItem);
    const bool checked = SendMessageA(GetDlgItem(handle(), int(id)), BM_GETCHECK, 0, 0) == BST_CHECKED;
    int32_t& mask = m_game.settings().landListOption;
    mask = int32_t(checked ? uint32_t(mask) | 1u << item : uint32_t(mask) & ~(1u << item));
    if (parent() && parent()->handle())
        PostMessageA(parent()->handle(), ui_message::kLandListItemsChanged, 0, 0);
    return 1;
}
