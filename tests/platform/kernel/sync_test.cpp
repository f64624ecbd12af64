// Events, mutexes, semaphores, critical sections and the wait functions.
#include "platform/kernel/waitable.h"
#include "platform/kernel/winbase.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Runs f on a kernel thread and returns its handle.
template <class F>
HANDLE runThread(F& f)
{
    return CreateThread(nullptr, 0, [](LPVOID p) -> DWORD { return (*static_cast<F*>(p))(); }, &f, 0, nullptr);
}

DWORD finish(HANDLE thread)
{
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code;
}

} // namespace

TEST(Events, AutoResetReleasesOneWaitManualStaysSet)
{
    HANDLE automatic = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    HANDLE manual = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(manual, 10), WAIT_TIMEOUT);
    SetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    ResetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    CloseHandle(automatic);
    CloseHandle(manual);
}

TEST(Events, SetFromAnotherThreadWakesTheWaiter)
{
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread setter([&] {
        // Set once the waiter blocks, so the wake-up is what is tested.
        const DWORD deadline = GetTickCount() + 10000;
        while (platform::eventWaiterCount(event) == 0 && GetTickCount() < deadline)
            Sleep(1);
        SetEvent(event);
    });
    EXPECT_EQ(WaitForSingleObject(event, 20000), WAIT_OBJECT_0);
    setter.join();
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    CloseHandle(event);
}

TEST(Events, PulseReleasesOnlyCurrentWaitersAndLeavesReset)
{
    for (BOOL manual : { TRUE, FALSE }) {
        HANDLE event = CreateEventA(nullptr, manual, FALSE, nullptr);
        HANDLE ready = CreateSemaphoreA(nullptr, 0, 10, nullptr);
        std::atomic<int> woken { 0 };
        auto waiter = [&]() -> DWORD {
            ReleaseSemaphore(ready, 1, nullptr);
            if (WaitForSingleObject(event, 2000) == WAIT_OBJECT_0)
                ++woken;
            return 0;
        };
        HANDLE threads[3] = { runThread(waiter), runThread(waiter), runThread(waiter) };
        for (int i = 0; i < 3; ++i)
            WaitForSingleObject(ready, INFINITE);
        // A pulse releases only threads already blocked in their wait.
        const DWORD deadline = GetTickCount() + 10000;
        while (platform::eventWaiterCount(event) < 3 && GetTickCount() < deadline)
            Sleep(1);
        ASSERT_EQ(platform::eventWaiterCount(event), 3u);
        PulseEvent(event);
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
        for (HANDLE thread : threads)
            finish(thread);
        EXPECT_EQ(woken, manual ? 3 : 1);
        CloseHandle(event);
        CloseHandle(ready);
    }
}

TEST(Waits, AnyReturnsLowestSignalledAllNeedsEvery)
{
    HANDLE events[3];
    for (auto& event : events)
        event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_TIMEOUT);
    SetEvent(events[2]);
    SetEvent(events[1]);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, events, TRUE, 10), WAIT_TIMEOUT);
    SetEvent(events[0]);
    EXPECT_EQ(WaitForMultipleObjects(3, events, TRUE, 0), WAIT_OBJECT_0);

    HANDLE twice[2] = { events[0], events[0] };
    EXPECT_EQ(WaitForMultipleObjects(2, twice, TRUE, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(0, events, FALSE, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    for (auto& event : events)
        CloseHandle(event);
    EXPECT_EQ(WaitForSingleObject(events[0], 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST(Waits, WaitAllTakesAutoResetEventsOnlyWhenAllAreSet)
{
    HANDLE events[2] = { CreateEventA(nullptr, FALSE, TRUE, nullptr), CreateEventA(nullptr, FALSE, FALSE, nullptr) };
    EXPECT_EQ(WaitForMultipleObjects(2, events, TRUE, 0), WAIT_TIMEOUT);
    // The failed wait-all must not have consumed the first event.
    EXPECT_EQ(WaitForSingleObject(events[0], 0), WAIT_OBJECT_0);
    CloseHandle(events[0]);
    CloseHandle(events[1]);
}

TEST(Waits, ExtraWaitableCountsAfterTheHandles)
{
    struct Flag : platform::Waitable {
        std::atomic<bool> set { false };
        bool isSignalled(DWORD) override { return set; }
    };
    auto flag = std::make_shared<Flag>();
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread setter([&] {
        Sleep(20);
        flag->set = true;
        platform::notifyWaiters();
    });
    EXPECT_EQ(platform::waitForHandles(&event, 1, false, 5000, flag.get()), WAIT_OBJECT_0 + 1);
    setter.join();

    HANDLE registered = platform::registerWaitable(flag);
    EXPECT_EQ(WaitForSingleObject(registered, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(registered));
    EXPECT_EQ(WaitForSingleObject(registered, 0), WAIT_FAILED);
    CloseHandle(event);
}

TEST(Mutexes, RecursiveOwnershipAndRelease)
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    auto tryTake = [&]() -> DWORD { return WaitForSingleObject(mutex, 0); };
    EXPECT_EQ(finish(runThread(tryTake)), WAIT_TIMEOUT);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(finish(runThread(tryTake)), WAIT_TIMEOUT); // still held once
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_OWNER));
    auto takeAndRelease = [&]() -> DWORD {
        DWORD result = WaitForSingleObject(mutex, 0);
        ReleaseMutex(mutex);
        return result;
    };
    EXPECT_EQ(finish(runThread(takeAndRelease)), WAIT_OBJECT_0);

    // A thread blocked on it is woken by the release that frees it.
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    auto waitAndRelease = [&]() -> DWORD {
        DWORD result = WaitForSingleObject(mutex, 10000);
        ReleaseMutex(mutex);
        return result;
    };
    HANDLE waiter = runThread(waitAndRelease);
    Sleep(50);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(WaitForSingleObject(waiter, 50), WAIT_TIMEOUT) << "taken while still held once";
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(WaitForSingleObject(waiter, 5000), WAIT_OBJECT_0) << "the release did not wake the waiter";
    EXPECT_EQ(finish(waiter), WAIT_OBJECT_0);
    CloseHandle(mutex);
}

TEST(Mutexes, AbandonedWhenOwnerEnds)
{
    HANDLE mutex = CreateMutexA(nullptr, FALSE, nullptr);
    auto takeAndQuit = [&]() -> DWORD { return WaitForSingleObject(mutex, 0); };
    EXPECT_EQ(finish(runThread(takeAndQuit)), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, 1000), WAIT_ABANDONED_0);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0); // abandonment is reported once
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

TEST(Mutexes, NamesWithinTheProcess)
{
    HANDLE first = CreateMutexA(nullptr, FALSE, "kernel-test-name");
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS));
    HANDLE second = CreateMutexA(nullptr, TRUE, "kernel-test-name");
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    HANDLE opened = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "kernel-test-name");
    ASSERT_NE(opened, nullptr);
    // All three handles name one mutex; the second did not take ownership.
    auto tryTake = [&]() -> DWORD {
        DWORD result = WaitForSingleObject(opened, 0);
        ReleaseMutex(opened);
        return result;
    };
    EXPECT_EQ(finish(runThread(tryTake)), WAIT_OBJECT_0);
    EXPECT_EQ(CreateEventA(nullptr, TRUE, FALSE, "kernel-test-name"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    CloseHandle(first);
    CloseHandle(second);
    CloseHandle(opened);
    EXPECT_EQ(OpenMutexA(SYNCHRONIZE, FALSE, "kernel-test-name"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST(SyncHandles, OperationsRefuseHandlesOfAnotherKind)
{
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, nullptr);
    EXPECT_FALSE(ReleaseMutex(event));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(SetEvent(mutex));
    EXPECT_FALSE(ReleaseSemaphore(event, 1, nullptr));
    DWORD code;
    EXPECT_FALSE(GetExitCodeThread(event, &code));
    CloseHandle(event);
    EXPECT_FALSE(SetEvent(event)); // closed
    CloseHandle(mutex);
}

TEST(Semaphores, CountsAndMaximum)
{
    HANDLE semaphore = CreateSemaphoreA(nullptr, 1, 2, nullptr);
    EXPECT_EQ(WaitForSingleObject(semaphore, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(semaphore, 0), WAIT_TIMEOUT);
    LONG previous = -1;
    EXPECT_TRUE(ReleaseSemaphore(semaphore, 2, &previous));
    EXPECT_EQ(previous, 0);
    EXPECT_FALSE(ReleaseSemaphore(semaphore, 1, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_TOO_MANY_POSTS));
    CloseHandle(semaphore);
}

TEST(CriticalSections, RecursiveAndExclusive)
{
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section));
    std::atomic<bool> other { true };
    std::thread([&] { other = TryEnterCriticalSection(&section); }).join();
    EXPECT_FALSE(other);
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    std::thread([&] {
        other = TryEnterCriticalSection(&section);
        if (other)
            LeaveCriticalSection(&section);
    }).join();
    EXPECT_TRUE(other);

    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                EnterCriticalSection(&section);
                ++counter;
                LeaveCriticalSection(&section);
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(counter, 40000);
    DeleteCriticalSection(&section);
}

TEST(Interlocked, ReturnsNewOrPreviousValues)
{
    LONG volatile value = 5;
    EXPECT_EQ(InterlockedIncrement(&value), 6);
    EXPECT_EQ(InterlockedDecrement(&value), 5);
    EXPECT_EQ(InterlockedExchange(&value, 9), 5);
    EXPECT_EQ(InterlockedCompareExchange(&value, 1, 8), 9);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(InterlockedCompareExchange(&value, 1, 9), 9);
    EXPECT_EQ(value, 1);
}
