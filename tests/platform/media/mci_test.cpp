// MCI through mciSendCommandA: status, seek, notices for success, stop and supersession.
#include "platform/media/mixer.h"
#include "platform/media/mmsystem.h"
#include "platform/media/notify.h"
#include "tests/platform/media/media_files.h"

#include <gtest/gtest.h>

#include <condition_variable>

using namespace testing_media;

namespace {

class MciCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::media::Mixer::instance().useRealTimeClock();
        m_folder.write("tune.mid", noteSong(400));
        m_folder.write("long.mid", noteSong(50000));
        m_folder.write("blip.wav", flatWave(4410, 1000));
        platform::media::setNoticeObserver([this](HWND, UINT message, WPARAM flag, LPARAM id) {
            std::lock_guard lock(m_mutex);
            if (message == MM_MCINOTIFY)
                m_notices.push_back({flag, id});
            m_changed.notify_all();
        });
    }
    void TearDown() override { platform::media::setNoticeObserver(nullptr); }

    MCIDEVICEID open(const char* element, const char* type = nullptr, const char* alias = nullptr)
    {
        MCI_OPEN_PARMSA p {};
        p.lpstrDeviceType = type;
        p.lpstrElementName = element;
        p.lpstrAlias = alias;
        DWORD flags = MCI_OPEN_ELEMENT | MCI_WAIT | (type ? MCI_OPEN_TYPE : 0) | (alias ? MCI_OPEN_ALIAS : 0);
        EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, flags, DWORD_PTR(&p)), 0u) << element;
        return p.wDeviceID;
    }
    DWORD_PTR status(MCIDEVICEID id, DWORD item)
    {
        MCI_STATUS_PARMS p {};
        p.dwItem = item;
        EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, DWORD_PTR(&p)), 0u);
        return p.dwReturn;
    }
    MCIERROR play(MCIDEVICEID id, DWORD flags, DWORD from = 0, DWORD to = 0)
    {
        MCI_PLAY_PARMS p {DWORD_PTR(window()), from, to};
        return mciSendCommandA(id, MCI_PLAY, flags, DWORD_PTR(&p));
    }
    std::vector<std::pair<WPARAM, LPARAM>> waitFor(size_t count, int ms = 20000)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_notices.size() >= count; });
        return m_notices;
    }
    static HWND window() { return reinterpret_cast<HWND>(uintptr_t(0x4242)); }

    MediaFolder m_folder;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::pair<WPARAM, LPARAM>> m_notices;
};

TEST_F(MciCommands, SequencerReportsLengthPositionAndMode)
{
    MCIDEVICEID id = open("tune.mid", "sequencer");
    EXPECT_EQ(status(id, MCI_STATUS_LENGTH), 400u);
    EXPECT_EQ(status(id, MCI_STATUS_MODE), DWORD_PTR(MCI_MODE_STOP));
    EXPECT_EQ(play(id, MCI_WAIT | MCI_FROM | MCI_TO, 100, 300), 0u);
    EXPECT_EQ(status(id, MCI_STATUS_POSITION), 300u);
    MCI_SEEK_PARMS seek {};
    EXPECT_EQ(mciSendCommandA(id, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, DWORD_PTR(&seek)), 0u);
    EXPECT_EQ(status(id, MCI_STATUS_POSITION), 0u);
    EXPECT_EQ(play(id, MCI_WAIT | MCI_FROM, 500), UINT(MCIERR_OUTOFRANGE));
    MCI_SET_PARMS set {0, 3, 0};
    EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, DWORD_PTR(&set)), UINT(MCIERR_BAD_TIME_FORMAT));
    MCI_GENERIC_PARMS close {};
    EXPECT_EQ(mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, DWORD_PTR(&close)), 0u);
    EXPECT_EQ(mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, DWORD_PTR(&close)), UINT(MCIERR_INVALID_DEVICE_ID));
}

TEST_F(MciCommands, NewNotifiedPlaySupersedesAndStopAborts)
{
    MCIDEVICEID id = open("long.mid");
    ASSERT_EQ(play(id, MCI_NOTIFY), 0u);
    EXPECT_EQ(status(id, MCI_STATUS_MODE), DWORD_PTR(MCI_MODE_PLAY));
    ASSERT_EQ(play(id, MCI_NOTIFY), 0u);
    MCI_GENERIC_PARMS stop {DWORD_PTR(window())};
    ASSERT_EQ(mciSendCommandA(id, MCI_STOP, MCI_NOTIFY, DWORD_PTR(&stop)), 0u);
    auto notices = waitFor(3);
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(notices[0].first, WPARAM(MCI_NOTIFY_SUPERSEDED));
    EXPECT_EQ(notices[1].first, WPARAM(MCI_NOTIFY_ABORTED));
    EXPECT_EQ(notices[2].first, WPARAM(MCI_NOTIFY_SUCCESSFUL)); // the stop command itself
    EXPECT_EQ(notices[2].second, LPARAM(id));
    mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0);
}

TEST_F(MciCommands, PauseAndResumeKeepThePlayNotice)
{
    MCIDEVICEID id = open("tune.mid");
    ASSERT_EQ(play(id, MCI_NOTIFY), 0u);
    EXPECT_EQ(mciSendCommandA(id, MCI_PAUSE, MCI_WAIT, 0), 0u);
    EXPECT_EQ(status(id, MCI_STATUS_MODE), DWORD_PTR(MCI_MODE_PAUSE));
    EXPECT_EQ(mciSendCommandA(id, MCI_RESUME, MCI_WAIT, 0), 0u);
    auto notices = waitFor(1);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].first, WPARAM(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(status(id, MCI_STATUS_POSITION), 400u);
    mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0);
}

TEST_F(MciCommands, WaveAudioPlaysAFileToItsEnd)
{
    MCIDEVICEID id = open("blip.wav", "waveaudio", "blip");
    EXPECT_EQ(status(id, MCI_STATUS_LENGTH), 100u);
    ASSERT_EQ(play(id, MCI_NOTIFY), 0u);
    auto notices = waitFor(1);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].first, WPARAM(MCI_NOTIFY_SUCCESSFUL));
    MCI_OPEN_PARMSA again {0, 0, "waveaudio", "blip.wav", "BLIP"};
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS, DWORD_PTR(&again)),
        UINT(MCIERR_DUPLICATE_ALIAS));
    mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0);
}

TEST_F(MciCommands, OpenRefusesUnknownTypesMissingAndBrokenFiles)
{
    m_folder.write("broken.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6});
    struct Case {
        const char* type;
        const char* element;
        MCIERROR expected;
    };
    for (auto c : {Case {"cdaudio", "tune.mid", MCIERR_INVALID_DEVICE_NAME}, Case {nullptr, "tune.xyz", MCIERR_DEVICE_TYPE_REQUIRED},
             Case {"sequencer", "none.mid", MCIERR_FILE_NOT_FOUND}, Case {"sequencer", "broken.mid", MCIERR_INVALID_FILE},
             Case {"sequencer", "blip.wav", MCIERR_INVALID_FILE}}) {
        MCI_OPEN_PARMSA p {0, 0, c.type, c.element, nullptr};
        DWORD flags = MCI_OPEN_ELEMENT | (c.type ? MCI_OPEN_TYPE : 0);
        EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, flags, DWORD_PTR(&p)), c.expected) << c.element;
        EXPECT_EQ(p.wDeviceID, 0u);
    }
    char text[128];
    EXPECT_TRUE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, text, sizeof text));
    EXPECT_STRNE(text, "");
}

TEST_F(MciCommands, CommandStringsReachTheSameDevices)
{
    char answer[32];
    ASSERT_EQ(mciSendStringA("open \"tune.mid\" type sequencer alias music", answer, sizeof answer, nullptr), 0u);
    EXPECT_STRNE(answer, "0");
    EXPECT_EQ(mciSendStringA("set music time format milliseconds", nullptr, 0, nullptr), 0u);
    ASSERT_EQ(mciSendStringA("status music length", answer, sizeof answer, nullptr), 0u);
    EXPECT_STREQ(answer, "400");
    EXPECT_EQ(mciSendStringA("play music from 200 wait", nullptr, 0, nullptr), 0u);
    mciSendStringA("status MUSIC mode", answer, sizeof answer, nullptr);
    EXPECT_STREQ(answer, "stopped");
    EXPECT_EQ(mciSendStringA("seek music to start", nullptr, 0, nullptr), 0u);
    mciSendStringA("status music position", answer, sizeof answer, nullptr);
    EXPECT_STREQ(answer, "0");
    EXPECT_EQ(mciSendStringA("play music notify", nullptr, 0, window()), 0u);
    EXPECT_EQ(mciSendStringA("close music", nullptr, 0, nullptr), 0u);
    auto notices = waitFor(1);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].first, WPARAM(MCI_NOTIFY_ABORTED));
    EXPECT_EQ(mciSendStringA("play music", nullptr, 0, nullptr), UINT(MCIERR_INVALID_DEVICE_NAME));
    EXPECT_EQ(mciSendStringA("open tune.mid type sequencer shuffle", nullptr, 0, nullptr), UINT(MCIERR_UNRECOGNIZED_KEYWORD));
    EXPECT_EQ(mciSendStringA("record tune.mid", nullptr, 0, nullptr), UINT(MCIERR_INVALID_DEVICE_NAME));
}

} // namespace
