// The help page: a missing page or a desktop without a viewer is told, never silently ignored; the
// page the program ships speaks of every order and every menu item a person can choose.
#include "app/command_palette.h"
#include "app/help_page.h"
#include "app/program_resources.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"

#include "app/menu_ids.h"
#include "tests/app/main_window_world.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace {

namespace harness = platform::harness;

TEST(HelpPage, MissingPageOrViewerIsToldInAMessageBox)
{
    main_window_test::World world;
    harness::clearMessageBoxes();
    EXPECT_EQ(openHelpPage(&world.window()), HelpOutcome::Missing);
    ASSERT_EQ(harness::messageBoxes().size(), 1u);
    EXPECT_EQ(harness::messageBoxes()[0].caption, platform::utf8ToCp932("ヘルプ"));

    world.folder().write("tkhelp/index.html", "<html></html>");
    // No handler on the search path, and one that starts and fails (a desktop without a browser):
    // both name the page so the person can open it by hand.
    world.folder().write("bin/xdg-open", "#!/bin/sh\nexit 3\n");
    std::filesystem::permissions(world.folder().host("bin/xdg-open"), std::filesystem::perms::owner_all);
    const std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    for (const auto& [path, outcome] : { std::pair { world.folder().path(), HelpOutcome::NoViewer },
             { world.folder().host("bin"), HelpOutcome::Opened } }) {
        harness::clearMessageBoxes();
        setenv("PATH", path.c_str(), 1);
        EXPECT_EQ(openHelpPage(&world.window()), outcome);
        setenv("PATH", saved.c_str(), 1);
        ASSERT_TRUE(main_window_test::World::pumpUntil([] { return !harness::messageBoxes().empty(); }, std::chrono::seconds(3)));
        EXPECT_NE(harness::messageBoxes()[0].text.find("tkhelp/index.html"), std::string::npos);
    }
}

// The menu's item texts without their access keys, shortcuts and ellipses, submenus walked.
void collectMenuTexts(HMENU menu, std::vector<std::string>& out)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            collectMenuTexts(sub, out);
            continue;
        }
        char text[128] = {};
        if (GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION) <= 0)
            continue;
        std::string item = platform::cp932ToUtf8(text);
        item = item.substr(0, std::min({ item.find('('), item.find('\t'), item.find("...") }));
        if (!item.empty())
            out.push_back(item);
    }
}

// The captions of the windows the menus open during a person's turn; each is closed once seen.
std::vector<std::string> menuWindowCaptions()
{
    main_window_test::World world;
    world.dismissPopups();
    std::vector<std::string> captions;
    if (!world.startGame())
        return captions;
    auto shown = [] {
        std::set<HWND> windows;
        for (HWND h = FindWindowExA(nullptr, nullptr, nullptr, nullptr); h; h = FindWindowExA(nullptr, h, nullptr, nullptr))
            if (IsWindowVisible(h))
                windows.insert(h);
        return windows;
    };
    using namespace menu_id;
    for (UINT id : { kTroopList, kDestroyedList, kWeaponList, kRuleInfo, kVictoryConditions, kCountryInfo, kConditionInfo,
             kResults, kTerrainList, kMoveTable, kAvoidTable, kTransportTable, kActionHistory, kProductEdit, kRuleList,
             kEnvironment, kChangePlayers, kAutoMoveWindow }) {
        const std::set<HWND> before = shown();
        std::atomic<bool> seen = false;
        std::thread closer([&] {
            for (int i = 0; i < 300 && !seen; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
                for (HWND h : shown()) {
                    char text[128] = {};
                    if (before.count(h) || GetWindowTextA(h, text, sizeof text) <= 0)
                        continue;
                    captions.push_back(platform::cp932ToUtf8(text));
                    PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
                    PostMessageA(h, WM_CLOSE, 0, 0);
                    seen = true;
                }
        });
        SendMessageA(world.handle(), WM_COMMAND, id, 0);
        main_window_test::World::pumpUntil([&] { return seen.load(); }, std::chrono::seconds(3));
        closer.join();
        main_window_test::World::pump();
    }
    return captions;
}

TEST(HelpPage, ShippedPageTellsOfEveryOrderMenuItemAndWindow)
{
    std::ifstream file(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkhelp" / "index.html");
    ASSERT_TRUE(file);
    std::stringstream read;
    read << file.rdbuf();
    const std::string page = read.str();
    std::vector<std::string> names;
    for (int code = 1; code < CommandPalette::kCommandCount; ++code)
        if (*commandName(code))
            names.push_back(platform::cp932ToUtf8(commandName(code)));
    HMENU menu = loadMainMenu();
    ASSERT_NE(menu, nullptr);
    collectMenuTexts(menu, names);
    DestroyMenu(menu);
    EXPECT_GT(names.size(), 50u);
    const std::vector<std::string> captions = menuWindowCaptions();
    EXPECT_GT(captions.size(), 15u);
    names.insert(names.end(), captions.begin(), captions.end());
    for (const std::string& name : names)
        EXPECT_NE(page.find(name), std::string::npos) << name;
    // What the program does is not said to be missing.
    EXPECT_EQ(page.find("まだ命令できません"), std::string::npos);

    // The supply order is the needy unit's own, offered only without the supply phase; the
    // interception at the end of the action phase is told with the notice the person then sees.
    const size_t supplyRow = page.find("<tr><td>補給</td>");
    ASSERT_NE(supplyRow, std::string::npos);
    const std::string supply = page.substr(supplyRow, page.find("</tr>", supplyRow) - supplyRow);
    EXPECT_NE(supply.find("「補給フェイズ」が「なし」"), std::string::npos) << supply;
    const size_t interception = page.find("<h2 id=\"interception\">");
    ASSERT_NE(interception, std::string::npos);
    const std::string section = page.substr(interception, page.find("<h2", interception + 1) - interception);
    for (const char* told : { "行動フェイズの終わり", "敵部隊の迎撃に遇いました。" })
        EXPECT_NE(section.find(told), std::string::npos) << told;
    // The new game's category buttons are normal mode's; simple mode shows its own maps alone.
    for (const char* told : { "通常モードでは「新規ゲーム」ダイアログの左上のボタン", "シンプルモードではこのボタンはなく" })
        EXPECT_NE(page.find(told), std::string::npos) << told;
}

} // namespace
