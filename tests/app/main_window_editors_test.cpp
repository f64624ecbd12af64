// The editors reached from the main window: the rule window opened and closed by its command and
// its close request, remembered in "ShowRuleInfo" and reopened at the start of play; the modeless
// victory conditions closed on their request; the rule list and the production-type list on their
// menu.
#include "ui/private_messages.h"
#include "app/menu_ids.h"
#include "editors/rule_window.h"
#include "editors/victory_condition_dialog.h"
#include "tests/app/main_window_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <cstring>

namespace {

using main_window_test::World;

bool showRuleInfoStored() { return makeNamedValue("ShowRuleInfo").profileReadBool(false); }

bool menuChecked(World& world, UINT id)
{
    SendMessageA(world.handle(), WM_INITMENU, WPARAM(world.window().menu()), 0);
    return (GetMenuState(world.window().menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

} // namespace

TEST(MainWindowEditors, RuleInfoCommandTogglesTheRuleWindowAndItsCloseRequestClosesIt)
{
    World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    World::pump();
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kRuleInfo, 0);
    World::pump();
    HWND rules = world.window().ruleWindow();
    ASSERT_NE(rules, nullptr);
    EXPECT_TRUE(IsWindowVisible(rules));
    EXPECT_TRUE(showRuleInfoStored());
    EXPECT_TRUE(menuChecked(world, menu_id::kRuleInfo));
    auto* window = dynamic_cast<RuleWindow*>(windowFromHandle(rules));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(std::memcmp(&window->block(), &world.state().ruleBlock(), sizeof(RuleBlock)), 0);

    // The window's OK asks the main window, which destroys it and forgets it.
    SendMessageA(rules, WM_COMMAND, rule_option_id::kOk, 0);
    World::pump();
    EXPECT_FALSE(IsWindow(rules));
    EXPECT_EQ(world.window().ruleWindow(), nullptr);
    EXPECT_FALSE(showRuleInfoStored());
    EXPECT_FALSE(menuChecked(world, menu_id::kRuleInfo));

    // The command toggles it.
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kRuleInfo, 0);
    World::pump();
    ASSERT_NE(world.window().ruleWindow(), nullptr);
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kRuleInfo, 0);
    World::pump();
    EXPECT_EQ(world.window().ruleWindow(), nullptr);
    // A stray close request with no window open does nothing.
    SendMessageA(world.handle(), ui_message::kCloseRuleWindow, 0, 0);
    World::pump();

    // A window that went without the main window's knowing is forgotten, not posted to.
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kRuleInfo, 0);
    World::pump();
    HWND gone = world.window().ruleWindow();
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(world.window().ruleWindow(), nullptr);
    SendMessageA(world.handle(), ui_message::kOpenStartWindows, 0, 0);
    World::pump();
    EXPECT_NE(world.window().ruleWindow(), nullptr) << "reopened: the setting still says shown";
    EXPECT_NE(world.window().ruleWindow(), gone);
}

TEST(MainWindowEditors, StartOfPlayReopensTheRuleWindowWhenItWasLeftOpenAndRefreshesIt)
{
    World world;
    makeNamedValue("ShowRuleInfo").profileWriteBool(true);
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(World::pumpUntil([&] { return world.window().ruleWindow() != nullptr; }));
    auto* window = dynamic_cast<RuleWindow*>(windowFromHandle(world.window().ruleWindow()));
    ASSERT_NE(window, nullptr);
    world.state().ruleBlock().switches[kRuleStacking] ^= 1;
    SendMessageA(world.handle(), ui_message::kOpenStartWindows, 0, 0);
    World::pump();
    EXPECT_EQ(window->block().switches[kRuleStacking], world.state().ruleBlock().switches[kRuleStacking]);
}

TEST(MainWindowEditors, VictoryConditionsOpenReadOnlyAndCloseOnTheirRequestOrAtTheEndOfPlay)
{
    World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    World::pump();
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kVictoryConditions, 0);
    World::pump();
    HWND victory = world.window().victoryWindow();
    ASSERT_NE(victory, nullptr);
    char title[64] = {};
    GetWindowTextA(victory, title, sizeof title);
    EXPECT_EQ(std::string(title), platform::utf8ToCp932("勝利条件確認"));
    auto* dialog = dynamic_cast<VictoryConditionDialog*>(windowFromHandle(victory));
    ASSERT_NE(dialog, nullptr);
    uint8_t copied[kCountryCount][5] = {};
    world.state().copyVictoryConditionsOut(copied);
    EXPECT_EQ(std::memcmp(dialog->entries().data(), copied, sizeof copied), 0);

    PostMessageA(victory, WM_CLOSE, 0, 0);
    World::pump();
    EXPECT_FALSE(IsWindow(victory));
    EXPECT_EQ(world.window().victoryWindow(), nullptr);

    SendMessageA(world.handle(), WM_COMMAND, menu_id::kVictoryConditions, 0);
    World::pump();
    victory = world.window().victoryWindow();
    ASSERT_NE(victory, nullptr);
    world.window().stopPlay();
    ASSERT_TRUE(world.settle());
    EXPECT_FALSE(IsWindow(victory));
}

TEST(MainWindowEditors, RuleListOpensFromTheProductionTypeMenu)
{
    World world;
    EXPECT_NE(GetMenuState(world.window().menu(), menu_id::kRuleList, MF_BYCOMMAND), UINT(-1));
    bool opened = false;
    dialogtest::drive(platform::utf8ToCp932("ルール作成").c_str(),
        [&] { return SendMessageA(world.handle(), WM_COMMAND, menu_id::kRuleList, 0); },
        [&](HWND list) {
            dialogtest::settle();
            opened = IsWindowVisible(list) != FALSE;
            PostMessageA(list, WM_CLOSE, 0, 0);
        });
    EXPECT_TRUE(opened);
}

TEST(MainWindowEditors, ProductionTypeMenuOpensTheListInEachMode)
{
    World world;
    const struct {
        UINT command;
        const char* title;
    } items[] = { { menu_id::kProductEdit, "生産タイプ編集" }, { menu_id::kProductImport, "生産タイプ読込" },
        { menu_id::kProductExport, "生産タイプ書出" } };
    for (const auto& item : items) {
        EXPECT_NE(GetMenuState(world.window().menu(), item.command, MF_BYCOMMAND), UINT(-1));
        bool opened = false;
        dialogtest::drive(platform::utf8ToCp932(item.title).c_str(),
            [&] { return SendMessageA(world.handle(), WM_COMMAND, item.command, 0); },
            [&](HWND list) {
                dialogtest::settle();
                opened = IsWindowVisible(list) != FALSE;
                PostMessageA(list, WM_CLOSE, 0, 0);
            });
        EXPECT_TRUE(opened) << item.title;
    }
}

// Simple mode holds empty user slots only: editing there would overwrite the stored table.
TEST(MainWindowEditors, ProductionTypeListIsNotOfferedInSimpleMode)
{
    platform::harness::TestClock clock(platform::harness::TestClock::Running);
    World world;
    world.window().state().setMode(1);
    bool opened = false;
    dialogtest::drive(platform::utf8ToCp932("生産タイプ編集").c_str(),
        [&] { return SendMessageA(world.handle(), WM_COMMAND, menu_id::kProductEdit, 0); },
        [&](HWND list) {
            opened = true;
            PostMessageA(list, WM_CLOSE, 0, 0);
        });
    EXPECT_FALSE(opened);
    SendMessageA(world.handle(), WM_INITMENU, WPARAM(world.window().menu()), 0);
    EXPECT_NE(GetMenuState(world.window().menu(), menu_id::kProductImport, MF_BYCOMMAND) & MF_GRAYED, 0u);
}
