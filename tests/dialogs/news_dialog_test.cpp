// The closing news: when it is due, its paging and its title's font.
#include "dialogs/news_dialog.h"

#include "tests/dialogs/setup_world.h"

#include <gtest/gtest.h>

using namespace setup_test;
using namespace scenario_text;

namespace {

const std::string kNewsTitle = cp("ニュース");
constexpr int kEndingNewsFlag = 16060;

struct NewsButtons {
    bool back, next, close;
    bool operator==(const NewsButtons&) const = default;
};

NewsButtons newsButtonsOf(HWND window) { return { shown(window, news_id::kBack), shown(window, news_id::kNext), shown(window, news_id::kClose) }; }

class NewsWorld : public SetUpWorld {
public:
    NewsWorld()
    {
        play({ 0, 1 });
        state().country(0).controller = 1;
        text(kClosingTitle, "演習場に平和戻る");
        text(kClosingNews, numberedLines(35, "closing").c_str());
        state().scenarioBlock().bytes[kEndingNewsFlag] = 1;
    }
};

} // namespace

TEST(NewsDialog, IsDueWhenTheMapHasItAndTheOutcomeAsksForIt)
{
    struct Case {
        const char* what;
        bool newsFlag;
        bool campaign;
        uint16_t outcome;
        // The campaign stage's news flags for a victory, an undecided end and a defeat.
        uint8_t stageFlags[3];
        bool due;
    };
    const Case cases[] = {
        { "a won map with closing news", true, false, 1, {}, true },
        { "a lost map", true, false, 101, {}, false },
        { "an undecided end", true, false, 0, {}, false },
        { "a won map without closing news", false, false, 1, {}, false },
        { "a campaign stage asking for it after a victory", true, true, 1, { 1, 0, 0 }, true },
        { "a campaign stage not asking for it after a victory", true, true, 1, { 0, 1, 1 }, false },
        { "a campaign stage asking for it after a defeat", true, true, 101, { 0, 0, 1 }, true },
        { "a campaign stage asking for it after an undecided end", true, true, 0, { 0, 1, 0 }, true },
        { "a campaign stage's flag without closing news", false, true, 1, { 1, 1, 1 }, false },
    };
    for (const Case& c : cases) {
        NewsWorld world;
        GameState& state = world.state();
        state.scenarioBlock().bytes[kEndingNewsFlag] = c.newsFlag ? 1 : 0;
        state.country(0).outcome = c.outcome;
        if (c.campaign) {
            CampaignBlock& campaign = state.campaignBlock();
            campaign.campaignFlag = 1;
            campaign.playerCountry = 0;
            campaign.currentStage = 2;
            for (int k = 0; k < 3; ++k)
                campaign.stageRows[1][kStageRowNewsOffset + k] = c.stageFlags[k];
        }
        EXPECT_EQ(closingNewsDue(state), c.due) << c.what;
    }
}

TEST(NewsDialog, LeafsThroughItsSubPagesAndClosesFromTheLast)
{
    NewsWorld world;
    NewsDialog dialog(makeWindowContext(world.state()), nullptr);
    const int result = drive(kNewsTitle, [&] { dialog.run(); return int(dialog.result()); }, [&](HWND window) {
        EXPECT_EQ(dialog.subPageCount(), 3);
        EXPECT_EQ(newsButtonsOf(window), (NewsButtons { false, true, false }));
        const harness::Image first = capture(window, "news");
        EXPECT_GT(inkIn(window, first, { 18, 118, 418, 278 }), 100) << "the upper lines";
        EXPECT_GT(inkIn(window, first, { 242, 310, 626, 450 }), 100) << "the lower lines";
        clickControl(window, news_id::kNext);
        EXPECT_EQ(dialog.subPage(), 1);
        EXPECT_EQ(newsButtonsOf(window), (NewsButtons { true, true, false }));
        clickControl(window, news_id::kNext);
        EXPECT_EQ(newsButtonsOf(window), (NewsButtons { true, false, true }));
        const harness::Image last = capture(window, "news_last");
        EXPECT_EQ(inkIn(window, last, { 242, 310, 626, 450 }), 0) << "the last five lines all stand in the upper column";
        clickControl(window, news_id::kBack);
        EXPECT_EQ(dialog.subPage(), 1);
        EXPECT_EQ(newsButtonsOf(window), (NewsButtons { true, true, false }));
        clickControl(window, news_id::kBack);
        EXPECT_EQ(newsButtonsOf(window), (NewsButtons { false, true, false }));
        clickControl(window, news_id::kNext);
        clickControl(window, news_id::kNext);
        clickControl(window, news_id::kClose);
    });
    EXPECT_EQ(result, 1);
}

TEST(NewsDialog, AShortTextHasOneSubPageAndTheCloseButtonAtOnce)
{
    NewsWorld world;
    world.text(kClosingNews, numberedLines(15, "closing").c_str());
    NewsDialog dialog(makeWindowContext(world.state()), nullptr);
    EXPECT_EQ(dialog.subPageCount(), 1);
    const int result = drive(kNewsTitle, [&] { dialog.run(); return int(dialog.result()); }, [&](HWND window) {
        EXPECT_EQ(newsButtonsOf(window), (NewsButtons { false, false, true }));
        clickAt(window, 300, 200, harness::Button::Right);
    });
    EXPECT_EQ(result, 0) << "a right click closes with 0";
}

TEST(NewsDialog, AnEmptyTextStillHasOnePage)
{
    NewsWorld world;
    world.text(kClosingNews, "");
    NewsDialog dialog(makeWindowContext(world.state()), nullptr);
    EXPECT_EQ(dialog.subPageCount(), 1);
}

TEST(NewsDialog, ATitleTooWideForTheLargeFontIsWrittenInTheSmallOne)
{
    NewsWorld world;
    EXPECT_EQ(NewsDialog(makeWindowContext(world.state()), nullptr).titleFontHeight(), 48);
    world.text(kClosingTitle, "長い長い長い長い長い長い長い長い長い長い長い長い長い長い長い");
    NewsDialog wide(makeWindowContext(world.state()), nullptr);
    EXPECT_EQ(wide.titleFontHeight(), 24);
    drive(kNewsTitle, [&] { wide.run(); return int(wide.result()); }, [&](HWND window) {
        const harness::Image image = capture(window, "news_wide_title");
        // The band of "news2.bmp" is 70 high: the 24-pixel title stands from y 32 to 56.
        EXPECT_GT(inkIn(window, image, { 60, 34, 580, 54 }), 200);
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
}

TEST(NewsDialog, TheSampleScenarioShowsItsNewsPicture)
{
    SetUpWorld world;
    const std::string map = world.host("tkmap/riverside.vts");
    std::filesystem::create_directories(world.host("tkmap"));
    std::filesystem::copy_file(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "riverside.vts", map);
    ASSERT_TRUE(world.state().loadMapFile(platform::gamePathFromHost(map).c_str()));
    NewsDialog dialog(makeWindowContext(world.state()), nullptr);
    drive(kNewsTitle, [&] { dialog.run(); return int(dialog.result()); }, [&](HWND window) {
        const harness::Image image = capture(window, "news_sample");
        // A tall picture: fitted to the box's height, 120 wide in its middle.
        EXPECT_GT(inkIn(window, image, { 70, 310, 180, 450 }), 5000);
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
}
