// The end-of-game window driven by injected input on the test clock: the page order and its
// buttons, the graph reveal and the country toggles, the evaluation's build-up and its pictures.
#include "dialogs/ending_backdrop.h"
#include "dialogs/ending_window.h"
#include "dialogs/evaluation_page.h"
#include "lib/media/picture_services.h"
#include "platform/kernel/host.h"
#include "state/name_tables.h"
#include "tests/infowin/info_world.h"
#include "tests/lib/window_test_support.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/ui/looked_world.h"
#include "ui/main_window_services.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

namespace harness = platform::harness;
using harness::Image;
using info_test::clientImage, info_test::saveShot;

class RecordingServices : public MainWindowServices {
public:
    HWND mainWindow() const override { return nullptr; }
    void unloadSound(int) override { }
    void restartMusic() override { }
    void fadeOutMusic() override { }
    void requestMusic(int tune, bool loop) override { tunes.push_back(loop ? tune : -tune); }
    void stopAllSounds() override { ++stops; }
    std::vector<int> tunes;
    int stops = 0;
};

uint32_t xrgb(uint32_t ref) { return (ref & 0xFF) << 16 | (ref & 0xFF00) | (ref >> 16 & 0xFF); }

int countColourIn(const Image& image, const RECT& r, uint32_t colour)
{
    int n = 0;
    for (int y = r.top; y < r.bottom && y < image.height; ++y)
        for (int x = r.left; x < r.right && x < image.width; ++x)
            n += (image.at(x, y) & 0xFFFFFF) == colour;
    return n;
}

bool sameArea(const Image& a, const Image& b, const RECT& r)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if ((a.at(x, y) & 0xFFFFFF) != (b.at(x, y) & 0xFFFFFF))
                return false;
    return true;
}

class Ending : public ::testing::Test {
protected:
    Ending()
    {
        testing_lib::initApplication();
        owner.Create();
        for (int c = 0; c < 3; ++c) {
            CountryRecord& country = s.country(c);
            std::snprintf(country.name, sizeof country.name, "C%d", c);
            country.controller = c == 0 ? 1 : 2;
            country.inPlay = 1;
        }
        for (int c = 3; c < kCountryCount; ++c)
            s.country(c).controller = 0;
        s.country(0).outcome = 1;
        s.country(0).runningTotal = 5000;
        s.country(0).fundsSpent = 1000;
        const uint16_t limit = 40;
        s.mapHeader().turnLimit = limit;
        s.turnBlock().turn = 10;
        s.turnBlock().currentCountry = 0;
        // Ten turns of territories: country 0 rising, country 1 steady.
        for (uint32_t i = 0; i < 10; ++i) {
            TurnStatsRecord record {};
            record.country[0].threadValue = 5 + 3 * i;
            record.country[1].threadValue = 20;
            s.appendTurnStats(record);
        }
        setMainWindowServices(&services);
        testing_lib::pump();
    }
    ~Ending() override
    {
        setMainWindowServices(nullptr);
        testing_lib::destroyAllWindows();
    }

    INT_PTR run(EndingWindow& window, std::function<void(HWND)> driver)
    {
        harness::TestClock clock;
        return dialogtest::drive(platform::utf8ToCp932("戦果報告").c_str(), [&] { return window.run(); },
            [&](HWND dialog) {
                // The window bears its title before it is shown at the end of its set-up.
                dialogtest::untilShown(dialog);
                driver(dialog);
            });
    }
    static void clickAt(HWND dialog, int x, int y, harness::Button button = harness::Button::Left)
    {
        const POINT p = dialogtest::screenOf(dialog, x, y);
        harness::click(p.x, p.y, button);
        dialogtest::settle();
    }
    static void next(HWND dialog) { clickAt(dialog, 588, 496); }
    static void previous(HWND dialog) { clickAt(dialog, 484, 496); }
    static bool shown(HWND dialog, UINT control) { return IsWindowVisible(GetDlgItem(dialog, int(control))) != FALSE; }
    static bool enabled(HWND dialog, UINT control) { return IsWindowEnabled(GetDlgItem(dialog, int(control))) != FALSE; }
    static void advance(DWORD ms)
    {
        ASSERT_TRUE(harness::advanceClock(ms));
        dialogtest::settle();
    }

    testing_ui::LookedWorld world { 8, 8, -1, testing_ui::LookedWorld::Pictures::Linked };
    GameState& s = world.state();
    testing_lib::TopWindow owner { "EndingTestOwner" };
    RecordingServices services;
};

} // namespace

TEST_F(Ending, PagesGoInOrderWithTheirButtons)
{
    EndingWindow window(makeWindowContext(world.state()), &owner);
    EXPECT_EQ(window.resultKind(), 0);
    EXPECT_EQ(window.resultCountry(), 0);
    const INT_PTR result = run(window, [&](HWND dialog) {
        RECT client {};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, 640);
        EXPECT_EQ(client.bottom, 520);
        EXPECT_EQ(window.page(), 0);
        EXPECT_FALSE(enabled(dialog, ending_id::kPrevious)) << "no way back from the summary";
        EXPECT_TRUE(shown(dialog, ending_id::kNext));
        EXPECT_FALSE(shown(dialog, ending_id::kFinish));
        EXPECT_FALSE(shown(dialog, ending_id::kFirstCountry)) << "the country buttons belong to the graphs";
        EXPECT_EQ(GetDlgItem(dialog, int(ending_id::kFirstCountry + 3)), nullptr) << "country 3 takes no part";
        saveShot(clientImage(dialog), "ending_summary");

        next(dialog);
        EXPECT_EQ(window.page(), 1);
        harness::pressKey(VK_RETURN);
        dialogtest::settle();
        EXPECT_EQ(window.page(), 1) << "Return is no command of the window";
        EXPECT_TRUE(enabled(dialog, ending_id::kPrevious));
        EXPECT_TRUE(shown(dialog, ending_id::kFirstCountry + 1));
        previous(dialog);
        EXPECT_EQ(window.page(), 0);
        EXPECT_FALSE(enabled(dialog, ending_id::kPrevious));

        for (int page = 1; page <= 8; ++page)
            next(dialog);
        EXPECT_EQ(window.page(), EndingWindow::kEvaluationPage);
        EXPECT_TRUE(shown(dialog, ending_id::kFinish));
        EXPECT_FALSE(shown(dialog, ending_id::kNext));
        EXPECT_FALSE(shown(dialog, ending_id::kFirstCountry));
        previous(dialog);
        EXPECT_EQ(window.page(), 7);
        EXPECT_TRUE(shown(dialog, ending_id::kNext));
        EXPECT_FALSE(shown(dialog, ending_id::kFinish));
        next(dialog);
        next(dialog);
    });
    EXPECT_EQ(result, 1) << "going on from the evaluation closes the window";
    EXPECT_EQ(services.tunes, std::vector<int> { 9 }) << "the victory jingle, looping";
    EXPECT_EQ(services.stops, 1);
}

TEST_F(Ending, GraphRevealsInFiveSecondsAndTogglesRedrawTheLines)
{
    EndingWindow window(makeWindowContext(world.state()), &owner);
    const uint32_t first = xrgb(playerColourRef(0));
    const RECT chart { 71, 36, 571, 436 };
    const RECT nextFace { 544, 480, 632, 512 };
    const RECT firstMark { 71, 480, 89, 494 };
    run(window, [&](HWND dialog) {
        const Image summary = clientImage(dialog);
        next(dialog);
        EXPECT_TRUE(window.revealRunning());
        EXPECT_TRUE(window.timerActive(EndingWindow::kRevealTimer));
        EXPECT_EQ(window.revealWidth(), 0);
        advance(2500);
        EXPECT_EQ(window.revealWidth(), 250);
        advance(2450);
        EXPECT_TRUE(window.revealRunning());
        advance(50);
        EXPECT_EQ(window.revealWidth(), 500);
        EXPECT_FALSE(window.revealRunning());
        EXPECT_FALSE(window.timerActive(EndingWindow::kRevealTimer));
        const Image before = clientImage(dialog);
        saveShot(before, "ending_graph");
        EXPECT_GT(countColourIn(before, chart, first), 10) << "country 0's line";
        EXPECT_TRUE(sameArea(summary, before, nextFace)) << "the revealed graph leaves the buttons drawn";

        // Country 0 off: its line goes, the scale and the others stay.
        const POINT button = { 71 + 9, 480 + 7 };
        clickAt(dialog, button.x, button.y);
        EXPECT_EQ(window.countryMask() & 1, 0);
        const Image after = clientImage(dialog);
        EXPECT_EQ(countColourIn(after, chart, first), 0);
        EXPECT_FALSE(sameArea(before, after, firstMark)) << "the button shows the country off";
        EXPECT_TRUE(sameArea(before, after, RECT { 0, 36, 66, 436 })) << "the value axis is unchanged";
        clickAt(dialog, button.x, button.y);
        EXPECT_EQ(window.countryMask() & 1, 1);
        EXPECT_GT(countColourIn(clientImage(dialog), chart, first), 10);

        // Changing page stops the reveal with every timer.
        next(dialog);
        EXPECT_TRUE(window.revealRunning());
        previous(dialog);
        EXPECT_EQ(window.page(), 1);
        EXPECT_EQ(window.revealWidth(), 0);
    });
}

TEST_F(Ending, EachGraphShowsItsFiguresOnAnAxisThatFitsThem)
{
    // Page by page the field and the peak its figures rise to; prices run past a million.
    const std::pair<uint32_t TurnStatsEntry::*, uint32_t> pages[] = { { &TurnStatsEntry::threadValue, 30 },
        { &TurnStatsEntry::income, 7000 }, { &TurnStatsEntry::unitCount, 150 }, { &TurnStatsEntry::forces, 1500000 },
        { &TurnStatsEntry::damageDealt, 45 }, { &TurnStatsEntry::damageTaken, 90 }, { &TurnStatsEntry::valueLost, 3000000 } };
    for (uint32_t i = 0; i < 10; ++i)
        for (auto [field, peak] : pages)
            s.turnStatsAt(i)->country[0].*field = peak / 9 * i;
    EndingWindow window(makeWindowContext(world.state()), &owner);
    run(window, [&](HWND dialog) {
        for (int page = 1; page <= 7; ++page) {
            next(dialog);
            advance(5000);
            const Image image = clientImage(dialog);
            saveShot(image, "ending_graph_" + std::to_string(page));
            int top = 36;
            while (top < 436 && !countColourIn(image, RECT { 71, top, 571, top + 1 }, xrgb(playerColourRef(0))))
                ++top;
            // The peak under the axis's top, not cut off, and not low under a far too high one.
            EXPECT_TRUE(top > 36 && top < 436 - 160) << "page " << page << ": peak at " << top;
            // The nine turns run across the whole chart.
            EXPECT_GT(countColourIn(image, RECT { 561, 36, 571, 436 }, xrgb(playerColourRef(0))), 0) << "page " << page;
        }
    });
}

TEST_F(Ending, EvaluationBuildsUpInEightyTwoTicksAndFreesItsPictures)
{
    EndingWindow window(makeWindowContext(world.state()), &owner);
    run(window, [&](HWND dialog) {
        for (int page = 1; page <= 8; ++page)
            next(dialog);
        const EvaluationBuildUp& evaluation = *window.evaluation();
        EXPECT_TRUE(evaluation.holdsPictures());
        EXPECT_TRUE(window.timerActive(EndingWindow::kBuildUpTimer));
        EXPECT_EQ(window.backdrop()->ddrawFindSurface(EvaluationBuildUp::kEmblems) >= 0, true);
        EXPECT_EQ(evaluation.scores().fundsLeft, 4000);
        advance(81 * 50);
        EXPECT_TRUE(evaluation.holdsPictures());
        EXPECT_EQ(evaluation.stage(), EvaluationBuildUp::kDone);
        advance(50);
        EXPECT_FALSE(evaluation.holdsPictures());
        EXPECT_FALSE(window.timerActive(EndingWindow::kBuildUpTimer));
        EXPECT_EQ(evaluation.releaseCount(), 1);
        for (int id : { 5, 6, 8, 9 })
            EXPECT_LT(window.backdrop()->ddrawFindSurface(id), 0) << "surface " << id;
        EXPECT_GE(window.backdrop()->ddrawFindSurface(EndingBackdrop::kPreviousPage), 0);
        saveShot(clientImage(dialog), "ending_evaluation");

        // Left half built: the pictures wait for the next showing, which frees them before it loads
        // its own, and the window's end frees those.
        previous(dialog);
        next(dialog);
        advance(500);
        previous(dialog);
        EXPECT_FALSE(window.timerActive(EndingWindow::kBuildUpTimer));
        EXPECT_TRUE(evaluation.holdsPictures());
        EXPECT_EQ(evaluation.releaseCount(), 1);
        next(dialog);
        EXPECT_EQ(evaluation.releaseCount(), 2);
        EXPECT_TRUE(evaluation.holdsPictures());
        clickAt(dialog, 400, 300, harness::Button::Right);
    });
    EXPECT_EQ(window.result(), 0) << "a right click closes with 0";
    EXPECT_FALSE(window.evaluation()->holdsPictures());
    EXPECT_EQ(window.evaluation()->releaseCount(), 3);
}

TEST_F(Ending, ALostGameShowsDashesAndNoRanks)
{
    s.country(0).outcome = 150;
    EndingWindow window(makeWindowContext(world.state()), &owner);
    EXPECT_EQ(window.resultKind(), 2);
    const RECT rank { 232, 112, 296, 176 };
    const RECT figures { 152, 126, 232, 182 };
    run(window, [&](HWND dialog) {
        for (int page = 1; page <= 8; ++page)
            next(dialog);
        advance(18 * 50);
        const Image background = clientImage(dialog);
        advance(64 * 50);
        EXPECT_FALSE(window.evaluation()->holdsPictures());
        const Image done = clientImage(dialog);
        saveShot(done, "ending_evaluation_lost");
        EXPECT_TRUE(sameArea(background, done, rank)) << "no rank icon";
        EXPECT_GT(countColourIn(done, figures, 0xFFFFFF), 10) << "the dashes";
        EXPECT_EQ(window.evaluation()->scores().overall, -1);
    });
    EXPECT_EQ(services.tunes, std::vector<int> { 10 }) << "the defeat jingle";
}

TEST_F(Ending, TheBackdropFollowsTheWindowWhenItMoves)
{
    EndingWindow window(makeWindowContext(world.state()), &owner);
    run(window, [&](HWND dialog) {
        const Image before = clientImage(dialog);
        RECT r {};
        GetWindowRect(dialog, &r);
        SetWindowPos(dialog, nullptr, r.left + 37, r.top + 21, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        InvalidateRect(dialog, nullptr, TRUE);
        dialogtest::settle();
        const Image after = clientImage(dialog);
        EXPECT_TRUE(sameArea(before, after, RECT { 0, 0, 640, 470 })) << "the picture is shown at the client's new place";
    });
}
