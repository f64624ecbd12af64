// The layer's millisecond clock behind GetTickCount, timeGetTime, message times and window timers.
// It follows the monotonic system clock unless a test has frozen it (platform::harness::TestClock);
// then it moves only when the test moves it. Waits with a time-out and Sleep keep real time.
#pragma once

#include <cstdint>

namespace platform {

uint64_t clockMilliseconds();
bool testClockOn();
// Freezes the clock where it stands, or lets it run on from where the test left it (it never
// goes back).
void setTestClock(bool on);
// Moves the frozen clock forward to `milliseconds`; an earlier time is ignored.
void setTestClockTo(uint64_t milliseconds);

} // namespace platform
