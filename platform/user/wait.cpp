// MsgWaitForMultipleObjects: a kernel wait that also ends when the thread's queue has input.
#include "platform/kernel/waitable.h"
#include "platform/kernel/winbase.h"
#include "platform/user/queue.h"

#include <atomic>

namespace platform::user {

namespace {

// The queue as an extra waitable: signalled while it holds messages of the asked kinds.
class QueueWaitable final : public Waitable {
public:
    QueueWaitable(ThreadQueue& queue, DWORD mask)
        : m_queue(queue)
        , m_mask(mask)
    {
    }
    bool isSignalled(DWORD) override { return (m_queue.pending() & m_mask) != 0; }

private:
    ThreadQueue& m_queue;
    DWORD m_mask;
};

std::atomic<int> g_messageWaiters { 0 };

} // namespace

// Called after a queue changed, so that threads in MsgWaitForMultipleObjects look again.
void notifyMessageWaiters()
{
    if (g_messageWaiters.load(std::memory_order_relaxed) > 0)
        notifyWaiters();
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds, DWORD wakeMask, DWORD flags)
{
    auto queue = ThreadQueue::current();
    queue->handleSentMessages();
    QueueWaitable waitable(*queue, wakeMask);
    bool waitAll = (flags & MWMO_WAITALL) != 0;
    auto deadline = milliseconds == INFINITE ? std::chrono::steady_clock::time_point::max()
                                             : std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    struct Registration {
        Registration() { g_messageWaiters++; }
        ~Registration() { g_messageWaiters--; }
    } registration;
    for (;;) {
        // Timers fall due without anyone touching the queue, so the wait ends at the next one.
        auto until = deadline;
        if (wakeMask & QS_TIMER)
            until = std::min(until, queue->nextTimerDue(nullptr, 0, 0));
        DWORD slice = INFINITE;
        if (until != std::chrono::steady_clock::time_point::max()) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
            slice = DWORD(std::max<long long>(left, 0));
        }
        DWORD result = waitForHandles(handles, count, waitAll, slice, &waitable);
        if (result != WAIT_TIMEOUT)
            return result;
        if (std::chrono::steady_clock::now() >= deadline)
            return WAIT_TIMEOUT;
        if (!waitAll && waitable.isSignalled(0))
            return WAIT_OBJECT_0 + count;
    }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds, DWORD wakeMask)
{
    return MsgWaitForMultipleObjectsEx(count, handles, milliseconds, wakeMask, waitAll ? MWMO_WAITALL : 0);
}
