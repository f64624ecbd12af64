// The hand-shakes between the game thread and the user interface, on real threads.
#include "state/handshake.h"

#include "lib/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

// Runs f on a second thread, as the game thread would, and hands back its result.
template <class F>
auto onGameThread(F f)
{
    return std::async(std::launch::async, f);
}

// Waits until the game thread has registered its wait, so the answer cannot come too early.
void untilWaiting(const Handshake& handshake, size_t count = 1)
{
    while (handshake.openWaitCount() < count)
        std::this_thread::yield();
}

// A game thread that polls its stop flag.
class PollingThread : public swCThread {
public:
    ~PollingThread() override { threadStopAndWait(); }
    void Run() override
    {
        while (!stopRequested())
            std::this_thread::yield();
    }
};

} // namespace

TEST(UiWait, FirstAnswerWinsAndReleasesTheWaiter)
{
    UiWait wait(UiWaitKind::Prompt);
    auto result = onGameThread([&] { return wait.wait(); });
    EXPECT_TRUE(wait.answer(7));
    EXPECT_FALSE(wait.answer(9));
    wait.cancel(0);
    EXPECT_EQ(result.get(), 7u);
    EXPECT_FALSE(wait.cancelled());
    EXPECT_EQ(wait.wait(), 7u);
}

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

    // Not ready without play, whatever the request flag says.
    handshake.setUiLinkReady();
    handshake.setPlayRunning(false);
    EXPECT_FALSE(handshake.isUiLinkReady());
}

TEST(Handshake, AnswerWithNobodyWaitingIsDropped)
{
    Handshake handshake;
    handshake.replyToGame(5);
    handshake.signalDeploymentResult(1);
    handshake.releaseMapWait();
    auto reply = onGameThread([&] { return handshake.waitForUiReply(); });
    untilWaiting(handshake);
    // The earlier reply must not have been kept for this wait.
    EXPECT_EQ(reply.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    handshake.replyToGame(2);
    EXPECT_EQ(reply.get(), 2u);
}

TEST(Handshake, DeploymentAnswerSaysWhetherItWasCompleted)
{
    Handshake handshake;
    auto done = onGameThread([&] { return handshake.waitForDeploymentResult(); });
    untilWaiting(handshake);
    EXPECT_TRUE(handshake.deploymentWaiting());
    handshake.signalDeploymentResult(1);
    EXPECT_TRUE(done.get());
    EXPECT_FALSE(handshake.deploymentWaiting());

    auto refused = onGameThread([&] { return handshake.waitForDeploymentResult(); });
    untilWaiting(handshake);
    handshake.signalDeploymentResult(2);
    EXPECT_FALSE(refused.get());
}

TEST(Handshake, StopReleasesEveryKindOfWaitWithTheStopAnswers)
{
    Handshake handshake;
    handshake.setPlayRunning(true);
    handshake.setDelegation(true);
    auto reply = onGameThread([&] { return handshake.waitForUiReply(); });
    auto deployed = onGameThread([&] { return handshake.waitForDeploymentResult(); });
    std::vector<std::future<uint32_t>> others;
    for (UiWaitKind kind : { UiWaitKind::Income, UiWaitKind::Prompt, UiWaitKind::EndOfGame, UiWaitKind::PhaseHelp,
             UiWaitKind::ProductionQuestion, UiWaitKind::MapRedraw, UiWaitKind::BattleDone, UiWaitKind::LevelChange }) {
        others.push_back(onGameThread([&handshake, kind] {
            auto wait = handshake.openWait(kind);
            uint32_t value = wait->wait();
            handshake.closeWait(wait);
            return value;
        }));
    }
    auto slot = onGameThread([&] {
        auto wait = handshake.openSlot(HandshakeSlot::PendingMap, UiWaitKind::MapRequest);
        uint32_t value = wait->wait();
        handshake.closeSlot(HandshakeSlot::PendingMap, wait);
        return value;
    });
    untilWaiting(handshake, 11);

    EXPECT_TRUE(handshake.requestStopPlay());
    EXPECT_EQ(reply.get(), 1u);
    EXPECT_FALSE(deployed.get());
    for (auto& other : others)
        EXPECT_EQ(other.get(), 0u);
    EXPECT_EQ(slot.get(), 0u);
    EXPECT_FALSE(handshake.playRunning());
    EXPECT_FALSE(handshake.delegation());
    EXPECT_EQ(handshake.openWaitCount(), 0u);
}

TEST(Handshake, WaitsAfterAStopReturnAtOnceUntilPlayStartsAgain)
{
    Handshake handshake;
    handshake.requestStopPlay();
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
    // The window side finishes its work on a record the game thread has already let go.
    EXPECT_EQ(std::static_pointer_cast<UiWaitWith<int>>(held)->data, 42);
    EXPECT_FALSE(held->answer(1));
}

TEST(Handshake, LeftOverRecordOfASlotIsReplacedAndReleased)
{
    Handshake handshake;
    auto abandoned = handshake.openSlot(HandshakeSlot::ActionEnd, UiWaitKind::ActionEnd);
    auto fresh = handshake.openSlot(HandshakeSlot::ActionEnd, UiWaitKind::ActionEnd);
    EXPECT_TRUE(abandoned->done());
    EXPECT_EQ(handshake.findWait(abandoned->id()), nullptr);
    handshake.answerUi(1);
    EXPECT_EQ(fresh->wait(), 1u);
    EXPECT_EQ(handshake.openWaitCount(), 1u);
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
            handshake.releaseUiWait();
        }
    });
    int ended = 0;
    int ended2 = 0;
    for (int i = 0; i < kRounds; ++i) {
        auto wait = handshake.openSlot(HandshakeSlot::ActionEnd, UiWaitKind::ActionEnd);
        ended += wait->wait() == 1;
        handshake.closeSlot(HandshakeSlot::ActionEnd, wait);
        auto wait2 = handshake.openSlot(HandshakeSlot::ProductionEnd, UiWaitKind::ProductionEnd);
        ended2 += wait2->wait() == 1;
        handshake.closeSlot(HandshakeSlot::ProductionEnd, wait2);
    }
    done = true;
    answerer.join();
    EXPECT_EQ(ended, kRounds);
    EXPECT_EQ(ended2, kRounds);
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

TEST(Handshake, StopSetsTheThreadsStopFlagAndJoinWaitsForIt)
{
    Handshake handshake;
    EXPECT_TRUE(handshake.isPlayThreadFinished());
    ASSERT_TRUE(handshake.startPlayThread(std::make_unique<PollingThread>()));
    EXPECT_FALSE(handshake.onPlayThread());
    EXPECT_FALSE(handshake.isPlayThreadFinished());
    handshake.requestStopPlay();
    while (!handshake.isPlayThreadFinished())
        std::this_thread::yield();
    handshake.joinPlayThread();
    EXPECT_EQ(handshake.playThread(), nullptr);
    EXPECT_TRUE(handshake.isPlayThreadFinished());
}
