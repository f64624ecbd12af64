// EnableWindow on a window of another thread: WM_CANCELMODE and WM_ENABLE are handled by the
// window's own thread, in that order, before the call returns.
#include "user_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace usertest;

namespace {

TEST(CrossThreadEnable, TheWindowHasHandledWmEnableWhenEnableWindowReturns)
{
    std::atomic<HWND> window { nullptr };
    std::atomic<DWORD> handledOn { 0 };
    std::atomic<bool> stop { false };
    Recorder::instance().clear();
    Recorder::instance().handler = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_ENABLE) {
            // Slow on purpose: a posted message would still be waiting when the caller looks.
            Sleep(50);
            handledOn = GetCurrentThreadId();
        }
        return false;
    };
    std::thread ui([&] {
        HWND w = createFrame("main", 10, 10, 300, 200);
        window = w;
        MSG msg;
        while (!stop) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        DestroyWindow(w);
    });
    while (!window)
        std::this_thread::yield();
    const DWORD uiThread = GetWindowThreadProcessId(window, nullptr);
    ASSERT_NE(uiThread, GetCurrentThreadId());

    EXPECT_FALSE(EnableWindow(window, FALSE));
    EXPECT_EQ(handledOn.load(), uiThread) << "handled on its own thread before the call returned";
    EXPECT_EQ(Recorder::instance().messages(window, { WM_CANCELMODE, WM_ENABLE }),
        (std::vector<UINT> { WM_CANCELMODE, WM_ENABLE }));
    EXPECT_FALSE(IsWindowEnabled(window));

    handledOn = 0;
    Recorder::instance().clear();
    EXPECT_TRUE(EnableWindow(window, TRUE));
    EXPECT_EQ(handledOn.load(), uiThread);
    EXPECT_EQ(Recorder::instance().messages(window, { WM_CANCELMODE, WM_ENABLE }), (std::vector<UINT> { WM_ENABLE }));
    for (const Entry& e : Recorder::instance().entries()) {
        if (e.message == WM_ENABLE) {
            EXPECT_EQ(e.wParam, WPARAM(TRUE));
        }
    }

    stop = true;
    ui.join();
    Recorder::instance().handler = nullptr;
}

} // namespace
