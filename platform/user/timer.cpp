// Timers: WM_TIMER for windows and threads, generated when the queue has nothing else to do.
#include "platform/kernel/test_clock.h"
#include "platform/kernel/winbase.h"
#include "platform/user/window_state.h"

#include <algorithm>

using namespace platform;
using namespace platform::user;

// The shortest interval; shorter requests are raised to it.
static constexpr UINT kMinimumElapse = 10;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    std::shared_ptr<ThreadQueue> queue;
    if (hwnd) {
        auto w = windowRef(hwnd);
        if (!w || !w->queue) {
            setInvalidWindowHandle();
            return 0;
        }
        // A window of another thread of the program gets its WM_TIMER on its own thread.
        queue = w->queue;
    } else {
        queue = ThreadQueue::current();
    }
    elapse = std::max(elapse, kMinimumElapse);
    uint64_t due = platform::clockMilliseconds() + elapse;
    {
        std::lock_guard lock(queue->m_mutex);
        auto& timers = queue->m_timers;
        if (!hwnd) {
            bool known = id && std::any_of(timers.begin(), timers.end(),
                                   [&](const Timer& t) { return !t.hwnd && t.id == id; });
            if (!known) {
                // A new thread timer gets an id of its own.
                do {
                    id = queue->m_nextTimerId++;
                } while (!id || std::any_of(timers.begin(), timers.end(), [&](const Timer& t) { return !t.hwnd && t.id == id; }));
            }
        }
        auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
        Timer timer { hwnd, id, elapse, proc, due };
        if (it != timers.end())
            *it = timer;
        else
            timers.push_back(timer);
    }
    queue->wake();
    return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    std::shared_ptr<ThreadQueue> queue;
    if (hwnd) {
        auto w = windowRef(hwnd);
        if (!w || !w->queue) {
            setInvalidWindowHandle();
            return FALSE;
        }
        queue = w->queue;
    } else {
        queue = ThreadQueue::current();
    }
    std::lock_guard lock(queue->m_mutex);
    auto& timers = queue->m_timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end())
        return FALSE;
    timers.erase(it);
    return TRUE;
}
