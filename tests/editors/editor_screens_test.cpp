// Whole-window looks of the editors: the full and short rule dialogs, the victory dialog and the
// rule list, checked at a few telling pixels and written as PNG files when DERAZODO_SHOTS names a
// folder.
#include "editors/rule_list_window.h"
#include "editors/rule_setting_dialog.h"
#include "editors/rule_window.h"
#include "editors/victory_condition_dialog.h"

#include "lib/media/bitmap_button_layout.h"
#include "tests/editors/editor_world.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace editors_test;

namespace {

harness::Image capture(HWND window, const std::string& name)
{
    RECT r {};
    GetWindowRect(window, &r);
    harness::Image image = harness::readRect(r);
    if (const char* folder = std::getenv("DERAZODO_SHOTS"); folder && *folder) {
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(harness::writePng(image, std::string(folder) + "/" + name + ".png")) << name;
    }
    return image;
}

// The client point's pixel in an image of the whole window.
uint32_t clientPixel(HWND window, const harness::Image& image, int x, int y)
{
    RECT outer {};
    GetWindowRect(window, &outer);
    POINT p { x, y };
    ClientToScreen(window, &p);
    return image.at(p.x - outer.left, p.y - outer.top) & 0xFFFFFF;
}

// Pixels in the rectangle that differ from its first one: text or marks drawn there.
int inkIn(HWND window, const harness::Image& image, RECT area)
{
    const uint32_t ground = clientPixel(window, image, area.left, area.top);
    int ink = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            ink += clientPixel(window, image, x, y) != ground;
    return ink;
}

RECT clientRectOf(HWND window, int id)
{
    HWND item = control(window, id);
    RECT r {};
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TEST(EditorScreens, FullAndShortRuleDialogsShowTheirRowsWithTheChoiceNotTakenGreyed)
{
    EditorWorld world;
    RuleSlot slot = world.state().ruleSlot(5);
    slot.block.lead = kCustomRule;
    slot.block.switches[32] = 1;
    int takenInk = 0, labelInk = 0;
    uint32_t taken = 0, notTaken = 0;
    {
        RuleSettingDialog dialog(nullptr, slot, kRuleSet);
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
        RuleShortSettingDialog dialog(nullptr, slot, kRuleConfirm);
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
    VictoryConditionDialog dialog(nullptr, 0, entries, kVictorySet);
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
    RuleListWindow window(nullptr);
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
    auto* window = new RuleWindow(nullptr);
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
