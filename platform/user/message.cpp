// Posting, sending, retrieving and dispatching messages.
#include "platform/kernel/winbase.h"
#include "platform/user/hook_internal.h"
#include "platform/user/pointer.h"
#include "platform/user/window_state.h"

#include <strings.h>
#include <string>

namespace platform::user {

namespace {

std::shared_ptr<ThreadQueue> queueOf(HWND hwnd)
{
    auto w = windowRef(hwnd);
    if (!w) {
        setInvalidWindowHandle();
        return nullptr;
    }
    return w->queue;   // null for the desktop window, which takes no messages
}

bool isTimerCallback(ThreadQueue& queue, HWND hwnd, UINT_PTR id, TIMERPROC proc)
{
    std::lock_guard lock(queue.m_mutex);
    for (const Timer& timer : queue.m_timers)
        if (timer.hwnd == hwnd && timer.id == id && timer.proc == proc)
            return true;
    return false;
}

} // namespace

LRESULT sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto target = queueOf(hwnd);
    if (!target)
        return 0;
    if (target->threadId() == GetCurrentThreadId())
        return callProc(hwnd, message, wParam, lParam);
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = ThreadQueue::current();
    if (!target->postSent(sent))
        return 0;
    sent->sender->waitForReply(sent);
    return sent->result;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == HWND_BROADCAST) {
        std::vector<HWND> tops;
        {
            TreeLock lock;
            for (Window* w : windowSystem().topLevels)
                tops.push_back(w->handle);
        }
        for (HWND top : tops)
            sendMessage(top, message, wParam, lParam);
        return 0;
    }
    return sendMessage(hwnd, message, wParam, lParam);
}

LRESULT SendMessageTimeoutA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT, UINT timeout,
    DWORD_PTR* result)
{
    auto target = queueOf(hwnd);
    if (!target)
        return 0;
    if (target->threadId() == GetCurrentThreadId()) {
        LRESULT r = callProc(hwnd, message, wParam, lParam);
        if (result)
            *result = DWORD_PTR(r);
        return 1;
    }
    auto sent = std::make_shared<SentMessage>();
    *sent = SentMessage { hwnd, message, wParam, lParam, 0, false, false, nullptr, ThreadQueue::current() };
    if (!target->postSent(sent))
        return 0;
    if (!sent->sender->waitForReply(sent, std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout))) {
        SetLastError(ERROR_TIMEOUT);
        return 0;
    }
    if (result)
        *result = DWORD_PTR(sent->result);
    return 1;
}

BOOL SendNotifyMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto target = queueOf(hwnd);
    if (!target)
        return FALSE;
    if (target->threadId() == GetCurrentThreadId()) {
        callProc(hwnd, message, wParam, lParam);
        return TRUE;
    }
    auto sent = std::make_shared<SentMessage>();
    *sent = SentMessage { hwnd, message, wParam, lParam, 0, false, true, nullptr, nullptr };
    return target->postSent(sent) ? TRUE : FALSE;
}

BOOL InSendMessage()
{
    ThreadQueue* queue = ThreadQueue::currentIfAny();
    return queue && !queue->m_receiving.empty() && !queue->m_receiving.back()->notify;
}

DWORD InSendMessageEx(LPVOID)
{
    ThreadQueue* queue = ThreadQueue::currentIfAny();
    if (!queue || queue->m_receiving.empty())
        return ISMEX_NOSEND;
    SentMessage* sent = queue->m_receiving.back();
    if (sent->notify)
        return ISMEX_NOTIFY;
    return ISMEX_SEND | (sent->done ? ISMEX_REPLIED : 0);
}

BOOL ReplyMessage(LRESULT result)
{
    ThreadQueue* queue = ThreadQueue::currentIfAny();
    if (!queue || queue->m_receiving.empty() || queue->m_receiving.back()->notify)
        return FALSE;
    completeSent(queue->m_receiving.back(), result);
    return TRUE;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd)
        return PostThreadMessageA(GetCurrentThreadId(), message, wParam, lParam);
    MSG msg { hwnd, message, wParam, lParam, messageClock(), lastCursorPos() };
    if (hwnd == HWND_BROADCAST) {
        std::vector<std::pair<HWND, std::shared_ptr<ThreadQueue>>> tops;
        {
            TreeLock lock;
            for (Window* w : windowSystem().topLevels)
                tops.emplace_back(w->handle, w->queue);
        }
        for (auto& [top, queue] : tops) {
            msg.hwnd = top;
            if (queue)
                queue->post(msg);
        }
        return TRUE;
    }
    auto target = queueOf(hwnd);
    if (!target)
        return FALSE;
    if (!target->post(msg)) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return FALSE;
    }
    return TRUE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto target = threadId == GetCurrentThreadId() ? ThreadQueue::current() : ThreadQueue::forThread(threadId);
    if (!target) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    if (!target->post(MSG { nullptr, message, wParam, lParam, messageClock(), lastCursorPos() })) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return FALSE;
    }
    return TRUE;
}

void PostQuitMessage(int exitCode) { ThreadQueue::current()->postQuit(exitCode); }

static bool validFilterWindow(HWND hwnd)
{
    if (!hwnd || hwnd == (HWND)-1)
        return true;
    auto w = windowRef(hwnd);
    if (!w) {
        setInvalidWindowHandle();
        return false;
    }
    return true;
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (!msg || !validFilterWindow(hwnd))
        return -1;
    auto queue = ThreadQueue::current();
    for (;;) {
        uint64_t stamp = queue->stamp();
        if (queue->peek(*msg, hwnd, filterMin, filterMax, PM_REMOVE)) {
            callGetMessageHooks(*queue, *msg, PM_REMOVE);
            return msg->message != WM_QUIT;
        }
        queue->waitForWork(stamp, queue->nextTimerDue(hwnd, filterMin, filterMax));
    }
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    if (!msg || !validFilterWindow(hwnd))
        return FALSE;
    auto queue = ThreadQueue::current();
    if (!queue->peek(*msg, hwnd, filterMin, filterMax, removeFlags))
        return FALSE;
    callGetMessageHooks(*queue, *msg, removeFlags & PM_REMOVE);
    return TRUE;
}

BOOL WaitMessage()
{
    auto queue = ThreadQueue::current();
    uint64_t stamp = queue->stamp();
    queue->handleSentMessages();
    if (HIWORD(queue->status(QS_ALLINPUT)) & (QS_ALLINPUT & ~QS_TIMER))
        return TRUE;
    queue->waitForWork(stamp, queue->nextTimerDue(nullptr, 0, 0));
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto queue = ThreadQueue::current();
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        // Only a callback this thread registered is called, never an arbitrary posted address.
        if (!isTimerCallback(*queue, msg->hwnd, msg->wParam, proc))
            return 0;
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    if (!IsWindow(msg->hwnd)) {
        setInvalidWindowHandle();
        return 0;
    }
    return callProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LONG GetMessageTime()
{
    ThreadQueue* queue = ThreadQueue::currentIfAny();
    return queue ? LONG(queue->m_messageTime) : 0;
}

DWORD GetMessagePos()
{
    ThreadQueue* queue = ThreadQueue::currentIfAny();
    if (!queue)
        return 0;
    return DWORD(MAKELONG(WORD(queue->m_messagePos.x), WORD(queue->m_messagePos.y)));
}

LPARAM GetMessageExtraInfo() { return 0; }

DWORD GetQueueStatus(UINT flags) { return ThreadQueue::current()->status(flags); }

BOOL GetInputState()
{
    return (HIWORD(ThreadQueue::current()->status(QS_INPUT)) & QS_INPUT) ? TRUE : FALSE;
}

UINT RegisterWindowMessageA(LPCSTR name)
{
    static std::mutex mutex;
    static std::vector<std::string> names;
    if (!name || !name[0])
        return 0;
    std::lock_guard lock(mutex);
    for (size_t i = 0; i < names.size(); ++i)
        if (strcasecmp(names[i].c_str(), name) == 0)
            return UINT(0xC000 + i);
    if (names.size() >= 0x3FFF)
        return 0;
    names.emplace_back(name);
    return UINT(0xC000 + names.size() - 1);
}
