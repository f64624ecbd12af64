// The end-of-play notice arrives in the notify window's message queue.
#include "platform/media/mixer.h"
#include "platform/media/mmsystem.h"
#include "platform/user/winuser.h"
#include "tests/platform/media/media_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace testing_media;

namespace {

TEST(MciWindowNotice, SuccessReachesTheWindowQueue)
{
    MediaFolder folder;
    folder.write("tune.mid", noteSong(200));
    platform::media::Mixer::instance().useRealTimeClock();
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "MciNoticeTarget";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "MciNoticeTarget", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    MCI_OPEN_PARMSA open {0, 0, "sequencer", "tune.mid", nullptr};
    ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT, DWORD_PTR(&open)), 0u);
    MCI_PLAY_PARMS play {DWORD_PTR(window), 0, 0};
    ASSERT_EQ(mciSendCommandA(open.wDeviceID, MCI_PLAY, MCI_NOTIFY, DWORD_PTR(&play)), 0u);

    MSG message {};
    bool arrived = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!arrived && std::chrono::steady_clock::now() < deadline) {
        if (PeekMessageA(&message, window, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE))
            arrived = true;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(arrived);
    EXPECT_EQ(message.wParam, WPARAM(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(message.lParam, LPARAM(open.wDeviceID));
    mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, 0);
    DestroyWindow(window);
}

} // namespace
