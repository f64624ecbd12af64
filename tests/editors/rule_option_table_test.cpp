// The rule option table: the gates between switches give exactly the click table of the rule
// dialog for every parent switch, the rows cover every switch but the hidden one, and the ids
// of the rows decode back to their switches.
#include "editors/rule_option_table.h"

#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <set>
#include <vector>

namespace {

// The dialog's click table, as the person sees its effects: for each parent switch and value,
// the switches enabled and those greyed and set to 0. Switch 14 follows both storage (6) and
// production (33); production then applies the production-count rule to 37.
struct ClickRule {
    int parent;
    int value;
    std::vector<int> enabled;
    std::vector<int> forcedOff;
};

const ClickRule kClickTable[] = {
    { 1, 1, { 2 }, {} },
    { 1, 0, {}, { 2 } },
    { 3, 1, { 4, 10 }, {} },
    { 3, 0, {}, { 4, 10 } },
    { 6, 1, {}, { 14, 26 } },
    { 6, 0, { 26, 14 }, {} }, // 14 only while production (33) is on: the starting state has it on
    { 15, 1, { 24, 34, 47 }, {} },
    { 15, 0, {}, { 24, 34, 47 } },
    { 20, 1, {}, {} },
    { 20, 0, {}, {} },
    { 33, 1, { 13, 9, 45, 50, 14, 37 }, {} }, // 14 with storage off; 37 with its count (45) on
    { 33, 0, {}, { 13, 9, 45, 50, 14, 37 } },
    { 45, 1, { 37 }, {} },
    { 45, 0, {}, { 37 } },
    { 43, 1, { 49 }, {} },
    { 43, 0, {}, { 49 } },
};

// Every parent on and every dependant on too, except storage (which would rule out 14 and 26):
// a state in which every gate is open, so each click shows its whole effect.
RuleOptionState openState()
{
    RuleOptionState state;
    state.values.fill(1);
    state.enabled.fill(true);
    state.values[kRuleStoring] = 0;
    return state;
}

TEST(RuleGates, MatchTheClickTableForEveryParentSwitch)
{
    for (const ClickRule& rule : kClickTable) {
        RuleOptionState state = openState();
        applyRuleGates(state);
        ASSERT_EQ(state.values, openState().values) << "the open state must already be settled";
        state.values[size_t(rule.parent)] = uint8_t(rule.value);
        applyRuleGates(state);
        for (int s : rule.enabled) {
            EXPECT_TRUE(state.enabled[size_t(s)]) << "parent " << rule.parent << "=" << rule.value << " switch " << s;
            EXPECT_EQ(state.values[size_t(s)], 1) << "an enabled switch keeps its value: " << s;
        }
        for (int s : rule.forcedOff) {
            EXPECT_FALSE(state.enabled[size_t(s)]) << "parent " << rule.parent << "=" << rule.value << " switch " << s;
            EXPECT_EQ(state.values[size_t(s)], 0) << "parent " << rule.parent << " switch " << s;
        }
        // Nothing else moves.
        for (int s = 0; s < kRuleSwitchCount; ++s) {
            bool listed = s == rule.parent;
            for (int t : rule.forcedOff)
                listed = listed || t == s;
            if (!listed) {
                EXPECT_EQ(state.values[size_t(s)], openState().values[size_t(s)]) << "parent " << rule.parent << " moved " << s;
            }
        }
    }
}

TEST(RuleOptionLoad, GatesOnlyWhenEditableAndLocksKeepValues)
{
    RuleBlock block {};
    block.lead = 5;
    block.switches[kRuleSearch] = 0;
    block.switches[kRuleSightLayers] = 1; // layered search without search: shown as it is when read-only
    block.switches[kRuleStoring] = 1;
    block.switches[kRuleStacking] = 1;
    block.switches[kHiddenRuleSwitch] = 1;

    const RuleOptionState readOnly = ruleOptionStateOf(block, false, false, false);
    EXPECT_EQ(readOnly.values[4], 1);
    for (int s = 0; s < kRuleSwitchCount; ++s)
        EXPECT_FALSE(readOnly.enabled[size_t(s)]) << s;

    const RuleOptionState editable = ruleOptionStateOf(block, true, false, false);
    EXPECT_EQ(editable.values[4], 0);
    EXPECT_FALSE(editable.enabled[4]);
    EXPECT_TRUE(editable.enabled[kRuleStoring]);
    EXPECT_TRUE(editable.enabled[kRuleStacking]);

    const RuleOptionState locked = ruleOptionStateOf(block, true, true, true);
    for (int s : { int(kRuleStoring), 14, int(kRuleBoardingOwnership), int(kRuleStacking) }) {
        EXPECT_FALSE(locked.enabled[size_t(s)]) << s;
        EXPECT_EQ(locked.values[size_t(s)], editable.values[size_t(s)]) << s;
    }
    EXPECT_TRUE(locked.enabled[1]);
}

TEST(RuleOptionRows, FullPanelShowsEverySwitchButTheHiddenOneOnceAndTheShortPanelSix)
{
    std::multiset<int> shown;
    for (const RuleOptionRow& row : fullRuleOptionRows()) {
        shown.insert(row.ruleSwitch);
        EXPECT_GE(row.page, 0);
        EXPECT_LT(row.page, rule_option_id::kPageCount);
        // A row and its texts fit in the 384 x 330 page.
        const int width = std::min(6 * int(platform::utf8ToCp932(row.text1).size()) + 18, 96);
        EXPECT_LE(row.x + 128 + width - 16, 384) << row.ruleSwitch;
        EXPECT_LE(row.y + 25, 330) << row.ruleSwitch;
    }
    for (int s = 0; s < kRuleSwitchCount; ++s)
        EXPECT_EQ(shown.count(s), s == kHiddenRuleSwitch ? 0u : 1u) << s;
    std::set<int> shortShown;
    for (const RuleOptionRow& row : shortRuleOptionRows())
        shortShown.insert(row.ruleSwitch);
    EXPECT_EQ(shortShown, (std::set<int> { 3, 35, 12, 31, 22, 20 }));
}

TEST(RuleOptionIds, ButtonIdsDecodeToTheirSwitchAndValueAndNothingElseDoes)
{
    std::set<int> ids;
    for (int s = 0; s < kRuleSwitchCount; ++s) {
        for (int v = 0; v < 2; ++v) {
            int decodedSwitch = -1;
            int decodedValue = -1;
            ASSERT_TRUE(rule_option_id::decodeButtonId(rule_option_id::buttonId(s, v), decodedSwitch, decodedValue));
            EXPECT_EQ(decodedSwitch, s);
            EXPECT_EQ(decodedValue, v);
            ids.insert(rule_option_id::buttonId(s, v));
            ids.insert(rule_option_id::textId(s, v));
        }
        ids.insert(rule_option_id::labelId(s));
        int ignored = 0;
        EXPECT_FALSE(rule_option_id::decodeButtonId(rule_option_id::labelId(s), ignored, ignored));
        EXPECT_FALSE(rule_option_id::decodeButtonId(rule_option_id::textId(s, 1), ignored, ignored));
    }
    EXPECT_EQ(ids.size(), size_t(5 * kRuleSwitchCount)) << "row ids are unique";
    // The labels and buttons lie below 1202, the texts above: the page draws only the former through.
    EXPECT_LT(rule_option_id::buttonId(kRuleSwitchCount - 1, 1), 1202);
    EXPECT_GT(rule_option_id::textId(0, 0), 1202);
    for (int frame : std::initializer_list<int> { rule_option_id::kRuleCombo, rule_option_id::kRuleCaption, rule_option_id::kRuleName,
             rule_option_id::kTab, rule_option_id::kOk, rule_option_id::kCancel, rule_option_id::kFirstPage,
             rule_option_id::kFirstPage + rule_option_id::kPageCount - 1 })
        EXPECT_EQ(ids.count(frame), 0u) << frame;
}

} // namespace
