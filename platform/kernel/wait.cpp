// The wait loop behind WaitForSingleObject / WaitForMultipleObjects and the window system's
// message wait, the waitable handle tables and registered waitables.
#include "platform/kernel/host.h"
#include "platform/kernel/sync_objects.h"
#include "platform/kernel/winbase.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <optional>

namespace platform {

namespace {

// Never destroyed: detached threads may still wait while the process exits.
struct WaitState {
    std::mutex mutex;
    std::condition_variable changed;
    std::mutex nameMutex;
    std::map<std::string, std::pair<HandleKind, std::weak_ptr<Waitable>>> names;
};

WaitState& waitState()
{
    static WaitState* state = new WaitState;
    return *state;
}

// Unregisters the waiter from its objects however the wait ends.
class WaiterRegistration {
public:
    WaiterRegistration(std::vector<std::shared_ptr<Waitable>>& objects, WaitBlock& block)
        : m_objects(objects)
        , m_block(block)
    {
        for (unsigned i = 0; i < m_objects.size(); ++i)
            m_objects[i]->addWaiter(&m_block, i);
    }
    ~WaiterRegistration()
    {
        for (auto& object : m_objects)
            object->removeWaiter(&m_block);
    }

private:
    std::vector<std::shared_ptr<Waitable>>& m_objects;
    WaitBlock& m_block;
};

DWORD waitFailed(DWORD error)
{
    SetLastError(error);
    return WAIT_FAILED;
}

} // namespace

std::mutex& waitMutex() { return waitState().mutex; }

void wakeWaiters() { waitState().changed.notify_all(); }

void notifyWaiters()
{
    // Taking the lock orders this wake after any waiter's check of the old state.
    std::lock_guard lock(waitState().mutex);
    waitState().changed.notify_all();
}

std::unique_lock<std::mutex> lockWaitState() { return std::unique_lock(waitState().mutex); }

bool isWaitableKind(HandleKind kind)
{
    return kind == HandleKind::Event || kind == HandleKind::Mutex || kind == HandleKind::Semaphore
        || kind == HandleKind::Thread || kind == HandleKind::Waitable;
}

HandleTable<Waitable>& waitableTable(HandleKind kind)
{
    static auto* events = new HandleTable<Waitable>(HandleKind::Event);
    static auto* mutexes = new HandleTable<Waitable>(HandleKind::Mutex);
    static auto* semaphores = new HandleTable<Waitable>(HandleKind::Semaphore);
    static auto* threads = new HandleTable<Waitable>(HandleKind::Thread);
    static auto* others = new HandleTable<Waitable>(HandleKind::Waitable);
    switch (kind) {
    case HandleKind::Event:
        return *events;
    case HandleKind::Mutex:
        return *mutexes;
    case HandleKind::Semaphore:
        return *semaphores;
    case HandleKind::Thread:
        return *threads;
    default:
        return *others;
    }
}

std::shared_ptr<Waitable> waitableFromHandle(HANDLE handle)
{
    uintptr_t value = handleValue(handle);
    HandleKind kind = handleKindOf(value);
    if (!isWaitableKind(kind))
        return nullptr;
    return waitableTable(kind).get(value);
}

HANDLE registerWaitable(std::shared_ptr<Waitable> object)
{
    if (!object) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return addObject(HandleKind::Waitable, std::move(object));
}

std::unique_lock<std::mutex> lockNames() { return std::unique_lock(waitState().nameMutex); }

NamedObject findNamed(const std::string& name)
{
    auto& names = waitState().names;
    auto it = names.find(name);
    if (it == names.end())
        return { HandleKind::Event, nullptr };
    std::shared_ptr<Waitable> object = it->second.second.lock();
    if (!object) {
        names.erase(it);
        return { HandleKind::Event, nullptr };
    }
    return { it->second.first, object };
}

void recordNamed(const std::string& name, HandleKind kind, const std::shared_ptr<Waitable>& object)
{
    waitState().names[name] = { kind, object };
}

DWORD waitForHandles(const HANDLE* handles, DWORD count, bool waitAll, DWORD timeoutMs, Waitable* extra)
{
    if (count > MAXIMUM_WAIT_OBJECTS || (count > 0 && !handles) || (count == 0 && !extra))
        return waitFailed(ERROR_INVALID_PARAMETER);
    std::vector<std::shared_ptr<Waitable>> objects;
    objects.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        std::shared_ptr<Waitable> object = waitableFromHandle(handles[i]);
        if (!object)
            return waitFailed(ERROR_INVALID_HANDLE);
        // Waiting for all of one object twice could never be satisfied consistently.
        if (waitAll)
            for (auto& earlier : objects)
                if (earlier == object)
                    return waitFailed(ERROR_INVALID_PARAMETER);
        objects.push_back(std::move(object));
    }

    std::optional<std::chrono::steady_clock::time_point> deadline;
    if (timeoutMs != INFINITE)
        deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);

    WaitBlock block;
    block.threadId = GetCurrentThreadId();
    // Taken at the first block, and kept through wake-ups that change nothing for this wait.
    std::optional<ThreadWaits> waits;
    std::unique_lock lock(waitState().mutex);
    WaiterRegistration registration(objects, block);
    auto ready = [&](unsigned i) { return (block.pulsed >> i & 1) || objects[i]->isSignalled(block.threadId); };
    auto take = [&](unsigned i) { return (block.pulsed >> i & 1) ? false : objects[i]->consume(block.threadId); };
    for (;;) {
        if (waitAll) {
            bool all = !extra || extra->isSignalled(block.threadId);
            for (unsigned i = 0; all && i < count; ++i)
                all = ready(i);
            if (all) {
                std::optional<unsigned> abandoned;
                for (unsigned i = 0; i < count; ++i)
                    if (take(i) && !abandoned)
                        abandoned = i;
                if (extra)
                    extra->consume(block.threadId);
                if (abandoned)
                    return WAIT_ABANDONED_0 + *abandoned;
                return WAIT_OBJECT_0;
            }
        } else {
            for (unsigned i = 0; i < count; ++i)
                if (ready(i))
                    return take(i) ? WAIT_ABANDONED_0 + i : WAIT_OBJECT_0 + i;
            if (extra && extra->isSignalled(block.threadId)) {
                extra->consume(block.threadId);
                return WAIT_OBJECT_0 + count;
            }
        }
        if (deadline && std::chrono::steady_clock::now() >= *deadline)
            return WAIT_TIMEOUT;
        if (!waits)
            waits.emplace();
        if (!deadline)
            waitState().changed.wait(lock);
        else
            waitState().changed.wait_until(lock, *deadline);
    }
}

} // namespace platform

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return platform::waitForHandles(&hHandle, 1, false, dwMilliseconds, nullptr);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds)
{
    if (nCount == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    return platform::waitForHandles(lpHandles, nCount, bWaitAll != FALSE, dwMilliseconds, nullptr);
}
