// The window lookup every subsystem calls (a named mutex around a property read) and a message
// through the shared window procedure to a virtual handler.
#include "lib/application.h"
#include "lib/window.h"

#include <benchmark/benchmark.h>

namespace {

class Handler : public swCWindow {
public:
    Handler()
        : swCWindow("LibwinBenchWindow")
    {
        setStyle(WS_POPUP);
        setFrame(0, 0, 10, 10);
    }
    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message != WM_USER)
            return 0;
        msg.result = LRESULT(msg.wParam + 1);
        return 1;
    }
};

Handler& benchWindow()
{
    static Handler* window = [] {
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        auto* created = new Handler();
        created->Create();
        return created;
    }();
    return *window;
}

void windowLookup(benchmark::State& state)
{
    HWND handle = benchWindow().handle();
    for (auto _ : state)
        benchmark::DoNotOptimize(windowFromHandle(handle));
}
BENCHMARK(windowLookup);

void messageToHandler(benchmark::State& state)
{
    HWND handle = benchWindow().handle();
    WPARAM i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessageA(handle, WM_USER, i++, 0));
}
BENCHMARK(messageToHandler);

} // namespace
