// RuleWindow: the rules in force, read-only, refreshed on request.
#include "editors/rule_window.h"

#include "editors/panel_page.h"
#include "editors/window_frame.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

namespace {

namespace id = rule_option_id;

constexpr SIZE kFullClient { 400, 436 };
constexpr SIZE kShortClient { 400, 170 };

} // namespace

RuleWindow::RuleWindow(const WindowContext& context, swCWindow* mainWindow)
    : RuleWindow(context, mainWindow, false)
{
}

RuleWindow::RuleWindow(const WindowContext& context, swCWindow* mainWindow, bool shortForm)
    : KitWindow(dialog_template::kModelessInfo, mainWindow, true)
    , m_game(context.game)
    , m_short(shortForm)
{
    registerGameDialogTemplates();
}

int RuleWindow::OnInitDialog()
{
    const SIZE client = m_short ? kShortClient : kFullClient;
    ui::placeInfoWindow(*this, kPlacementPrefix, { client.cx, client.cy }, m_game.settings().leftInfoPanel, TRUE);
    SetWindowTextA(handle(), platform::utf8ToCp932("ルール情報").c_str());
    m_block = m_game.ruleBlock();
    if (m_short)
        buildShortRuleOptionPanel(*this, m_game, m_block, false, true, m_panel);
    else
        buildRuleOptionPanel(*this, m_game, m_block, false, true, m_panel);
    makePushButton(handle(), "OK", id::kOk, 296, client.cy - 32);
    m_page = 0;
    showRulePage(m_panel, m_page, -1);
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
    if (runPanelCommand(*this, msg))
        return 1;
    if (msg.message == ui_message::kRuleWindowRefresh) {
        m_block = m_game.ruleBlock();
        showRules();
        return 1;
    }
    return KitWindow::OnMessage(msg);
}

int RuleWindow::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    if (control == UINT(id::kOk) || control == IDOK || control == IDCANCEL) {
        closeGesture();
        return 1;
    }
    return DialogBase::OnCommand(msg, control, code);
}

int RuleWindow::OnNotify(MessageRecord&, UINT, NMHDR* header)
{
    return followRuleTab(m_panel, header, m_page) ? 1 : 0;
}
