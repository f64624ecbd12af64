// The map settings list and the set-up steps it leads to.
#include "dialogs/map_settings_list_dialog.h"

#include "dialogs/map_settings_flow.h"
#include "dialogs/map_settings_ids.h"
#include "dialogs/map_thumbnail.h"
#include "tests/dialogs/setup_world.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace setup_test;

namespace {

const std::string kListTitle = cp("マップ設定一覧");

RECT clientRectOf(HWND window, int controlId)
{
    RECT r {};
    GetWindowRect(control(window, controlId), &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

TEST(MapSettingsListDialog, ShowsEveryCountryAndGreysThoseOutOfTheGame)
{
    SetUpWorld world;
    world.play({ 0, 1, 5 });
    GameState& s = world.state();
    s.country(0).controller = 1;
    s.country(0).allianceMask = s.country(1).allianceMask = 0b11;
    s.country(5).pactMask = 0b1;
    world.placeUnit(8, world.landType(), 5, 5);
    s.neutralBlock()[0] = 0b10;
    MapSettingsListDialog dialog(makeWindowContext(world.state()), nullptr, true, true);
    const int result = drive(kListTitle, [&] { dialog.run(); return int(dialog.result()); }, [&](HWND window) {
        capture(window, "map_settings_list");
        EXPECT_EQ(textOf(window, map_list_id::kParticipation + 0), "USER");
        EXPECT_EQ(textOf(window, map_list_id::kParticipation + 1), "COMP");
        EXPECT_EQ(textOf(window, map_list_id::kParticipation + 2), cp("不参戦"));
        EXPECT_FALSE(enabled(window, map_list_id::kName + 2));
        EXPECT_FALSE(enabled(window, map_list_id::kGroupBox + 2));
        EXPECT_TRUE(enabled(window, map_list_id::kName + 5));
        EXPECT_EQ(textOf(window, map_list_id::kName + 1), "country1");
        EXPECT_EQ(textOf(window, map_list_id::kFunds + 0), "1000");
        EXPECT_TRUE(checked(window, map_list_id::kAlliance + 8 * 0 + 1));
        EXPECT_TRUE(checked(window, map_list_id::kAlliance + 8 * 5 + 5)) << "a country's own box";
        EXPECT_TRUE(checked(window, map_list_id::kPact + 8 * 5 + 0));
        EXPECT_TRUE(checked(window, map_list_id::kCivilian + 1));
        EXPECT_FALSE(checked(window, map_list_id::kCivilian + 0));
        EXPECT_FALSE(enabled(window, map_list_id::kAlliance + 8 * 0 + 1)) << "nothing is changed here";
        EXPECT_FALSE(shown(window, map_list_id::kDayNightTurns)) << "days only: no day-and-night turns";
        EXPECT_FALSE(shown(window, map_list_id::kStartTime));
        EXPECT_EQ(textOf(window, map_list_id::kDayNight), cp("昼のみ"));
        EXPECT_EQ(clientRectOf(window, map_list_id::kOk).left, 440);
        EXPECT_TRUE(shown(window, map_list_id::kCancel));
        EXPECT_TRUE(shown(window, map_list_id::kChange));
        EXPECT_EQ(control(window, map_list_id::kRules), nullptr);
        ASSERT_NE(dialog.thumbnail(), nullptr);
        EXPECT_EQ(dialog.thumbnail()->viewMode, 0u);
        clickControl(window, map_list_id::kBuildingsView, 4);
        EXPECT_EQ(dialog.thumbnail()->viewMode, 1u) << "the buildings view";
        clickControl(window, map_list_id::kImageView, 4);
        EXPECT_EQ(dialog.thumbnail()->viewMode, 0u);
        clickControl(window, map_list_id::kCancel);
    });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(dialog.changeRequested());
}

TEST(MapSettingsListDialog, ACampaignsNextMapHasOnlyOkAndTheRulesToRead)
{
    SetUpWorld world;
    world.play({ 0, 1 });
    world.state().campaignBlock().campaignFlag = 1;
    MapHeader& header = world.state().mapHeader();
    header.dayNightLow = 3;
    header.dayNightHigh = 0;
    MapSettingsListDialog dialog(makeWindowContext(world.state()), nullptr, false, false);
    bool rulesShown = false;
    const int result = drive(kListTitle, [&] { dialog.run(); return int(dialog.result()); }, [&](HWND window) {
        EXPECT_EQ(clientRectOf(window, map_list_id::kOk).left, 544);
        EXPECT_EQ(control(window, map_list_id::kCancel), nullptr);
        EXPECT_EQ(control(window, map_list_id::kChange), nullptr);
        EXPECT_TRUE(shown(window, map_list_id::kRules));
        EXPECT_TRUE(shown(window, map_list_id::kVictory));
        EXPECT_EQ(textOf(window, map_list_id::kDayNight), cp("昼夜"));
        EXPECT_EQ(textOf(window, map_list_id::kDayNightTurns), cp(" 昼夜ﾀｰﾝ：3"));
        capture(window, "map_settings_list_campaign");
        PostMessageA(window, WM_COMMAND, map_list_id::kRules, 0);
        if (HWND rules = waitForShown(cp("ルール確認"))) {
            rulesShown = true;
            PostMessageA(rules, WM_CLOSE, 0, 0);
            settle();
        }
        clickControl(window, map_list_id::kOk);
    });
    EXPECT_TRUE(rulesShown);
    EXPECT_EQ(result, 1);
}

TEST(MapSettingsListDialog, AChangeRequestLeadsToTheSettingsWhoseResultStands)
{
    struct Case {
        const char* what;
        int settingsButton;
        int result;
    };
    const Case cases[] = {
        { "the settings' OK", map_settings_id::kOk, 1 },
        { "the settings' cancel", map_settings_id::kCancel, 0 },
    };
    for (const Case& c : cases) {
        SetUpWorld world;
        world.play({ 0, 1 });
        world.state().country(1).anthemCode = 50;
        bool settingsSeen = false;
        const int result = drive(kListTitle, [&] { return runMapSettingsStep(makeWindowContext(world.state()), nullptr, MapSettingsListButtons::CancelAndChange); },
            [&](HWND list) {
                // The last case clicked the same spot: not a double click.
                std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 20));
                clickControl(list, map_list_id::kChange);
                HWND settings = waitForShown(cp("マップ設定変更"));
                if (!settings)
                    return;
                settingsSeen = true;
                settle();
                clickControl(settings, c.settingsButton);
            });
        EXPECT_TRUE(settingsSeen) << c.what;
        EXPECT_EQ(result, c.result) << c.what;
    }
}

TEST(MapSettingsListDialog, ANewMapWithBriefingTextsShowsItsBriefingFirst)
{
    SetUpWorld world;
    world.play({ 0, 1 });
    EXPECT_TRUE(drive(kListTitle, [&] { return runNewGameSetUp(makeWindowContext(world.state()), nullptr); }, [&](HWND list) { clickControl(list, map_list_id::kOk); }));
    world.text(scenario_text::kGoals, "goal");
    EXPECT_TRUE(drive(cp("ブリーフィング"), [&] { return runNewGameSetUp(makeWindowContext(world.state()), nullptr); },
        [&](HWND briefing) { PostMessageA(briefing, WM_COMMAND, IDOK, 0); }));
}
