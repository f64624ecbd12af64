// Waiting on kernel handles, and the hook for other areas' own waitable objects.
//
// Every wait runs under one process-wide wait lock. A Waitable's isSignalled/consume are called
// under it; whoever changes what isSignalled reports must afterwards call notifyWaiters() (not
// while holding a lock that isSignalled takes). The window system builds MsgWaitForMultipleObjects
// from waitForHandles with its message queue as the extra waitable; other areas can hand out
// their objects as kernel handles with registerWaitable (CloseHandle releases them).
#pragma once

#include "platform/kernel/windef.h"

#include <memory>
#include <mutex>

namespace platform {

struct WaitBlock;

class Waitable {
public:
    virtual ~Waitable() = default;
    // Would a wait by this thread be satisfied now?
    virtual bool isSignalled(DWORD threadId) = 0;
    // The wait succeeded: take the signal (an auto reset, ownership, a count). Returns true
    // when the object was abandoned (the wait reports WAIT_ABANDONED_0 + i).
    virtual bool consume(DWORD threadId)
    {
        (void)threadId;
        return false;
    }
    // A thread starts or stops blocking on this object as entry `index` of its wait.
    virtual void addWaiter(WaitBlock* waiter, unsigned index)
    {
        (void)waiter;
        (void)index;
    }
    virtual void removeWaiter(WaitBlock* waiter) { (void)waiter; }
};

// Waits for one (or, with waitAll, every) handle; `extra` may be null. Returns WAIT_OBJECT_0 + i,
// WAIT_ABANDONED_0 + i, WAIT_OBJECT_0 + count when `extra` was signalled, WAIT_TIMEOUT, or
// WAIT_FAILED with ERROR_INVALID_HANDLE / ERROR_INVALID_PARAMETER. With waitAll, `extra` must be
// signalled too.
DWORD waitForHandles(const HANDLE* handles, DWORD count, bool waitAll, DWORD timeoutMs, Waitable* extra);

// Wakes every waiting thread to look at its objects again.
void notifyWaiters();
// The wait lock, for changing several waitables' state at once; notifyWaiters() after unlocking.
std::unique_lock<std::mutex> lockWaitState();

// The threads blocked on an event right now: what a PulseEvent would release.
size_t eventWaiterCount(HANDLE event);

// Makes an object waitable through a kernel HANDLE; null on failure.
HANDLE registerWaitable(std::shared_ptr<Waitable> object);
// The object behind any waitable kernel handle (event, mutex, semaphore, thread, registered).
std::shared_ptr<Waitable> waitableFromHandle(HANDLE handle);

} // namespace platform
