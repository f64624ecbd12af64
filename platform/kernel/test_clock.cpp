// The millisecond clock: monotonic time plus what tests added, or a value a test holds, and the
// threads sleeping on it while a test runs it.
#include "platform/kernel/test_clock.h"

#include "platform/kernel/host.h"
#include "platform/kernel/internal.h"
#include "platform/kernel/winbase.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <ctime>
#include <list>
#include <mutex>
#include <vector>

namespace platform {

namespace {

std::mutex g_mutex;
std::atomic<bool> g_frozen { false };
std::atomic<bool> g_running { false };
std::atomic<uint64_t> g_frozenAt { 0 };
// Added to the system clock once a frozen clock ran ahead of it, so time never goes back.
std::atomic<uint64_t> g_offset { 0 };

// A thread as the running clock sees it. One the program started (through the layer) holds the
// clock from the moment a sleep of its own on it ends, and from then on whenever it runs: it lets
// go while it waits. Any other (the test's, the one that handles the windows, whose work shows in
// its queue) holds it only from the end of its own sleep to its next wait, and no longer than
// kObserverHold once it runs again. Under g_mutex.
struct ClockThread {
    // The running spell the thread takes part in (0: none); one of an earlier spell is new to this.
    uint64_t spell = 0;
    bool program = false;
    bool waiting = false;
    // When it ran again after its last sleep; the far future until it does.
    std::chrono::steady_clock::time_point resumed;
    ~ClockThread();
};
thread_local ClockThread t_clockThread;
// Set once the thread's ClockThread is gone: its queue's windows may still wait on their way out.
thread_local bool t_clockThreadGone = false;
constexpr std::chrono::milliseconds kObserverHold { 50 };

struct Sleeper {
    uint64_t wake = 0;
    uint32_t threadId = 0;
    ClockThread* thread = nullptr;
    bool released = false;
    // Its own, so that a move wakes only the sleepers it releases.
    std::condition_variable woken;
};
// Under g_mutex: the threads in sleepOnTestClock; the running spell's number and its threads that
// hold the clock; the activity stamp the hand waits on.
std::list<Sleeper> g_sleepers;
uint64_t g_spell = 1;
std::vector<ClockThread*> g_holders;
uint64_t g_activity = 0;
std::condition_variable g_active;

uint64_t systemMilliseconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000ULL + uint64_t(ts.tv_nsec) / 1000000ULL;
}

// Under g_mutex.
void noteActivity()
{
    ++g_activity;
    g_active.notify_all();
}

// Under g_mutex: the calling thread, in the spell (waiting when it joins it); null on its way out.
ClockThread* ownClockThread()
{
    if (t_clockThreadGone)
        return nullptr;
    ClockThread& thread = t_clockThread;
    if (thread.spell != g_spell) {
        thread.spell = g_spell;
        thread.program = startedByLayer();
        thread.waiting = true;
    }
    return &thread;
}

// Under g_mutex: the thread starts or stops holding the clock.
void setWaiting(ClockThread& thread, bool waiting)
{
    if (thread.spell != g_spell || thread.waiting == waiting)
        return;
    thread.waiting = waiting;
    if (waiting) {
        std::erase(g_holders, &thread);
        noteActivity();
    } else {
        g_holders.push_back(&thread);
    }
}

// Under g_mutex.
void releaseSleepers(bool all)
{
    for (Sleeper& sleeper : g_sleepers)
        if (!sleeper.released && (all || sleeper.wake <= g_frozenAt.load())) {
            sleeper.released = true;
            // What the clock woke holds it from now, before it even runs.
            if (sleeper.thread) {
                sleeper.thread->resumed = std::chrono::steady_clock::time_point::max();
                setWaiting(*sleeper.thread, false);
            }
            sleeper.woken.notify_one();
        }
}

// Under g_mutex: a new spell of the running clock, or none; no thread holds it.
void startSpell()
{
    ++g_spell;
    g_holders.clear();
    noteActivity();
}

ClockThread::~ClockThread()
{
    t_clockThreadGone = true;
    std::lock_guard lock(g_mutex);
    setWaiting(*this, true);
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
    startSpell();
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
    startSpell();
}

bool testClockRunning() { return g_running.load(); }

bool sleepOnTestClock(uint64_t milliseconds)
{
    std::unique_lock lock(g_mutex);
    if (!g_running.load())
        return false;
    if (milliseconds == 0)
        return true;
    ClockThread* thread = ownClockThread();
    if (thread)
        setWaiting(*thread, true);
    auto it = g_sleepers.emplace(g_sleepers.end());
    it->wake = g_frozenAt.load() + milliseconds;
    it->threadId = uint32_t(GetCurrentThreadId());
    it->thread = thread;
    noteActivity();
    it->woken.wait(lock, [&] { return it->released; });
    g_sleepers.erase(it);
    if (thread)
        thread->resumed = std::chrono::steady_clock::now();
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

bool threadsHoldTestClock()
{
    std::lock_guard lock(g_mutex);
    const auto now = std::chrono::steady_clock::now();
    return std::any_of(g_holders.begin(), g_holders.end(),
        [&](const ClockThread* thread) { return thread->program || thread->resumed == std::chrono::steady_clock::time_point::max() || now - thread->resumed < kObserverHold; });
}

uint64_t testClockActivity()
{
    std::lock_guard lock(g_mutex);
    return g_activity;
}

uint64_t awaitTestClockActivity(uint64_t seen, std::chrono::microseconds limit)
{
    std::unique_lock lock(g_mutex);
    g_active.wait_for(lock, limit, [&] { return g_activity != seen; });
    return g_activity;
}

void stopHoldingTestClock()
{
    std::lock_guard lock(g_mutex);
    if (ClockThread* thread = ownClockThread())
        setWaiting(*thread, true);
}

ThreadWaits::ThreadWaits()
{
    if (!g_running.load())
        return;
    std::lock_guard lock(g_mutex);
    // Whatever waits, the hand looks again: a queue may have become idle.
    noteActivity();
    ClockThread* thread = ownClockThread();
    if (!thread)
        return;
    m_spell = g_spell;
    m_holds = thread->program && !thread->waiting;
    setWaiting(*thread, true);
}

ThreadWaits::~ThreadWaits()
{
    if (!m_holds)
        return;
    std::lock_guard lock(g_mutex);
    // The program's thread works on, unless the clock stopped or ran anew meanwhile.
    if (m_spell != g_spell)
        return;
    if (ClockThread* thread = ownClockThread())
        setWaiting(*thread, false);
}

} // namespace platform
