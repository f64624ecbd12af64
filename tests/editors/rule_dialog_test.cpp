// The rule setting dialogs driven on the headless desktop: fixed rules greyed in set mode, the
// refused rule choices, confirm mode, the locks of placed units, the dependencies on a click, the
// hidden switch and the rule name.
#include "editors/rule_setting_dialog.h"

#include "tests/editors/editor_world.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace editors_test;

namespace {

struct RuleDialogTest : ::testing::Test {
    EditorWorld world;

    RuleSlot slotWith(int lead, std::initializer_list<std::pair<int, int>> on = {})
    {
        RuleSlot slot;
        slot.name = cp("試験");
        slot.block.lead = uint8_t(lead);
        for (auto [s, v] : on)
            slot.block.switches[s] = uint8_t(v);
        return slot;
    }

    // Runs the dialog while `driver` works it; answers the result and leaves the record in `out`.
    template <class Dialog = RuleSettingDialog>
    INT_PTR run(const RuleSlot& slot, RuleDialogMode mode, std::function<void(HWND)> driver, RuleSlot* out = nullptr)
    {
        Dialog dialog(world.context(), nullptr, slot, mode);
        const char* titles[] = { "ルール設定", "ルール編集", "ルール確認" };
        drive(cp(titles[mode]), [&] { return dialog.run(); }, driver);
        if (out)
            *out = dialog.slot();
        return dialog.result();
    }
};

// Chooses the rule choice's item of the rule number as the combo box reports a choice.
void choose(HWND dialog, int rule)
{
    HWND combo = GetDlgItem(dialog, rule_option_id::kRuleCombo);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageA(combo, CB_GETITEMDATA, WPARAM(i), 0) == rule)
            SendMessageA(combo, CB_SETCURSEL, WPARAM(i), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(rule_option_id::kRuleCombo, CBN_SELCHANGE), LPARAM(combo));
    settle();
}

int chosenRule(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, rule_option_id::kRuleCombo);
    const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(item), 0));
}

int shownValue(HWND dialog, int ruleSwitch) { return checked(dialog, rule_option_id::buttonId(ruleSwitch, 1)) ? 1 : 0; }
bool switchEnabled(HWND dialog, int ruleSwitch) { return enabled(dialog, rule_option_id::buttonId(ruleSwitch, 0)); }

void clickOk(HWND dialog) { clickControl(dialog, rule_option_id::kOk, 40); }

} // namespace

TEST_F(RuleDialogTest, FixedRuleInSetModeIsGreyedButItsChoiceStaysUsable)
{
    bool fixedGreyed = true, comboUsable = false, customEditable = false, fixedAgainGreyed = false;
    int stackingOfRule5 = -1;
    std::vector<LRESULT> listed;
    RuleSlot out;
    const INT_PTR result = run(world.state().ruleSlot(0), kRuleSet, [&](HWND dialog) {
        for (const RuleOptionRow& row : fullRuleOptionRows())
            fixedGreyed = fixedGreyed && !switchEnabled(dialog, row.ruleSwitch);
        comboUsable = enabled(dialog, rule_option_id::kRuleCombo);
        for (LRESULT i = 0; i < SendMessageA(GetDlgItem(dialog, rule_option_id::kRuleCombo), CB_GETCOUNT, 0, 0); ++i)
            listed.push_back(SendMessageA(GetDlgItem(dialog, rule_option_id::kRuleCombo), CB_GETITEMDATA, WPARAM(i), 0));
        choose(dialog, kCustomRule);
        customEditable = switchEnabled(dialog, 1) && switchEnabled(dialog, kRuleStacking);
        choose(dialog, 0);
        fixedAgainGreyed = !switchEnabled(dialog, 1);
        choose(dialog, 5);
        stackingOfRule5 = shownValue(dialog, kRuleStacking);
        clickOk(dialog);
    }, &out);
    EXPECT_TRUE(fixedGreyed);
    EXPECT_TRUE(comboUsable);
    EXPECT_EQ(listed, (std::vector<LRESULT> { kCustomRule, 0, 5 })) << "the slots without a rule are left out";
    EXPECT_TRUE(customEditable);
    EXPECT_TRUE(fixedAgainGreyed);
    EXPECT_EQ(stackingOfRule5, 1);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(out.block.lead, 5);
    EXPECT_EQ(out.block.switches[kRuleStacking], 1);
    EXPECT_EQ(out.block.switches[kRuleStoring], 0);
}

TEST_F(RuleDialogTest, RefusedChoiceShowsBothReasonsAndPutsTheChoiceBackOnTheRuleInForce)
{
    world.storeLandUnit(0, 1, 1);
    world.placeLandUnit(0, 2, 2);
    // Custom rules with storage on and stacking off; rule 5 turns storage off and stacking on.
    const RuleSlot custom = slotWith(kCustomRule, { { kRuleStoring, 1 }, { 1, 1 } });
    int after = -1;
    int zocAfter = -1;
    RuleSlot out;
    run(custom, kRuleSet, [&](HWND dialog) {
        choose(dialog, 5);
        after = chosenRule(dialog);
        zocAfter = shownValue(dialog, 1);
        clickOk(dialog);
    }, &out);
    EXPECT_EQ(after, kCustomRule);
    EXPECT_EQ(zocAfter, 1);
    const auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, cp("収納部隊が配置されているために、収納なしに設定できません。"));
    EXPECT_EQ(boxes[1].text, cp("部隊が配置されているために、スタックありなしの変更はできません。"));
    EXPECT_EQ(boxes[0].caption, cp("注意"));
    EXPECT_EQ(out.block.lead, kCustomRule);
    EXPECT_EQ(out.block.switches[kRuleStoring], 1);

    // From a fixed rule the choice goes back to that rule; only the stacking change is refused now.
    harness::clearMessageBoxes();
    RuleSlot fixed = world.state().ruleSlot(0);
    fixed.block.switches[kRuleStoring] = 0;
    run(fixed, kRuleSet, [&](HWND dialog) {
        choose(dialog, 5);
        after = chosenRule(dialog);
    });
    EXPECT_EQ(after, 0);
    EXPECT_EQ(testing_lib::soleMessageBox(), cp("部隊が配置されているために、スタックありなしの変更はできません。"));
}

TEST_F(RuleDialogTest, ConfirmModeGreysEverythingAndOkGivesTheValuesBackUnchanged)
{
    const RuleSlot slot = slotWith(7, { { 1, 1 }, { 2, 1 }, { 33, 1 }, { 45, 1 }, { 37, 1 } });
    bool allGreyed = true;
    RuleSlot out;
    const INT_PTR result = run(slot, kRuleConfirm, [&](HWND dialog) {
        allGreyed = !enabled(dialog, rule_option_id::kRuleCombo);
        for (const RuleOptionRow& row : fullRuleOptionRows())
            allGreyed = allGreyed && !switchEnabled(dialog, row.ruleSwitch);
        clickOk(dialog);
    }, &out);
    EXPECT_TRUE(allGreyed);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::memcmp(&out.block, &slot.block, sizeof(RuleBlock)), 0);
}

TEST_F(RuleDialogTest, PlacedUnitsLockStorageAndStackingInSetModeOnlyAndAClickKeepsTheLock)
{
    world.storeLandUnit(1, 1, 1);
    world.placeLandUnit(1, 3, 3);
    const RuleSlot slot = slotWith(kCustomRule, { { kRuleStoring, 0 }, { 33, 0 } });
    bool setLocked = false, othersFree = false, lockKept = false, adjacentOpensWithProduction = false;
    run(slot, kRuleSet, [&](HWND dialog) {
        setLocked = !switchEnabled(dialog, kRuleStoring) && !switchEnabled(dialog, 14)
            && !switchEnabled(dialog, kRuleBoardingOwnership) && !switchEnabled(dialog, kRuleStacking);
        othersFree = switchEnabled(dialog, 1) && switchEnabled(dialog, 33);
        clickControl(dialog, rule_option_id::buttonId(33, 1));
        lockKept = !switchEnabled(dialog, 14) && switchEnabled(dialog, 13);
    });
    EXPECT_TRUE(setLocked);
    EXPECT_TRUE(othersFree);
    EXPECT_TRUE(lockKept);

    RuleSlot editSlot = slotWith(5, { { kRuleStoring, 0 }, { 33, 1 } });
    bool editFree = false;
    run(editSlot, kRuleEdit, [&](HWND dialog) {
        editFree = switchEnabled(dialog, kRuleStoring) && switchEnabled(dialog, 14)
            && switchEnabled(dialog, kRuleBoardingOwnership) && switchEnabled(dialog, kRuleStacking);
        adjacentOpensWithProduction = switchEnabled(dialog, 13);
    });
    EXPECT_TRUE(editFree);
    EXPECT_TRUE(adjacentOpensWithProduction);
}

TEST_F(RuleDialogTest, StorageOnForcesAdjacentProductionAndBoardingToTheirLeftChoiceAndGreysThem)
{
    const RuleSlot slot = slotWith(kCustomRule, { { kRuleStoring, 0 }, { 33, 1 }, { 14, 1 }, { kRuleBoardingOwnership, 1 } });
    bool before = false, forced = false, textsFollow = false;
    RuleSlot out;
    run(slot, kRuleSet, [&](HWND dialog) {
        before = switchEnabled(dialog, 14) && shownValue(dialog, 14) == 1;
        clickControl(dialog, rule_option_id::buttonId(kRuleStoring, 1));
        forced = !switchEnabled(dialog, 14) && shownValue(dialog, 14) == 0 && !switchEnabled(dialog, kRuleBoardingOwnership)
            && shownValue(dialog, kRuleBoardingOwnership) == 0;
        textsFollow = enabled(dialog, rule_option_id::textId(kRuleStoring, 1)) && !enabled(dialog, rule_option_id::textId(kRuleStoring, 0))
            && enabled(dialog, rule_option_id::textId(14, 0)) && !enabled(dialog, rule_option_id::textId(14, 1));
        clickOk(dialog);
    }, &out);
    EXPECT_TRUE(before);
    EXPECT_TRUE(forced);
    EXPECT_TRUE(textsFollow);
    EXPECT_EQ(out.block.switches[kRuleStoring], 1);
    EXPECT_EQ(out.block.switches[kRuleAdjacentProduction], 0);
    EXPECT_EQ(out.block.switches[kRuleBoardingOwnership], 0);
}

TEST_F(RuleDialogTest, HiddenSwitchAndUnshownSwitchesComeBackExactlyAsTheyWent)
{
    RuleSlot slot = slotWith(kCustomRule, { { kHiddenRuleSwitch, 7 }, { 1, 1 } });
    RuleSlot out;
    run(slot, kRuleSet, [&](HWND dialog) { clickOk(dialog); }, &out);
    EXPECT_EQ(out.block.switches[kHiddenRuleSwitch], 7);
    EXPECT_EQ(out.block.switches[kRuleZoc], 1);

    // The short dialog shows six switches; every other one passes through.
    slot.block.switches[kRuleStacking] = 1;
    slot.block.switches[kRuleSearch] = 1;
    const INT_PTR result = run<RuleShortSettingDialog>(slot, kRuleSet, [&](HWND dialog) {
        clickControl(dialog, rule_option_id::buttonId(kRuleSearch, 0));
        clickOk(dialog);
    }, &out);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(out.block.switches[kRuleSearch], 0);
    EXPECT_EQ(out.block.switches[kHiddenRuleSwitch], 7);
    EXPECT_EQ(out.block.switches[kRuleStacking], 1);
    EXPECT_EQ(out.block.switches[kRuleZoc], 1);
}

TEST_F(RuleDialogTest, EditModeRefusesABlankNameAndKeepsTwelveBytes)
{
    RuleSlot out;
    bool stayedOpen = false;
    const INT_PTR result = run(slotWith(6), kRuleEdit, [&](HWND dialog) {
        SetWindowTextA(GetDlgItem(dialog, rule_option_id::kRuleName), cp("　 ").c_str());
        clickOk(dialog);
        stayedOpen = IsWindow(dialog) != FALSE;
        SetWindowTextA(GetDlgItem(dialog, rule_option_id::kRuleName), cp("作戦ルール１　").c_str());
        clickOk(dialog);
    }, &out);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(testing_lib::soleMessageBox(), cp("ルール名を設定してください。"));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(out.name, cp("作戦ルール１"));
}

TEST(RuleName, LosesTrailingBlanksAndNeverEndsInHalfACharacter)
{
    struct Case {
        const char* typed;
        const char* name;
    } cases[] = {
        { "abc  ", "abc" },
        { "ルール　　", "ルール" },
        { "　 　", "" },
        { "ＡＢＣＤＥＦ", "ＡＢＣＤＥＦ" },    // 12 bytes in full
        { "aＡＢＣＤＥＦ", "aＡＢＣＤＥ" },     // the sixth wide character would leave half of it
        { "a b", "a b" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ruleNameFromText(cp(c.typed)), cp(c.name)) << c.typed;
}

TEST_F(RuleDialogTest, TabChangeShowsItsPageAndRightClickCancels)
{
    bool firstShown = false, secondShown = false, firstHidden = false;
    int page = -1;
    RuleSettingDialog dialog(world.context(), nullptr, slotWith(kCustomRule), kRuleSet);
    drive(cp("ルール設定"), [&] { return dialog.run(); }, [&](HWND window) {
        HWND tab = GetDlgItem(window, rule_option_id::kTab);
        firstShown = IsWindowVisible(GetDlgItem(window, rule_option_id::kFirstPage)) != FALSE;
        RECT item {};
        SendMessageA(tab, TCM_GETITEMRECT, 1, LPARAM(&item));
        POINT p { (item.left + item.right) / 2, (item.top + item.bottom) / 2 };
        ClientToScreen(tab, &p);
        harness::click(p.x, p.y);
        settle();
        secondShown = IsWindowVisible(GetDlgItem(window, rule_option_id::kFirstPage + 1)) != FALSE;
        firstHidden = !IsWindowVisible(GetDlgItem(window, rule_option_id::kFirstPage));
        page = dialog.page();
        rightClick(window, 300, 20);
    });
    EXPECT_TRUE(firstShown);
    EXPECT_TRUE(secondShown);
    EXPECT_TRUE(firstHidden);
    EXPECT_EQ(page, 1);
    EXPECT_EQ(dialog.result(), 0);
}

// The shown page is raised above the tab control, which puts it first among the dialog's children:
// Tab from the rule choice goes into the page's radio buttons, and Shift+Tab leads back out.
TEST_F(RuleDialogTest, TabReachesTheRadioButtonsOnThePage)
{
    HWND focused = nullptr;
    HWND back = nullptr;
    HWND firstRow = nullptr;
    HWND choice = nullptr;
    run(slotWith(kCustomRule, { { 32, 0 } }), kRuleSet, [&](HWND dialog) {
        firstRow = control(dialog, rule_option_id::buttonId(32, 0));
        choice = GetDlgItem(dialog, rule_option_id::kRuleCombo);
        SendMessageA(dialog, WM_NEXTDLGCTL, WPARAM(choice), TRUE);
        settle();
        harness::pressKey(VK_TAB);
        settle();
        // The desktop keeps one focus for every thread.
        focused = GetFocus();
        harness::keepShot("rule_settings_focus.png");
        harness::keyDown(VK_SHIFT);
        harness::pressKey(VK_TAB);
        harness::keyUp(VK_SHIFT);
        settle();
        back = GetFocus();
        rightClick(dialog, 300, 20);
    });
    EXPECT_EQ(focused, firstRow);
    EXPECT_EQ(back, choice);
}
