// MainWindow's editors: the production-type list, the rule list, the rule window with its
// "ShowRuleInfo" setting and the developer's rule dialog, and the modeless victory conditions.
#include "app/main_window.h"

#include "editors/product_edit_window.h"
#include "editors/product_list_window.h"
#include "editors/rule_list_window.h"
#include "editors/rule_setting_dialog.h"
#include "editors/rule_window.h"
#include "editors/victory_condition_dialog.h"
#include "lib/error.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/window_services.h"

namespace {

constexpr const char* kShowRuleInfo = "ShowRuleInfo";

// A kept handle whose window has gone (destroyed with its owner) is forgotten.
HWND live(HWND& window)
{
    if (window && !IsWindow(window))
        window = nullptr;
    return window;
}

} // namespace

HWND MainWindow::ruleWindow() const { return m_ruleWindow && IsWindow(m_ruleWindow) ? m_ruleWindow : nullptr; }

HWND MainWindow::victoryWindow() const
{
    return m_victoryWindow && IsWindow(m_victoryWindow) ? m_victoryWindow : nullptr;
}

void MainWindow::openRuleList()
{
    try {
        RuleListWindow window(makeWindowContext(m_state), this);
        ModalIdleOff idle;
        window.run();
    } catch (swCError* error) {
        error->Show(handle());
        delete error;
    }
}

bool MainWindow::productTypesEditable() const { return !m_state.isSimpleMode(); }

void MainWindow::openProductList(int mode)
{
    if (!productTypesEditable())
        return;
    try {
        ProductListWindow window(makeWindowContext(m_state), this, mode);
        ModalIdleOff idle;
        window.run();
    } catch (swCError* error) {
        error->Show(handle());
        delete error;
    }
}

void MainWindow::showRuleInfo()
{
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (!(m_state.settings().hel && shift)) {
        if (live(m_ruleWindow))
            closeRuleInfo();
        else
            openRuleInfo();
        return;
    }
    RuleSlot rules;
    rules.block = m_state.ruleBlock();
    RuleSettingDialog dialog(makeWindowContext(m_state), this, rules, kRuleSet);
    {
        ModalIdleOff idle;
        dialog.run();
    }
    if (dialog.result() != 1)
        return;
    m_state.ruleBlock() = dialog.slot().block;
    refreshRuleWindow();
}

void MainWindow::openRuleInfo()
{
    if (!live(m_ruleWindow)) {
        RuleWindow* window = m_state.isSimpleMode() ? new RuleShortWindow(makeWindowContext(m_state), this) : new RuleWindow(makeWindowContext(m_state), this);
        if (!window->run()) {
            delete window;
            return;
        }
        m_ruleWindow = window->handle();
    }
    ShowWindow(m_ruleWindow, SW_SHOW);
    makeNamedValue(kShowRuleInfo).profileWriteBool(true);
    updateMenuStates();
}

void MainWindow::closeRuleInfo()
{
    // The member goes first: the window's object deletes itself as it is destroyed.
    HWND window = live(m_ruleWindow);
    m_ruleWindow = nullptr;
    if (window)
        DestroyWindow(window);
    makeNamedValue(kShowRuleInfo).profileWriteBool(false);
    updateMenuStates();
}

void MainWindow::refreshRuleWindow()
{
    if (HWND window = live(m_ruleWindow))
        PostMessageA(window, ui_message::kRuleWindowRefresh, 0, 0);
}

void MainWindow::openVictoryConditions()
{
    if (HWND open = live(m_victoryWindow)) {
        SetWindowPos(open, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        return;
    }
    auto* window = new VictoryConditionDialog(makeWindowContext(m_state), this, 1, victoryConditionEntriesOf(m_state), kVictoryConfirm);
    if (!window->run()) {
        delete window;
        return;
    }
    m_victoryWindow = window->handle();
    ShowWindow(m_victoryWindow, SW_SHOW);
}

void MainWindow::closeVictoryConditions()
{
    HWND window = live(m_victoryWindow);
    m_victoryWindow = nullptr;
    if (window)
        DestroyWindow(window);
}

bool MainWindow::onEditorMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kCloseRuleWindow:
        closeRuleInfo();
        return true;
    case ui_message::kCloseVictoryWindow:
        closeVictoryConditions();
        return true;
    case ui_message::kOpenStartWindows: {
        // Windows reopened with the game come up active as any opened window does; the board
        // keeps the keyboard at the start of play.
        const HWND active = GetActiveWindow();
        if (makeNamedValue(kShowRuleInfo).profileReadBool(false))
            openRuleInfo();
        if (m_state.settings().showActionHistory)
            openActionHistory();
        refreshRuleWindow();
        openStartInfoWindows();
        openStartTroopWindows();
        if (active && active != GetActiveWindow())
            SetActiveWindow(active);
        return true;
    }
    default:
        return false;
    }
}
