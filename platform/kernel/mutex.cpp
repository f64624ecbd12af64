// Mutexes: recursive ownership by thread, abandonment when the owner ends, and the two
// single-instance names that also reach other processes through a lock file.
#include "platform/kernel/single_instance.h"
#include "platform/kernel/sync_objects.h"
#include "platform/kernel/winbase.h"

#include <algorithm>

namespace platform {

namespace {

class MutexObject;

// The mutexes a thread owns, so that they can be abandoned when it ends.
struct OwnedMutexes {
    std::vector<std::weak_ptr<MutexObject>> list;
    ~OwnedMutexes() { abandonOwnedMutexes(); }
};
thread_local OwnedMutexes t_owned;

class MutexObject final : public Waitable, public std::enable_shared_from_this<MutexObject> {
public:
    explicit MutexObject(InstanceLock instanceLock)
        : m_instanceLock(std::move(instanceLock))
    {
    }

    bool isSignalled(DWORD threadId) override { return m_owner == 0 || m_owner == threadId; }
    bool consume(DWORD threadId) override
    {
        if (m_owner == 0)
            t_owned.list.push_back(weak_from_this());
        m_owner = threadId;
        ++m_count;
        bool abandoned = m_abandoned;
        m_abandoned = false;
        return abandoned;
    }

    // Under the wait lock.
    bool release(DWORD threadId)
    {
        if (m_owner != threadId || m_count == 0)
            return false;
        if (--m_count == 0) {
            m_owner = 0;
            std::erase_if(t_owned.list, [this](auto& weak) { return weak.lock().get() == this; });
        }
        return true;
    }
    // Under the wait lock: a thread blocks on it and would take it now.
    bool awaited() const { return m_waiters > 0 && m_owner == 0; }
    void addWaiter(WaitBlock*, unsigned) override { ++m_waiters; }
    void removeWaiter(WaitBlock*) override { --m_waiters; }
    void abandon(DWORD threadId)
    {
        if (m_owner != threadId)
            return;
        m_owner = 0;
        m_count = 0;
        m_abandoned = true;
    }

private:
    DWORD m_owner = 0;
    LONG m_count = 0;
    int m_waiters = 0;
    bool m_abandoned = false;
    InstanceLock m_instanceLock;
};

} // namespace

void abandonOwnedMutexes()
{
    if (t_owned.list.empty())
        return;
    DWORD self = GetCurrentThreadId();
    std::lock_guard lock(waitMutex());
    for (auto& weak : t_owned.list)
        if (auto mutex = weak.lock())
            mutex->abandon(self);
    t_owned.list.clear();
    wakeWaiters();
}

} // namespace platform

using namespace platform;

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCSTR lpName)
{
    HANDLE handle = createNamedObject(lpName, HandleKind::Mutex, [&](bool& existed) {
        InstanceLock instanceLock;
        if (lpName && isSingleInstanceName(lpName)) {
            instanceLock = InstanceLock::acquire(lpName);
            existed = instanceLock.busy();
        }
        return std::make_shared<MutexObject>(std::move(instanceLock));
    });
    // Initial ownership applies only to a mutex this call created.
    if (handle && bInitialOwner && GetLastError() == ERROR_SUCCESS) {
        auto mutex = objectFromHandle<MutexObject>(handle, HandleKind::Mutex);
        std::lock_guard lock(waitMutex());
        mutex->consume(GetCurrentThreadId());
    }
    return handle;
}

HANDLE OpenMutexA(DWORD, BOOL, LPCSTR lpName)
{
    if (lpName && isSingleInstanceName(lpName)) {
        // Known to this process, or held by another one: then a local stand-in answers.
        auto lock = lockNames();
        NamedObject named = findNamed(lpName);
        if (!named.object && InstanceLock::heldElsewhere(lpName)) {
            auto mutex = std::make_shared<MutexObject>(InstanceLock());
            recordNamed(lpName, HandleKind::Mutex, mutex);
            return addObject(HandleKind::Mutex, std::move(mutex));
        }
    }
    return openNamedObject(lpName, HandleKind::Mutex);
}

BOOL ReleaseMutex(HANDLE hMutex)
{
    auto mutex = objectFromHandle<MutexObject>(hMutex, HandleKind::Mutex);
    if (!mutex) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(waitMutex());
    if (!mutex->release(GetCurrentThreadId())) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    // Every window's lookup takes a mutex: only a release someone waits for wakes the waiters.
    if (mutex->awaited())
        wakeWaiters();
    return TRUE;
}
