// RuleOptionPanel: the rule choice (or the rule name), the tab control and the pages of option rows
// that the rule dialogs and the rule window carry, built from the option table.
#pragma once

#include "editors/rule_option_table.h"
#include "lib/dialog_base.h"
#include "platform/windows.h"
#include "ui/window_kit.h"

#include <array>

class GameState;
class Presentation;
class swCWindow;
struct WindowContext;

// The longest rule name in bytes: the name box takes no more, and the name's check cuts to it.
constexpr int kRuleNameBytes = 12;

// The panel's controls; the window system owns the windows, the carrying window this record.
struct RuleOptionPanel {
    // The short panel's one page stands in every slot.
    std::array<HWND, rule_option_id::kPageCount> pages {};
    // Per switch: the radio buttons and the choice texts of values 0 and 1; null when not shown.
    std::array<std::array<HWND, 2>, kRuleSwitchCount> buttons {};
    std::array<std::array<HWND, 2>, kRuleSwitchCount> texts {};
    HWND combo = nullptr;
    HWND nameBox = nullptr;
    HWND tab = nullptr;
    // The locks in force, which a click keeps.
    bool lockStored = false;
    bool lockOnMap = false;

    bool shows(int ruleSwitch) const { return buttons[size_t(ruleSwitch)][0] != nullptr; }
};

// Build the frame and the rows in the owner, in the font, and fill the panel. With the name box the
// rule name's edit box is made (enabled only when editable), else the rule choice (likewise).
void buildRuleOptionPanel(swCWindow& owner, HFONT font, const GameState& state, const RuleBlock& block, bool editable,
    bool nameBox, RuleOptionPanel& panel);
void buildShortRuleOptionPanel(swCWindow& owner, HFONT font, const GameState& state, const RuleBlock& block,
    bool editable, bool nameBox, RuleOptionPanel& panel);

// Shows the block's values, with the gates applied when editable and, with `lock`, the switches
// pinned by units already stored or on the map greyed.
void setRuleOptionValues(const GameState& state, RuleOptionPanel& panel, const RuleBlock& block, bool editable,
    bool lock);
// A click on a row's radio button: the row's texts follow it and the gates settle again. False
// when the id is no row button of the panel.
bool clickRuleOption(RuleOptionPanel& panel, int controlId);
// The shown switches' values into the block; switches not shown keep theirs.
void readRuleOptionValues(const RuleOptionPanel& panel, RuleBlock& block);
// Hides the old page (none for -1) and shows the new one on top.
void showRulePage(const RuleOptionPanel& panel, int page, int oldPage);
// A notice of the panel's tab control: a change of tab shows the chosen page and remembers it in
// `page`; choosing the page already shown changes nothing. False for any other notice.
bool followRuleTab(const RuleOptionPanel& panel, const NMHDR* header, int& page);
// Selects the rule choice's item of the rule number, else its first item ("カスタム").
void selectRuleChoice(const RuleOptionPanel& panel, int ruleNumber);
// The rule number of the chosen item; 0 when nothing is chosen.
int chosenRuleNumber(const RuleOptionPanel& panel);

// The rule number that names no saved rule.
constexpr int kCustomRule = 24;

// A window that carries the full or the short panel: it runs the pages' commands and follows the
// tab; the window builds the panel, adds its buttons after it (so that Tab reaches them last) and
// then shows the first page.
class RulePanelWindow : public ui::KitWindow<DialogBase> {
public:
    RulePanelWindow(const WindowContext& context, swCWindow* owner, UINT templateId, bool modeless, bool shortForm);

    int OnMessage(MessageRecord& msg) override;
    int OnNotify(MessageRecord& msg, UINT id, NMHDR* header) override;

    int page() const { return m_page; }

protected:
    // The client area of the window carrying the form's panel.
    SIZE clientSize() const;
    void buildPanel(const RuleBlock& block, bool editable, bool nameBox);
    void showFirstPage();

    const GameState& m_game;
    const Presentation& m_look;
    bool m_short = false;
    int m_page = 0;
    RuleOptionPanel m_panel;
};
