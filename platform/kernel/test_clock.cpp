// The millisecond clock: monotonic time plus what tests added, or a value a test holds.
#include "platform/kernel/test_clock.h"

#include <atomic>
#include <ctime>
#include <mutex>

namespace platform {

namespace {

std::mutex g_mutex;
std::atomic<bool> g_frozen { false };
std::atomic<uint64_t> g_frozenAt { 0 };
// Added to the system clock once a frozen clock ran ahead of it, so time never goes back.
std::atomic<uint64_t> g_offset { 0 };

uint64_t systemMilliseconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000ULL + uint64_t(ts.tv_nsec) / 1000000ULL;
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
    uint64_t system = systemMilliseconds();
    uint64_t held = g_frozenAt.load();
    if (held > system + g_offset.load())
        g_offset.store(held - system);
    g_frozen.store(false, std::memory_order_release);
}

void setTestClockTo(uint64_t milliseconds)
{
    std::lock_guard lock(g_mutex);
    if (g_frozen.load() && milliseconds > g_frozenAt.load())
        g_frozenAt.store(milliseconds, std::memory_order_release);
}

} // namespace platform
