// Per-thread queues: creation on first use, posting, waiting, and retrieval in the order
// sent, posted, input, quit, paint, timer.
#include "platform/user/queue.h"

#include "platform/kernel/host.h"
#include "platform/kernel/test_clock.h"
#include "platform/user/pointer.h"
#include "platform/kernel/winbase.h"
#include "platform/user/window_state.h"

#include <algorithm>
#include <unordered_map>

namespace platform::user {

namespace {

std::mutex g_registryMutex;
std::unordered_map<DWORD, std::weak_ptr<ThreadQueue>>& registry()
{
    static auto* map = new std::unordered_map<DWORD, std::weak_ptr<ThreadQueue>>();
    return *map;
}

// Owns the thread's queue; on thread exit the queue answers waiting senders and the thread's
// windows go away.
struct QueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder()
    {
        if (!queue)
            return;
        queue->close();
        std::lock_guard lock(g_registryMutex);
        registry().erase(queue->threadId());
    }
};

thread_local QueueHolder t_holder;

bool rangeOverlaps(UINT lo, UINT hi, UINT filterMin, UINT filterMax)
{
    if (filterMin == 0 && filterMax == 0)
        return true;
    return lo <= filterMax && filterMin <= hi;
}

} // namespace

DWORD messageClock() { return GetTickCount(); }

void notifyMessageWaiters();   // wait.cpp

ThreadQueue::ThreadQueue(DWORD threadId)
    : m_threadId(threadId)
{
}

std::shared_ptr<ThreadQueue> ThreadQueue::current()
{
    if (!t_holder.queue) {
        auto queue = std::make_shared<ThreadQueue>(GetCurrentThreadId());
        std::lock_guard lock(g_registryMutex);
        registry()[queue->threadId()] = queue;
        t_holder.queue = queue;
    }
    return t_holder.queue;
}

ThreadQueue* ThreadQueue::currentIfAny() { return t_holder.queue.get(); }

std::shared_ptr<ThreadQueue> ThreadQueue::forThread(DWORD threadId)
{
    std::lock_guard lock(g_registryMutex);
    auto it = registry().find(threadId);
    return it == registry().end() ? nullptr : it->second.lock();
}

std::vector<std::shared_ptr<ThreadQueue>> ThreadQueue::all()
{
    std::vector<std::shared_ptr<ThreadQueue>> result;
    std::lock_guard lock(g_registryMutex);
    for (auto& [id, weak] : registry())
        if (auto queue = weak.lock())
            result.push_back(std::move(queue));
    return result;
}

bool ThreadQueue::post(const MSG& msg)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || m_posted.size() >= kMaxPosted)
            return false;
        m_posted.push_back(msg);
        m_wakeBits |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
        m_kick++;
    }
    m_wake.notify_all();
    notifyMessageWaiters();
    return true;
}

void ThreadQueue::postInput(RawInput input)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || m_input.size() >= kMaxPosted)
            return;
        // Mouse moves are coalesced: only the latest position matters.
        if (input.kind == RawInput::Kind::Mouse && input.message == WM_MOUSEMOVE && !m_input.empty()) {
            RawInput& last = m_input.back();
            if (last.kind == RawInput::Kind::Mouse && last.message == WM_MOUSEMOVE && last.hwnd == input.hwnd) {
                last = std::move(input);
                m_kick++;
                m_wake.notify_all();
                notifyMessageWaiters();
                return;
            }
        }
        m_wakeBits |= input.kind == RawInput::Kind::Mouse
            ? (input.message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON)
            : QS_KEY;
        m_input.push_back(std::move(input));
        m_kick++;
    }
    m_wake.notify_all();
    notifyMessageWaiters();
}

void ThreadQueue::postQuit(int exitCode)
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_quitCode = exitCode;
        m_wakeBits |= QS_POSTMESSAGE;
        m_kick++;
    }
    m_wake.notify_all();
    notifyMessageWaiters();
}

bool ThreadQueue::postSent(std::shared_ptr<SentMessage> sent)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return false;
        m_incoming.push_back(std::move(sent));
        m_wakeBits |= QS_SENDMESSAGE;
        m_kick++;
    }
    m_wake.notify_all();
    notifyMessageWaiters();
    return true;
}

void ThreadQueue::wake()
{
    {
        std::lock_guard lock(m_mutex);
        m_kick++;
    }
    m_wake.notify_all();
    notifyMessageWaiters();
}

void ThreadQueue::onPaintPending(int delta)
{
    {
        std::lock_guard lock(m_mutex);
        m_paintCount += delta;
        if (delta > 0)
            m_wakeBits |= QS_PAINT;
        m_kick++;
    }
    m_wake.notify_all();
    notifyMessageWaiters();
}

static void complete(const std::shared_ptr<SentMessage>& sent, LRESULT result, std::exception_ptr error)
{
    if (sent->notify)
        return;
    auto sender = sent->sender;
    {
        std::lock_guard lock(sender->m_mutex);
        if (sent->done)
            return;
        sent->result = result;
        sent->error = std::move(error);
        sent->done = true;
        sender->m_kick++;
    }
    sender->m_wake.notify_all();
}

void completeSent(SentMessage* sent, LRESULT result)
{
    auto sender = sent->sender;
    if (!sender || sent->notify)
        return;
    {
        std::lock_guard lock(sender->m_mutex);
        if (sent->done)
            return;
        sent->result = result;
        sent->done = true;
        sender->m_kick++;
    }
    sender->m_wake.notify_all();
}

void ThreadQueue::handleSentMessages()
{
    for (;;) {
        std::shared_ptr<SentMessage> sent;
        {
            std::lock_guard lock(m_mutex);
            if (m_incoming.empty())
                return;
            sent = std::move(m_incoming.front());
            m_incoming.pop_front();
            // Counted before the lock goes, so the queue never looks idle in between.
            m_handlingSent++;
        }
        m_receiving.push_back(sent.get());
        LRESULT result = 0;
        std::exception_ptr error;
        try {
            if (peekWindow(sent->hwnd))
                result = callProc(sent->hwnd, sent->message, sent->wParam, sent->lParam);
        } catch (...) {
            // The error belongs to the sender: it is rethrown there.
            error = std::current_exception();
        }
        m_receiving.pop_back();
        m_handlingSent--;
        if (error && sent->notify)
            std::rethrow_exception(error);
        complete(sent, result, std::move(error));
    }
}

uint64_t ThreadQueue::stamp()
{
    std::lock_guard lock(m_mutex);
    return m_kick;
}

void ThreadQueue::waitForWork(uint64_t stamp, std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    auto ready = [&] { return stamp != m_kick || !m_incoming.empty(); };
    m_busy = false;
    if (ready())
        return;
    ThreadWaits waits;
    if (deadline == std::chrono::steady_clock::time_point::max())
        m_wake.wait(lock, ready);
    else
        m_wake.wait_until(lock, deadline, ready);
}

std::chrono::steady_clock::time_point ThreadQueue::nextTimerDue(HWND hwnd, UINT filterMin, UINT filterMax)
{
    uint64_t due = UINT64_MAX;
    {
        TreeLock tree;
        std::lock_guard lock(m_mutex);
        for (const Timer& timer : m_timers)
            if (timer.due < due && filterMatches(timer.hwnd, WM_TIMER, hwnd, filterMin, filterMax))
                due = timer.due;
    }
    auto realNow = std::chrono::steady_clock::now();
    if (due == UINT64_MAX)
        return std::chrono::steady_clock::time_point::max();
    uint64_t now = clockMilliseconds();
    if (due <= now)
        return realNow;
    if (testClockOn())
        return std::chrono::steady_clock::time_point::max();
    return realNow + std::chrono::milliseconds(due - now);
}

uint64_t ThreadQueue::earliestTimer()
{
    uint64_t due = UINT64_MAX;
    std::lock_guard lock(m_mutex);
    for (const Timer& timer : m_timers)
        due = std::min(due, timer.due);
    return due;
}

bool ThreadQueue::waitForReply(const std::shared_ptr<SentMessage>& sent, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        handleSentMessages();
        std::unique_lock lock(m_mutex);
        if (sent->done)
            break;
        auto ready = [&] { return sent->done || !m_incoming.empty(); };
        ThreadWaits waits;
        if (deadline == std::chrono::steady_clock::time_point::max()) {
            m_wake.wait(lock, ready);
        } else if (!m_wake.wait_until(lock, deadline, ready)) {
            return false;
        }
        if (sent->done)
            break;
    }
    if (sent->error)
        std::rethrow_exception(sent->error);
    return true;
}

bool ThreadQueue::filterMatches(HWND msgHwnd, UINT message, HWND hwnd, UINT filterMin, UINT filterMax) const
{
    if (filterMin || filterMax) {
        if (message < filterMin || message > filterMax)
            return false;
    }
    if (hwnd == (HWND)-1)
        return msgHwnd == nullptr;
    if (!hwnd || msgHwnd == hwnd)
        return true;
    TreeLock lock;
    Window* parent = peekWindow(hwnd);
    Window* w = peekWindow(msgHwnd);
    return parent && w && isDescendant(*parent, *w);
}

// Lock order: the tree lock before a queue's lock, never the other way round.
bool ThreadQueue::takePosted(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove)
{
    TreeLock tree;
    std::lock_guard lock(m_mutex);
    for (auto it = m_posted.begin(); it != m_posted.end();) {
        if (it->hwnd && !peekWindow(it->hwnd)) {
            it = m_posted.erase(it);   // its window is gone
            continue;
        }
        if (filterMatches(it->hwnd, it->message, hwnd, filterMin, filterMax)) {
            msg = *it;
            if (remove)
                m_posted.erase(it);
            return true;
        }
        ++it;
    }
    return false;
}

bool ThreadQueue::takeInput(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove)
{
    for (;;) {
        RawInput input;
        {
            TreeLock tree;
            std::lock_guard lock(m_mutex);
            auto it = std::find_if(m_input.begin(), m_input.end(), [&](const RawInput& in) {
                bool mouse = in.kind == RawInput::Kind::Mouse;
                bool inRange = mouse
                    ? rangeOverlaps(WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK, filterMin, filterMax)
                        || rangeOverlaps(WM_MOUSEFIRST, WM_MOUSELAST, filterMin, filterMax)
                    : rangeOverlaps(WM_KEYFIRST, WM_KEYLAST, filterMin, filterMax);
                return inRange && filterMatches(in.hwnd, 0, hwnd, 0, 0);
            });
            if (it == m_input.end())
                return false;
            input = *it;
            if (remove)
                m_input.erase(it);
        }
        if (processInput(*this, input, msg, remove))
            return true;
        if (!remove)
            return false;
    }
}

bool ThreadQueue::takePaint(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_paintCount <= 0)
            return false;
    }
    if ((filterMin || filterMax) && (WM_PAINT < filterMin || WM_PAINT > filterMax))
        return false;
    HWND target = findWindowToPaint(m_threadId, hwnd);
    if (!target)
        return false;
    msg = MSG { target, WM_PAINT, 0, 0, messageClock(), {} };
    return true;
}

bool ThreadQueue::takeTimer(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove)
{
    uint64_t now = clockMilliseconds();
    TreeLock tree;
    std::lock_guard lock(m_mutex);
    for (Timer& timer : m_timers) {
        if (timer.due > now || !filterMatches(timer.hwnd, WM_TIMER, hwnd, filterMin, filterMax))
            continue;
        msg = MSG { timer.hwnd, WM_TIMER, timer.id, LPARAM(timer.proc), messageClock(), {} };
        if (remove)
            timer.due = now + timer.elapse;
        return true;
    }
    return false;
}

bool ThreadQueue::peek(MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    bool remove = (removeFlags & PM_REMOVE) != 0;
    // Busy while it looks, so a message on its way out of the queue is never missed by isIdle.
    m_busy = true;
    handleSentMessages();
    bool got = takePosted(msg, hwnd, filterMin, filterMax, remove)
        || takeInput(msg, hwnd, filterMin, filterMax, remove);
    if (!got) {
        std::lock_guard lock(m_mutex);
        if (m_quit && (filterMin == 0 && filterMax == 0 ? true : WM_QUIT >= filterMin && WM_QUIT <= filterMax)) {
            msg = MSG { nullptr, WM_QUIT, WPARAM(m_quitCode), 0, messageClock(), {} };
            if (remove)
                m_quit = false;
            got = true;
        }
    }
    if (!got)
        got = takePaint(msg, hwnd, filterMin, filterMax) || takeTimer(msg, hwnd, filterMin, filterMax, remove);
    if (!got || !remove)
        m_busy = false;
    if (!got)
        return false;
    if (msg.message != WM_PAINT && msg.message != WM_TIMER && msg.time == 0)
        msg.time = messageClock();
    if (remove) {
        m_messageTime = msg.time;
        m_messagePos = msg.pt;
    }
    return true;
}

DWORD ThreadQueue::pending()
{
    std::lock_guard lock(m_mutex);
    DWORD now = 0;
    if (!m_posted.empty() || m_quit)
        now |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    if (!m_incoming.empty())
        now |= QS_SENDMESSAGE;
    if (m_paintCount > 0)
        now |= QS_PAINT;
    uint64_t time = clockMilliseconds();
    for (const Timer& timer : m_timers)
        if (timer.due <= time)
            now |= QS_TIMER;
    for (const RawInput& in : m_input)
        now |= in.kind == RawInput::Kind::Mouse ? (in.message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON)
                                                : QS_KEY;
    return now;
}

DWORD ThreadQueue::status(UINT flags)
{
    DWORD now = pending();
    std::lock_guard lock(m_mutex);
    DWORD changed = m_wakeBits & flags;
    m_wakeBits &= ~flags;
    return ((now & flags) << 16) | changed;
}

bool ThreadQueue::isIdle()
{
    // A thread asleep on the running test clock does nothing more until the clock moves.
    if (testClockRunning() && asleepOnTestClock(m_threadId))
        return true;
    // On the test clock a due timer is work the test waits for; on real time timers never end.
    auto timerDue = [this] {
        if (!testClockOn())
            return false;
        const uint64_t now = clockMilliseconds();
        for (const Timer& timer : m_timers)
            if (timer.due <= now)
                return true;
        return false;
    };
    {
        std::lock_guard lock(m_mutex);
        if (!m_incoming.empty() || m_paintCount > 0 || m_busy || m_handlingSent.load() != 0 || timerDue())
            return false;
        if (m_posted.empty() && m_input.empty())
            return true;
    }
    // What is left may be for windows that are gone (the game thread closed its dialog on a
    // key's press or with the button down and does not read its queue again). Posted messages for
    // them are dropped; input for them is never delivered either, but stays for the thread to
    // drop when it reads, so that its key state follows the release.
    TreeLock tree;
    std::lock_guard lock(m_mutex);
    std::erase_if(m_posted, [](const MSG& msg) { return msg.hwnd && !peekWindow(msg.hwnd); });
    const bool liveInput = std::any_of(m_input.begin(), m_input.end(),
        [](const RawInput& in) { return !in.hwnd || peekWindow(in.hwnd); });
    return m_posted.empty() && !liveInput && m_incoming.empty() && m_paintCount <= 0 && !m_busy
        && m_handlingSent.load() == 0 && !timerDue();
}

void ThreadQueue::close()
{
    std::deque<std::shared_ptr<SentMessage>> pending;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        pending.swap(m_incoming);
        m_posted.clear();
        m_input.clear();
        m_timers.clear();
    }
    for (auto& sent : pending)
        complete(sent, 0, nullptr);
    destroyThreadWindows(m_threadId);
}

} // namespace platform::user
