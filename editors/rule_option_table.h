// The rule option rows as data: which switch each panel shows where, with its label and its two
// choices, and the dependencies between switches. One table drives building the rows, loading a
// block and the click handler.
#pragma once

#include "state/rule_block.h"

#include <array>
#include <span>

// One shown switch: a label over a pair of radio buttons with their choice texts.
struct RuleOptionRow {
    int page; // 0 "陣営", 1 "部隊", 2 "攻撃", 3 "同盟"; the short panel has page 0 only
    int x;    // page coordinates of the label
    int y;
    int ruleSwitch;
    const char* label; // UTF-8
    const char* text0; // the left choice, value 0
    const char* text1; // the right choice, value 1
};

namespace rule_option_id {
// Control ids of a row follow from its switch.
constexpr int labelId(int ruleSwitch) { return 1002 + 3 * ruleSwitch; }
constexpr int buttonId(int ruleSwitch, int value) { return labelId(ruleSwitch) + 1 + value; }
constexpr int textId(int ruleSwitch, int value) { return labelId(ruleSwitch) + 201 + value; }
// The switch and value of a radio button id; false for any other id.
bool decodeButtonId(int id, int& ruleSwitch, int& value);

// The panel frame, in the carrying window's client area.
enum : int {
    kRuleCombo = 1000, kRuleCaption,
    // The buttons of the windows that carry a panel.
    kOk = 1155, kCancel, kRuleName, kTab, kFirstPage,
};
constexpr int kPageCount = 4;
} // namespace rule_option_id

// The switch that no panel shows; dialogs carry it through unchanged.
constexpr int kHiddenRuleSwitch = 36;

std::span<const RuleOptionRow> fullRuleOptionRows();
std::span<const RuleOptionRow> shortRuleOptionRows();
// The tab texts of the full panel's four pages, UTF-8.
std::span<const char* const> ruleOptionPageNames();

// What the option rows show: each switch's value and whether its buttons take clicks.
struct RuleOptionState {
    std::array<uint8_t, kRuleSwitchCount> values {};
    std::array<bool, kRuleSwitchCount> enabled {};
};

// Settles the gated switches of an editable panel: a switch that means something only while other
// switches stand at given values is forced to 0 and greyed while one of them stands otherwise,
// and enabled while they all hold.
void applyRuleGates(RuleOptionState& state);
// Greys what the units already on the map pin down (set mode): the storage switches while a unit
// is stored in a building, the stacking switch while one stands on the map. Values are kept.
void applyRuleLocks(RuleOptionState& state, bool unitStored, bool unitOnMap);
// The whole load step: values from the block, every button enabled when editable, then the gates
// (editable only) and the locks.
RuleOptionState ruleOptionStateOf(const RuleBlock& block, bool editable, bool lockStored, bool lockOnMap);
