// swCThread start, stop, wait and detach; swCEvent signalling and time-outs.
#include "lib/event.h"
#include "lib/thread.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Runs until asked to stop, pausing a minute at a time, or until its gate is set when it has one;
// counts its deletions.
struct Worker : swCThread {
    explicit Worker(std::atomic<int>* deleted = nullptr, swCEvent* gate = nullptr)
        : deleted(deleted)
        , gate(gate)
    {
    }
    ~Worker() override
    {
        threadStopAndWait();
        if (deleted) {
            EXPECT_TRUE(ranToEnd) << "deleted before Run returned";
            ++*deleted;
        }
    }
    void Run() override
    {
        firstRandom = platform::crtRand();
        while (gate ? gate->eventWait(INFINITE) != WAIT_OBJECT_0 : pauseUnlessStopped(60000)) { }
        ranToEnd = true;
    }

    std::atomic<int>* deleted;
    swCEvent* gate;
    std::atomic<bool> ranToEnd = false;
    int firstRandom = 0;
};

// Waits up to two seconds for a condition another thread makes true.
template <class F>
bool eventually(F condition)
{
    for (int i = 0; i < 2000 && !condition(); ++i)
        Sleep(1);
    return condition();
}

} // namespace

TEST(Thread, StopAndWaitJoinsOnceAndReturnsAtOnceAfterwards)
{
    Worker idle;
    idle.threadStopAndWait();
    EXPECT_FALSE(idle.stopRequested()) << "a thread never started is left alone";

    DWORD before = GetTickCount();
    Worker worker;
    ASSERT_NE(worker.threadStart(), nullptr);
    worker.threadStopAndWait();
    DWORD after = GetTickCount();
    EXPECT_LT(after - before, 60000u) << "the stop did not end the worker's pause";
    EXPECT_TRUE(worker.ranToEnd);
    EXPECT_TRUE(worker.finished());
    worker.threadStopAndWait(); // the done event reset itself: this must not wait on it again

    // The worker's generator was seeded with the tick count at its start.
    bool seeded = false;
    for (DWORD tick = before; tick != after + 1 && !seeded; ++tick)
        seeded = worker.firstRandom == int(((tick * 214013u + 2531011u) >> 16) & 0x7FFF);
    EXPECT_TRUE(seeded);
}

TEST(Thread, DetachedObjectIsDeletedExactlyOnceAfterRun)
{
    std::atomic<int> deleted = 0;
    swCEvent gate;
    auto* running = new Worker(&deleted, &gate);
    running->threadStart();
    running->threadDetach();
    Sleep(20);
    EXPECT_EQ(deleted, 0);
    gate.eventSet();
    ASSERT_TRUE(eventually([&] { return deleted == 1; }));

    // With no thread left to do it, detaching deletes at once.
    auto* ended = new Worker(&deleted, &gate);
    ended->threadStart();
    gate.eventSet();
    ASSERT_TRUE(eventually([&] { return ended->finished(); }));
    ended->threadDetach();
    EXPECT_EQ(deleted, 2);
    auto* idle = new Worker(&deleted);
    idle->ranToEnd = true;
    idle->threadDetach();
    EXPECT_EQ(deleted, 3);
    Sleep(20);
    EXPECT_EQ(deleted, 3);
}

TEST(Event, WaitTimesOutUntilSetAndResetsItself)
{
    swCEvent event(42);
    EXPECT_EQ(event.value(), 42u);
    EXPECT_EQ(event.eventWait(10), WAIT_TIMEOUT);
    event.eventSet();
    EXPECT_EQ(event.eventWait(0), WAIT_OBJECT_0);
    EXPECT_EQ(event.eventWait(10), WAIT_TIMEOUT);

    std::thread other([&] {
        Sleep(10);
        event.setValue(7);
        event.eventSet();
    });
    EXPECT_EQ(event.eventWait(5000), WAIT_OBJECT_0);
    EXPECT_EQ(event.value(), 7u);
    other.join();
}
