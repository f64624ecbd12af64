// The hand-shakes between the game thread and the user interface, on real threads.
#include "state/handshake.h"

#include "tests/lib/test_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace {

// Runs f on a second thread, as the game thread would.
template <class F>
auto onGameThread(F f)
{
    return std::async(std::launch::async, f);
}

// Until the game thread has registered its waits, so no answer comes too early.
void untilWaiting(const Handshake& handshake, size_t count = 1)
{
    while (handshake.openWaitCount() < count)
        std::this_thread::yield();
}

} // namespace

TEST(Handshake, ReplyReleasesTheComputerPlayerAndClearsTheInterrupt)
{
    Handshake handshake;
    handshake.setPlayRunning(true);
    EXPECT_FALSE(handshake.isUiLinkReady());
    handshake.setUiLinkReady();
    EXPECT_TRUE(handshake.isUiLinkReady());
    auto reply = onGameThread([&] { return handshake.waitForUiReply(); });
    untilWaiting(handshake);
    handshake.replyToGame(4);
    EXPECT_EQ(reply.get(), 4u);
    EXPECT_FALSE(handshake.interruptRequested());
    EXPECT_EQ(handshake.openWaitCount(), 0u);
    handshake.setUiLinkReady();
    handshake.setPlayRunning(false);
    EXPECT_FALSE(handshake.isUiLinkReady());
}

TEST(Handshake, AnswerWithNobodyWaitingIsDroppedAndDeploymentSaysIfCompleted)
{
    Handshake handshake;
    handshake.signalDeploymentResult(1);
    auto refused = onGameThread([&] { return handshake.waitForDeploymentResult(); });
    untilWaiting(handshake);
    EXPECT_TRUE(handshake.deploymentWaiting());
    // The earlier answer was not kept for this wait.
    EXPECT_EQ(refused.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    handshake.signalDeploymentResult(2);
    EXPECT_FALSE(refused.get());
    EXPECT_FALSE(handshake.deploymentWaiting());

    auto done = onGameThread([&] { return handshake.waitForDeploymentResult(); });
    untilWaiting(handshake);
    handshake.signalDeploymentResult(1);
    EXPECT_TRUE(done.get());
}

TEST(Handshake, StopAnswersTheNamedWaitsAndLaterWaitsReturnAtOnceUntilReopened)
{
    Handshake handshake;
    handshake.setPlayRunning(true);
    handshake.setDelegation(true);
    auto reply = onGameThread([&] { return handshake.waitForUiReply(); });
    auto deployed = onGameThread([&] { return handshake.waitForDeploymentResult(); });
    untilWaiting(handshake, 2);
    handshake.requestStopPlay();
    EXPECT_EQ(reply.get(), 1u);
    EXPECT_FALSE(deployed.get());
    EXPECT_FALSE(handshake.playRunning());
    EXPECT_FALSE(handshake.delegation());

    EXPECT_EQ(handshake.waitForUiReply(), 1u);
    auto late = handshake.openWait(UiWaitKind::Income);
    EXPECT_TRUE(late->cancelled());
    EXPECT_EQ(handshake.findWait(late->id()), nullptr);
    handshake.reopenWaits();
    auto wait = handshake.openWait(UiWaitKind::Income);
    EXPECT_FALSE(wait->done());
    EXPECT_EQ(handshake.findWait(wait->id()), wait);
    handshake.closeWait(wait);
}

TEST(Handshake, RecordHeldByTheAnsweringSideOutlivesTheWaiter)
{
    Handshake handshake;
    auto wait = handshake.openWaitWith<int>(UiWaitKind::LevelChange);
    wait->data = 42;
    std::shared_ptr<UiWait> held = handshake.findWait(wait->id());
    ASSERT_NE(held, nullptr);
    handshake.requestStopPlay();
    handshake.closeWait(wait);
    wait.reset();
    EXPECT_EQ(std::static_pointer_cast<UiWaitWith<int>>(held)->data, 42);
    // A late answer after the stop is dropped: the first release wins.
    EXPECT_FALSE(held->answer(1));
    EXPECT_EQ(held->value(), 0u);
}

TEST(Handshake, LeftOverRecordOfASlotIsReplacedAndReleased)
{
    Handshake handshake;
    auto abandoned = handshake.openSlot(HandshakeSlot::ActionEnd, UiWaitKind::ActionEnd);
    auto fresh = handshake.openSlot(HandshakeSlot::ActionEnd, UiWaitKind::ActionEnd);
    EXPECT_TRUE(abandoned->done());
    handshake.answerUi(1);
    EXPECT_EQ(fresh->wait(), 1u);
    handshake.closeSlot(HandshakeSlot::ActionEnd, fresh);
    EXPECT_EQ(handshake.openWaitCount(), 0u);
}

// Create, answer and delete overlap on two threads; every wait must end with its own answer.
TEST(Handshake, AnswersRacingTheWaitersCreateAndDeleteNeverLoseOrCrossAnAnswer)
{
    Handshake handshake;
    constexpr int kRounds = 2000;
    std::atomic<bool> done = false;
    std::thread answerer([&] {
        while (!done) {
            handshake.answerUi(1);
            handshake.answerUi2(1);
        }
    });
    int ended = 0;
    for (int i = 0; i < kRounds; ++i)
        for (HandshakeSlot slot : { HandshakeSlot::ActionEnd, HandshakeSlot::ProductionEnd }) {
            auto wait = handshake.openSlot(slot, UiWaitKind::ActionEnd);
            ended += wait->wait() == 1;
            handshake.closeSlot(slot, wait);
        }
    done = true;
    answerer.join();
    EXPECT_EQ(ended, 2 * kRounds);
    EXPECT_EQ(handshake.openWaitCount(), 0u);
}

TEST(Handshake, StopRacingANewWaitNeverLeavesTheThreadBlocked)
{
    for (int i = 0; i < 300; ++i) {
        Handshake handshake;
        auto waiter = onGameThread([&] {
            auto wait = handshake.openWait(UiWaitKind::Prompt);
            uint32_t value = wait->wait();
            handshake.closeWait(wait);
            return value;
        });
        handshake.requestStopPlay();
        EXPECT_EQ(waiter.get(), 0u);
    }
}

namespace {

// The game thread of one test: its work, started through the handshake.
using TestPlayThread = testing_lib::TestThread;

template <class Done>
bool within(Done done)
{
    for (int i = 0; i < 5000 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

} // namespace

// Ways out hold the game thread, each one hold; each no gives back its own and the last lets the
// thread go on. A wait the held thread is in is a rest it keeps even once answered, and the main
// window hears once that it rests. A stop releases every rest and lets no window show.
TEST(Handshake, AWayOutHoldsTheGameThreadAtRestUntilItsLastHoldEndsOrPlayStops)
{
    Handshake handshake;
    CloseGate& gate = handshake.closeGate();
    std::atomic<int> restReports { 0 };
    gate.setReport([&](PlayReport report) { restReports += report == PlayReport::Resting; });
    std::shared_ptr<UiWait> wait;
    std::atomic<bool> answered { false }, showing { false }, admitted { true };
    ASSERT_TRUE(gate.beginAsking());
    ASSERT_TRUE(gate.beginAsking());
    EXPECT_FALSE(gate.wantRest()) << "no game thread rests yet";
    ASSERT_TRUE(handshake.startPlayThread(std::make_unique<TestPlayThread>([&] {
        wait = handshake.openWait(UiWaitKind::Prompt);
        wait->wait();
        answered = true;
        while (!showing)
            std::this_thread::yield();
        admitted = bool(handshake.admitShow());
    })));
    ASSERT_TRUE(within([&] { return restReports == 1; }));
    EXPECT_TRUE(gate.wantRest());
    wait->answer(1);
    gate.answerNo();
    EXPECT_TRUE(gate.resting()) << "answered, but still held by the second way out";
    EXPECT_FALSE(answered);
    gate.answerNo();
    ASSERT_TRUE(within([&] { return answered.load(); }));
    EXPECT_EQ(gate.stage(), CloseStage::Open);

    // Held again as it asks to show a window: it rests, and the stop that ends the program shows nothing.
    gate.beginAsking();
    showing = true;
    ASSERT_TRUE(within([&] { return gate.resting(); }));
    gate.close();
    EXPECT_FALSE(gate.beginAsking()) << "closing is for good";
    handshake.requestStopPlay();
    handshake.joinPlayThread();
    EXPECT_FALSE(admitted);
    EXPECT_EQ(restReports, 1);
}

// Play stopped by a way out that leaves the program running (a game's end, a new game), held by
// it or not: the game thread shows no window any more and waits for no question, and a campaign's
// next stage keeps the stop, the thread's flag still set. The thread knows itself from its first
// step.
TEST(Handshake, AStoppedGameShowsNothingMoreAndItsNextStageKeepsTheStop)
{
    struct Seen {
        bool admitted, continued, cleared;
        BYTE flag;
    };
    for (const bool held : { false, true }) {
        SCOPED_TRACE(held ? "held by a way out" : "not held");
        Handshake handshake;
        CloseGate& gate = handshake.closeGate();
        std::atomic<bool> knowsItself { false };
        std::promise<void> stopped;
        std::promise<Seen> seen;
        ASSERT_TRUE(handshake.startPlayThread(std::make_unique<TestPlayThread>([&] {
            knowsItself = handshake.onPlayThread();
            stopped.get_future().wait();
            const bool admitted = bool(handshake.admitShow());
            const bool continued = handshake.continuePlay();
            seen.set_value({ admitted, continued, handshake.clearStageStop(), handshake.playThread()->stopFlag().load() });
        })));
        if (held)
            gate.beginAsking();
        handshake.setPlayRunning(true);
        handshake.requestStopPlay();
        stopped.set_value();
        auto result = seen.get_future();
        const bool answered = result.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        // A thread that would wait for ever is let go, so that it ends.
        if (!answered)
            gate.close();
        ASSERT_TRUE(answered) << "the stopped thread waits";
        const Seen s = result.get();
        EXPECT_TRUE(knowsItself);
        EXPECT_FALSE(s.admitted);
        EXPECT_FALSE(s.continued);
        EXPECT_FALSE(s.cleared);
        EXPECT_EQ(s.flag, 1);
        EXPECT_FALSE(handshake.playRunning());
        handshake.joinPlayThread();
    }
}
