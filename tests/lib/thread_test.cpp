// swCThread start, stop, wait and detach; swCEvent signalling and time-outs.
#include "lib/event.h"
#include "lib/thread.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Runs until asked to stop, or until its gate is set when it has one; counts its deletions.
class Worker : public swCThread {
public:
    explicit Worker(std::atomic<int>* deleted = nullptr, swCEvent* gate = nullptr)
        : m_deleted(deleted)
        , m_gate(gate)
    {
    }
    ~Worker() override
    {
        threadStopAndWait();
        if (m_deleted) {
            EXPECT_TRUE(m_ranToEnd) << "deleted before Run returned";
            ++*m_deleted;
        }
    }
    void Run() override
    {
        m_firstRandom = platform::crtRand();
        if (m_gate)
            m_gate->eventWait(INFINITE);
        while (!m_gate && !stopRequested())
            Sleep(1);
        m_ranToEnd = true;
    }

    std::atomic<bool> m_ranToEnd = false;
    int m_firstRandom = 0;

private:
    std::atomic<int>* m_deleted;
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
    EXPECT_TRUE(worker.m_ranToEnd);
    EXPECT_TRUE(worker.finished());
    worker.threadStopAndWait(); // the done event reset itself: this must not wait on it again

    // The worker's generator was seeded with the tick count at its start.
    bool seeded = false;
    for (DWORD tick = before; tick != after + 1 && !seeded; ++tick)
        seeded = worker.m_firstRandom == int(((tick * 214013u + 2531011u) >> 16) & 0x7FFF);
    EXPECT_TRUE(seeded);
}

TEST(Thread, DetachedThreadDeletesItselfOnceAfterRun)
{
    std::atomic<int> deleted = 0;
    swCEvent gate;
    auto* worker = new Worker(&deleted, &gate);
    worker->threadStart();
    worker->threadDetach();
    Sleep(20);
    EXPECT_EQ(deleted, 0);
    gate.eventSet();
    ASSERT_TRUE(eventually([&] { return deleted == 1; }));
    Sleep(20);
    EXPECT_EQ(deleted, 1);
}

TEST(Thread, DetachWithNoThreadRunningDeletesAtOnce)
{
    std::atomic<int> deleted = 0;
    swCEvent gate;
    auto* ended = new Worker(&deleted, &gate);
    ended->threadStart();
    gate.eventSet();
    ASSERT_TRUE(eventually([&] { return ended->finished(); }));
    ended->threadDetach();
    EXPECT_EQ(deleted, 1);

    auto* idle = new Worker(&deleted);
    idle->m_ranToEnd = true;
    idle->threadDetach();
    EXPECT_EQ(deleted, 2);
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
