// The named-mutex round trip the window lookup makes on every call.
#include "platform/kernel/winbase.h"

#include <benchmark/benchmark.h>

static void BM_NamedMutexLookup(benchmark::State& state)
{
    HANDLE owner = CreateMutexA(nullptr, FALSE, "bench-lookup");
    for (auto _ : state) {
        HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "bench-lookup");
        WaitForSingleObject(mutex, INFINITE);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    CloseHandle(owner);
}
BENCHMARK(BM_NamedMutexLookup);

static void BM_EventSetWait(benchmark::State& state)
{
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    for (auto _ : state) {
        SetEvent(event);
        WaitForSingleObject(event, 0);
    }
    CloseHandle(event);
}
BENCHMARK(BM_EventSetWait);
