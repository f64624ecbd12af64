// The map settings dialog on the headless desktop: its pages, participation, OK with the settings
// taken, and cancel putting back everything the person touched.
#include "dialogs/map_settings_dialog.h"

#include "dialogs/map_settings_ids.h"
#include "dialogs/map_thumbnail.h"
#include "editors/rule_option_panel.h"
#include "editors/rule_option_table.h"
#include "editors/victory_condition_dialog.h"
#include "tests/dialogs/setup_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <thread>

using namespace setup_test;

namespace {

const std::string kSettingsTitle = cp("マップ設定変更");

// The settings of the world's game, worked by `driver`; answers the dialog's result.
int runSettings(SetUpWorld& world, const std::function<void(HWND, MapSettingsDialog&)>& driver)
{
    MapSettingsDialog dialog(makeWindowContext(world.state()), nullptr);
    return drive(kSettingsTitle, [&] { dialog.run(); return int(dialog.result()); }, [&](HWND window) { driver(window, dialog); });
}

void clickTab(HWND window, int tab)
{
    // Two clicks on one spot in quick succession would be a double click.
    std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 20));
    HWND tabs = control(window, map_settings_id::kTab);
    RECT item {};
    SendMessageA(tabs, TCM_GETITEMRECT, WPARAM(tab), LPARAM(&item));
    POINT at { (item.left + item.right) / 2, (item.top + item.bottom) / 2 };
    ClientToScreen(tabs, &at);
    harness::click(at.x, at.y);
    settle();
}

void typeInto(HWND window, int controlId, const char* text)
{
    SetWindowTextA(control(window, controlId), text);
    settle();
}

int selectedData(HWND window, int controlId)
{
    HWND combo = control(window, controlId);
    const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(index), 0));
}

bool sameRecord(const CountryRecord& a, const CountryRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

int focusedId() { return GetDlgCtrlID(GetFocus()); }

// The top rows of a control as the screen shows them.
std::vector<uint32_t> topRows(HWND window, int id, int rows)
{
    RECT r {};
    GetWindowRect(control(window, id), &r);
    r.bottom = r.top + rows;
    return harness::readRect(r).pixels;
}

} // namespace

TEST(MapSettingsDialog, TwoParticipantsMayNotLeaveAndShowOnOnePage)
{
    SetUpWorld world;
    world.play({ 1, 3 });
    const int result = runSettings(world, [&](HWND window, MapSettingsDialog&) {
        EXPECT_EQ(SendMessageA(control(window, map_settings_id::kTab), TCM_GETITEMCOUNT, 0, 0), 1);
        EXPECT_EQ(textOf(window, map_settings_id::kGroupBox + 0), "RED");
        EXPECT_EQ(textOf(window, map_settings_id::kGroupBox + 1), "YELLOW");
        EXPECT_FALSE(shown(window, map_settings_id::kGroupBox + 2));
        EXPECT_FALSE(shown(window, map_settings_id::kParticipation + 3));
        EXPECT_EQ(SendMessageA(control(window, map_settings_id::kParticipation), CB_GETCOUNT, 0, 0), 2) << "USER and COMP only";
        EXPECT_EQ(SendMessageA(control(window, map_settings_id::kParticipation), CB_FINDSTRINGEXACT, WPARAM(-1),
                      LPARAM(cp("不参戦").c_str())),
            CB_ERR);
        EXPECT_FALSE(enabled(window, map_settings_id::kAlliance + 3)) << "no alliance with two in play";
        EXPECT_FALSE(enabled(window, map_settings_id::kTurnLimit)) << "the turn limit is the map's own";
        clickControl(window, map_settings_id::kCancel);
    });
    EXPECT_EQ(result, 0);
}

TEST(MapSettingsDialog, FiveParticipantsFillTwoTabsAndTheSecondShowsTheFifth)
{
    SetUpWorld world;
    world.play({ 0, 1, 2, 3, 4 });
    runSettings(world, [&](HWND window, MapSettingsDialog& dialog) {
        HWND tabs = control(window, map_settings_id::kTab);
        ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
        char text[16] = {};
        TCITEMA item {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, 0, LPARAM(&item));
        EXPECT_STREQ(text, "BRGY");
        SendMessageA(tabs, TCM_GETITEMA, 1, LPARAM(&item));
        EXPECT_STREQ(text, "P");
        capture(window, "map_settings");
        clickControl(window, map_settings_id::kBuildingsView, 4);
        EXPECT_EQ(dialog.thumbnail()->viewMode, 1u);
        clickTab(window, 1);
        EXPECT_EQ(dialog.page(), 1);
        EXPECT_EQ(textOf(window, map_settings_id::kGroupBox), "PURPLE");
        EXPECT_FALSE(shown(window, map_settings_id::kGroupBox + 1));
        EXPECT_EQ(dialog.slotCountry(0, true), 0);
        capture(window, "map_settings_page2");
        clickControl(window, map_settings_id::kCancel);
    });
}

TEST(MapSettingsDialog, TheKeysReachTheCountryPagesAndTurnThemFromAnywhere)
{
    SetUpWorld world;
    world.play({ 0, 1, 2, 3, 4, 5 });
    runSettings(world, [&](HWND window, MapSettingsDialog& dialog) {
        // Tab from the comment, the last of the options at the top, reaches the strip, which shows
        // it has the keyboard, and then BLUE's first field.
        ASSERT_EQ(focusedId(), map_settings_id::kComment);
        const std::vector<uint32_t> stripLeft = topRows(window, map_settings_id::kTab, 24);
        pressKeys({ VK_TAB });
        EXPECT_EQ(focusedId(), map_settings_id::kTab);
        EXPECT_NE(topRows(window, map_settings_id::kTab, 24), stripLeft) << "the focused strip shows it";
        pressKeys({ VK_TAB });
        EXPECT_EQ(focusedId(), map_settings_id::kParticipation);
        std::vector<int> walk;
        for (HWND at = control(window, map_settings_id::kTab); at && GetDlgCtrlID(at) != map_settings_id::kComment && walk.size() < 300;
             at = GetNextDlgTabItem(window, at, FALSE))
            walk.push_back(GetDlgCtrlID(at));
        // The strip, then down each country in turn (BLUE's alliance with RED, the others' with
        // BLUE), the buttons, and round to the options.
        std::vector<int> reached;
        auto reach = [&](int id) { reached.push_back(int(std::find(walk.begin(), walk.end(), id) - walk.begin())); };
        for (int slot = 0; slot < 4; ++slot) {
            for (int id : { map_settings_id::kParticipation, map_settings_id::kName, map_settings_id::kProductionType, map_settings_id::kFunds, map_settings_id::kMusicPreview,
                     map_settings_id::kMusic, map_settings_id::kStrategy })
                reach(id + slot);
            reach(map_settings_id::kAlliance + 8 * slot + (slot == 0 ? 1 : 0));
        }
        for (int id : { map_settings_id::kRules, map_settings_id::kVictory, map_settings_id::kOk, map_settings_id::kCancel, map_settings_id::kImageView })
            reach(id);
        EXPECT_TRUE(walk.front() == map_settings_id::kTab && std::is_sorted(reached.begin(), reached.end())
            && reached.back() < int(walk.size()));

        // Ctrl with Tab or the page keys turns the pages wherever the focus is, and nothing else;
        // a focus the new page hides moves to the strip.
        const std::vector<uint32_t> titles = topRows(window, map_settings_id::kSlotPage, 14);
        const struct { int from; std::vector<UINT> keys; int page; int focus; } turns[] = {
            { map_settings_id::kProductionType + 3, { VK_CONTROL, VK_NEXT }, 1, map_settings_id::kTab },
            { map_settings_id::kName, { VK_CONTROL, VK_PRIOR }, 0, map_settings_id::kName },
            { map_settings_id::kName, { VK_CONTROL, VK_TAB }, 1, map_settings_id::kName },
            { map_settings_id::kTab, { VK_CONTROL, VK_SHIFT, VK_TAB }, 0, map_settings_id::kTab },
        };
        for (const auto& t : turns) {
            SCOPED_TRACE(int(&t - turns));
            SendMessageA(window, WM_NEXTDLGCTL, WPARAM(control(window, t.from)), TRUE);
            const LRESULT chosen = SendMessageA(control(window, t.from), CB_GETCURSEL, 0, 0);
            pressKeys(t.keys);
            EXPECT_EQ(dialog.page(), t.page);
            EXPECT_EQ(focusedId(), t.focus);
            EXPECT_EQ(SendMessageA(control(window, t.from), CB_GETCURSEL, 0, 0), chosen);
        }
        EXPECT_EQ(topRows(window, map_settings_id::kSlotPage, 14), titles) << "no fragment of PURPLE or CYAN stays in the titles";
        capture(window, "map_settings_back");

        // The rule and victory dialogs give the focus back to their buttons.
        for (const auto& [button, title] : { std::pair { map_settings_id::kRules, "ルール設定" }, std::pair { map_settings_id::kVictory, "勝利条件設定" } }) {
            SendMessageA(window, WM_NEXTDLGCTL, WPARAM(control(window, button)), TRUE);
            harness::pressKey(VK_RETURN);
            ASSERT_NE(waitForShown(cp(title)), nullptr) << title;
            pressKeys({ VK_ESCAPE });
            EXPECT_EQ(focusedId(), button) << title;
        }
        clickControl(window, map_settings_id::kCancel);
    });
}

TEST(MapSettingsDialog, OkTakesTheSlotsIntoTheGame)
{
    SetUpWorld world;
    world.play({ 0, 1, 2 });
    world.state().country(0).controller = 1;
    world.setRule(kRuleDayNight, 1);
    const int result = runSettings(world, [&](HWND window, MapSettingsDialog&) {
        EXPECT_EQ(selectedData(window, map_settings_id::kParticipation), 0x100);
        chooseItem(window, map_settings_id::kParticipation, "COMP");
        typeInto(window, map_settings_id::kFunds, "12345");
        typeInto(window, map_settings_id::kName + 1, "renamed");
        chooseItem(window, map_settings_id::kStrategy + 1, computerStrategyName(2));
        clickControl(window, map_settings_id::kAlliance + 8 * 0 + 2, 4);
        EXPECT_TRUE(checked(window, map_settings_id::kAlliance + 8 * 2 + 0)) << "the alliance shows in W's row at once";
        clickControl(window, map_settings_id::kDayAndNight, 4);
        EXPECT_TRUE(enabled(window, map_settings_id::kDayNightTurns));
        typeInto(window, map_settings_id::kDayNightTurns, "4");
        clickControl(window, map_settings_id::kStartNight, 4);
        clickControl(window, map_settings_id::kOk);
    });
    EXPECT_EQ(result, 1);
    GameState& s = world.state();
    EXPECT_EQ(s.country(0).controller, 2);
    EXPECT_EQ(packed(s.country(0).funds), 12345u);
    EXPECT_EQ(packed(s.country(0).initialFunds), 12345u);
    EXPECT_STREQ(s.country(1).name, "renamed");
    EXPECT_EQ(s.country(1).analysisByte, 2);
    EXPECT_EQ(s.country(0).allianceMask, 0b101);
    EXPECT_EQ(s.country(2).allianceMask, 0b101);
    EXPECT_EQ(s.mapHeader().dayNightLow | s.mapHeader().dayNightHigh << 8, 4);
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(&s.mapHeader())[534], 1) << "night first";
}

TEST(MapSettingsDialog, AnAlliedCountryMayNotLeaveButALoneOneMay)
{
    SetUpWorld world;
    world.play({ 0, 1, 2, 3 });
    runSettings(world, [&](HWND window, MapSettingsDialog&) {
        clickControl(window, map_settings_id::kAlliance + 1, 4);
        chooseItem(window, map_settings_id::kParticipation, cp("不参戦"));
        const auto boxes = harness::messageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, cp("同盟を結んでいる陣営は不参戦に設定できません。"));
        EXPECT_EQ(boxes[0].caption, cp("注意"));
        EXPECT_EQ(selectedData(window, map_settings_id::kParticipation), 0x200) << "back on the computer";
        EXPECT_EQ(world.state().country(0).controller, 2);
        chooseItem(window, map_settings_id::kParticipation + 3, cp("不参戦"));
        EXPECT_EQ(world.state().country(3).controller, 0);
        EXPECT_FALSE(enabled(window, map_settings_id::kFunds + 3));
        EXPECT_FALSE(enabled(window, map_settings_id::kPact + 3)) << "no pact with a country out of the game";
        clickControl(window, map_settings_id::kCancel);
    });
    EXPECT_EQ(world.state().country(3).controller, 2) << "cancel takes the country back";
}

TEST(MapSettingsDialog, APageWithAUnitLimitOfZeroIsNotLeft)
{
    SetUpWorld world;
    world.play({ 0, 1, 2, 3, 4 });
    runSettings(world, [&](HWND window, MapSettingsDialog& dialog) {
        typeInto(window, map_settings_id::kUnitLimit + 2, "0");
        clickTab(window, 1);
        EXPECT_EQ(dialog.page(), 0);
        EXPECT_EQ(SendMessageA(control(window, map_settings_id::kTab), TCM_GETCURSEL, 0, 0), 0) << "the tab went back";
        const auto boxes = harness::messageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, cp("部隊数制限には1～999までを指定してください。"));
        typeInto(window, map_settings_id::kUnitLimit + 2, "50");
        clickTab(window, 1);
        EXPECT_EQ(harness::messageBoxes().size(), 1u);
        EXPECT_EQ(dialog.page(), 1);
        clickControl(window, map_settings_id::kCancel);
    });
}

TEST(MapSettingsDialog, DayAndNightTurnsAreCheckedAtOkWhileTheyAlternate)
{
    const struct { const char* what; const char* turns; const char* message; } cases[] = {
        { "no turns", "0", "昼夜ターン数を設定してください。" },
        { "as many as the game", "30", "昼夜ターン数に最大ターン数以上の値が設定されています。" },
        { "fewer than the game", "29", nullptr },
    };
    for (const auto& c : cases) {
        SetUpWorld world;
        world.play({ 0, 1 });
        world.setRule(kRuleDayNight, 1);
        uint8_t* header = reinterpret_cast<uint8_t*>(&world.state().mapHeader());
        header[536] = 30;
        const int result = runSettings(world, [&](HWND window, MapSettingsDialog&) {
            clickControl(window, map_settings_id::kDayAndNight, 4);
            typeInto(window, map_settings_id::kDayNightTurns, c.turns);
            clickControl(window, map_settings_id::kOk);
            if (IsWindow(window))
                clickControl(window, map_settings_id::kCancel);
        });
        const auto boxes = harness::messageBoxes();
        if (c.message) {
            ASSERT_EQ(boxes.size(), 1u) << c.what;
            EXPECT_EQ(boxes[0].text, cp(c.message)) << c.what;
            EXPECT_EQ(result, 0) << c.what;
        } else {
            EXPECT_TRUE(boxes.empty()) << c.what;
            EXPECT_EQ(result, 1) << c.what;
        }
    }
}

TEST(MapSettingsDialog, WithTheDayNightRuleOffOkStoresDaysOnly)
{
    SetUpWorld world;
    world.play({ 0, 1 });
    world.setRule(kRuleDayNight, 0);
    MapHeader& header = world.state().mapHeader();
    header.dayNightLow = 3;
    header.dayNightHigh = 0;
    const int result = runSettings(world, [&](HWND window, MapSettingsDialog&) {
        EXPECT_TRUE(checked(window, map_settings_id::kDayOnly));
        EXPECT_FALSE(enabled(window, map_settings_id::kDayAndNight));
        EXPECT_FALSE(enabled(window, map_settings_id::kDayNightTurns));
        clickControl(window, map_settings_id::kOk);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(header.dayNightLow | header.dayNightHigh << 8, 1000);
}

TEST(MapSettingsDialog, AnUnlistedOwnProductionTypeIsKeptAndAChosenOneReplacesIt)
{
    SetUpWorld world;
    world.play({ 0, 1 });
    GameState& s = world.state();
    ProductionTypeRecord own {};
    std::strcpy(own.name, "own");
    own.setProducible(2, true);
    s.setSideProductionType(0, own);
    s.setSideProductionType(1, own);
    // A user type number the table does not hold: the country's own type is shown on its own.
    s.country(0).productionTypeNumber = 200;
    s.country(1).productionTypeNumber = 200;
    const ProductionTypeRecord* builtin = s.productionType(1);
    ASSERT_NE(builtin, nullptr);
    runSettings(world, [&](HWND window, MapSettingsDialog&) {
        EXPECT_EQ(selectedData(window, map_settings_id::kProductionType), 65535);
        chooseItem(window, map_settings_id::kProductionType + 1, builtin->name);
        clickControl(window, map_settings_id::kOk);
    });
    EXPECT_STREQ(s.sideProductionType(0)->name, "own");
    EXPECT_EQ(s.country(0).productionTypeNumber, 200);
    EXPECT_STREQ(s.sideProductionType(1)->name, builtin->name);
    EXPECT_EQ(s.country(1).productionTypeNumber, 1);
}

TEST(MapSettingsDialog, CancelPutsBackBothPagesTheRulesAndTheVictoryConditions)
{
    SetUpWorld world;
    world.play({ 0, 1, 2, 3, 4 });
    GameState& s = world.state();
    s.ruleBlock().lead = kCustomRule;
    world.placeUnit(8, world.landType(), 5, 5);
    s.neutralBlock()[0] = 0b10;
    std::array<CountryRecord, 8> records {};
    std::array<ProductionTypeRecord, 8> types {};
    for (int c = 0; c < 8; ++c) {
        records[size_t(c)] = s.country(c);
        types[size_t(c)] = *s.sideProductionType(c);
    }
    const RuleBlock rules = s.ruleBlock();
    const ProductionTypeRecord* other = s.productionType(2);
    ASSERT_NE(other, nullptr);
    bool rulesSeen = false;
    bool victorySeen = false;
    const int result = runSettings(world, [&](HWND window, MapSettingsDialog& dialog) {
        typeInto(window, map_settings_id::kFunds, "777");
        chooseItem(window, map_settings_id::kProductionType, other->name);
        clickControl(window, map_settings_id::kAlliance + 1, 4);
        clickControl(window, map_settings_id::kCivilian + 2, 4);
        clickTab(window, 1);
        ASSERT_EQ(dialog.page(), 1);
        EXPECT_EQ(packed(s.country(0).funds), 777u) << "the page left is stored";
        typeInto(window, map_settings_id::kName, "fifth");
        clickControl(window, map_settings_id::kPact + 1, 4);
        // The rules: the day-and-night switch turned on.
        PostMessageA(window, WM_COMMAND, map_settings_id::kRules, 0);
        if (HWND rulesWindow = waitForShown(cp("ルール設定"))) {
            rulesSeen = true;
            settle();
            SendMessageA(control(rulesWindow, rule_option_id::buttonId(kRuleDayNight, 1)), BM_CLICK, 0, 0);
            settle();
            SendMessageA(control(rulesWindow, rule_option_id::kOk), BM_CLICK, 0, 0);
            settle();
        }
        EXPECT_TRUE(s.ruleOn(kRuleDayNight));
        EXPECT_TRUE(enabled(window, map_settings_id::kDayAndNight)) << "the day-and-night choice follows the rules";
        // The victory conditions: country 0 loses when the turns run out.
        PostMessageA(window, WM_COMMAND, map_settings_id::kVictory, 0);
        if (HWND victory = waitForShown(cp("勝利条件設定"))) {
            victorySeen = true;
            settle();
            SendMessageA(control(victory, victory_id::kDefeat), BM_CLICK, 0, 0);
            SendMessageA(control(victory, victory_id::kOk), BM_CLICK, 0, 0);
            settle();
        }
        EXPECT_EQ(s.country(0).turnLimitResult, 2);
        clickControl(window, map_settings_id::kCancel);
    });
    EXPECT_TRUE(rulesSeen);
    EXPECT_TRUE(victorySeen);
    EXPECT_EQ(result, 0);
    for (int c = 0; c < 8; ++c) {
        EXPECT_TRUE(sameRecord(s.country(c), records[size_t(c)])) << "country " << c;
        EXPECT_EQ(std::memcmp(s.sideProductionType(c), &types[size_t(c)], sizeof types[0]), 0) << "country " << c;
    }
    EXPECT_EQ(std::memcmp(&s.ruleBlock(), &rules, sizeof rules), 0);
    EXPECT_EQ(s.neutralBlock()[0], 0b10);
}

TEST(MapSettingsDialog, SimpleModeLeavesOutPactsCiviliansProductionLimitsAndVictoryConditions)
{
    SetUpWorld world;
    world.state().setMode(1);
    world.play({ 0, 1, 2 });
    runSettings(world, [&](HWND window, MapSettingsDialog&) {
        RECT client {};
        GetClientRect(window, &client);
        EXPECT_EQ(client.bottom, 442);
        EXPECT_EQ(control(window, map_settings_id::kVictory), nullptr);
        EXPECT_TRUE(shown(window, map_settings_id::kAlliance + 1));
        EXPECT_FALSE(shown(window, map_settings_id::kPact + 1));
        EXPECT_FALSE(shown(window, map_settings_id::kCivilian));
        EXPECT_FALSE(shown(window, map_settings_id::kProductionLimit));
        RECT units {};
        GetWindowRect(control(window, map_settings_id::kUnitLimit), &units);
        EXPECT_EQ(units.right - units.left, 114) << "the unit limit takes the production limit's place";
        capture(window, "map_settings_simple");
        clickControl(window, map_settings_id::kCancel);
    });
}

TEST(MapSettingsDialog, TheShippedRingMapsFillOneOrTwoPages)
{
    const struct { const char* map; int participants; bool neutralUnits; int pages; } cases[] = {
        { "duel.vtm", 2, false, 1 },
        { "pentagon.vtm", 5, true, 2 },
        { "octagon.vtm", 8, false, 2 },
    };
    for (const auto& c : cases) {
        SetUpWorld world;
        const std::string map = world.host(std::string("tkmap/") + c.map);
        std::filesystem::create_directories(world.host("tkmap"));
        std::filesystem::copy_file(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / c.map, map);
        ASSERT_TRUE(world.state().loadMapFile(platform::gamePathFromHost(map).c_str())) << c.map;
        EXPECT_EQ(world.state().liveUnitCount(8) > 0, c.neutralUnits) << c.map;
        MapSettingsDialog dialog(makeWindowContext(world.state()), nullptr);
        EXPECT_EQ(dialog.participantCount(), c.participants) << c.map;
        EXPECT_EQ(dialog.pageCount(), c.pages) << c.map;
        if (c.participants == 8)
            runSettings(world, [&](HWND window, MapSettingsDialog&) {
                capture(window, "map_settings_octagon");
                clickControl(window, map_settings_id::kOk);
            });
    }
}
