// The play popups' own clocks, run on the test clock: the notice's three seconds, the gauge's
// 40 ms steps and the three seconds after it, and the game end's eight seconds and its jingle.
#include "dialogs/event_notice_window.h"
#include "dialogs/game_end_window.h"
#include "dialogs/phase_result_window.h"

#include "tests/dialogs/dialog_world.h"

#include <gtest/gtest.h>

using namespace dialogs_test;

TEST(PopupTimers, ANoticeOnTheGameThreadClosesByItselfAfterThreeSeconds)
{
    DialogWorld world;
    harness::TestClock clock;
    const int unit = world.placeUnit(0, world.landType(), 2, 2);
    const INT_PTR result = popup_test::driveOnSecondThread([&] {
        EventNoticeWindow notice(makeWindowContext(world.state()), world.owner(), 1, 0, unit);
        notice.run();
        return notice.result();
    }, [](HWND popup) {
        ASSERT_TRUE(harness::advanceClock(EventNoticeWindow::kCloseAfterMs - 1));
        EXPECT_TRUE(IsWindow(popup));
        ASSERT_TRUE(harness::advanceClock(1));
        EXPECT_TRUE(popup_test::waitGone(popup, 2s));
    });
    EXPECT_EQ(result, 1);
}

TEST(PopupTimers, ARepairFromFortyToAHundredPercentTakesSixtyStepsThenThreeSeconds)
{
    DialogWorld world;
    world.setRule(kRuleReinforcement, 0);
    harness::TestClock clock;
    const int type = 31;
    const int maximum = world.state().terrainTypes()[type].durability;
    BuildingRecord before {};
    before.type = uint8_t(type);
    before.durability = uint8_t(maximum * 40 / 100);
    BuildingRecord after = before;
    after.durability = uint8_t(maximum);
    BuildingRepairWindow window(makeWindowContext(world.state()), world.owner(), after, before);
    popup_test::drive([&] { return window.run(); }, [&](HWND popup) {
        ASSERT_EQ(window.gauge().start, 40);
        ASSERT_TRUE(harness::advanceClock(59 * PhaseResultWindow::kStepMs));
        EXPECT_EQ(window.step(), 59);
        EXPECT_EQ(window.gaugeValue(), 99);
        EXPECT_TRUE(window.stepTimerOn());
        ASSERT_TRUE(harness::advanceClock(PhaseResultWindow::kStepMs));
        EXPECT_EQ(window.gaugeValue(), 100);
        EXPECT_FALSE(window.stepTimerOn()) << "the gauge stops at its end value";
        EXPECT_TRUE(window.closeTimerOn());
        ASSERT_TRUE(harness::advanceClock(10 * PhaseResultWindow::kStepMs));
        EXPECT_EQ(window.gaugeValue(), 100) << "never past the end";
        ASSERT_TRUE(harness::advanceClock(PhaseResultWindow::kCloseAfterMs - 10 * PhaseResultWindow::kStepMs - 1));
        EXPECT_TRUE(IsWindow(popup));
        ASSERT_TRUE(harness::advanceClock(1));
        EXPECT_TRUE(popup_test::waitGone(popup, 2s));
    });
    EXPECT_EQ(window.result(), 1);
}

TEST(PopupTimers, EqualValuesCloseThreeSecondsAfterTheWindowOpened)
{
    DialogWorld world;
    harness::TestClock clock;
    const INT_PTR result = popup_test::driveOnSecondThread([&] {
        UnitEventWindow window(makeWindowContext(world.state()), world.owner(), kTerrainPillbox, 5, 5);
        window.run();
        return window.result();
    }, [](HWND popup) {
        ASSERT_TRUE(harness::advanceClock(PhaseResultWindow::kCloseAfterMs - 1));
        EXPECT_TRUE(IsWindow(popup));
        ASSERT_TRUE(harness::advanceClock(1));
        EXPECT_TRUE(popup_test::waitGone(popup, 2s));
    });
    EXPECT_EQ(result, 1);
}

TEST(PopupTimers, TheGameEndStaysEightSecondsAndThenUntilSlotOneFallsSilent)
{
    DialogWorld world;
    JinglePlaying main;
    main.window = world.ownerHandle();
    setMainWindowServices(&main);
    harness::TestClock clock;
    const INT_PTR result = popup_test::driveOnSecondThread([&] {
        GameEndWindow window(makeWindowContext(world.state()), world.owner(), 1, 0);
        window.run();
        return window.result();
    }, [&](HWND popup) {
        ASSERT_TRUE(harness::advanceClock(GameEndWindow::kShowMs));
        ASSERT_TRUE(harness::advanceClock(5 * GameEndWindow::kSoundPollMs));
        EXPECT_TRUE(IsWindow(popup)) << "past eight seconds while the jingle plays";
        main.playing = false;
        ASSERT_TRUE(harness::advanceClock(GameEndWindow::kSoundPollMs));
        EXPECT_TRUE(popup_test::waitGone(popup, 2s));
    });
    EXPECT_EQ(result, 1);
    setMainWindowServices(nullptr);
}
