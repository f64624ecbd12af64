// swCMCIDevice over the "sequencer": open failures, waiting and notified plays, stop.
#include "lib/media/mci_device.h"
#include "tests/lib/media/notice_log.h"
#include "tests/lib/media/sound_files.h"
#include "tests/lib/temp_program_folder.h"
#include "tests/lib/thrown_error.h"

#include <gtest/gtest.h>

using namespace testing_media;

namespace {

HWND window() { return reinterpret_cast<HWND>(uintptr_t(0x1234)); }

class MciDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::media::Mixer::instance().useRealTimeClock();
        writeBytes(m_folder.host("short.mid"), shortSong(300));
        writeBytes(m_folder.host("long.mid"), shortSong(60000));
    }
    testing_lib::TempProgramFolder m_folder {"mci"};
};

TEST_F(MciDeviceTest, OpeningAMissingFileThrowsWithTheFileNameAsCaption)
{
    auto e = testing_lib::thrownError([] { swCMCIDevice device("sequencer", "tkbgm\\none.mid"); });
    EXPECT_TRUE(e.thrown);
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(e.caption, "tkbgm\\none.mid");
}

TEST_F(MciDeviceTest, PlayWithoutWindowReturnsWhenThePieceEnds)
{
    swCMCIDevice device("sequencer", "short.mid");
    EXPECT_NE(device.deviceId(), 0u);
    EXPECT_EQ(device.mciSet(MCI_FORMAT_MILLISECONDS, nullptr), 0u);
    EXPECT_EQ(device.mciPlay(nullptr), 0u);
    MCI_STATUS_PARMS status {};
    status.dwItem = MCI_STATUS_MODE;
    ASSERT_EQ(device.mciSend(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status), 0u);
    EXPECT_EQ(status.dwReturn, DWORD_PTR(MCI_MODE_STOP));
    status.dwItem = MCI_STATUS_POSITION;
    device.mciSend(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status);
    EXPECT_EQ(status.dwReturn, 300u);
    EXPECT_EQ(device.mciClose(), 0u);
}

TEST_F(MciDeviceTest, PlayWithWindowNotifiesSuccessAtTheEnd)
{
    NoticeLog log;
    swCMCIDevice device("sequencer", "short.mid");
    EXPECT_EQ(device.mciPlay(window()), 0u);
    auto notices = log.waitFor(1);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].window, window());
    EXPECT_EQ(notices[0].message, UINT(MM_MCINOTIFY));
    EXPECT_EQ(notices[0].wParam, WPARAM(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(notices[0].lParam, LPARAM(device.deviceId()));
    device.mciClose();
}

TEST_F(MciDeviceTest, StopAbortsThePendingNoticeAndCommandWithoutWindowWaits)
{
    NoticeLog log;
    swCMCIDevice device("sequencer", "long.mid");
    device.mciPlay(window());
    EXPECT_EQ(device.mciCommand(MCI_STOP, nullptr), 0u);
    auto notices = log.waitFor(1);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, WPARAM(MCI_NOTIFY_ABORTED));
    // A stopped piece never reports success later.
    EXPECT_EQ(log.waitFor(2, std::chrono::milliseconds(200)).size(), 1u);
    EXPECT_NE(device.mciCommand(0x0999, nullptr), 0u);
    device.mciClose();
    EXPECT_EQ(device.mciPlay(nullptr), UINT(MCIERR_INVALID_DEVICE_ID));
}

} // namespace
