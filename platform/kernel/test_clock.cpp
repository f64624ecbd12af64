// The millisecond clock: monotonic time plus what tests added, or a value a test holds, and the
// threads sleeping on it while a test runs it.
#include "platform/kernel/test_clock.h"

#include "platform/kernel/winbase.h"

#include <atomic>
#include <condition_variable>
#include <ctime>
#include <list>
#include <mutex>

namespace platform {

namespace {

std::mutex g_mutex;
std::condition_variable g_moved;
std::atomic<bool> g_frozen { false };
std::atomic<bool> g_running { false };
std::atomic<uint64_t> g_frozenAt { 0 };
// Added to the system clock once a frozen clock ran ahead of it, so time never goes back.
std::atomic<uint64_t> g_offset { 0 };

struct Sleeper {
    uint64_t wake = 0;
    uint32_t threadId = 0;
    bool released = false;
};
// Under g_mutex: the threads in sleepOnTestClock, and how many of them were released and have
// not run again yet.
std::list<Sleeper> g_sleepers;
int g_releasedWaiting = 0;

uint64_t systemMilliseconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000ULL + uint64_t(ts.tv_nsec) / 1000000ULL;
}

// Under g_mutex.
void releaseSleepers(bool all)
{
    bool any = false;
    for (Sleeper& sleeper : g_sleepers)
        if (!sleeper.released && (all || sleeper.wake <= g_frozenAt.load())) {
            sleeper.released = true;
            ++g_releasedWaiting;
            any = true;
        }
    if (any)
        g_moved.notify_all();
}

} // namespace

uint64_t clockMilliseconds()
{
    if (g_frozen.load(std::memory_order_acquire))
        return g_frozenAt.load(std::memory_order_acquire);
    return systemMilliseconds() + g_offset.load(std::memory_order_relaxed);
}

bool testClockOn() { return g_frozen.load(std::memory_order_acquire); }

void setTestClock(bool on)
{
    std::lock_guard lock(g_mutex);
    if (on == g_frozen.load())
        return;
    if (on) {
        g_frozenAt.store(clockMilliseconds());
        g_frozen.store(true, std::memory_order_release);
        return;
    }
    g_running.store(false);
    releaseSleepers(true);
    uint64_t system = systemMilliseconds();
    uint64_t held = g_frozenAt.load();
    if (held > system + g_offset.load())
        g_offset.store(held - system);
    g_frozen.store(false, std::memory_order_release);
}

void setTestClockTo(uint64_t milliseconds)
{
    std::lock_guard lock(g_mutex);
    if (g_frozen.load() && milliseconds > g_frozenAt.load()) {
        g_frozenAt.store(milliseconds, std::memory_order_release);
        releaseSleepers(false);
    }
}

void setTestClockRunning(bool running)
{
    std::lock_guard lock(g_mutex);
    if (!g_frozen.load())
        return;
    g_running.store(running);
    if (!running)
        releaseSleepers(true);
}

bool testClockRunning() { return g_running.load(); }

bool sleepOnTestClock(uint64_t milliseconds)
{
    std::unique_lock lock(g_mutex);
    if (!g_running.load())
        return false;
    if (milliseconds == 0)
        return true;
    auto it = g_sleepers.insert(g_sleepers.end(), Sleeper { g_frozenAt.load() + milliseconds, uint32_t(GetCurrentThreadId()), false });
    g_moved.wait(lock, [&] { return it->released; });
    g_sleepers.erase(it);
    if (--g_releasedWaiting == 0)
        g_moved.notify_all();
    return true;
}

bool asleepOnTestClock(uint32_t threadId)
{
    std::lock_guard lock(g_mutex);
    for (const Sleeper& sleeper : g_sleepers)
        if (sleeper.threadId == threadId && !sleeper.released)
            return true;
    return false;
}

uint64_t nextSleeperDue()
{
    std::lock_guard lock(g_mutex);
    uint64_t due = UINT64_MAX;
    for (const Sleeper& sleeper : g_sleepers)
        if (!sleeper.released && sleeper.wake < due)
            due = sleeper.wake;
    return due;
}

void awaitReleasedSleepers(std::chrono::milliseconds limit)
{
    std::unique_lock lock(g_mutex);
    g_moved.wait_for(lock, limit, [] { return g_releasedWaiting == 0; });
}

} // namespace platform
