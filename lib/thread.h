// swCThread: a worker thread object whose Run is given by a subclass; stopped by a polled flag.
#pragma once

#include "platform/kernel/windef.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class swCEvent;

// Pauses the calling thread on the layer's clock (GetTickCount's), which a test may run ahead of
// real time: the pauses that pace what a person sees go through here.
void threadPause(uint32_t milliseconds);
// That clock, in milliseconds.
uint64_t threadClockMilliseconds();

class swCThread {
public:
    swCThread();
    swCThread(const swCThread&) = delete;
    swCThread& operator=(const swCThread&) = delete;

    // The thread's work; polls stopRequested() at its own safe points.
    virtual void Run() = 0;
    // Asks the thread to stop and waits for it when still running (never on the thread itself).
    // A subclass whose Run uses its own members calls threadStopAndWait in its destructor or
    // before deleting.
    virtual ~swCThread();

    // Starts Run on a new thread; returns the thread handle (0 when no thread could be made).
    HANDLE threadStart();
    // Sets the stop flag and waits until the thread has ended. Returns at once when never
    // started or already waited for.
    void threadStopAndWait();
    // Sets the stop flag and hands the object to its thread, which deletes it after Run. When no
    // thread is running any more, the object is deleted at once. The caller forgets the object.
    void threadDetach();

    bool stopRequested() const { return m_stop.load() != 0; }
    // Waits `milliseconds` of real time, or until a stop is asked for through this object (not
    // through stopFlag); false once stopped. For a pace nothing waits for, such as an animation's.
    bool pauseUnlessStopped(uint32_t milliseconds);
    // The flag itself, for code that polls it by address (the computer player's turn).
    std::atomic<BYTE>& stopFlag() { return m_stop; }
    bool started() const { return m_started; }
    bool finished() const { return m_finished.load(); }
    // Known to the thread itself before Run begins; 0 until then.
    DWORD threadId() const { return m_threadId.load(); }
    // Called on the thread once Run has returned and the owner may delete the object: the notice
    // must not reach the object. Set before threadStart.
    void setEndNotice(std::function<void()> notice) { m_endNotice = std::move(notice); }

private:
    enum class Ownership { Owner, Detached, Ended };

    static unsigned __stdcall threadEntry(void* object);
    void requestStop();

    std::atomic<DWORD> m_threadId = 0;
    std::function<void()> m_endNotice;
    std::unique_ptr<swCEvent> m_done;
    std::atomic<BYTE> m_stop = 0;
    // Set with m_stop by requestStop: it ends a pause at once.
    HANDLE m_stopSignal = nullptr;
    HANDLE m_thread = nullptr;
    // Decides, under one exchange, whether the worker or the owner deletes a detached object.
    std::atomic<Ownership> m_ownership = Ownership::Owner;
    bool m_started = false;
    std::atomic<bool> m_finished = false;
    bool m_joined = false;
    bool m_deletingOnWorker = false;
};
