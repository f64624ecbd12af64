// The harness's test clock: held, timers, tick counts and message times follow advanceClock, on
// this thread and on another, while Sleep stays on real time; running, timers and Sleep fall due
// in their order as fast as the program is idle.
#include "user_test_util.h"

#include "platform/kernel/test_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

using namespace usertest;
namespace harness = platform::harness;

namespace {

struct TestClockTest : ::testing::Test {
    void TearDown() override { destroyAll(); }
};

int timerTicks(HWND w)
{
    int n = 0;
    for (const Entry& e : Recorder::instance().entries())
        n += e.hwnd == w && e.message == WM_TIMER;
    return n;
}

TEST_F(TestClockTest, AThreeSecondTimerFiresOnAdvanceAndNotBefore)
{
    harness::TestClock clock;
    HWND w = createFrame("notice", 10, 10, 200, 100);
    pump();
    const DWORD start = GetTickCount();
    std::vector<DWORD> tickTimes;
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (hwnd == w && message == WM_TIMER)
            tickTimes.push_back(GetMessageTime());
        return false;
    };
    SetTimer(w, 1, 3000, nullptr);
    Recorder::instance().clear();
    Sleep(30);
    EXPECT_EQ(GetTickCount(), start) << "real time passing does not move the clock";
    ASSERT_TRUE(harness::advanceClock(2999));
    EXPECT_EQ(timerTicks(w), 0);
    EXPECT_EQ(GetTickCount() - start, 2999u);
    EXPECT_EQ(timeGetTime(), GetTickCount());
    ASSERT_TRUE(harness::advanceClock(1));
    EXPECT_EQ(timerTicks(w), 1);
    EXPECT_EQ(tickTimes, (std::vector<DWORD> { start + 3000 })) << "the message carries the clock's time";
    KillTimer(w, 1);
}

TEST_F(TestClockTest, APollTicksOnceForEachIntervalOnTheWay)
{
    harness::TestClock clock;
    HWND w = createFrame("poll", 10, 10, 200, 100);
    std::vector<DWORD> seen;
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (hwnd == w && message == WM_TIMER)
            seen.push_back(GetTickCount());
        return false;
    };
    const DWORD start = GetTickCount();
    SetTimer(w, 1, 100, nullptr);
    ASSERT_TRUE(harness::advanceClock(3000));
    ASSERT_EQ(seen.size(), 30u);
    EXPECT_EQ(seen.front(), start + 100);
    EXPECT_EQ(seen.back(), start + 3000);
    // Asked at each stop, the clock stands at the tick that answered yes; no later one comes.
    ASSERT_TRUE(harness::advanceClock(3000, [&] { return seen.size() == 33; }));
    EXPECT_EQ(seen.size(), 33u);
    EXPECT_EQ(GetTickCount(), start + 3300);
    KillTimer(w, 1);
}

TEST_F(TestClockTest, AWindowOfAnotherThreadClosesOnItsEightSecondTimer)
{
    harness::TestClock clock;
    std::atomic<HWND> window { nullptr };
    std::thread thread([&] {
        HWND w = createFrame("scene", 10, 10, 200, 100);
        SetTimer(w, 7, 8000, nullptr);
        window = w;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_TIMER && msg.hwnd == w) {
                DestroyWindow(w);
                PostQuitMessage(0);
            }
            DispatchMessageA(&msg);
        }
    });
    while (!window)
        std::this_thread::yield();
    ASSERT_TRUE(harness::advanceClock(7999));
    EXPECT_TRUE(IsWindow(window));
    ASSERT_TRUE(harness::advanceClock(1));
    thread.join();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(TestClockTest, RunsOnFromWhereTheTestLeftItAndNeverGoesBack)
{
    DWORD before;
    {
        harness::TestClock clock;
        before = GetTickCount();
        ASSERT_TRUE(harness::advanceClock(60000));
    }
    EXPECT_FALSE(platform::testClockOn());
    EXPECT_FALSE(harness::advanceClock(10)) << "no test clock to move";
    const DWORD after = GetTickCount();
    EXPECT_GE(after - before, 60000u);
    Sleep(20);
    EXPECT_GT(GetTickCount(), after) << "real time moves it again";
}

TEST_F(TestClockTest, ARunningClockPassesSleepsAndTimersInTheOrderTheyFallDue)
{
    harness::TestClock clock(harness::TestClock::Running);
    HWND w = createFrame("running", 10, 10, 200, 100);
    const DWORD start = GetTickCount();
    std::mutex mutex;
    std::vector<std::pair<DWORD, char>> seen;
    auto note = [&](char what) {
        const DWORD at = GetTickCount() - start;
        std::lock_guard lock(mutex);
        seen.emplace_back(at, what);
    };
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (hwnd == w && message == WM_TIMER) {
            KillTimer(w, 1);
            note('T');
        }
        return false;
    };
    // A thread of the program sleeps four seconds a second at a time, then ten minutes, which on
    // real time would outlast the test's time limit. After its first second it works a moment of
    // real time: the clock waits for it as real time would, rather than jump to the timer.
    DWORD worked = 0;
    std::function<void()> sleeps = [&] {
        for (int i = 0; i < 4; ++i) {
            Sleep(1000);
            note('S');
            if (i == 0) {
                const DWORD from = GetTickCount();
                for (auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(10); std::chrono::steady_clock::now() < end;) { }
                worked = GetTickCount() - from;
            }
        }
        Sleep(10 * 60 * 1000);
        note('L');
        PostMessageA(w, WM_CLOSE, 0, 0);
    };
    HANDLE sleeper = CreateThread(nullptr, 0, [](LPVOID body) -> DWORD {
        (*static_cast<std::function<void()>*>(body))();
        return 0;
    }, &sleeps, 0, nullptr);
    // The timer is set once the sleeper sleeps: the clock may have moved on by then.
    while (platform::nextSleeperDue() == UINT64_MAX)
        std::this_thread::yield();
    const DWORD armed = GetTickCount() - start;
    SetTimer(w, 1, 2500, nullptr);
    MSG msg;
    while (IsWindow(w) && GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    WaitForSingleObject(sleeper, INFINITE);
    CloseHandle(sleeper);
    EXPECT_LT(worked, 500u) << "the clock jumped while a thread of the program worked";
    std::vector<std::pair<DWORD, char>> due { { 1000, 'S' }, { 2000, 'S' }, { 3000, 'S' }, { 4000, 'S' },
        { 604000, 'L' }, { armed + 2500, 'T' } };
    std::stable_sort(due.begin(), due.end(), [](auto& a, auto& b) { return a.first < b.first; });
    ASSERT_EQ(seen.size(), due.size());
    for (size_t i = 0; i < due.size(); ++i) {
        EXPECT_EQ(seen[i].second, due[i].second) << "event " << i << " out of order";
        EXPECT_GE(seen[i].first, due[i].first) << "event " << i << " came before its time";
    }
    EXPECT_FALSE(harness::advanceClock(10)) << "a running clock is not moved by hand";
}

} // namespace
