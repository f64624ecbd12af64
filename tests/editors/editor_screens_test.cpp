// Whole-window looks of the editors: the full and short rule dialogs, the victory dialog, the
// rule list, the production-type list in its three modes and the production-type editor, checked at a few telling pixels and written as PNG files when DERAZODO_SHOTS names a
// folder.
#include "editors/product_edit_window.h"
#include "editors/product_list_window.h"
#include "editors/rule_list_window.h"
#include "editors/rule_setting_dialog.h"
#include "editors/rule_window.h"
#include "editors/victory_condition_dialog.h"

#include "lib/media/bitmap_button_layout.h"
#include "tests/editors/product_world.h"
#include "tests/lib/window_pictures.h"
#include "tests/lib/window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace editors_test;

namespace {

using testing_lib::capture, testing_lib::clientPixel, testing_lib::inkIn;

RECT clientRectOf(HWND window, int id)
{
    HWND item = control(window, id);
    RECT r {};
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Clicks the tabs 部隊, 攻撃, 同盟 and back to 陣営 as a person would; after each, the page's first
// row shows its label and both choice texts.
void expectRowsAfterEachTab(HWND window, const char* what, const std::function<void()>& settleDown)
{
    HWND tab = GetDlgItem(window, rule_option_id::kTab);
    const auto rows = fullRuleOptionRows();
    for (int page : { 1, 2, 3, 0 }) {
        RECT item {};
        SendMessageA(tab, TCM_GETITEMRECT, WPARAM(page), LPARAM(&item));
        POINT p { (item.left + item.right) / 2, (item.top + item.bottom) / 2 };
        ClientToScreen(tab, &p);
        harness::click(p.x, p.y);
        settleDown();
        const harness::Image image = capture(window, "rule_page" + std::to_string(page));
        const int s = std::find_if(rows.begin(), rows.end(), [&](const RuleOptionRow& r) { return r.page == page; })->ruleSwitch;
        for (int id : { rule_option_id::labelId(s), rule_option_id::textId(s, 0), rule_option_id::textId(s, 1) })
            EXPECT_GT(inkIn(window, image, clientRectOf(window, id)), 10) << what << ", page " << page << ", control " << id;
    }
}

} // namespace

TEST(EditorScreens, EveryRulePageShowsItsRowsWhenItsTabIsClicked)
{
    EditorWorld world;
    RuleSettingDialog dialog(world.context(), nullptr, world.state().ruleSlot(5), kRuleEdit);
    drive(cp("ルール編集"), [&] { return dialog.run(); }, [&](HWND window) {
        expectRowsAfterEachTab(window, "rule editor", settle);
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    auto* window = new RuleWindow(world.context(), nullptr);
    ASSERT_TRUE(window->run());
    ShowWindow(window->handle(), SW_SHOW);
    expectRowsAfterEachTab(window->handle(), "rule window", [] { testing_lib::pump(); });
    DestroyWindow(window->handle());
}

TEST(EditorScreens, FullAndShortRuleDialogsShowTheirRowsWithTheChoiceNotTakenGreyed)
{
    EditorWorld world;
    RuleSlot slot = world.state().ruleSlot(5);
    slot.block.lead = kCustomRule;
    slot.block.switches[kRuleOpenCampInfo] = 1;
    int takenInk = 0, labelInk = 0;
    uint32_t taken = 0, notTaken = 0;
    {
        RuleSettingDialog dialog(world.context(), nullptr, slot, kRuleSet);
        drive(cp("ルール設定"), [&] { return dialog.run(); }, [&](HWND window) {
            const harness::Image image = capture(window, "rule_setting_full");
            // Row "●陣営情報" (switch 32): "非公開" greyed, "公開" taken.
            const RECT text0 = clientRectOf(window, rule_option_id::textId(32, 0));
            const RECT text1 = clientRectOf(window, rule_option_id::textId(32, 1));
            takenInk = inkIn(window, image, text1);
            labelInk = inkIn(window, image, clientRectOf(window, rule_option_id::labelId(32)));
            // The darkest pixel of each text is its ink colour.
            auto darkest = [&](const RECT& r) {
                uint32_t best = 0xFFFFFF;
                for (int y = r.top; y < r.bottom; ++y)
                    for (int x = r.left; x < r.right; ++x) {
                        const uint32_t c = clientPixel(window, image, x, y);
                        if ((c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16) < (best & 0xFF) + (best >> 8 & 0xFF) + (best >> 16))
                            best = c;
                    }
                return best;
            };
            taken = darkest(text1);
            notTaken = darkest(text0);
        });
    }
    EXPECT_GT(takenInk, 10) << "the chosen text shows beside its radio button";
    EXPECT_GT(labelInk, 10);
    EXPECT_NE(taken, notTaken) << "the text not taken is greyed";
    {
        RuleShortSettingDialog dialog(world.context(), nullptr, slot, kRuleConfirm);
        drive(cp("ルール確認"), [&] { return dialog.run(); }, [&](HWND window) {
            const harness::Image image = capture(window, "rule_setting_short");
            RECT client {};
            GetClientRect(window, &client);
            EXPECT_EQ(client.right, 400);
            EXPECT_EQ(client.bottom, 170);
            EXPECT_GT(inkIn(window, image, clientRectOf(window, rule_option_id::labelId(kRuleSearch))), 10);
        });
    }
}

TEST(EditorScreens, VictoryDialogShowsTheEightTabsAndThePage)
{
    EditorWorld world;
    world.placeTargetBuilding(1, 1, 1);
    VictoryConditionEntries entries {};
    entries[0] = { 1, 0, 0, victory_entry::kAllConditions, 1 };
    VictoryConditionDialog dialog(world.context(), nullptr, 0, entries, kVictorySet);
    drive(cp("勝利条件設定"), [&] { return dialog.run(); }, [&](HWND window) {
        const harness::Image image = capture(window, "victory_set");
        RECT client {};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 316);
        EXPECT_EQ(client.bottom, 280);
        EXPECT_GT(inkIn(window, image, clientRectOf(window, victory_id::kBuilding)), 20);
        EXPECT_GT(inkIn(window, image, clientRectOf(window, victory_id::kAllOf)), 20);
        HWND tab = GetDlgItem(window, victory_id::kTab);
        EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 8);
    });
}

TEST(EditorScreens, RuleListShowsItsBackgroundTheSelectedStripAndTheNames)
{
    EditorWorld world;
    RuleListWindow window(world.context(), nullptr);
    drive(cp("ルール作成"), [&] { return window.run(); }, [&](HWND list) {
        const harness::Image image = capture(list, "rule_list");
        RECT client {};
        GetClientRect(list, &client);
        EXPECT_EQ(client.right, 248);
        EXPECT_EQ(client.bottom, 480);
        // Row 0 is the selection: the strip's own colour at its middle, unlike row 2 beneath.
        const uint32_t selected = clientPixel(list, image, 8 + 230, 36 + 10);
        const uint32_t plain = clientPixel(list, image, 8 + 230, 36 + 40 + 10);
        EXPECT_NE(selected, plain);
        // Row 1 shows slot 5, named; row 2 an empty slot's dashes; both in white.
        EXPECT_GT(inkIn(list, image, { 8 + 8, 36 + 20 + 4, 8 + 80, 36 + 20 + 16 }), 10);
        EXPECT_GT(inkIn(list, image, { 8 + 96, 36 + 20 + 4, 8 + 156, 36 + 20 + 16 }), 10) << "the date";
        EXPECT_GT(inkIn(list, image, { 8 + 20, 36 + 40 + 4, 8 + 70, 36 + 40 + 16 }), 4) << "the dashes";
        bool white = false;
        for (int y = 36 + 40 + 4; y < 36 + 40 + 16; ++y)
            for (int x = 8 + 20; x < 8 + 70; ++x)
                white = white || clientPixel(list, image, x, y) == 0xFFFFFFu;
        EXPECT_TRUE(white) << "the dashes are white";
        PostMessageA(list, WM_CLOSE, 0, 0);
    });
}

TEST(EditorScreens, RuleWindowShowsTheRulesInForceUnderTheirNameReadOnly)
{
    EditorWorld world;
    world.state().ruleBlock() = world.state().ruleSlot(5).block;
    auto* window = new RuleWindow(world.context(), nullptr);
    ASSERT_TRUE(window->run());
    HWND handle = window->handle();
    ShowWindow(handle, SW_SHOW);
    settle();
    const harness::Image image = capture(handle, "rule_window");
    char name[32] = {};
    GetWindowTextA(GetDlgItem(handle, rule_option_id::kRuleName), name, sizeof name);
    EXPECT_EQ(std::string(name), cp("自作"));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(handle, rule_option_id::kRuleName)));
    EXPECT_GT(inkIn(handle, image, clientRectOf(handle, rule_option_id::textId(32, 0))), 10);
    // Without a main window to ask, its OK closes it itself.
    SendMessageA(handle, WM_COMMAND, rule_option_id::kOk, 0);
    EXPECT_FALSE(IsWindow(handle));
}

TEST(EditorScreens, ProductListShowsSummariesDashesAndTheButtonsOfEachMode)
{
    ProductWorld world;
    const std::vector<int> land = world.typeIds(3);
    world.setSlot(1, "mix", { land[0], land[1], world.typeIds(1).front() });
    const char* const titles[] = { "生産タイプ編集", "生産タイプ読込", "生産タイプ書出" };
    for (int mode = 0; mode < 3; ++mode) {
        ProductListWindow window(world.context(), nullptr, mode);
        drive(cp(titles[mode]), [&] { return window.run(); }, [&](HWND list) {
            const harness::Image image = capture(list, "product_list_mode" + std::to_string(mode));
            RECT client {};
            GetClientRect(list, &client);
            EXPECT_EQ(client.right, 500);
            EXPECT_EQ(client.bottom, 480);
            // Row 0 is the selection: the strip's colour, unlike row 2 beneath it.
            EXPECT_NE(clientPixel(list, image, 8 + 200, 36 + 10), clientPixel(list, image, 8 + 200, 36 + 50));
            // Row 1 is named and counted, row 2 dashed in every column.
            EXPECT_GT(inkIn(list, image, { 8 + 8, 56 + 4, 8 + 92, 56 + 16 }), 10) << mode;
            EXPECT_GT(inkIn(list, image, { 8 + 125, 56 + 4, 8 + 149, 56 + 16 }), 4) << "the total";
            EXPECT_GT(inkIn(list, image, { 8 + 408, 56 + 4, 8 + 456, 56 + 16 }), 10) << "the cost";
            EXPECT_GT(inkIn(list, image, { 8 + 369, 76 + 4, 8 + 393, 76 + 16 }), 4) << "a domain's dashes";
            const int buttons = mode == 0 ? 5 : 2;
            int shown = 0;
            for (int id : { 1000, 1001, 1010, 1026, 1027 })
                shown += control(list, id) != nullptr;
            EXPECT_EQ(shown, buttons) << mode;
            PostMessageA(list, WM_CLOSE, 0, 0);
        });
    }
}

TEST(EditorScreens, ProductEditorShowsTotalsAndRowsSelectedOnBothSides)
{
    ProductWorld world;
    const std::vector<int> all = world.typeIds();
    world.setSlot(2, "mix", { all[0], all[2], all[4], all.back() });
    ProductEditWindow window(world.context(), nullptr, 2);
    drive(cp("生産タイプエディタ"), [&] { return window.run(); }, [&](HWND editor) {
        // Domain 0 off: its toggle shows released while the others stay pressed.
        const POINT toggle = dialogtest::screenOf(GetDlgItem(editor, product_edit_id::kFirstDomain), 4, 4);
        harness::click(toggle.x, toggle.y);
        settle();
        for (auto [list, row] : { std::pair { product_edit_id::kLeftList, 1 }, std::pair { product_edit_id::kRightList, 2 } }) {
            const POINT p = dialogtest::screenOf(GetDlgItem(editor, list), 150, 18 * row + 9);
            harness::click(p.x, p.y);
            settle();
        }
        const harness::Image image = capture(editor, "product_edit");
        EXPECT_NE(clientPixel(editor, image, 8 + 4, 68 + 12), clientPixel(editor, image, 56 + 4, 68 + 12));
        EXPECT_EQ(clientPixel(editor, image, 104 + 4, 68 + 12), clientPixel(editor, image, 56 + 4, 68 + 12));
        RECT client {};
        GetClientRect(editor, &client);
        EXPECT_EQ(client.right, 784);
        EXPECT_EQ(client.bottom, 544);
        // The totals: the count and cost of the whole type and of the land domain.
        EXPECT_GT(inkIn(editor, image, { 412, 38, 436, 50 }), 4);
        EXPECT_GT(inkIn(editor, image, { 388, 62, 436, 74 }), 10);
        // The selected rows show their strips; the rows beside them the background.
        EXPECT_NE(clientPixel(editor, image, 8 + 360, 140 + 18 + 9), clientPixel(editor, image, 8 + 360, 140 + 54 + 9));
        EXPECT_NE(clientPixel(editor, image, 438 + 316, 140 + 36 + 9), clientPixel(editor, image, 438 + 316, 140 + 72 + 9));
        // Each row: icon, class and name; on the left also the cost.
        EXPECT_GT(inkIn(editor, image, { 8 + 122, 140 + 3, 8 + 314, 140 + 15 }), 10);
        EXPECT_GT(inkIn(editor, image, { 8 + 322, 140 + 3, 8 + 358, 140 + 15 }), 4);
        EXPECT_GT(inkIn(editor, image, { 438 + 20, 140 + 3, 438 + 116, 140 + 15 }), 10);
        // Below the right list's four rows the window's striped background shows through.
        const uint32_t stripe6 = clientPixel(editor, image, 438 + 100, 140 + 18 * 6 + 9);
        EXPECT_NE(stripe6, clientPixel(editor, image, 438 + 100, 140 + 18 * 7 + 9));
        EXPECT_EQ(stripe6, clientPixel(editor, image, 438 + 100, 140 + 18 * 8 + 9));
        harness::setDefaultMessageBoxAnswer(IDYES);
        PostMessageA(editor, WM_CLOSE, 0, 0);
    });
    harness::setDefaultMessageBoxAnswer(0);
}
