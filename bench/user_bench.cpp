// Message throughput of the window system: posted across threads, sent across threads, and
// sent within one thread.
#include "platform/kernel/winbase.h"
#include "platform/user/winuser.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

std::atomic<long> g_handled { 0 };

LRESULT CALLBACK countingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) {
        g_handled.fetch_add(1, std::memory_order_relaxed);
        return LRESULT(wParam + 1);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* benchClass()
{
    static const char* name = [] {
        WNDCLASSA wc {};
        wc.lpfnWndProc = countingProc;
        wc.lpszClassName = "UserBenchWindow";
        RegisterClassA(&wc);
        return "UserBenchWindow";
    }();
    return name;
}

// A window on a thread of its own that handles messages until WM_QUIT.
struct Receiver {
    std::thread thread;
    HWND hwnd = nullptr;
    DWORD threadId = 0;

    Receiver()
    {
        std::promise<void> ready;
        thread = std::thread([&] {
            threadId = GetCurrentThreadId();
            hwnd = CreateWindowExA(0, benchClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
            ready.set_value();
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0)
                DispatchMessageA(&msg);
        });
        ready.get_future().wait();
    }
    ~Receiver()
    {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
        thread.join();
    }
};

void PostedAcrossThreads(benchmark::State& state)
{
    Receiver receiver;
    const long batch = 1000;
    for (auto _ : state) {
        long target = g_handled.load() + batch;
        for (long i = 0; i < batch; ++i)
            PostMessageA(receiver.hwnd, WM_USER, WPARAM(i), 0);
        while (g_handled.load(std::memory_order_relaxed) < target)
            std::this_thread::yield();
    }
    state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(PostedAcrossThreads)->UseRealTime();

void SentAcrossThreads(benchmark::State& state)
{
    Receiver receiver;
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessageA(receiver.hwnd, WM_USER, 1, 0));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SentAcrossThreads)->UseRealTime();

void SentWithinThread(benchmark::State& state)
{
    HWND hwnd = CreateWindowExA(0, benchClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessageA(hwnd, WM_USER, 1, 0));
    state.SetItemsProcessed(state.iterations());
    DestroyWindow(hwnd);
}
BENCHMARK(SentWithinThread);

} // namespace
