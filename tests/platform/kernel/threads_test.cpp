// Threads: exit codes, signalled handles, ids, ExitThread unwinding.
#include "platform/kernel/winbase.h"

#include <atomic>
#include <gtest/gtest.h>

namespace {

DWORD WINAPI returnParameter(LPVOID parameter) { return DWORD(reinterpret_cast<uintptr_t>(parameter)); }

DWORD WINAPI waitForEvent(LPVOID parameter)
{
    WaitForSingleObject(static_cast<HANDLE>(parameter), INFINITE);
    return 7;
}

struct Flag {
    std::atomic<bool>* destroyed;
    ~Flag() { *destroyed = true; }
};

unsigned __stdcall exitEarly(void* parameter)
{
    Flag flag { static_cast<std::atomic<bool>*>(parameter) };
    _endthreadex(42);
}

DWORD WINAPI reportId(LPVOID parameter)
{
    *static_cast<DWORD*>(parameter) = GetCurrentThreadId();
    return 0;
}

} // namespace

TEST(Threads, HandleSignalledWithExitCodeWhenThreadEnds)
{
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, waitForEvent, event, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_NE(id, GetCurrentThreadId());
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, DWORD(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
    SetEvent(event);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    // An ended thread stays signalled for every later wait.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL));
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_BELOW_NORMAL);
    CloseHandle(thread);
    CloseHandle(event);
    EXPECT_FALSE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST(Threads, EndThreadExUnwindsAndSetsTheCode)
{
    std::atomic<bool> destroyed { false };
    unsigned id = 0;
    uintptr_t thread = _beginthreadex(nullptr, 0, exitEarly, &destroyed, 0, &id);
    ASSERT_NE(thread, 0u);
    HANDLE handle = reinterpret_cast<HANDLE>(thread);
    ASSERT_EQ(WaitForSingleObject(handle, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(handle, &code);
    EXPECT_EQ(code, 42u);
    EXPECT_TRUE(destroyed);
    CloseHandle(handle);
}

TEST(Threads, HandleClosedBeforeTheThreadEnds)
{
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, waitForEvent, event, 0, nullptr);
    ASSERT_TRUE(CloseHandle(thread));
    SetEvent(event); // the thread still runs to its end without its handle
    HANDLE second = CreateThread(nullptr, 0, returnParameter, reinterpret_cast<LPVOID>(uintptr_t(5)), 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(second, INFINITE), WAIT_OBJECT_0);
    CloseHandle(second);
    CloseHandle(event);
}

TEST(Threads, SuspendedStartIsRefused)
{
    EXPECT_EQ(CreateThread(nullptr, 0, returnParameter, nullptr, 0x4, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

TEST(Threads, WaitAllForSeveralThreadsAndDistinctIds)
{
    DWORD ids[4] = {};
    HANDLE threads[4];
    for (int i = 0; i < 4; ++i)
        threads[i] = CreateThread(nullptr, 0, reportId, &ids[i], 0, nullptr);
    ASSERT_EQ(WaitForMultipleObjects(4, threads, TRUE, INFINITE), WAIT_OBJECT_0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(ids[i], 0u);
        for (int j = 0; j < i; ++j)
            EXPECT_NE(ids[i], ids[j]);
        CloseHandle(threads[i]);
    }
}
