// TroopListOptionWindow: the column boxes, the "TroopListOption" bits they switch, and the list
// raised by a click on them.
#include "infowin/troop_list_option_window.h"

#include "infowin/display_item_dock.h"
#include "infowin/game_options.h"
#include "infowin/troop_list_box.h"
#include "infowin/troop_list_ids.h"
#include "infowin/troop_list_window.h"
#include "lib/control.h"
#include "platform/kernel/host.h"
#include "state/game_settings.h"
#include "state/game_state.h"

#include <string>

namespace {

namespace id = troop_list_id;

constexpr int kBoxLeft = 4;
constexpr int kBoxTop = 20;
constexpr int kBoxPitch = 16;

// The level box only with rule 12 on, the fatigue box only with rule 11 on.
bool offered(int column)
{
    if (column == 7)
        return isExperienceRuleOn();
    if (column == 8)
        return isFatigueRuleOn();
    return true;
}

} // namespace

TroopListOptionWindow::TroopListOptionWindow(TroopListWindow* list)
    : swCWindow(kClassName, list)
    , m_list(list)
    , m_listHandle(list->handle())
{
    m_windowClass.hbrBackground = GetSysColorBrush(COLOR_MENU);
    setTitle("");
    setStyle(WS_POPUP | WS_DLGFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW);
    setFrame(0, 0, 80, 80);
}

TroopListOptionWindow::~TroopListOptionWindow()
{
    if (m_list && IsWindow(m_listHandle) && m_list->optionWindow() == this)
        m_list->setOptionWindow(nullptr);
}

TroopListOptionWindow* TroopListOptionWindow::open(TroopListWindow* list)
{
    if (!list || !list->handle() || !g_gameState)
        return nullptr;
    auto* window = new TroopListOptionWindow(list);
    if (!window->Create()) {
        delete window;
        return nullptr;
    }
    static const std::string label = platform::utf8ToCp932("表示項目");
    auto* title = new StaticText(window, id::kOptionLabel, 0);
    title->controlCreateTitled(label.c_str(), { 4, 4, 48, 12 });
    SendMessageA(title->handle(), WM_SETFONT, WPARAM(g_gameState->font(kSmallFont).handle()), FALSE);
    window->layoutBoxes();
    list->setOptionWindow(window);
    const POINT at = displayItemDockPoint(list->handle());
    SetWindowPos(window->handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return window;
}

void TroopListOptionWindow::layoutBoxes()
{
    for (CheckBox* box : m_boxes)
        DestroyWindow(box->handle());
    m_boxes.clear();
    m_columns.clear();
    const uint32_t mask = troopListColumnMask();
    HFONT font = g_gameState ? g_gameState->font(kSmallFont).handle() : nullptr;
    for (int column = 0; column < kTroopColumnCount; ++column) {
        if (!offered(column))
            continue;
        const int n = int(m_boxes.size());
        auto* box = new CheckBox(this, id::kFirstColumnBox + UINT(column));
        box->setStyle(BS_AUTOCHECKBOX | WS_TABSTOP | WS_CHILD | WS_VISIBLE);
        box->controlCreateTitled(troopColumnLabel(column), { kBoxLeft, kBoxTop + kBoxPitch * n, 66, 14 });
        SendMessageA(box->handle(), WM_SETFONT, WPARAM(font), FALSE);
        SendMessageA(box->handle(), BM_SETCHECK, (mask >> column & 1) ? BST_CHECKED : BST_UNCHECKED, 0);
        m_boxes.push_back(box);
        m_columns.push_back(column);
    }
    RECT frame { 0, 0, kClientWidth, kBoxTop + kBoxPitch * int(m_boxes.size()) };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(handle(), GWL_STYLE)), FALSE,
        DWORD(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TroopListOptionWindow::raiseList() const
{
    if (IsWindow(m_listHandle))
        BringWindowToTop(m_listHandle);
}

int TroopListOptionWindow::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_LBUTTONDOWN:
        raiseList();
        return 1;
    case WM_PARENTNOTIFY:
        if (LOWORD(msg.wParam) == WM_LBUTTONDOWN || LOWORD(msg.wParam) == WM_RBUTTONDOWN)
            raiseList();
        return 0;
    default:
        return 0;
    }
}

int TroopListOptionWindow::OnCommand(MessageRecord&, UINT controlId, UINT)
{
    if (controlId >= id::kFirstColumnBox && controlId < id::kFirstColumnBox + kTroopColumnCount) {
        if (!g_gameState)
            return 1;
        const int column = int(controlId - id::kFirstColumnBox);
        const bool on = SendMessageA(GetDlgItem(handle(), int(controlId)), BM_GETCHECK, 0, 0) == BST_CHECKED;
        int32_t& option = g_gameState->settings().troopListOption;
        const uint32_t bit = 1u << column;
        option = int32_t(on ? uint32_t(option) | bit : uint32_t(option) & ~bit);
        if (IsWindow(m_listHandle))
            PostMessageA(m_listHandle, troop_list_message::kColumnsChanged, 0, 0);
        return 1;
    }
    return controlId == IDOK || controlId == IDCANCEL ? 1 : 0;
}
