// Message queues: posting and sending across threads, retrieval filters and order, errors
// thrown by window procedures, timers and waits.
#include "platform/user/input_sink.h"
#include "user_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

using namespace usertest;

namespace {

struct Queues : ::testing::Test {
    void TearDown() override { destroyAll(); }
};

using MessageQueue = Queues;
using CrossThreadSend = Queues;
using ThrownErrors = Queues;
using Timers = Queues;

LRESULT CALLBACK uiThreadProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// A window on its own thread, running a message loop until WM_QUIT. Its procedure is `proc`;
// -1 from it means "not handled".
class UiThread {
public:
    explicit UiThread(std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> proc = nullptr)
    {
        s_proc = std::move(proc);
        std::promise<HWND> ready;
        auto created = ready.get_future();
        m_thread = std::thread([&] {
            m_threadId = GetCurrentThreadId();
            static const bool registered = [] {
                WNDCLASSA wc {};
                wc.lpfnWndProc = uiThreadProc;
                wc.lpszClassName = "UiThreadWindow";
                return RegisterClassA(&wc) != 0;
            }();
            (void)registered;
            ready.set_value(CreateWindowExA(0, "UiThreadWindow", "ui", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                nullptr, nullptr));
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0)
                DispatchMessageA(&msg);
        });
        m_hwnd = created.get();
    }
    ~UiThread()
    {
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
        s_proc = nullptr;
    }
    HWND hwnd() const { return m_hwnd; }
    DWORD threadId() const { return m_threadId; }

    static inline std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> s_proc;

private:
    std::thread m_thread;
    HWND m_hwnd = nullptr;
    DWORD m_threadId = 0;
};

LRESULT CALLBACK uiThreadProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (UiThread::s_proc) {
        LRESULT r = UiThread::s_proc(hwnd, message, wParam, lParam);
        if (r != -1)
            return r;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(MessageQueue, PostedMessagesArriveInOrderBeforeQuit)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    PostQuitMessage(3);
    PostMessageA(frame, WM_USER + 1, 10, 0);
    PostMessageA(frame, WM_USER + 2, 20, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_USER + 2));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(3));
}

TEST_F(MessageQueue, FiltersSelectByWindowAndRange)
{
    HWND a = createFrame("a", 0, 0, 100, 100, WS_POPUP);
    HWND b = createFrame("b", 0, 0, 100, 100, WS_POPUP);
    HWND childOfB = createChild(b, 1, 0, 0, 10, 10, WS_CHILD);
    PostMessageA(a, WM_USER + 1, 0, 0);
    PostMessageA(childOfB, WM_USER + 2, 0, 0);
    PostMessageA(b, WM_USER + 3, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 4, 0, 0);
    MSG msg;
    // A window filter takes that window and its children.
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 2));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 4, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 3));
    ASSERT_TRUE(PeekMessageA(&msg, (HWND)-1, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 4));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 9, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 1));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_USER + 3));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 100, PM_REMOVE));
}

TEST_F(MessageQueue, MessagesOfDestroyedWindowsAreDropped)
{
    HWND a = createFrame("a", 0, 0, 100, 100, WS_POPUP);
    PostMessageA(a, WM_USER, 0, 0);
    DestroyWindow(a);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(MessageQueue, AFullQueueRefusesMorePosts)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    int accepted = 0;
    while (accepted < 20000 && PostMessageA(frame, WM_USER, 0, 0))
        ++accepted;
    EXPECT_EQ(accepted, 10000);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_QUOTA));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_TRUE(PostMessageA(frame, WM_USER, 0, 0));   // room again
    while (PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE)) {
    }
}

TEST_F(MessageQueue, PostFromAnotherThreadWakesGetMessage)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (int i = 0; i < 100; ++i)
            PostMessageA(frame, WM_USER, WPARAM(i), 0);
    });
    MSG msg;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
        EXPECT_EQ(msg.wParam, WPARAM(i));
    }
    poster.join();
}

TEST_F(MessageQueue, QueueStatusReportsWhatWaitsAndWhatIsNew)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    GetQueueStatus(QS_ALLINPUT);   // forget what arrived before
    EXPECT_EQ(GetQueueStatus(QS_ALLINPUT), 0u);
    PostMessageA(frame, WM_USER, 0, 0);
    DWORD status = GetQueueStatus(QS_ALLINPUT);
    EXPECT_TRUE(HIWORD(status) & QS_POSTMESSAGE);   // waiting now
    EXPECT_TRUE(LOWORD(status) & QS_POSTMESSAGE);   // new since the last look
    status = GetQueueStatus(QS_ALLINPUT);
    EXPECT_TRUE(HIWORD(status) & QS_POSTMESSAGE);
    EXPECT_FALSE(LOWORD(status) & QS_POSTMESSAGE);
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_FALSE(HIWORD(GetQueueStatus(QS_ALLINPUT)) & QS_POSTMESSAGE);
}

TEST_F(MessageQueue, WaitMessageReturnsWhenAMessageArrives)
{
    DWORD me = GetCurrentThreadId();
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);   // this thread has a queue
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostThreadMessageA(me, WM_USER, 0, 0);
    });
    EXPECT_TRUE(WaitMessage());
    poster.join();
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(MessageQueue, MsgWaitEndsOnAPostedMessageOrAnEvent)
{
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    DWORD me = GetCurrentThreadId();
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 20, QS_ALLINPUT), DWORD(WAIT_TIMEOUT));
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostThreadMessageA(me, WM_USER, 0, 0);
    });
    poster.join();
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 5000, QS_ALLINPUT), DWORD(WAIT_OBJECT_0 + 1));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    SetEvent(event);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &event, FALSE, 5000, QS_ALLINPUT), DWORD(WAIT_OBJECT_0));
    CloseHandle(event);
}

TEST_F(CrossThreadSend, BlocksUntilTheOwnerHandledIt)
{
    std::atomic<DWORD> handledOn { 0 };
    UiThread ui([&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_USER) {
            handledOn = GetCurrentThreadId();
            return LRESULT(wParam * 2);
        }
        return -1;
    });
    EXPECT_EQ(SendMessageA(ui.hwnd(), WM_USER, 21, 0), 42);
    EXPECT_EQ(handledOn.load(), ui.threadId());
}

TEST_F(CrossThreadSend, TwoThreadsSendingToEachOtherDoNotDeadlock)
{
    HWND mine = createFrame("mine", 0, 0, 100, 100, WS_POPUP);
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* out) {
        if (hwnd == mine && message == WM_USER + 1) {
            *out = 7;
            return true;
        }
        return false;
    };
    UiThread ui([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_USER)   // handled on the ui thread, which sends back while we wait
            return SendMessageA(mine, WM_USER + 1, 0, 0) + 1;
        return -1;
    });
    EXPECT_EQ(SendMessageA(ui.hwnd(), WM_USER, 0, 0), 8);
}

TEST_F(CrossThreadSend, SenderGetsZeroWhenTheTargetThreadEnds)
{
    HWND target = nullptr;
    std::promise<void> created;
    std::atomic<bool> pending { false };
    std::thread owner([&] {
        target = createFrame("doomed", 0, 0, 10, 10, WS_POPUP);
        created.set_value();
        // Never pumps: the thread ends with the send still waiting in its queue.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        pending = (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0;
    });
    created.get_future().wait();
    auto result = std::async(std::launch::async, [&] { return SendMessageA(target, WM_USER, 0, 0); });
    owner.join();
    ASSERT_TRUE(pending) << "the send never reached the owner's queue";
    EXPECT_EQ(result.get(), 0);
    EXPECT_FALSE(IsWindow(target));
}

TEST_F(CrossThreadSend, TimeoutGivesUpAndReplyReleasesTheSenderEarly)
{
    std::promise<void> finish;
    std::shared_future<void> finished = finish.get_future().share();
    UiThread ui([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_USER) {
            finished.wait_for(std::chrono::seconds(5));
            return 1;
        }
        if (message == WM_USER + 1) {
            EXPECT_TRUE(InSendMessage());
            ReplyMessage(33);
            finished.wait_for(std::chrono::seconds(5));   // the sender already has its answer
            return 44;
        }
        return -1;
    });
    DWORD_PTR result = 0;
    SetLastError(0);
    EXPECT_EQ(SendMessageTimeoutA(ui.hwnd(), WM_USER, 0, 0, SMTO_NORMAL, 30, &result), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_TIMEOUT));
    finish.set_value();
    EXPECT_EQ(SendMessageA(ui.hwnd(), WM_USER + 1, 0, 0), 33);
    EXPECT_FALSE(InSendMessage());
}

TEST_F(CrossThreadSend, EnableWindowWorksFromAnotherThread)
{
    UiThread ui;
    std::thread other([&] { EnableWindow(ui.hwnd(), FALSE); });
    other.join();
    EXPECT_FALSE(IsWindowEnabled(ui.hwnd()));
    EXPECT_TRUE(EnableWindow(ui.hwnd(), TRUE));   // it was disabled
    EXPECT_TRUE(IsWindowEnabled(ui.hwnd()));
}

TEST_F(CrossThreadSend, ActivationDoesNotWaitForABusyThread)
{
    HWND main = createFrame("main", 0, 0, 200, 200);
    HWND popup = nullptr;
    std::promise<void> created;
    std::promise<void> release;
    std::thread game([&] {
        popup = createFrame("notice", 50, 50, 100, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, main);
        created.set_value();
        release.get_future().wait();   // busy: no messages handled meanwhile
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        DestroyWindow(popup);
    });
    created.get_future().wait();
    EXPECT_EQ(GetActiveWindow(), popup);
    auto activated = std::async(std::launch::async, [&] { return SetActiveWindow(main); });
    EXPECT_EQ(activated.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(GetActiveWindow(), main);
    release.set_value();
    game.join();
}

HHOOK g_getMessageHook = nullptr;
LRESULT CALLBACK renumber(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && msg->message == WM_USER + 7)
        msg->wParam = 77;
    return CallNextHookEx(g_getMessageHook, code, wParam, lParam);
}

TEST_F(MessageQueue, GetMessageHookSeesAndMayChangeEachMessage)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    g_getMessageHook = SetWindowsHookExA(WH_GETMESSAGE, renumber, nullptr, GetCurrentThreadId());
    PostMessageA(frame, WM_USER + 7, 1, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, WPARAM(77));
    UnhookWindowsHookEx(g_getMessageHook);
}

struct GameError {
    int code;
};

TEST_F(ThrownErrors, ReachTheCallerOfDispatchWithLocksReleased)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    Recorder::instance().handler = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT*) -> bool {
        if (message == WM_USER)
            throw new GameError { 5 };
        return false;
    };
    PostMessageA(frame, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    GameError* caught = nullptr;
    try {
        DispatchMessageA(&msg);
    } catch (GameError* e) {
        caught = e;
    }
    ASSERT_TRUE(caught);
    EXPECT_EQ(caught->code, 5);
    delete caught;
    // Another thread can still use the window system: nothing stayed locked.
    auto other = std::async(std::launch::async, [&] {
        RECT r;
        return GetWindowRect(frame, &r) && PostMessageA(frame, WM_USER + 1, 0, 0);
    });
    ASSERT_EQ(other.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_TRUE(other.get());
    Recorder::instance().handler = nullptr;
    EXPECT_EQ(SendMessageA(frame, WM_GETTEXTLENGTH, 0, 0), 5);
}

TEST_F(ThrownErrors, CrossThreadSendRethrowsInTheSender)
{
    UiThread ui([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_USER)
            throw new GameError { 9 };
        return -1;
    });
    GameError* caught = nullptr;
    try {
        SendMessageA(ui.hwnd(), WM_USER, 0, 0);
    } catch (GameError* e) {
        caught = e;
    }
    ASSERT_TRUE(caught);
    EXPECT_EQ(caught->code, 9);
    delete caught;
    // The receiving thread goes on handling messages.
    UiThread::s_proc = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT { return message == WM_USER + 1 ? 11 : -1; };
    EXPECT_EQ(SendMessageA(ui.hwnd(), WM_USER + 1, 0, 0), 11);
}

int g_timerCalls = 0;
void CALLBACK countingTimer(HWND, UINT message, UINT_PTR, DWORD)
{
    if (message == WM_TIMER)
        ++g_timerCalls;
}

TEST_F(Timers, TickWhileTheQueueIsIdleAndStopWhenKilled)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    ASSERT_TRUE(SetTimer(frame, 5, 20, nullptr));
    UINT_PTR threadTimer = SetTimer(nullptr, 0, 10, countingTimer);
    ASSERT_TRUE(threadTimer);
    g_timerCalls = 0;
    int windowTicks = 0;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    MSG msg;
    while (std::chrono::steady_clock::now() < end) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        if (msg.message == WM_TIMER && msg.hwnd == frame) {
            EXPECT_EQ(msg.wParam, WPARAM(5));
            ++windowTicks;
        }
        DispatchMessageA(&msg);
    }
    EXPECT_GE(windowTicks, 1);
    EXPECT_GE(g_timerCalls, 1);
    EXPECT_TRUE(KillTimer(frame, 5));
    EXPECT_FALSE(KillTimer(frame, 5));
    EXPECT_TRUE(KillTimer(nullptr, threadTimer));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(Timers, SetFromAnotherThreadTickOnTheWindowsThread)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    std::thread other([&] { EXPECT_TRUE(SetTimer(frame, 9, 10, nullptr)); });
    other.join();
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, WM_TIMER, WM_TIMER));
    EXPECT_EQ(msg.hwnd, frame);
    EXPECT_EQ(msg.wParam, WPARAM(9));
    EXPECT_TRUE(KillTimer(frame, 9));
}

TEST_F(Timers, ComeAfterPostedMessages)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100, WS_POPUP);
    SetTimer(frame, 1, 10, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    PostMessageA(frame, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_USER));
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    KillTimer(frame, 1);
}

} // namespace
