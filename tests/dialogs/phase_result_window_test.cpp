// The phase result windows: which picture band and gauge each event shows, the gauge's run, and
// the game-end window that waits for its jingle.
#include "dialogs/game_end_window.h"
#include "dialogs/phase_result_window.h"

#include "tests/dialogs/dialog_world.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

using namespace dialogs_test;

namespace {

BuildingRecord buildingOf(int type, int owner, int durability, int occupation)
{
    BuildingRecord record {};
    record.type = uint8_t(type);
    record.ownerPlusOne = uint8_t(owner + 1);
    record.durability = uint8_t(durability);
    record.occupationDurability = uint8_t(occupation);
    return record;
}

// The window object while its dialog runs on this thread; the driver reads it after settling.
template <class Window, class... Args>
void runWindow(DialogWorld& world, std::function<void(Window&, HWND)> driver, Args... args)
{
    Window window(makeWindowContext(world.state()), world.owner(), args...);
    popup_test::drive([&] { return window.run(); }, [&](HWND popup) { driver(window, popup); });
}

} // namespace

TEST(PhaseResultWindow, BuildingTypesTakeTheirBandsAndAnyOtherTypeTheDefault)
{
    DialogWorld world;
    const int last = int(world.state().terrainTypes().size()) - 1;
    ASSERT_GT(last, 51);
    // A building type past the last band: the band table has none for it.
    world.editTerrain(last).kind = kTerrainCapital;
    struct Case {
        int type;
        int band;
    } cases[] = {
        { 31, 0 },   // the capital
        { 42, 11 },  // the oil field
        { 51, 20 },  // the bridge
        { 48, 3 },   // a village is of the plain building kind: the default picture
        { 50, 3 },   // the pillbox is no building
        { 30, 3 },   // ground
        { last, 3 },
        { 300, 3 },  // no such type
    };
    for (const Case& c : cases)
        EXPECT_EQ(PhaseResultWindow::buildingBand(world.state(), c.type), c.band) << "type " << c.type;
}

TEST(PhaseResultWindow, GaugesRunFromTheValueBeforeToTheValueAfter)
{
    DialogWorld world;
    world.setRule(kRuleOccupationPoints, 1);
    world.setRule(kRuleReinforcement, 0);
    const int type = 31;
    const int maximum = world.state().terrainTypes()[type].durability;
    const int occupation = world.state().terrainTypes()[type].occupationValue;
    // Occupation points fall from 20 to 8; the bar is the former owner's.
    runWindow<OccupationResultWindow>(world, [&](OccupationResultWindow& w, HWND) {
        EXPECT_EQ(w.gauge().start, 20);
        EXPECT_EQ(w.gauge().end, 8);
        EXPECT_EQ(w.gauge().maximum, occupation);
        EXPECT_EQ(w.gauge().barRow, 64 + 10 * 3);
    }, buildingOf(type, 1, maximum, 8), buildingOf(type, 2, maximum, 20));
    // Durability in percent of the type's maximum.
    runWindow<BuildingRepairWindow>(world, [&](BuildingRepairWindow& w, HWND) {
        EXPECT_EQ(w.gauge().start, 40);
        EXPECT_EQ(w.gauge().end, 100);
        EXPECT_EQ(w.gauge().barRow, 64);
    }, buildingOf(type, -1, maximum, 0), buildingOf(type, -1, maximum * 40 / 100, 0));
    // Structures: the pillbox's own maximum.
    const int pillbox = world.state().terrainRoles().pillbox;
    const int pillboxMaximum = world.state().terrainTypes()[size_t(pillbox)].durability;
    runWindow<UnitEventWindow>(world, [&](UnitEventWindow& w, HWND) {
        EXPECT_EQ(w.gauge().start, 100);
        EXPECT_EQ(w.gauge().end, 0);
    }, kTerrainPillbox, 0, pillboxMaximum);
}

TEST(PhaseResultWindow, AClickJumpsTheGaugeToItsEndAndTheNextClickCloses)
{
    DialogWorld world;
    const int type = 31;
    const int maximum = world.state().terrainTypes()[type].durability;
    runWindow<BuildingRepairWindow>(world, [&](BuildingRepairWindow& w, HWND popup) {
        EXPECT_TRUE(w.stepTimerOn());
        EXPECT_FALSE(w.closeTimerOn());
        popup_test::clickClient(popup, 100, 60);
        EXPECT_EQ(w.gaugeValue(), 100);
        EXPECT_FALSE(w.stepTimerOn());
        EXPECT_TRUE(w.closeTimerOn()) << "the three seconds start at the end value";
        EXPECT_TRUE(IsWindow(popup));
        popup_test::clickClient(popup, 100, 60, harness::Button::Right);
        EXPECT_TRUE(popup_test::waitGone(popup, 1s));
    }, buildingOf(type, -1, maximum, 0), buildingOf(type, -1, maximum * 40 / 100, 0));
}

TEST(PhaseResultWindow, EqualValuesOrNoOccupationPointsOnlyWaitToClose)
{
    DialogWorld world;
    const int type = 31;
    world.setRule(kRuleOccupationPoints, 1);
    runWindow<BuildingEventWindow>(world, [](BuildingEventWindow& w, HWND) {
        EXPECT_FALSE(w.stepTimerOn());
        EXPECT_TRUE(w.closeTimerOn());
    }, buildingOf(type, 0, 30, 0), buildingOf(type, 0, 30, 0));
    // Without occupation points the bar is the taker's, full, whatever the maximum.
    world.setRule(kRuleOccupationPoints, 0);
    world.state().turnBlock().currentCountry = 4;
    runWindow<OccupationResultWindow>(world, [](OccupationResultWindow& w, HWND popup) {
        EXPECT_FALSE(w.stepTimerOn());
        EXPECT_TRUE(w.closeTimerOn());
        popup_test::settle();
        RECT outer {};
        GetWindowRect(popup, &outer);
        const harness::Image image = harness::readRect(outer);
        POINT left { 89, 156 }, right { 214, 156 };
        ClientToScreen(popup, &left);
        ClientToScreen(popup, &right);
        EXPECT_EQ(image.at(left.x - outer.left, left.y - outer.top), image.at(right.x - outer.left, right.y - outer.top))
            << "the bar fills the gauge";
    }, buildingOf(type, 4, 30, 0), buildingOf(type, 1, 30, 10));
}

TEST(PhaseResultWindow, AMaximumOfNoneShowsAFullGaugeWithoutDividing)
{
    DialogWorld world;
    // A structure kind whose terrain has no durability at all.
    TerrainRecord& pillbox = world.editTerrain(world.state().terrainRoles().pillbox);
    pillbox.durability = 0;
    pillbox.reinforcedDurability = 0;
    runWindow<UnitRepairWindow>(world, [](UnitRepairWindow& w, HWND) {
        EXPECT_EQ(w.gauge().start, 100);
        EXPECT_EQ(w.gauge().end, 100);
        EXPECT_TRUE(w.closeTimerOn());
    }, kTerrainPillbox, 5, 3);
}

TEST(GameEndWindow, WordsAndBandsByKindAndItTellsTheMainWindowAsItStarts)
{
    DialogWorld world;
    const char* words[] = { "の首都が制圧されました。", "の部隊が全滅しました。", "が勝利条件を達成しました。", "が降伏しました。",
        "の司令部が制圧されました。", "は勝利条件を達成できません。", "は全ての重要拠点を制圧されました。",
        "は全ての重要部隊を撃破されました。" };
    for (int kind = 0; kind < 8; ++kind) {
        EXPECT_EQ(platform::cp932ToUtf8(GameEndWindow::kindText(kind)), words[kind]);
        EXPECT_EQ(GameEndWindow::bandTop(kind), kind < 4 ? kind * 268 : 1072);
    }
    EXPECT_TRUE(GameEndWindow::kindText(8).empty());
    world.owner()->clear();
    runWindow<GameEndWindow>(world, [&](GameEndWindow&, HWND popup) {
        testing_lib::pump();
        popup_test::clickClient(popup, 160, 100);
        EXPECT_TRUE(popup_test::waitGone(popup, 1s)) << "a click closes it at once";
    }, 2, 5);
    testing_lib::pump();
    const auto posts = world.owner()->posts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].message, ui_message::kGameEndShown);
    EXPECT_EQ(posts[0].wParam, 2u);
    EXPECT_EQ(posts[0].lParam, 5);
}

TEST(GameEndWindow, AfterItsTimeItWaitsUntilTheJingleHasFallenSilent)
{
    DialogWorld world;
    JinglePlaying main;
    main.window = world.ownerHandle();
    setMainWindowServices(&main);
    runWindow<GameEndWindow>(world, [&](GameEndWindow&, HWND popup) {
        // The eight seconds are over; the window now asks each second.
        PostMessageA(popup, WM_TIMER, GameEndWindow::kShowTimer, 0);
        PostMessageA(popup, WM_TIMER, GameEndWindow::kSoundTimer, 0);
        popup_test::settle();
        EXPECT_TRUE(IsWindow(popup)) << "the jingle still plays";
        main.playing = false;
        PostMessageA(popup, WM_TIMER, GameEndWindow::kSoundTimer, 0);
        EXPECT_TRUE(popup_test::waitGone(popup, 1s));
    }, 0, 3);
    setMainWindowServices(nullptr);
}
