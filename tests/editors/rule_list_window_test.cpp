// The rule list on the headless desktop: an edited slot is named, stamped, stored and written to
// its own rule file; a cancelled edit changes nothing; the rows are one Tab stop worked by the
// arrows and Enter; the close button answers 1 and every other way of closing 0.
#include "editors/rule_list_window.h"

#include "editors/rule_option_table.h"
#include "tests/editors/editor_world.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

using namespace editors_test;

namespace {

const std::string kRuleListTitle = cp("ルール作成");
const std::string kEditTitle = cp("ルール編集");

struct RuleListTest : ::testing::Test {
    EditorWorld world;

    INT_PTR run(std::function<void(HWND, RuleListWindow&)> driver, int* selected = nullptr)
    {
        RuleListWindow window(world.context(), nullptr);
        drive(kRuleListTitle, [&] { return window.run(); }, [&](HWND list) { driver(list, window); });
        if (selected)
            *selected = window.selectedRow();
        return window.result();
    }
    std::string ruleFile(int slot) const
    {
        std::ifstream in(world.host("tkrule/class" + std::to_string(slot) + ".rul"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

POINT rowPoint(HWND list, int row)
{
    POINT p { 8 + 40, 36 + 20 * row + 10 };
    ClientToScreen(list, &p);
    return p;
}

// Works the edit dialog the list opened: a name typed, then OK, or cancel without a name.
void answerEdit(const char* name)
{
    HWND dialog = dialogtest::waitForWindow(kEditTitle.c_str());
    ASSERT_NE(dialog, nullptr);
    settle();
    if (name) {
        SetWindowTextA(GetDlgItem(dialog, rule_option_id::kRuleName), cp(name).c_str());
        clickControl(dialog, rule_option_id::kOk, 40);
    } else {
        clickControl(dialog, rule_option_id::kCancel, 40);
    }
}

} // namespace

TEST_F(RuleListTest, EditingAnEmptySlotNamesStampsStoresAndWritesIt)
{
    ASSERT_TRUE(world.state().ruleSlot(7).name.empty());
    int selected = -1;
    const INT_PTR result = run([&](HWND list, RuleListWindow&) {
        const POINT p = rowPoint(list, 3);
        harness::doubleClick(p.x, p.y);
        answerEdit("新ルール");
        settle();
        clickControl(list, rule_list_id::kClose, 30);
    }, &selected);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(selected, 3);
    const RuleSlot& slot = world.state().ruleSlot(7);
    EXPECT_EQ(slot.name, cp("新ルール"));
    EXPECT_TRUE(std::regex_match(slot.date, std::regex(R"(\d{4}/\d{2}/\d{2})"))) << slot.date;
    EXPECT_TRUE(std::regex_match(slot.time, std::regex(R"(\d{2}:\d{2}:\d{2})"))) << slot.time;
    EXPECT_EQ(slot.block.lead, 7);
    const std::string file = ruleFile(7);
    EXPECT_NE(file.find(cp("Name=新ルール\r\n")), std::string::npos);
    EXPECT_NE(file.find("Date=" + slot.date + "\r\n"), std::string::npos);
}

// By keys: the rows are one Tab stop, the arrows move the selection and Enter edits the row.
TEST_F(RuleListTest, CancelledEditByKeysKeepsSlotSelectionAndFiles)
{
    const RuleSlot before = world.state().ruleSlot(5);
    int selected = -1;
    std::vector<int> stops;
    const INT_PTR result = run([&](HWND list, RuleListWindow&) {
        for (UINT key : { VK_DOWN, VK_DOWN, VK_UP, VK_TAB, VK_TAB, VK_TAB }) {
            harness::pressKey(key);
            settle();
            stops.push_back(GetDlgCtrlID(GetFocus()));
        }
        harness::pressKey(VK_RETURN);
        answerEdit(nullptr);
        settle();
        PostMessageA(list, WM_CLOSE, 0, 0);
    }, &selected);
    EXPECT_EQ(stops, (std::vector<int> { rule_list_id::kFirstRow + 1, rule_list_id::kFirstRow + 2, rule_list_id::kFirstRow + 1, rule_list_id::kEdit, rule_list_id::kClose,
                         rule_list_id::kFirstRow + 1 }));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(selected, 1);
    const RuleSlot& after = world.state().ruleSlot(5);
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(after.date, before.date);
    EXPECT_EQ(after.time, before.time);
    EXPECT_TRUE(ruleFile(5).empty());
}

// A slot whose block names a fixed rule must still be written to its own file: the fixed rule's
// file is never overwritten from the list.
TEST_F(RuleListTest, EditedSlotNeverOverwritesAFixedRulesFile)
{
    RuleSlot odd = world.state().ruleSlot(6);
    odd.name = cp("ずれ");
    odd.block.lead = 0;
    world.state().setRuleSlot(6, odd);
    const std::string fixedBefore = ruleFile(0);
    run([&](HWND list, RuleListWindow&) {
        const POINT p = rowPoint(list, 2);
        harness::doubleClick(p.x, p.y);
        answerEdit("直し");
        settle();
        clickControl(list, rule_list_id::kClose, 30);
    });
    EXPECT_EQ(ruleFile(0), fixedBefore);
    EXPECT_NE(ruleFile(6).find(cp("Name=直し")), std::string::npos);
    EXPECT_EQ(world.state().ruleSlot(6).block.lead, 6);
}

TEST_F(RuleListTest, RightClicksAndCloseAnswerZeroTheCloseButtonOne)
{
    // On the body, which answers as caption.
    EXPECT_EQ(run([](HWND list, RuleListWindow&) { rightClick(list, 120, 15); }), 0);
    // On a row, a child of the window.
    EXPECT_EQ(run([](HWND list, RuleListWindow&) { rightClick(list, 60, 46); }), 0);
    EXPECT_EQ(run([](HWND list, RuleListWindow&) { clickControl(list, rule_list_id::kClose, 30); }), 1);
    EXPECT_TRUE(harness::messageBoxes().empty());
}
