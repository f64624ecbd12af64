// The game selection dialog driven by input on the headless desktop: categories and pages, the
// preview of the entry that takes the focus, refusals while nothing is previewed, the saves list,
// browsing and the ini written only on accept.
#include "dialogs/game_select_dialog.h"

#include "dialogs/folder_browse.h"
#include "dialogs/game_select_ids.h"
#include "dialogs/map_facility_table.h"
#include "dialogs/map_info_strip.h"
#include "state/game_settings.h"
#include "state/saved_game_file.h"
#include "tests/dialogs/dialog_helpers.h"
#include "tests/dialogs/dialog_test_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace testing_dialogs;
namespace harness = platform::harness;

namespace {

using dialog_helpers::cp, dialog_helpers::itemEnabled;

std::string dialogItemText(HWND dialog, UINT control)
{
    char text[512] = {};
    GetDlgItemTextA(dialog, int(control), text, sizeof text);
    return text;
}

void clickItem(HWND dialog, UINT control, bool twice = false)
{
    RECT r {};
    GetWindowRect(GetDlgItem(dialog, int(control)), &r);
    const int x = (r.left + r.right) / 2;
    const int y = (r.top + r.bottom) / 2;
    if (twice)
        harness::doubleClick(x, y);
    else
        harness::click(x, y);
    dialogtest::settle();
}

int enabledEntries(HWND dialog)
{
    int n = 0;
    for (UINT c = game_select_id::kFirstEntry; c <= game_select_id::kLastEntry; ++c)
        n += itemEnabled(dialog, c) ? 1 : 0;
    return n;
}

std::string shotFolder()
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    return folder ? folder : "";
}

void shot(HWND dialog, const std::string& name)
{
    if (shotFolder().empty())
        return;
    RECT r {};
    GetWindowRect(dialog, &r);
    harness::writePng(harness::readRect(r), shotFolder() + "/" + name + ".png");
}

struct SelectWorld : MapFilesWorld {
    SelectWorld()
    {
        harness::clearMessageBoxes();
        makeNamedValue("NewGamePath").profileWriteString(gamePath("maps").c_str());
        makeNamedValue("SaveGamePath").profileWriteString(gamePath("saves").c_str());
    }
    void maps(int count, const char* extension)
    {
        for (int i = 0; i < count; ++i) {
            MapFacts facts;
            char name[32];
            std::snprintf(name, sizeof name, "map %02d", i);
            facts.name = name;
            facts.style = uint8_t(i % 5);
            facts.shade = uint8_t(i % 5);
            facts.width = 20 + i;
            facts.height = 16;
            facts.difficulty = uint8_t(i);
            facts.turnLimit = uint16_t(10 + i);
            facts.description = "about " + std::string(name);
            char file[32];
            std::snprintf(file, sizeof file, "maps/m%02d.%s", i, extension);
            writeMap(file, facts);
        }
    }
};

TEST(GameSelectDialog, CategoriesPagesOfFourteenAndFifteenAndTheirTitles)
{
    SelectWorld world;
    world.maps(15, "vtm");
    world.maps(14, "vts");
    world.writeCampaign("maps/c.vtc", "campaign", 2, MapFacts {});
    GameSelectDialog dialog(makeWindowContext(world.state()), nullptr, 0, 0, 0, kCategoryScenario);
    std::vector<std::string> titles;
    dialogtest::drive(cp("新規ゲーム").c_str(), [&] { return dialog.run(); }, [&](HWND h) {
        waitUntilShown(h);
        RECT client {};
        GetClientRect(h, &client);
        EXPECT_EQ(client.right, 598);
        EXPECT_EQ(client.bottom, 488);
        // Fourteen scenarios: one page, both page buttons off.
        EXPECT_EQ(enabledEntries(h), 14);
        EXPECT_FALSE(itemEnabled(h, game_select_id::kPreviousPage));
        EXPECT_FALSE(itemEnabled(h, game_select_id::kNextPage));
        EXPECT_EQ(dialogItemText(h, game_select_id::kPageNumber), "-1-");
        EXPECT_FALSE(itemEnabled(h, game_select_id::kStart));
        shot(h, "game_select_new");
        // Fifteen maps: two pages, the second with one enabled entry.
        clickItem(h, game_select_id::kCategoryMap);
        EXPECT_EQ(enabledEntries(h), 14);
        EXPECT_TRUE(itemEnabled(h, game_select_id::kNextPage));
        for (int i = 0; i < 14; ++i)
            titles.push_back(dialog.entry(i)->text());
        clickItem(h, game_select_id::kNextPage);
        EXPECT_EQ(enabledEntries(h), 1);
        EXPECT_EQ(dialog.entry(0)->text(), "map 14");
        EXPECT_EQ(dialogItemText(h, game_select_id::kPageNumber), "-2-");
        EXPECT_TRUE(itemEnabled(h, game_select_id::kPreviousPage));
        EXPECT_FALSE(itemEnabled(h, game_select_id::kNextPage));
        // A category change goes back to the first page.
        clickItem(h, game_select_id::kCategoryCampaign);
        EXPECT_EQ(dialog.page(), 0);
        EXPECT_EQ(enabledEntries(h), 1);
        EXPECT_EQ(dialog.entry(0)->text(), "campaign");
        EXPECT_EQ(dialog.entry(0)->textStyle(), 3);
    });
    ASSERT_EQ(titles.size(), 14u);
    EXPECT_EQ(titles.front(), "map 00");
    EXPECT_EQ(titles.back(), "map 13");
    EXPECT_EQ(dialog.result(), 0);
}

TEST(GameSelectDialog, FocusPreviewsEnterAcceptsOnlyThenAndTheIniIsWrittenOnAccept)
{
    SelectWorld world;
    world.maps(3, "vts");
    world.write("maps/z.vts", "damaged");
    world.writeCampaign("maps/c.vtc", "campaign", 4, MapFacts {});
    makeNamedValue("NewGamePath").profileWriteString(world.gamePath("maps\\").c_str());
    const std::string before = world.gamePath("maps\\");
    GameSelectDialog dialog(makeWindowContext(world.state()), nullptr, 0, 0, 0, kCategoryScenario);
    dialogtest::drive(cp("新規ゲーム").c_str(), [&] { return dialog.run(); }, [&](HWND h) {
        waitUntilShown(h);
        EXPECT_EQ(enabledEntries(h), 4) << "the damaged file is listed";
        EXPECT_EQ(dialog.entry(3)->text(), "") << "with a blank title";
        // Nothing previewed: Enter and a double click on the damaged entry are refused.
        harness::pressKey(VK_RETURN);
        dialogtest::settle();
        ASSERT_TRUE(IsWindow(h));
        clickItem(h, game_select_id::kFirstEntry + 3, true);
        ASSERT_TRUE(IsWindow(h)) << "a double click on an entry whose preview failed";
        EXPECT_FALSE(itemEnabled(h, game_select_id::kStart));
        // The entry that takes the focus is previewed.
        clickItem(h, game_select_id::kFirstEntry + 1);
        EXPECT_TRUE(itemEnabled(h, game_select_id::kStart));
        EXPECT_EQ(dialogItemText(h, game_select_id::kNameLine), cp("ﾌｧｲﾙ名：") + "m01.vts");
        EXPECT_EQ(dialogItemText(h, game_select_id::kSize), "21x16");
        EXPECT_EQ(dialogItemText(h, game_select_id::kTurnLimit), "11");
        EXPECT_EQ(dialogItemText(h, game_select_id::kDifficulty), starRatingText(1));
        EXPECT_EQ(dialogItemText(h, game_select_id::kDescription), "about map 01");
        shot(h, "game_select_preview");
        // The damaged one clears it again.
        clickItem(h, game_select_id::kFirstEntry + 3);
        EXPECT_FALSE(itemEnabled(h, game_select_id::kStart));
        EXPECT_EQ(dialogItemText(h, game_select_id::kSize), "");
        EXPECT_EQ(dialog.facilityTable()->counts()[0][0], 0u);
        // A campaign's description: its map count and the first map's news.
        clickItem(h, game_select_id::kCategoryCampaign);
        clickItem(h, game_select_id::kFirstEntry);
        EXPECT_EQ(dialogItemText(h, game_select_id::kDescription).rfind(cp("キャンペーン総枚数：4枚\r\n\r\n"), 0), 0u);
        clickItem(h, game_select_id::kCategoryScenario);
        EXPECT_FALSE(itemEnabled(h, game_select_id::kStart)) << "a category change clears the preview";
        clickItem(h, game_select_id::kFirstEntry + 2);
        harness::pressKey(VK_RETURN);
        dialogtest::settle();
    });
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.chosenPath(), before + "m02.vts") << "one separator with or without a trailing one";
    std::string stored;
    makeNamedValue("NewGamePath").profileReadString(stored, "");
    EXPECT_EQ(stored, before);

    // A double click on an entry that previews accepts.
    makeNamedValue("NewGamePath").profileWriteString(world.gamePath("maps").c_str());
    GameSelectDialog again(makeWindowContext(world.state()), nullptr, 0, 0, 0, kCategoryScenario);
    dialogtest::drive(cp("新規ゲーム").c_str(), [&] { return again.run(); }, [&](HWND h) {
        waitUntilShown(h);
        clickItem(h, game_select_id::kFirstEntry, true);
        ASSERT_FALSE(IsWindow(h)) << "an entry that previews is accepted by a double click";
    });
    EXPECT_EQ(again.result(), 1);
    EXPECT_EQ(again.chosenPath(), before + "m00.vts");
}

// The page's entries are one stop of the Tab walk, as a list is: Tab and Shift+Tab leave them and
// come back to the entry chosen, the arrows move between them.
TEST(GameSelectDialog, EntriesAreOneTabStopThatTheArrowsWalk)
{
    SelectWorld world;
    world.maps(3, "vts");
    GameSelectDialog dialog(makeWindowContext(world.state()), nullptr, 0, 0, 0, kCategoryScenario);
    dialogtest::drive(cp("新規ゲーム").c_str(), [&] { return dialog.run(); }, [&](HWND h) {
        waitUntilShown(h);
        const auto press = [](UINT key, bool shift = false) {
            if (shift)
                harness::keyDown(VK_SHIFT);
            harness::pressKey(key);
            if (shift)
                harness::keyUp(VK_SHIFT);
            dialogtest::settle();
        };
        const std::string m01 = cp("ﾌｧｲﾙ名：") + "m01.vts";
        clickItem(h, game_select_id::kFirstEntry + 1);
        press(VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(h, int(game_select_id::kBrowse)));
        EXPECT_EQ(dialogItemText(h, game_select_id::kNameLine), m01);
        press(VK_TAB, true);
        EXPECT_EQ(GetFocus(), GetDlgItem(h, int(game_select_id::kFirstEntry + 1))) << "back to the entry chosen";
        press(VK_DOWN);
        EXPECT_EQ(GetFocus(), GetDlgItem(h, int(game_select_id::kFirstEntry + 2)));
        EXPECT_EQ(dialogItemText(h, game_select_id::kNameLine), cp("ﾌｧｲﾙ名：") + "m02.vts");
        press(VK_TAB, true);
        const UINT focused = UINT(GetDlgCtrlID(GetFocus()));
        EXPECT_TRUE(focused < game_select_id::kFirstEntry || focused > game_select_id::kLastEntry) << "Shift+Tab leaves the entries";
        EXPECT_EQ(dialogItemText(h, game_select_id::kNameLine), cp("ﾌｧｲﾙ名：") + "m02.vts");
        press(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.result(), 0);
}

TEST(GameSelectDialog, ResumeListsSavesWithDateTurnAndSide)
{
    SelectWorld world;
    GameState& s = world.state();
    s.turnBlock().turn = 5;
    s.turnBlock().currentCountry = 1;
    std::filesystem::create_directories(world.host("saves"));
    ASSERT_TRUE(saveGameFile(s, world.gamePath("saves/b.wqs").c_str(), false));
    s.turnBlock().currentCountry = 8;
    ASSERT_TRUE(saveGameFile(s, world.gamePath("saves/a.wqs").c_str(), false));
    ASSERT_TRUE(saveGameFile(s, world.gamePath("saves/other.wqm").c_str(), false));
    world.write("saves/c.wqs", "broken");
    GameSelectDialog dialog(makeWindowContext(s), nullptr, 0, 1, 0, kCategoryScenario);
    dialogtest::drive(cp("ゲーム再開").c_str(), [&] { return dialog.run(); }, [&](HWND h) {
        waitUntilShown(h);
        RECT client {};
        GetClientRect(h, &client);
        EXPECT_EQ(client.right, 500);
        HWND list = GetDlgItem(h, int(game_select_id::kSaveList));
        ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
        char first[64] = {};
        SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
        EXPECT_STREQ(first, "a.wqs");
        RECT inner {};
        GetClientRect(list, &inner);
        EXPECT_EQ(inner.bottom, 345);
        RECT row {};
        SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
        POINT at = dialogtest::screenOf(list, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
        harness::click(at.x, at.y);
        dialogtest::settle();
        EXPECT_TRUE(itemEnabled(h, game_select_id::kStart));
        const std::string data = dialogItemText(h, game_select_id::kDescription);
        EXPECT_EQ(data.rfind(cp("日　付："), 0), 0u) << data;
        EXPECT_NE(data.find(cp("ターン：5\r\n担　当：RED")), std::string::npos) << data;
        EXPECT_EQ(dialogItemText(h, game_select_id::kNameLine), cp("ｼﾅﾘｵ名："));
        shot(h, "game_select_resume");
        SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        at = dialogtest::screenOf(list, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
        harness::click(at.x, at.y);
        dialogtest::settle();
        EXPECT_EQ(dialogItemText(h, game_select_id::kDescription).substr(dialogItemText(h, game_select_id::kDescription).size() - cp("担　当：").size()), cp("担　当："));
        // The damaged save: a cleared preview, and its double click is refused.
        SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
        at = dialogtest::screenOf(list, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
        harness::doubleClick(at.x, at.y);
        dialogtest::settle();
        ASSERT_TRUE(IsWindow(h));
        EXPECT_FALSE(itemEnabled(h, game_select_id::kStart));
        EXPECT_EQ(dialogItemText(h, game_select_id::kDescription), "");
        // The maps category lists the map saves.
        clickItem(h, game_select_id::kCategoryMap);
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    });
    EXPECT_EQ(dialog.result(), 0);
}

TEST(GameSelectDialog, BrowsingChangesTheFolderAndSimpleModeShowsNoCategories)
{
    SelectWorld world;
    world.maps(2, "vts");
    world.maps(1, "smp");
    std::filesystem::create_directories(world.host("other"));
    world.writeMap("other/x.vts", MapFacts {});
    GameSelectDialog dialog(makeWindowContext(world.state()), nullptr, 0, 0, 0, kCategoryScenario);
    dialogtest::drive(cp("新規ゲーム").c_str(), [&] { return dialog.run(); }, [&](HWND h) {
        waitUntilShown(h);
        EXPECT_EQ(enabledEntries(h), 2);
        clickItem(h, game_select_id::kFirstEntry);
        EXPECT_TRUE(itemEnabled(h, game_select_id::kStart));
        // The browser opens on the folder shown; choosing another refills and clears the preview.
        PostMessageA(GetDlgItem(h, int(game_select_id::kBrowse)), BM_CLICK, 0, 0);
        HWND browser = dialogtest::waitForWindow(cp("フォルダの参照").c_str());
        ASSERT_NE(browser, nullptr);
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(world.gamePath("other").c_str()));
        PostMessageA(browser, WM_COMMAND, IDOK, 0);
        dialogtest::settle();
        EXPECT_EQ(enabledEntries(h), 1);
        EXPECT_FALSE(itemEnabled(h, game_select_id::kStart));
    });
    EXPECT_EQ(dialog.folder(), world.gamePath("other"));
    std::string stored;
    makeNamedValue("NewGamePath").profileReadString(stored, "");
    EXPECT_EQ(stored, world.gamePath("maps")) << "browsing alone writes nothing";

    world.state().setMode(1);
    GameSelectDialog simple(makeWindowContext(world.state()), nullptr, 0, 0, 0, kCategoryCampaign);
    dialogtest::drive(cp("新規ゲーム").c_str(), [&] { return simple.run(); }, [&](HWND h) {
        waitUntilShown(h);
        for (UINT c : { game_select_id::kCategoryMap, game_select_id::kCategoryScenario, game_select_id::kCategoryCampaign })
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(h, int(c))));
        EXPECT_EQ(enabledEntries(h), 1) << "only *.smp";
        EXPECT_EQ(GetFocus(), GetDlgItem(h, int(game_select_id::kFirstEntry))) << "the first Enter starts, not the browser";
        shot(h, "game_select_simple");
        harness::pressKey(VK_RETURN);
        dialogtest::settle();
    });
    EXPECT_EQ(simple.category(), uint32_t(kCategoryScenario));
    EXPECT_EQ(simple.result(), 1);
    world.state().setMode(0);
}

TEST(BrowseFolderCallback, WidensTheTitleLineAndShowsTheSelectionAsStatus)
{
    MapFilesWorld world;
    testing_lib::TopWindow browser("BrowseCallbackTest");
    ASSERT_TRUE(browser.Create());
    HWND title = CreateWindowExA(0, "Static", cp("参照するフォルダー").c_str(), WS_CHILD | WS_VISIBLE, 8, 20, 200, 16,
        browser.handle(), nullptr, nullptr, nullptr);
    const std::string folder = world.gamePath("");
    const FolderBrowseStart start { folder.c_str(), world.look().font(kSmallFont).handle() };
    browseFolderCallback(browser.handle(), BFFM_INITIALIZED, 0, reinterpret_cast<LPARAM>(&start));
    RECT r {};
    GetWindowRect(title, &r);
    POINT corner { r.left, r.top };
    ScreenToClient(browser.handle(), &corner);
    EXPECT_EQ(corner.y, 14);
    EXPECT_EQ(r.bottom - r.top, 28);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_TRUE(GetWindowLongPtrA(title, GWL_STYLE) & SS_PATHELLIPSIS);
    DestroyWindow(browser.handle());
}

} // namespace
