// The mission briefing on the headless desktop: paging, scrolling, the blinking marks, the map
// settings button and the ways out.
#include "dialogs/briefing_dialog.h"

#include "dialogs/brief_bitmap_window.h"
#include "dialogs/map_settings_ids.h"
#include "tests/dialogs/setup_world.h"

#include <gtest/gtest.h>

using namespace setup_test;
using namespace scenario_text;

namespace {

const std::string kBriefingTitle = cp("ブリーフィング");

// News and mission pages of two sub-pages each, a goals page of one, a marked and a goal hex.
class BriefingWorld : public SetUpWorld {
public:
    BriefingWorld()
    {
        play({ 0, 1 });
        text(kNewspaper, "演習日報");
        text(kHeadline, "両軍、演習場に展開");
        text(kNews, numberedLines(20, "news").c_str());
        text(kMissionTitle, "作戦名：試験");
        text(kMission, numberedLines(20, "mission").c_str());
        text(kGoals, "敵首都を占領せよ。\n");
        text(kCamps, "BLUE\nRED\n");
        pageKinds(PageKind::Paged, PageKind::Paged);
        const int index = placeUnit(1, landType(), 6, 5);
        unit(1, index).watchBits = 1;
    }
};

struct BriefingButtons {
    bool back, next, start, settings;
    bool operator==(const BriefingButtons&) const = default;
};

BriefingButtons briefingButtonsOf(HWND window)
{
    return { shown(window, briefing_id::kBack), shown(window, briefing_id::kNext), shown(window, briefing_id::kStart), shown(window, briefing_id::kMapSettings) };
}

// A briefing on the world's game, worked by `driver`; answers its result.
int runBriefing(SetUpWorld& world, const std::function<void(HWND, BriefingDialog&)>& driver,
    BriefingMode mode = BriefingMode::BeforePlay)
{
    BriefingDialog dialog(makeWindowContext(world.state()), nullptr, mode);
    return drive(kBriefingTitle, [&] { dialog.run(); return int(dialog.result()); }, [&](HWND window) { driver(window, dialog); });
}

} // namespace

TEST(BriefingDialog, LeafsThroughNewsMissionAndGoalsAndStarts)
{
    BriefingWorld world;
    const struct { int button; BriefingPage page; int subPage; } forward[] = {
        { briefing_id::kNext, BriefingPage::News, 1 },
        { briefing_id::kNext, BriefingPage::Mission, 0 },
        { briefing_id::kNext, BriefingPage::Mission, 1 },
        { briefing_id::kNext, BriefingPage::Goals, 0 },
        { briefing_id::kBack, BriefingPage::Mission, 1 },
        { briefing_id::kBack, BriefingPage::Mission, 0 },
        { briefing_id::kBack, BriefingPage::News, 1 },
        { briefing_id::kNext, BriefingPage::Mission, 0 },
    };
    const int result = runBriefing(world, [&](HWND window, BriefingDialog& dialog) {
        EXPECT_EQ(dialog.page(), BriefingPage::News);
        EXPECT_EQ(dialog.subPageCount(), 2);
        EXPECT_EQ(briefingButtonsOf(window), (BriefingButtons { true, true, false, false }));
        const harness::Image news = capture(window, "briefing_news");
        EXPECT_GT(inkIn(window, news, { 18, 118, 418, 278 }), 100) << "the news lines";
        EXPECT_GT(inkIn(window, news, { 57, 16, 585, 64 }), 100) << "the newspaper's name";
        for (const auto& s : forward) {
            clickControl(window, s.button);
            EXPECT_EQ(dialog.page(), s.page);
            EXPECT_EQ(dialog.subPage(), s.subPage);
        }
        EXPECT_TRUE(dialog.blinking()) << "the mission page blinks its marks";
        capture(window, "briefing_mission");
        clickControl(window, briefing_id::kNext);
        clickControl(window, briefing_id::kNext);
        EXPECT_EQ(dialog.page(), BriefingPage::Goals);
        EXPECT_FALSE(dialog.blinking());
        EXPECT_EQ(briefingButtonsOf(window), (BriefingButtons { true, false, true, true }));
        const harness::Image goals = capture(window, "briefing_goals");
        EXPECT_GT(inkIn(window, goals, { 18, 115, 300, 135 }), 20) << "the goals line";
        EXPECT_GT(inkIn(window, goals, { 18, 175, 98, 193 }), 20) << "the heading after a blank line";
        EXPECT_GT(inkIn(window, goals, { 33, 453, 193, 469 }), 20) << "the difficulty";
        clickControl(window, briefing_id::kStart);
    });
    EXPECT_EQ(result, 1);
}

TEST(BriefingDialog, BackPastTheFirstPageARightClickAndCloseEndWithZero)
{
    BriefingWorld world;
    const std::pair<std::function<void(HWND, BriefingDialog&)>, int> ways[] = {
        { [](HWND window, BriefingDialog&) { clickControl(window, briefing_id::kBack); }, 0 },
        // The body answers as caption: the right click arrives as a non-client one.
        { [](HWND window, BriefingDialog&) { clickAt(window, 300, 300, harness::Button::Right); }, 0 },
        { [](HWND window, BriefingDialog&) { PostMessageA(window, WM_CLOSE, 0, 0); }, 0 },
        // Enter, also after a click, leafs on with 次へ and, on the last page, starts the game with
        // 開始: it never goes back.
        { [](HWND window, BriefingDialog& dialog) {
             clickControl(window, briefing_id::kNext);
             for (int page = 0; page < 3; ++page)
                 pressKeys({ VK_RETURN });
             EXPECT_EQ(dialog.page(), BriefingPage::Goals);
             EXPECT_TRUE(IsWindow(window));
             pressKeys({ VK_RETURN });
         },
            1 },
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(&way - ways);
        EXPECT_EQ(runBriefing(world, way.first), way.second);
    }
}

TEST(BriefingDialog, DuringPlayThereIsNoNewsPageAndNoMapSettingsButton)
{
    BriefingWorld world;
    const int result = runBriefing(world, [&](HWND window, BriefingDialog& dialog) {
        EXPECT_EQ(dialog.page(), BriefingPage::Mission);
        EXPECT_EQ(control(window, briefing_id::kMapSettings), nullptr);
        clickControl(window, briefing_id::kNext);
        clickControl(window, briefing_id::kNext);
        EXPECT_EQ(dialog.page(), BriefingPage::Goals);
        EXPECT_EQ(briefingButtonsOf(window), (BriefingButtons { true, false, true, false }));
        clickControl(window, briefing_id::kBack);
        clickControl(window, briefing_id::kBack);
        clickControl(window, briefing_id::kBack);
        EXPECT_FALSE(IsWindow(window)) << "back past the mission page closes";
    }, BriefingMode::DuringPlay);
    EXPECT_EQ(result, 0);
}

TEST(BriefingDialog, ACampaignsLaterMapCannotGoBackFromItsFirstPage)
{
    BriefingWorld world;
    CampaignBlock& campaign = world.state().campaignBlock();
    campaign.campaignFlag = 1;
    campaign.currentStage = 2;
    runBriefing(world, [&](HWND window, BriefingDialog&) {
        EXPECT_FALSE(shown(window, briefing_id::kBack));
        clickControl(window, briefing_id::kNext);
        EXPECT_TRUE(shown(window, briefing_id::kBack));
        clickControl(window, briefing_id::kBack);
        EXPECT_FALSE(shown(window, briefing_id::kBack));
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    // The first map of a campaign still may.
    campaign.currentStage = 1;
    runBriefing(world, [&](HWND window, BriefingDialog&) {
        EXPECT_TRUE(shown(window, briefing_id::kBack));
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
}

TEST(BriefingDialog, WithoutNewsAndMissionTheGoalsPageStartsAndOffersTheStart)
{
    BriefingWorld world;
    world.pageKinds(PageKind::None, PageKind::None);
    runBriefing(world, [&](HWND window, BriefingDialog& dialog) {
        EXPECT_EQ(dialog.page(), BriefingPage::Goals);
        EXPECT_EQ(briefingButtonsOf(window), (BriefingButtons { true, false, true, true }));
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
}

TEST(BriefingDialog, AScrolledNewsPageScrollsItsLongText)
{
    BriefingWorld world;
    world.text(kNews, numberedLines(60, "news").c_str());
    world.pageKinds(PageKind::Scrolled, PageKind::Paged);
    runBriefing(world, [&](HWND window, BriefingDialog& dialog) {
        BriefBitmapWindow* scroll = dialog.scrollWindow();
        ASSERT_NE(scroll, nullptr);
        EXPECT_TRUE(IsWindowVisible(scroll->handle()));
        EXPECT_EQ(dialog.subPageCount(), 0);
        EXPECT_EQ(scroll->textHeight(), 45 * 20 + 350);
        capture(window, "briefing_news_scrolled");
        HWND view = scroll->handle();
        SendMessageA(view, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(scroll->position(), 12);
        SendMessageA(view, WM_VSCROLL, SB_PAGEDOWN, 0);
        EXPECT_EQ(scroll->position(), 12 + 247);
        SendMessageA(view, WM_VSCROLL, SB_BOTTOM, 0);
        EXPECT_EQ(scroll->position(), scroll->textHeight() - BriefBitmapWindow::kSize.cy);
        SendMessageA(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), 0);
        EXPECT_EQ(scroll->position(), 100);
        SendMessageA(view, WM_VSCROLL, SB_PAGEUP, 0);
        EXPECT_EQ(scroll->position(), 0) << "kept at the top";
        settle();
        capture(window, "briefing_news_scrolled_top");
        clickControl(window, briefing_id::kNext);
        EXPECT_FALSE(IsWindowVisible(scroll->handle())) << "the paged mission page hides it";
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
}

TEST(BriefingDialog, AScrolledTextTooTallForItsPictureIsPaged)
{
    BriefingWorld world;
    std::string lines;
    for (int i = 0; i < 2400; ++i)
        lines += "a\n";
    world.text(kNews, lines.c_str());
    world.pageKinds(PageKind::Scrolled, PageKind::Paged);
    runBriefing(world, [&](HWND window, BriefingDialog& dialog) {
        EXPECT_EQ(dialog.kindOf(BriefingPage::News), PageKind::Paged);
        EXPECT_EQ(dialog.subPageCount(), 160);
        EXPECT_FALSE(IsWindowVisible(dialog.scrollWindow()->handle()));
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
}

TEST(BriefingDialog, TheMissionPageBlinksItsMarksOnTheTimer)
{
    BriefingWorld world;
    world.pageKinds(PageKind::None, PageKind::Paged);
    runBriefing(world, [&](HWND window, BriefingDialog& dialog) {
        ASSERT_EQ(dialog.page(), BriefingPage::Mission);
        const OverviewMap* map = dialog.missionOverview();
        ASSERT_EQ(map->markPositions().size(), 1u);
        const int before = dialog.blinkCounter();
        // Twelve ticks take the marks from the lightest grey to the darkest.
        for (int i = 0; i < 12; ++i)
            SendMessageA(window, WM_TIMER, BriefingDialog::kBlinkTimer, 0);
        EXPECT_EQ(dialog.blinkCounter(), before + 12);
        // The last tick drew the marks at the grey of tick 11.
        const POINT mark = map->markPositions()[0];
        HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, map->picture());
        const COLORREF colour = GetPixel(dc, mark.x + 2, mark.y + 2);
        SelectObject(dc, old);
        DeleteDC(dc);
        EXPECT_EQ(colour & 0xFFFFFF, RGB(blinkGrey(before + 11), blinkGrey(before + 11), blinkGrey(before + 11)));
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
}

TEST(BriefingDialog, TheMapSettingsButtonOpensTheListAndTheBriefingStaysOpen)
{
    BriefingWorld world;
    world.pageKinds(PageKind::None, PageKind::None);
    bool listSeen = false;
    bool cancelOffered = false;
    const int result = runBriefing(world, [&](HWND window, BriefingDialog&) {
        PostMessageA(window, WM_COMMAND, briefing_id::kMapSettings, 0);
        HWND list = waitForShown(cp("マップ設定一覧"));
        ASSERT_NE(list, nullptr);
        listSeen = true;
        settle();
        cancelOffered = shown(list, map_list_id::kCancel) && shown(list, map_list_id::kChange);
        clickControl(list, map_list_id::kCancel);
        EXPECT_FALSE(IsWindow(list));
        EXPECT_TRUE(IsWindow(window));
        clickControl(window, briefing_id::kStart);
    });
    EXPECT_TRUE(listSeen);
    EXPECT_TRUE(cancelOffered);
    EXPECT_EQ(result, 1);
}

TEST(BriefingDialog, TheSampleScenarioShowsItsPicturesItsScrolledOrdersAndItsGoals)
{
    SetUpWorld world;
    const std::string map = world.host("tkmap/riverside.vts");
    std::filesystem::create_directories(world.host("tkmap"));
    std::filesystem::copy_file(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "riverside.vts", map);
    ASSERT_TRUE(world.state().loadMapFile(platform::gamePathFromHost(map).c_str()));
    runBriefing(world, [&](HWND window, BriefingDialog& dialog) {
        const harness::Image news = capture(window, "briefing_sample_news");
        // The picture is wider than its box: scaled to 216 wide, it stands in the box's middle.
        EXPECT_GT(inkIn(window, news, { 18, 310, 234, 430 }), 5000) << "the briefing picture";
        clickControl(window, briefing_id::kNext);
        EXPECT_EQ(dialog.page(), BriefingPage::Mission);
        EXPECT_EQ(dialog.kindOf(BriefingPage::Mission), PageKind::Scrolled);
        EXPECT_TRUE(IsWindowVisible(dialog.scrollWindow()->handle()));
        EXPECT_EQ(dialog.missionOverview()->markPositions().size(), 4u) << "the three target towns and the truck";
        capture(window, "briefing_sample_mission");
        SendMessageA(dialog.scrollWindow()->handle(), WM_VSCROLL, SB_BOTTOM, 0);
        settle();
        capture(window, "briefing_sample_mission_end");
        clickControl(window, briefing_id::kNext);
        capture(window, "briefing_sample_goals");
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
}
