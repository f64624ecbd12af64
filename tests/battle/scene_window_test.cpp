// The scene windows and the draw thread: a scene ends by itself or by a click and hands back to the
// main window, a second scene starts its clock afresh, a module that could not start refuses
// scenes, and shutting down never waits for ever on a thread that is ending a scene.
#include "tests/battle/scene_rig.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;
using scene_test::harness::advanceClock;
using scene_test::lockedRead;
using scene_test::pumpUntil;
using scene_test::SceneRig;

BattleRecord tanksAtInfantry(const SceneRig& rig)
{
    BattleRecord record;
    record.side[0] = rig.side(3, 0, 3, 5);
    record.side[1] = rig.side(2, 1, 3, 5);
    record.side[0].shots = 3;
    record.side[1].figuresAfter = 7;
    return record;
}

} // namespace

TEST(SceneWindows, AFiveSecondSceneEndsByItselfAndHandsBackOnce)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    scene_test::harness::TestClock clock;
    BattleRecord record = tanksAtInfantry(rig);
    ASSERT_TRUE(LiveClashWindow::runBattle(record, SceneSound {}));
    EXPECT_TRUE(rig.shown(0) && rig.shown(1));
    EXPECT_EQ(GetWindow(rig.window(0), GW_OWNER), rig.window(1)) << "the defender's window owns the attacker's";
    EXPECT_EQ(GetWindow(rig.window(1), GW_OWNER), rig.owner.handle());
    ASSERT_TRUE(rig.waitFirstFrame());
    EXPECT_EQ(lockedRead([](SceneState& st) { return st.plan.totalFrames; }), 150);

    ASSERT_TRUE(advanceClock(4999));
    pumpUntil([] { return lockedRead([](SceneState& st) { return st.lastFrame; }) == 149; });
    std::this_thread::sleep_for(60ms);
    pumpUntil([] { return false; }, 20ms);
    EXPECT_EQ(lockedRead([](SceneState& st) { return st.lastFrame; }), 149) << "frame 149 at 4.999 s";
    EXPECT_TRUE(rig.shown(0) && rig.shown(1));
    EXPECT_EQ(rig.owner.handBacks, 0);

    ASSERT_TRUE(advanceClock(1));
    ASSERT_TRUE(pumpUntil([&] { return rig.owner.handBacks > 0; })) << "the scene ends at 5 s";
    pumpUntil([] { return false; }, 100ms);
    EXPECT_EQ(rig.owner.handBacks, 1) << "the thread's repeated ending finds the scene reset";
    EXPECT_FALSE(rig.shown(0) || rig.shown(1));
    EXPECT_EQ(lockedRead([](SceneState& st) { return st.frame; }), -1);
}

TEST(SceneWindows, AClickInEitherWindowEndsTheSceneAtOnce)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    BattleRecord record = tanksAtInfantry(rig);
    for (int side = 0; side < 2; ++side) {
        const int before = rig.owner.handBacks;
        ASSERT_TRUE(LiveClashWindow::runBattle(record, SceneSound {}));
        ASSERT_TRUE(rig.waitFirstFrame());
        testing_lib::clickCentre(rig.window(side));
        ASSERT_TRUE(pumpUntil([&] { return rig.owner.handBacks > before; })) << "side " << side;
        EXPECT_FALSE(rig.shown(0) || rig.shown(1)) << "both windows hide";
        EXPECT_EQ(rig.owner.handBacks, before + 1);
    }
}

// Alt+F4 on a scene window is the program's close, asked of the main window; a right click ends the
// scene and keeps the windows for the next one.
TEST(SceneWindows, AltF4IsTheProgramsCloseAndARightClickEndsTheScene)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    BattleRecord record = tanksAtInfantry(rig);
    ASSERT_TRUE(LiveClashWindow::runBattle(record, SceneSound {}));
    ASSERT_TRUE(rig.waitFirstFrame());
    SendMessageA(rig.window(0), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(pumpUntil([&] { return rig.owner.closes == 1; }));
    EXPECT_EQ(rig.owner.handBacks, 0) << "the scene plays on while the close is asked";
    EXPECT_TRUE(rig.shown(0) && rig.shown(1));
    SendMessageA(rig.window(0), WM_RBUTTONDOWN, 0, 0);
    ASSERT_TRUE(pumpUntil([&] { return rig.owner.handBacks == 1; }));
    EXPECT_TRUE(IsWindow(rig.window(0)) && IsWindow(rig.window(1)));
    EXPECT_FALSE(rig.shown(0) || rig.shown(1));
    EXPECT_TRUE(LiveClashWindow::isReady()) << "the next scene finds its windows";
}

TEST(SceneWindows, ASecondSceneStartsItsClockAfresh)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    scene_test::harness::TestClock clock;
    BattleRecord record = tanksAtInfantry(rig);
    ASSERT_TRUE(LiveClashWindow::runBattle(record, SceneSound {}));
    ASSERT_TRUE(rig.waitFirstFrame());
    ASSERT_TRUE(advanceClock(5000));
    ASSERT_TRUE(pumpUntil([&] { return rig.owner.handBacks == 1; }));

    ASSERT_TRUE(advanceClock(1234));
    record.side[1].counterAttack = 1;
    ASSERT_TRUE(LiveClashWindow::runBattle(record, SceneSound {}));
    ASSERT_TRUE(rig.waitFirstFrame());
    EXPECT_EQ(lockedRead([](SceneState& st) { return st.frame; }), 0) << "frame 0 when both windows got the start";
    EXPECT_EQ(lockedRead([](SceneState& st) { return st.plan.totalFrames; }), 300);
    ASSERT_TRUE(advanceClock(2500));
    ASSERT_TRUE(pumpUntil([] { return lockedRead([](SceneState& st) { return st.lastFrame; }) == 75; }));
    EXPECT_EQ(rig.owner.handBacks, 1);
    LiveClashWindow::resetScene();
}

TEST(SceneWindows, WithoutSceneFilesNoSceneStarts)
{
    SceneRig rig(false);
    EXPECT_FALSE(rig.ready) << "the window shapes are missing";
    EXPECT_FALSE(LiveClashWindow::isReady());
    BattleRecord record;
    EXPECT_FALSE(LiveClashWindow::runBattle(record, SceneSound {})) << "the caller must release its waiter";
}

TEST(SceneWindows, ShuttingDownAnswersAThreadThatIsEndingTheScene)
{
    SceneRig rig;
    ASSERT_TRUE(rig.ready);
    // No attacker: one cut of 2.5 s.
    BattleRecord record = tanksAtInfantry(rig);
    record.side[0].country = kNoCountry;
    ASSERT_TRUE(LiveClashWindow::runBattle(record, SceneSound {}));
    EXPECT_EQ(lockedRead([](SceneState& st) { return st.plan.totalFrames; }), 75);
    // This thread handles nothing meanwhile: the draw thread is left waiting in its send.
    std::this_thread::sleep_for(2800ms);
    LiveClashWindow::shutDown();
    EXPECT_FALSE(LiveClashWindow::isReady());
    EXPECT_EQ(sceneState().thread, nullptr);
}
