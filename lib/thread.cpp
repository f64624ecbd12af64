// swCThread over the runtime's thread start.
#include "lib/thread.h"

#include "lib/event.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

void threadPause(uint32_t milliseconds) { Sleep(milliseconds); }

uint64_t threadClockMilliseconds() { return GetTickCount64(); }

swCThread::swCThread()
    : m_done(std::make_unique<swCEvent>())
    , m_stopSignal(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

swCThread::~swCThread()
{
    requestStop();
    if (m_thread) {
        if (!m_deletingOnWorker && !m_joined)
            WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
    CloseHandle(m_stopSignal);
}

void swCThread::requestStop()
{
    m_stop = 1;
    SetEvent(m_stopSignal);
}

bool swCThread::pauseUnlessStopped(uint32_t milliseconds)
{
    if (stopRequested())
        return false;
    if (!m_stopSignal || WaitForSingleObject(m_stopSignal, milliseconds) == WAIT_FAILED)
        Sleep(milliseconds);
    return !stopRequested();
}

HANDLE swCThread::threadStart()
{
    if (m_thread) {
        threadStopAndWait();
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    m_started = true;
    m_stop = 0;
    ResetEvent(m_stopSignal);
    m_finished = false;
    m_joined = false;
    m_ownership = Ownership::Owner;
    // The thread stores its id itself, before it runs: it may ask at once whether it is itself.
    m_threadId = 0;
    m_thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &swCThread::threadEntry, this, 0, nullptr));
    if (!m_thread) {
        m_ownership = Ownership::Ended;
        m_finished = true;
        m_joined = true;
        return nullptr;
    }
    return m_thread;
}

void swCThread::threadStopAndWait()
{
    // A detached object is deleted on its own thread, where there is nothing left to wait for.
    if (!m_started || m_joined || m_deletingOnWorker)
        return;
    requestStop();
    // The done event says Run has returned; the handle says the thread no longer touches the
    // object, so the caller may delete it as soon as this returns.
    m_done->eventWait(INFINITE);
    WaitForSingleObject(m_thread, INFINITE);
    m_joined = true;
}

void swCThread::threadDetach()
{
    requestStop();
    Ownership before = m_ownership.exchange(Ownership::Detached);
    if (before == Ownership::Owner && m_started && !m_joined)
        return;
    delete this;
}

unsigned __stdcall swCThread::threadEntry(void* object)
{
    auto* self = static_cast<swCThread*>(object);
    self->m_threadId = GetCurrentThreadId();
    platform::crtSrand(GetTickCount());
    self->Run();
    // A detached object is the worker's to delete. Otherwise the owner may delete it once the
    // done event is set; its destructor still waits for this thread before the fields go.
    if (self->m_ownership.exchange(Ownership::Ended) == Ownership::Detached) {
        self->m_deletingOnWorker = true;
        delete self;
        return 0;
    }
    std::function<void()> notice = std::move(self->m_endNotice);
    self->m_finished = true;
    SetEvent(self->m_done->handle());
    if (notice)
        notice();
    return 0;
}
