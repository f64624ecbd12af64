// RuleSettingDialog and RuleShortSettingDialog: the modal rule dialogs that set the rules of a game
// being prepared, edit a saved rule or show rules read-only. The caller reads the record back
// after result 1.
#pragma once

#include "editors/rule_option_panel.h"
#include "state/rule_block.h"
#include "ui/window_context.h"

#include <optional>
#include <string>

enum RuleDialogMode : int {
    kRuleSet = 0,
    kRuleEdit = 1,
    kRuleConfirm = 2,
};

class RuleSettingDialog : public RulePanelWindow {
public:
    RuleSettingDialog(const WindowContext& context, swCWindow* owner, const RuleSlot& slot, RuleDialogMode mode);
    // Runs the form the game's mode asks for (the short one in simple mode) on the slot: the record
    // it holds after OK, nothing when it ended another way.
    static std::optional<RuleSlot> runForMode(const WindowContext& context, swCWindow* owner, const RuleSlot& slot,
        RuleDialogMode mode);

    int OnInitDialog() override;
    int DataExchange(int save) override;
    const ui::WindowDescription& description() const override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // The record as the dialog holds it: after OK, the edited one.
    const RuleSlot& slot() const { return m_slot; }
    RuleDialogMode mode() const { return m_mode; }

protected:
    RuleSettingDialog(const WindowContext& context, swCWindow* owner, const RuleSlot& slot, RuleDialogMode mode,
        bool shortForm);

private:
    // The rule choice changed: a saved rule replaces the switches unless the units already placed
    // forbid it, "カスタム" keeps them.
    void chooseRule();
    void showValues();
    void accept();

    RuleSlot m_slot;
    RuleDialogMode m_mode = kRuleSet;
};

class RuleShortSettingDialog : public RuleSettingDialog {
public:
    RuleShortSettingDialog(const WindowContext& context, swCWindow* owner, const RuleSlot& slot, RuleDialogMode mode)
        : RuleSettingDialog(context, owner, slot, mode, true)
    {
    }
};

// The rule name as typed: trailing half- and full-width blanks cut, then at most 12 bytes without
// half a character. Empty when nothing else was typed.
std::string ruleNameFromText(const std::string& text);
