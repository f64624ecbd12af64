// swCThread start, stop, wait and detach; swCEvent signalling and time-outs.
#include "lib/event.h"
#include "lib/thread.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Runs until asked to stop, or until its gate is set when it has one.
class Worker : public swCThread {
public:
    explicit Worker(std::atomic<int>* destroyed = nullptr, swCEvent* gate = nullptr)
        : m_destroyed(destroyed)
        , m_gate(gate)
    {
    }
    ~Worker() override
    {
        threadStopAndWait();
        if (m_destroyed) {
            m_destroyedAfterRun = m_ranToEnd.load();
            ++*m_destroyed;
        }
    }
    void Run() override
    {
        m_firstRandom = platform::crtRand();
        if (m_gate)
            m_gate->eventWait(INFINITE);
        else
            while (!stopRequested())
                Sleep(1);
        m_ranToEnd = true;
    }

    std::atomic<bool> m_ranToEnd = false;
    int m_firstRandom = 0;
    static inline std::atomic<bool> m_destroyedAfterRun = false;

private:
    std::atomic<int>* m_destroyed;
    swCEvent* m_gate;
};

// Waits up to two seconds for a condition another thread makes true.
template <class F>
bool eventually(F condition)
{
    for (int i = 0; i < 2000 && !condition(); ++i)
        Sleep(1);
    return condition();
}

int firstRandomFromSeed(unsigned seed)
{
    return int(((seed * 214013u + 2531011u) >> 16) & 0x7FFF);
}

} // namespace

TEST(Thread, NeverStartedStopReturnsAtOnce)
{
    Worker worker;
    worker.threadStopAndWait();
    EXPECT_FALSE(worker.stopRequested());
    EXPECT_FALSE(worker.started());
}

TEST(Thread, StopAndWaitJoinsAndMayBeRepeated)
{
    Worker worker;
    ASSERT_NE(worker.threadStart(), nullptr);
    EXPECT_TRUE(worker.started());
    worker.threadStopAndWait();
    EXPECT_TRUE(worker.m_ranToEnd);
    EXPECT_TRUE(worker.finished());
    // The done event resets itself; a second wait must not hang on it.
    worker.threadStopAndWait();
}

TEST(Thread, WaitsForARunThatEndedOnItsOwn)
{
    swCEvent gate;
    Worker worker(nullptr, &gate);
    worker.threadStart();
    gate.eventSet();
    ASSERT_TRUE(eventually([&] { return worker.finished(); }));
    worker.threadStopAndWait();
    EXPECT_TRUE(worker.m_ranToEnd);
}

TEST(Thread, SeedsTheRuntimeGeneratorFromTheTickCount)
{
    DWORD before = GetTickCount();
    Worker worker;
    worker.threadStart();
    worker.threadStopAndWait();
    DWORD after = GetTickCount();
    bool matched = false;
    for (DWORD tick = before; tick != after + 1 && !matched; ++tick)
        matched = worker.m_firstRandom == firstRandomFromSeed(tick);
    EXPECT_TRUE(matched);
}

TEST(Thread, DetachedThreadDeletesItselfOnceAfterRun)
{
    std::atomic<int> destroyed = 0;
    swCEvent gate;
    auto* worker = new Worker(&destroyed, &gate);
    worker->threadStart();
    worker->threadDetach();
    Sleep(20);
    EXPECT_EQ(destroyed, 0) << "deleted while Run was still going";
    gate.eventSet();
    ASSERT_TRUE(eventually([&] { return destroyed == 1; }));
    EXPECT_TRUE(Worker::m_destroyedAfterRun);
    Sleep(20);
    EXPECT_EQ(destroyed, 1);
}

TEST(Thread, DetachAfterTheEndDeletesAtOnce)
{
    std::atomic<int> destroyed = 0;
    swCEvent gate;
    auto* ended = new Worker(&destroyed, &gate);
    ended->threadStart();
    gate.eventSet();
    ASSERT_TRUE(eventually([&] { return ended->finished(); }));
    ended->threadDetach();
    EXPECT_EQ(destroyed, 1);

    auto* idle = new Worker(&destroyed);
    idle->threadDetach();
    EXPECT_EQ(destroyed, 2);
    Sleep(20);
    EXPECT_EQ(destroyed, 2);
}

TEST(Event, WaitTimesOutUntilSetAndResetsItself)
{
    swCEvent event(42);
    EXPECT_EQ(event.value(), 42u);
    EXPECT_EQ(event.eventWait(10), WAIT_TIMEOUT);
    event.eventSet();
    EXPECT_EQ(event.eventWait(0), WAIT_OBJECT_0);
    EXPECT_EQ(event.eventWait(10), WAIT_TIMEOUT);
}

TEST(Event, AnswerSetOnAnotherThreadWakesTheWaiter)
{
    swCEvent answer;
    std::thread other([&] {
        Sleep(10);
        answer.setValue(7);
        answer.eventSet();
    });
    EXPECT_EQ(answer.eventWait(5000), WAIT_OBJECT_0);
    EXPECT_EQ(answer.value(), 7u);
    other.join();
}
