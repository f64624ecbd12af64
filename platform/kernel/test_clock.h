// The layer's millisecond clock behind GetTickCount, timeGetTime, message times, window timers
// and, while a test runs it, Sleep. It follows the monotonic system clock unless a test holds it
// (platform::harness::TestClock); then it moves only when the test, or the harness's clock hand,
// moves it.
#pragma once

#include <chrono>
#include <cstdint>

namespace platform {

uint64_t clockMilliseconds();
bool testClockOn();
// Freezes the clock where it stands, or lets it run on from where the test left it (it never
// goes back). Turning it off also ends the running mode.
void setTestClock(bool on);
// Moves the frozen clock forward to `milliseconds`; an earlier time is ignored. Sleepers whose
// time has come are released.
void setTestClockTo(uint64_t milliseconds);

// The running mode of a frozen clock: Sleep waits on it instead of on real time, and the
// harness moves it on to whatever falls due next. Off, Sleep keeps real time.
void setTestClockRunning(bool running);
bool testClockRunning();
// Waits `milliseconds` on the running clock; false at once, having waited nothing, when the
// clock is not running.
bool sleepOnTestClock(uint64_t milliseconds);
// Whether that thread (GetCurrentThreadId) is in sleepOnTestClock: its queue's work waits for
// the clock to move.
bool asleepOnTestClock(uint32_t threadId);
// The earliest time a sleeper waits for (UINT64_MAX: none).
uint64_t nextSleeperDue();

// The threads of the running clock. A thread the program started holds it from the end of a
// sleep on it, and from then on whenever it runs, letting go while it waits (Sleep, a kernel wait,
// its queue, a reply, a ThreadWaits); any other thread only from the end of its own sleep to its
// next wait or stopHoldingTestClock, and a moment at most. The hand moves the clock ahead only
// while no thread holds it.
bool threadsHoldTestClock();
void stopHoldingTestClock();
// A stamp that moves whenever a thread starts to wait while the clock runs; waiting for it to
// move ends after `limit` at the latest. Both return the stamp.
uint64_t testClockActivity();
uint64_t awaitTestClockActivity(uint64_t seen, std::chrono::microseconds limit);

} // namespace platform
