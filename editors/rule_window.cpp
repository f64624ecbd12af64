// RuleWindow: the rules in force, read-only, refreshed on request.
#include "editors/rule_window.h"

#include "editors/panel_page.h"
#include "editors/window_frame.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

RuleWindow::RuleWindow(const WindowContext& context, swCWindow* mainWindow)
    : RuleWindow(context, mainWindow, false)
{
}

RuleWindow::RuleWindow(const WindowContext& context, swCWindow* mainWindow, bool shortForm)
    : RulePanelWindow(context, mainWindow, dialog_template::kModelessInfo, true, shortForm)
{
    registerGameDialogTemplates();
}

int RuleWindow::OnInitDialog()
{
    const SIZE client = clientSize();
    ui::placeInfoWindow(*this, kPlacementPrefix, { client.cx, client.cy }, m_game.settings().leftInfoPanel, TRUE);
    SetWindowTextA(handle(), platform::utf8ToCp932("ルール情報").c_str());
    m_block = m_game.ruleBlock();
    buildPanel(m_block, false, true);
    makePushButton(handle(), m_look, "OK", rule_option_id::kOk, 296, client.cy - 32);
    // Enter closes it from the tabs too, as OK does.
    SendMessageA(handle(), DM_SETDEFID, rule_option_id::kOk, 0);
    showFirstPage();
    showRules();
    return 0;
}

void RuleWindow::showRules()
{
    const int rule = m_block.lead;
    const std::string name = rule < kRuleSlotCount ? m_game.ruleSlot(rule).name
                                                   : platform::utf8ToCp932("カスタム");
    SetWindowTextA(m_panel.nameBox, name.c_str());
    setRuleOptionValues(m_game, m_panel, m_block, false, false);
}

const ui::WindowDescription& RuleWindow::description() const
{
    static const ui::WindowDescription kDescription { kPlacementPrefix, false, ui::Drag::ByFrame, ui::Closing::Itself, 0, 0, true };
    return kDescription;
}

void RuleWindow::closeGesture() { askOwnerToClose(*this, ui_message::kCloseRuleWindow); }

int RuleWindow::OnMessage(MessageRecord& msg)
{
    if (msg.message == ui_message::kRuleWindowRefresh) {
        m_block = m_game.ruleBlock();
        showRules();
        return 1;
    }
    return RulePanelWindow::OnMessage(msg);
}

int RuleWindow::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    if (control == UINT(rule_option_id::kOk) || control == IDOK || control == IDCANCEL) {
        closeGesture();
        return 1;
    }
    return DialogBase::OnCommand(msg, control, code);
}
