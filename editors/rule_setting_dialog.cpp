// RuleSettingDialog: building the dialog around its panel, the rule choice with its refusals, and
// OK with the rule name's check.
#include "editors/rule_setting_dialog.h"

#include "editors/panel_page.h"
#include "editors/window_frame.h"
#include "rules/move_checks.h"
#include "state/game_state.h"
#include "state/state_accessors.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"

namespace {

using ui::cp;

const char* titleOf(RuleDialogMode mode)
{
    switch (mode) {
    case kRuleEdit: return "ルール編集";
    case kRuleConfirm: return "ルール確認";
    default: return "ルール設定";
    }
}

std::string windowText(HWND window)
{
    std::string text(size_t(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(window, text.data(), int(text.size()))));
    return text;
}

} // namespace

std::string ruleNameFromText(const std::string& text)
{
    std::string name = text;
    trimFullWidthSpaces(name);
    size_t end = 0;
    while (end < name.size()) {
        const size_t width = IsDBCSLeadByte(BYTE(name[end])) && end + 1 < name.size() ? 2 : 1;
        if (end + width > size_t(kRuleNameBytes))
            break;
        end += width;
    }
    name.resize(end);
    return name;
}

RuleSettingDialog::RuleSettingDialog(const WindowContext& context, swCWindow* owner, const RuleSlot& slot,
    RuleDialogMode mode)
    : RuleSettingDialog(context, owner, slot, mode, false)
{
}

RuleSettingDialog::RuleSettingDialog(const WindowContext& context, swCWindow* owner, const RuleSlot& slot,
    RuleDialogMode mode, bool shortForm)
    : RulePanelWindow(context, owner, dialog_template::kRuleSetting, false, shortForm)
    , m_slot(slot)
    , m_mode(mode)
{
    registerGameDialogTemplates();
}

std::optional<RuleSlot> RuleSettingDialog::runForMode(const WindowContext& context, swCWindow* owner,
    const RuleSlot& slot, RuleDialogMode mode)
{
    RuleSettingDialog dialog(context, owner, slot, mode, context.game.isSimpleMode());
    dialog.run();
    if (dialog.result() != 1)
        return std::nullopt;
    return dialog.slot();
}

int RuleSettingDialog::OnInitDialog()
{
    const SIZE client = clientSize();
    ui::centreWindow(*this, m_parent ? m_parent->handle() : nullptr, { client.cx, client.cy }, { .repaint = TRUE });
    const bool editable = m_mode != kRuleConfirm;
    const bool nameBox = m_mode == kRuleEdit;
    buildPanel(m_slot.block, editable, nameBox);
    // After the panel, so that Tab reaches them last.
    const int buttonsTop = client.cy - 32;
    makePushButton(handle(), m_look, "OK", rule_option_id::kOk, 192, buttonsTop);
    makePushButton(handle(), m_look, "ｷｬﾝｾﾙ", rule_option_id::kCancel, 296, buttonsTop);
    showFirstPage();
    SetWindowTextA(handle(), cp(titleOf(m_mode)).c_str());
    return 0;
}

int RuleSettingDialog::DataExchange(int save)
{
    if (!save) {
        showValues();
        if (m_mode == kRuleEdit)
            SetWindowTextA(m_panel.nameBox, m_slot.name.c_str());
    }
    return DialogBase::DataExchange(save);
}

void RuleSettingDialog::showValues()
{
    if (m_mode == kRuleEdit)
        setRuleOptionValues(m_game, m_panel, m_slot.block, true, false);
    else
        setRuleOptionValues(m_game, m_panel, m_slot.block, m_slot.block.lead >= 4 && m_mode != kRuleConfirm, true);
}

const ui::WindowDescription& RuleSettingDialog::description() const
{
    static const ui::WindowDescription kDescription { nullptr, false, ui::Drag::ByFrame, ui::Closing::EndModal, 0, 0, true };
    return kDescription;
}

int RuleSettingDialog::OnCommand(MessageRecord& msg, UINT control, UINT code)
{
    switch (control) {
    // Enter reaches the dialog as IDOK and Escape as IDCANCEL.
    case IDOK:
    case rule_option_id::kOk:
        accept();
        return 1;
    case IDCANCEL:
    case rule_option_id::kCancel:
        ui::endWindow(*this, 0);
        return 1;
    case rule_option_id::kRuleCombo:
        if (code == CBN_SELCHANGE && m_mode == kRuleSet)
            chooseRule();
        return 1;
    default:
        if (code == BN_CLICKED && clickRuleOption(m_panel, int(control)))
            return 1;
        return DialogBase::OnCommand(msg, control, code);
    }
}

void RuleSettingDialog::chooseRule()
{
    const int chosen = chosenRuleNumber(m_panel);
    if (chosen < kRuleSlotCount) {
        const RuleBlock& rule = m_game.ruleSlot(chosen).block;
        bool refused = false;
        if (rule.switches[kRuleStoring] != m_slot.block.switches[kRuleStoring] && rule.switches[kRuleStoring] == 0
            && !noUnitStored(m_game)) {
            modalMessageBox(this, cp("収納部隊が配置されているために、収納なしに設定できません。").c_str(), cp("注意").c_str());
            refused = true;
        }
        if (rule.switches[kRuleStacking] != m_slot.block.switches[kRuleStacking] && !noUnitOnMap(m_game)) {
            modalMessageBox(this, cp("部隊が配置されているために、スタックありなしの変更はできません。").c_str(),
                cp("注意").c_str());
            refused = true;
        }
        if (refused) {
            selectRuleChoice(m_panel, m_slot.block.lead);
            return;
        }
        m_slot.block = rule;
    } else {
        // "カスタム" starts from the switches as they stand.
        readRuleOptionValues(m_panel, m_slot.block);
    }
    m_slot.block.lead = uint8_t(chosen);
    showValues();
}

void RuleSettingDialog::accept()
{
    readRuleOptionValues(m_panel, m_slot.block);
    if (m_mode == kRuleEdit) {
        const std::string name = ruleNameFromText(windowText(m_panel.nameBox));
        if (name.empty()) {
            modalMessageBox(this, cp("ルール名を設定してください。").c_str(), cp("注意").c_str());
            return;
        }
        m_slot.name = name;
    }
    DialogBase::DataExchange(1);
    ui::endWindow(*this, 1);
}
