// Events (manual and auto reset, pulse) and semaphores.
#include "platform/kernel/sync_objects.h"
#include "platform/kernel/winbase.h"

#include <algorithm>

namespace platform {

namespace {

class EventObject final : public Waitable {
public:
    EventObject(bool manualReset, bool signalled)
        : m_manualReset(manualReset)
        , m_signalled(signalled)
    {
    }

    bool isSignalled(DWORD) override { return m_signalled; }
    bool consume(DWORD) override
    {
        if (!m_manualReset)
            m_signalled = false;
        return false;
    }
    void addWaiter(WaitBlock* waiter, unsigned index) override { m_waiters.emplace_back(waiter, index); }
    void removeWaiter(WaitBlock* waiter) override
    {
        std::erase_if(m_waiters, [&](auto& entry) { return entry.first == waiter; });
    }

    // Under the wait lock.
    void set(bool signalled) { m_signalled = signalled; }
    size_t waiterCount() const { return m_waiters.size(); }
    // Releases the threads waiting right now (one of them for an auto-reset event), then resets.
    void pulse()
    {
        for (auto& [waiter, index] : m_waiters) {
            waiter->pulsed |= uint64_t(1) << index;
            if (!m_manualReset)
                break;
        }
        m_signalled = false;
    }

private:
    bool m_manualReset;
    bool m_signalled;
    std::vector<std::pair<WaitBlock*, unsigned>> m_waiters;
};

class SemaphoreObject final : public Waitable {
public:
    SemaphoreObject(LONG count, LONG maximum)
        : m_count(count)
        , m_maximum(maximum)
    {
    }

    bool isSignalled(DWORD) override { return m_count > 0; }
    bool consume(DWORD) override
    {
        --m_count;
        return false;
    }

    // Under the wait lock.
    bool release(LONG amount, LONG* previous)
    {
        if (amount <= 0 || amount > m_maximum - m_count)
            return false;
        if (previous)
            *previous = m_count;
        m_count += amount;
        return true;
    }

private:
    LONG m_count;
    LONG m_maximum;
};

template <class F>
BOOL changeEvent(HANDLE handle, F change)
{
    auto event = objectFromHandle<EventObject>(handle, HandleKind::Event);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    {
        std::lock_guard lock(waitMutex());
        change(*event);
        wakeWaiters();
    }
    return TRUE;
}

} // namespace

size_t eventWaiterCount(HANDLE handle)
{
    auto event = objectFromHandle<EventObject>(handle, HandleKind::Event);
    if (!event)
        return 0;
    std::lock_guard lock(waitMutex());
    return event->waiterCount();
}

} // namespace platform

using namespace platform;

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName)
{
    return createNamedObject(lpName, HandleKind::Event,
        [&](bool&) { return std::make_shared<EventObject>(bManualReset != FALSE, bInitialState != FALSE); });
}

HANDLE OpenEventA(DWORD, BOOL, LPCSTR lpName) { return openNamedObject(lpName, HandleKind::Event); }

BOOL SetEvent(HANDLE hEvent)
{
    return changeEvent(hEvent, [](EventObject& event) { event.set(true); });
}

BOOL ResetEvent(HANDLE hEvent)
{
    return changeEvent(hEvent, [](EventObject& event) { event.set(false); });
}

BOOL PulseEvent(HANDLE hEvent)
{
    return changeEvent(hEvent, [](EventObject& event) { event.pulse(); });
}

HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES, LONG lInitialCount, LONG lMaximumCount, LPCSTR lpName)
{
    if (lMaximumCount <= 0 || lInitialCount < 0 || lInitialCount > lMaximumCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return createNamedObject(lpName, HandleKind::Semaphore,
        [&](bool&) { return std::make_shared<SemaphoreObject>(lInitialCount, lMaximumCount); });
}

BOOL ReleaseSemaphore(HANDLE hSemaphore, LONG lReleaseCount, LONG* lpPreviousCount)
{
    auto semaphore = objectFromHandle<SemaphoreObject>(hSemaphore, HandleKind::Semaphore);
    if (!semaphore) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(waitMutex());
    if (!semaphore->release(lReleaseCount, lpPreviousCount)) {
        SetLastError(lReleaseCount <= 0 ? ERROR_INVALID_PARAMETER : ERROR_TOO_MANY_POSTS);
        return FALSE;
    }
    wakeWaiters();
    return TRUE;
}
