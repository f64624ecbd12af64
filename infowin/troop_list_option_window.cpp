// TroopListOptionWindow: the column boxes and the "TroopListOption" bits they switch.
#include "infowin/troop_list_option_window.h"

#include "infowin/troop_list_box.h"
#include "infowin/troop_list_ids.h"
#include "infowin/troop_list_window.h"
#include "lib/control.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "ui/private_messages.h"

namespace {

constexpr int kBoxLeft = 4;
constexpr int kBoxTop = 20;
constexpr int kBoxPitch = 16;

// The level box only with rule 12 on, the fatigue box only with rule 11 on.
bool offered(const GameState& game, int column)
{
    if (column == 7)
        return game.ruleOn(kRuleExperience);
    if (column == 8)
        return game.ruleOn(kRuleFatigue);
    return true;
}

} // namespace

TroopListOptionWindow::TroopListOptionWindow(const WindowContext& context, TroopListWindow* list)
    : DisplayItemWindow(context, list, kClassName, troop_list_id::kOptionToggle)
    , m_list(list)
    , m_listHandle(list->handle())
{
}

TroopListOptionWindow::~TroopListOptionWindow()
{
    if (m_list && IsWindow(m_listHandle) && m_list->optionWindow() == this)
        m_list->setOptionWindow(nullptr);
}

TroopListOptionWindow* TroopListOptionWindow::open(const WindowContext& context, TroopListWindow* list)
{
    if (!list || !list->handle())
        return nullptr;
    auto* window = new TroopListOptionWindow(context, list);
    if (!window->createBeside(kClientWidth, kBoxTop, troop_list_id::kOptionLabel)) {
        delete window;
        return nullptr;
    }
    window->layoutBoxes();
    list->setOptionWindow(window);
    return window;
}

void TroopListOptionWindow::layoutBoxes()
{
    for (CheckBox* box : m_boxes)
        DestroyWindow(box->handle());
    m_boxes.clear();
    m_columns.clear();
    const uint32_t mask = troopListColumnMask(m_game);
    for (int column = 0; column < kTroopColumnCount; ++column) {
        if (!offered(m_game, column))
            continue;
        const int n = int(m_boxes.size());
        auto* box = new CheckBox(this, troop_list_id::kFirstColumnBox + UINT(column));
        box->setStyle(BS_AUTOCHECKBOX | WS_TABSTOP | WS_CHILD | WS_VISIBLE);
        box->controlCreateTitled(troopColumnLabel(column), { kBoxLeft, kBoxTop + kBoxPitch * n, 66, 14 });
        useSmallFont(box->handle());
        SendMessageA(box->handle(), BM_SETCHECK, (mask >> column & 1) ? BST_CHECKED : BST_UNCHECKED, 0);
        m_boxes.push_back(box);
        m_columns.push_back(column);
    }
    setClientSize(kClientWidth, kBoxTop + kBoxPitch * int(m_boxes.size()));
}

int TroopListOptionWindow::OnCommand(MessageRecord&, UINT controlId, UINT)
{
    if (controlId >= troop_list_id::kFirstColumnBox && controlId < troop_list_id::kFirstColumnBox + kTroopColumnCount) {
        const int column = int(controlId - troop_list_id::kFirstColumnBox);
        const bool on = SendMessageA(GetDlgItem(handle(), int(controlId)), BM_GETCHECK, 0, 0) == BST_CHECKED;
        int32_t& option = m_game.settings().troopListOption;
        const uint32_t bit = 1u << column;
        option = int32_t(on ? uint32_t(option) | bit : uint32_t(option) & ~bit);
        if (IsWindow(m_listHandle))
            PostMessageA(m_listHandle, ui_message::kTroopListColumnsChanged, 0, 0);
        return 1;
    }
    return dialogKey(controlId) ? 1 : 0;
}
