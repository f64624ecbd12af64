// The per-thread message queue: posted and input messages, messages sent from other threads,
// timers, the quit flag, the thread's key state and hooks.
#pragma once

#include "platform/user/winuser.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform::user {

class ThreadQueue;

// A message sent from one thread to a window of another; the sender waits until `done`.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
    bool notify = false; // SendNotifyMessage: nobody waits for the result
    std::exception_ptr error;
    std::shared_ptr<ThreadQueue> sender;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    uint64_t due = 0;   // on the layer's clock (platform::clockMilliseconds)
};

struct Hook {
    HHOOK handle = nullptr;
    int kind = 0;
    HOOKPROC proc = nullptr;
};

// Input that reached the thread but is turned into messages only when the thread retrieves it,
// since hit-testing and hooks run on the window's own thread.
struct RawInput {
    enum class Kind { Mouse, Key, Text };
    Kind kind = Kind::Mouse;
    HWND hwnd = nullptr;   // the window chosen when the input arrived
    UINT message = 0;      // WM_MOUSEMOVE/WM_LBUTTONDOWN/... or WM_KEYDOWN/WM_KEYUP
    POINT screen {};
    int wheelDelta = 0;
    UINT virtualKey = 0;
    bool repeat = false;
    std::string text;
    DWORD time = 0;
};

class ThreadQueue {
public:
    explicit ThreadQueue(DWORD threadId);

    // The calling thread's queue, created on first use.
    static std::shared_ptr<ThreadQueue> current();
    // The calling thread's queue if it has one.
    static ThreadQueue* currentIfAny();
    static std::shared_ptr<ThreadQueue> forThread(DWORD threadId);
    static std::vector<std::shared_ptr<ThreadQueue>> all();

    DWORD threadId() const { return m_threadId; }

    // False when the queue is full or its thread is gone; a stalled thread does not grow without end.
    bool post(const MSG& msg);
    static constexpr size_t kMaxPosted = 10000;
    void postInput(RawInput input);
    void postQuit(int exitCode);
    // Queues a message sent from another thread; false when this thread is gone.
    bool postSent(std::shared_ptr<SentMessage> sent);
    // Wakes the thread (a paint became pending, a timer was set, a reply arrived).
    void wake();
    void onPaintPending(int delta);

    // Handles every message other threads sent to this thread's windows. Own thread only.
    void handleSentMessages();
    // A stamp taken before looking at the queue; waitForWork returns once anything arrived after
    // it or the deadline passed. Own thread only.
    uint64_t stamp();
    void waitForWork(uint64_t stamp, std::chrono::steady_clock::time_point deadline);
    // When to look again for the timers a filtered retrieval could return, in real time: the
    // earliest due time, or never while the test clock stands still (moving it wakes the queue).
    std::chrono::steady_clock::time_point nextTimerDue(HWND hwnd, UINT filterMin, UINT filterMax);
    // The earliest due time on the layer's clock of any timer of this queue (UINT64_MAX: none).
    uint64_t earliestTimer();
    // Waits until `sent` is answered, handling messages sent to this thread meanwhile; false
    // when the deadline passed first.
    bool waitForReply(const std::shared_ptr<SentMessage>& sent,
        std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max());

    // Retrieval; see GetMessageA/PeekMessageA.
    bool peek(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
    DWORD status(UINT flags);
    DWORD pending();   // QS_ bits of what is queued now
    bool isIdle();

    // Thread shutdown: answers waiting senders and refuses further work.
    void close();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<MSG> m_posted;
    std::deque<RawInput> m_input;
    std::deque<std::shared_ptr<SentMessage>> m_incoming;
    std::vector<Timer> m_timers;
    std::vector<Hook> m_hooks;
    std::map<uint32_t, std::string> m_texts; // text waiting for TranslateMessage, by id
    uint32_t m_nextTextId = 1;
    bool m_quit = false;
    int m_quitCode = 0;
    bool m_closed = false;
    std::atomic<bool> m_busy { false };   // a retrieved message is being handled
    int m_paintCount = 0;          // windows of this thread with something to paint
    unsigned m_wakeBits = 0;       // QS_ bits that arrived since the last GetQueueStatus
    UINT_PTR m_nextTimerId = 1;
    uint64_t m_kick = 0;
    std::atomic<int> m_handlingSent { 0 };   // sent messages being handled right now           // bumped by every wake so a waiter never misses one

    // Touched by the owning thread only.
    BYTE m_keyState[256] {};
    DWORD m_messageTime = 0;
    POINT m_messagePos {};
    std::vector<SentMessage*> m_receiving;   // sent messages being handled, innermost last

private:
    bool filterMatches(HWND msgHwnd, UINT message, HWND hwnd, UINT filterMin, UINT filterMax) const;
    bool takePosted(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove);
    bool takeInput(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove);
    bool takePaint(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax);
    bool takeTimer(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove);

    DWORD m_threadId;
};

// Message time and position stamps.
DWORD messageClock();

} // namespace platform::user
