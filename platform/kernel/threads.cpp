// Threads: CreateThread and _beginthreadex over host threads, exit codes, thread ids.
#include "platform/kernel/internal.h"
#include "platform/kernel/sync_objects.h"
#include "platform/kernel/winbase.h"

#include <atomic>
#include <functional>
#include <pthread.h>
#include <system_error>
#include <thread>

namespace platform {

namespace {

std::atomic<DWORD> g_nextThreadId { 1 };
thread_local DWORD t_threadId = 0;

// Becomes signalled when the thread ends. The running thread holds a reference of its own,
// so the object lives until the thread ended and every handle is closed.
class ThreadObject final : public Waitable {
public:
    explicit ThreadObject(DWORD id)
        : m_id(id)
    {
    }

    bool isSignalled(DWORD) override { return m_ended; }

    DWORD id() const { return m_id; }
    // Under the wait lock.
    DWORD exitCode() const { return m_ended ? m_exitCode : DWORD(STILL_ACTIVE); }
    void finish(DWORD code)
    {
        m_exitCode = code;
        m_ended = true;
    }
    std::atomic<int> priority { THREAD_PRIORITY_NORMAL };

private:
    DWORD m_id;
    bool m_ended = false;
    DWORD m_exitCode = 0;
};

thread_local bool t_ownThread = false;

// Thrown by ExitThread inside a thread this layer started; the start wrapper catches it, so
// every destructor on the way runs.
struct ThreadExit {
    DWORD code;
};

// Threads start running at once; a request to start suspended is refused rather than ignored.
constexpr DWORD kCreateSuspended = 0x4;

// GetCurrentThread's pseudo handle, as on the original platform.
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(LONG_PTR(-2));

HANDLE startThread(std::function<DWORD()> body, LPDWORD threadIdOut)
{
    auto object = std::make_shared<ThreadObject>(g_nextThreadId++);
    HANDLE handle = addObject(HandleKind::Thread, object);
    try {
        std::thread([object, body = std::move(body)] {
            t_threadId = object->id();
            t_ownThread = true;
            DWORD code;
            try {
                code = body();
            } catch (const ThreadExit& exit) {
                code = exit.code;
            }
            abandonOwnedMutexes();
            std::lock_guard lock(waitMutex());
            object->finish(code);
            wakeWaiters();
        }).detach();
    } catch (const std::system_error&) {
        waitableTable(HandleKind::Thread).remove(handleValue(handle));
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (threadIdOut)
        *threadIdOut = object->id();
    return handle;
}

std::shared_ptr<ThreadObject> threadFromHandle(HANDLE handle)
{
    return objectFromHandle<ThreadObject>(handle, HandleKind::Thread);
}

[[noreturn]] void exitCurrentThread(DWORD code)
{
    if (t_ownThread)
        throw ThreadExit { code };
    abandonOwnedMutexes();
    pthread_exit(nullptr);
}

} // namespace

bool startedByLayer() { return t_ownThread; }

} // namespace platform

using namespace platform;

DWORD GetCurrentThreadId()
{
    if (t_threadId == 0)
        t_threadId = g_nextThreadId++;
    return t_threadId;
}

HANDLE GetCurrentThread() { return kCurrentThread; }

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, size_t, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
    DWORD dwCreationFlags, LPDWORD lpThreadId)
{
    if (!lpStartAddress || (dwCreationFlags & kCreateSuspended)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return startThread([lpStartAddress, lpParameter] { return lpStartAddress(lpParameter); }, lpThreadId);
}

uintptr_t _beginthreadex(void*, unsigned, unsigned(__stdcall* start_address)(void*), void* arglist, unsigned initflag,
    unsigned* thrdaddr)
{
    if (!start_address || (initflag & kCreateSuspended)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DWORD id = 0;
    HANDLE handle = startThread([start_address, arglist] { return DWORD(start_address(arglist)); }, &id);
    if (handle && thrdaddr)
        *thrdaddr = id;
    return reinterpret_cast<uintptr_t>(handle);
}

void ExitThread(DWORD dwExitCode) { exitCurrentThread(dwExitCode); }

void _endthreadex(unsigned retval) { exitCurrentThread(retval); }

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    auto thread = threadFromHandle(hThread);
    if (!thread || !lpExitCode) {
        SetLastError(thread ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(waitMutex());
    *lpExitCode = thread->exitCode();
    return TRUE;
}

// Priorities are remembered for GetThreadPriority; the host scheduler is left alone.
BOOL SetThreadPriority(HANDLE hThread, int nPriority)
{
    if (hThread == kCurrentThread)
        return TRUE;
    auto thread = threadFromHandle(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    thread->priority = nPriority;
    return TRUE;
}

int GetThreadPriority(HANDLE hThread)
{
    if (hThread == kCurrentThread)
        return THREAD_PRIORITY_NORMAL;
    auto thread = threadFromHandle(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0x7FFFFFFF; // THREAD_PRIORITY_ERROR_RETURN
    }
    return thread->priority;
}
