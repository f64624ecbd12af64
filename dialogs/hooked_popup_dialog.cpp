// HookedPopupDialog: layout by entry lists, row enabling by purpose, nested popups and the mouse hook.
#include "dialogs/hooked_popup_dialog.h"

#include "dialogs/popup_rows.h"
#include "platform/kernel/host.h"
#include "rules/current_action.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/dialog_templates.h"
#include "ui/private_messages.h"

#include <array>

namespace {

// One popup is active at a time: the innermost one, which the hook tells of right clicks.
HookedPopupDialog* g_activePopup = nullptr;
HHOOK g_mouseHook = nullptr;

constexpr std::array<const char*, 4> kPrompts {
    "　 搭載先の部隊を選択してください",
    "　 攻撃目標を選択してください",
    "　 攻撃する部隊を選択してください",
    "　 移動目標を選択してください",
};

constexpr int kSeparatorHeight = 4;

} // namespace

HookedPopupDialog::HookedPopupDialog(const WindowContext& context, swCWindow* owner, int purpose, int x, int y,
    std::vector<uint32_t> upperEntries, std::vector<uint32_t> lowerEntries)
    : KitWindow(dialog_template::kHexPopup, owner, false)
    , m_game(context.game)
    , m_main(context.main)
    , m_look(context.look)
    , m_upperEntries(std::move(upperEntries))
    , m_lowerEntries(std::move(lowerEntries))
    , m_x(x)
    , m_y(y)
    , m_purpose(purpose)
{
    registerGameDialogTemplates();
}

std::string HookedPopupDialog::promptText(int number)
{
    return number >= 0 && number < int(kPrompts.size()) ? platform::utf8ToCp932(kPrompts[size_t(number)]) : std::string();
}

HookedPopupDialog* HookedPopupDialog::activePopup() { return g_activePopup; }
bool HookedPopupDialog::hookInstalled() { return g_mouseHook != nullptr; }

const UnitRecord* HookedPopupDialog::entryUnit(uint32_t entry) const
{
    if (!popup_entry::isUnit(entry))
        return nullptr;
    const UnitRecord* unit = m_game.unitOf(int(popup_entry::kindOf(entry)), int(popup_entry::valueOf(entry)));
    return unit && unitExists(*unit) ? unit : nullptr;
}

bool HookedPopupDialog::autoMoveMarked(uint32_t entry) const
{
    const UnitRecord* unit = entryUnit(entry);
    if (!unit)
        return false;
    if (unit->hasAutoRoute == 1)
        return true;
    const CurrentAction& action = currentAction(m_game);
    return action.autoMoveSetup() && action.autoMoveGroupContains(int(popup_entry::valueOf(entry)));
}

bool HookedPopupDialog::rowEnabled(uint32_t entry) const
{
    const uint32_t kind = popup_entry::kindOf(entry);
    if (kind == popup_entry::kPrompt)
        return false;
    const bool unit = popup_entry::isUnit(entry);
    const int side = int(kind);
    const int index = int(popup_entry::valueOf(entry));
    switch (m_purpose) {
    case kBoard: {
        const UnitRecord* carrier = unit ? entryUnit(entry) : nullptr;
        const CurrentAction& action = currentAction(m_game);
        const int actingSide = action.actingCountry();
        const int actingIndex = action.actingIndex();
        if (!carrier || (side == actingSide && index == actingIndex))
            return false;
        return carrier->canTakeAboard(actingSide, actingIndex, side, index);
    }
    case kMoveTarget:
    case kAutoMoveTarget:
        return true;
    case kAutoMoveGroup:
        if (unit)
            return side < kCountryCount && entryUnit(entry) && !currentAction(m_game).autoMoveGroupContains(index);
        return kind == popup_entry::kHex;
    default:
        return false;
    }
}

bool HookedPopupDialog::cellEnabled(uint32_t entry) const
{
    if (m_purpose == kMoveTarget || !popup_entry::isUnit(entry))
        return false;
    if (int(popup_entry::kindOf(entry)) != m_game.turnBlock().currentCountry)
        return false;
    const UnitRecord* unit = entryUnit(entry);
    return unit && unit->hasFlag(kUnitCarrying);
}

void HookedPopupDialog::makeRows(const std::vector<uint32_t>& entries, UINT firstRow, UINT firstCell, int top)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        const int y = top + CommandPromptBar::kHeight * int(i);
        auto* row = new CommandPromptBar(this, firstRow + UINT(i), entries[i], 0, y);
        auto* cell = new ProductionStatusList(this, firstCell + UINT(i), entries[i], CommandPromptBar::kWidth, y);
        cell->setMenuBackground(popup_entry::kindOf(entries[i]) == popup_entry::kPrompt);
        EnableWindow(row->handle(), rowEnabled(entries[i]));
        EnableWindow(cell->handle(), cellEnabled(entries[i]));
    }
}

int HookedPopupDialog::OnInitDialog()
{
    const int width = ProductionStatusList::width(m_game) + CommandPromptBar::kWidth;
    const bool both = !m_upperEntries.empty() && !m_lowerEntries.empty();
    const int height = CommandPromptBar::kHeight * int(m_upperEntries.size() + m_lowerEntries.size()) + (both ? kSeparatorHeight : 0);
    RECT frame { 0, 0, width, height };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(handle(), GWL_STYLE)), FALSE,
        DWORD(GetWindowLongPtrA(handle(), GWL_EXSTYLE)));
    // At the point asked for, unless it would leave the work area (a click near the map's edge).
    windowFitWorkArea(m_x, m_y, frame.right - frame.left, frame.bottom - frame.top, FALSE, 1);

    auto* sink = new PushButton(this, kFocusSink, BS_PUSHBUTTON);
    sink->controlCreate({ -10, -10, 0, 0 });
    makeRows(m_upperEntries, kFirstUpperRow, kFirstUpperCell, 0);
    const int lowerTop = CommandPromptBar::kHeight * int(m_upperEntries.size());
    if (both) {
        auto* line = new StaticText(this, kSeparator, SS_SUNKEN);
        line->controlCreate({ 0, lowerTop, width, kSeparatorHeight });
    }
    makeRows(m_lowerEntries, kFirstLowerRow, kFirstLowerCell, lowerTop + (both ? kSeparatorHeight : 0));
    SetFocus(sink->handle());
    installHook();
    return 0;
}

void HookedPopupDialog::installHook()
{
    g_activePopup = this;
    if (!g_mouseHook)
        g_mouseHook = SetWindowsHookExA(WH_MOUSE, mouseHook, nullptr, GetCurrentThreadId());
}

void HookedPopupDialog::removeHook()
{
    if (g_mouseHook)
        UnhookWindowsHookEx(g_mouseHook);
    g_mouseHook = nullptr;
}

LRESULT CALLBACK HookedPopupDialog::mouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && (wParam == WM_RBUTTONDOWN || wParam == WM_NCRBUTTONDOWN) && g_activePopup)
        PostMessageA(g_activePopup->handle(), ui_message::kPopupRightClicked, 0, 0);
    return CallNextHookEx(g_mouseHook, code, wParam, lParam);
}

void HookedPopupDialog::openNested(ProductionStatusList* cell)
{
    if (!cell || !IsWindowEnabled(cell->handle()) || g_activePopup != this)
        return;
    const UnitRecord* unit = entryUnit(cell->entry());
    if (!unit)
        return;
    const int side = int(popup_entry::kindOf(cell->entry()));
    std::vector<uint32_t> carried;
    for (int slot = 0; slot < 8; ++slot) {
        int cargoSide = side;
        const int indexPlusOne = unit->carriedUnitAt(slot, cargoSide);
        if (indexPlusOne > 0)
            carried.push_back(popup_entry::make(uint32_t(cargoSide), uint32_t(indexPlusOne - 1)));
    }
    if (carried.empty())
        return;

    RECT cellRect {}, outer {}, area {};
    GetWindowRect(cell->handle(), &cellRect);
    GetWindowRect(handle(), &outer);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int nestedWidth = outer.right - outer.left;
    int x = cellRect.right;
    // Like a cascading menu: to the right of the cell, else to the left of this popup.
    if (x + nestedWidth > area.right)
        x = outer.left - nestedWidth;

    removeHook();
    SetFocus(GetDlgItem(handle(), kFocusSink));
    HookedPopupDialog nested({ m_game, m_main, m_look }, this, m_purpose, x, cellRect.top, {}, std::move(carried));
    nested.run();
    if (nested.result() == 1) {
        m_chosenEntry = nested.chosenEntry();
        setResult(1);
        close();
        return;
    }
    // The nested popup took the hook with it: this popup is the one right clicks close again.
    installHook();
}

int HookedPopupDialog::OnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kPopupRightClicked:
        closeGesture();
        return 1;
    case ui_message::kPopupCellPointed:
        openNested(reinterpret_cast<ProductionStatusList*>(msg.lParam));
        return 1;
    default:
        break;
    }
    return KitWindow::OnMessage(msg);
}

void HookedPopupDialog::destroying()
{
    if (g_activePopup == this) {
        removeHook();
        g_activePopup = nullptr;
    }
}

int HookedPopupDialog::OnCommand(MessageRecord& msg, UINT id, UINT code)
{
    const auto chooseFrom = [&](const std::vector<uint32_t>& entries, UINT first) {
        if (id < first || id >= first + entries.size())
            return false;
        m_chosenEntry = entries[id - first];
        setResult(1);
        close();
        return true;
    };
    if (chooseFrom(m_upperEntries, kFirstUpperRow) || chooseFrom(m_lowerEntries, kFirstLowerRow))
        return 1;
    if (id >= kFirstUpperCell && id < kFocusSink) {
        openNested(dynamic_cast<ProductionStatusList*>(windowFromHandle(GetDlgItem(handle(), int(id)))));
        return 1;
    }
    if (id == kFocusSink)
        return 1;
    return KitWindow::OnCommand(msg, id, code);
}
