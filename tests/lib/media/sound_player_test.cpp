// SoundPlayer's three modes and swCDirectSound's slots, heard through the mixer's manual clock.
#include "lib/media/direct_sound.h"
#include "lib/media/sound_player.h"
#include "platform/kernel/host.h"
#include "platform/media/media.h"
#include "tests/lib/media/sound_files.h"
#include "tests/lib/temp_program_folder.h"
#include "tests/lib/thrown_error.h"

#include <gtest/gtest.h>

#include <thread>

using namespace testing_media;
using platform::media::DirectSoundState;
using platform::media::Mixer;

namespace {

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Mixer::instance().useManualClock();
        Mixer::instance().deactivateAll();
        platform::setDebugOutputSink([this](std::string_view text) { m_shown += std::string(text); });
        std::vector<int16_t> ramp(2000);
        for (size_t i = 0; i < ramp.size(); ++i)
            ramp[i] = int16_t(i * 10);
        writeBytes(m_folder.host("ramp.wav"), wave16(ramp));
        writeBytes(m_folder.host("low.wav"), wave16(std::vector<int16_t>(1000, 1000)));
        writeBytes(m_folder.host("high.wav"), wave16(std::vector<int16_t>(1000, 2000)));
    }
    void TearDown() override
    {
        platform::media::setDirectSoundState(DirectSoundState::Present);
        platform::setDebugOutputSink(nullptr);
        Mixer::instance().deactivateAll();
    }

    testing_lib::TempProgramFolder m_folder {"sound"};
    std::string m_shown;
};

TEST_F(SoundPlayerTest, WithoutDsoundItShowsCode5AndPlaysFilesWithPlaySound)
{
    platform::media::setDirectSoundState(DirectSoundState::Absent);
    SoundPlayer player(nullptr);
    EXPECT_FALSE(player.usesDirectSound());
    EXPECT_FALSE(player.isSilent());
    EXPECT_NE(m_shown.find(platform::utf8ToCp932("DirectSoundでエラーが発生しました")), std::string::npos);
    EXPECT_EQ(swCDirectSound::useCount(), 0); // the failed constructor left no load behind

    player.soundLoad("low.wav", 3);
    EXPECT_EQ(player.soundFind(3), 0);
    EXPECT_EQ(player.soundPlay(4, 1), -1);
    EXPECT_EQ(player.soundPlay(3, 2), TRUE);
    auto heard = renderLeft(3000); // longer than the file: looping
    EXPECT_EQ(heard[10], 1000);
    EXPECT_EQ(heard[2500], 1000);
    EXPECT_FALSE(player.soundIsPlaying(3)); // only DirectSound reports playing
    player.soundPlay(3, 0);
    EXPECT_EQ(renderLeft(10)[5], 0);
}

TEST_F(SoundPlayerTest, FailingDeviceShowsStartUpMessageOnceAndStaysSilent)
{
    platform::media::setDirectSoundState(DirectSoundState::Failing);
    SoundPlayer player(nullptr);
    EXPECT_TRUE(player.isSilent());
    std::string startUp = platform::utf8ToCp932("DirectSoundの初期化に失敗しました");
    EXPECT_NE(m_shown.find(startUp), std::string::npos);
    EXPECT_EQ(m_shown.find(startUp), m_shown.rfind(startUp));
    EXPECT_EQ(swCDirectSound::useCount(), 0);

    player.soundLoad("low.wav", 3);
    EXPECT_EQ(player.soundFind(3), -1);
    EXPECT_EQ(player.soundPlay(3, 1), 0);
    EXPECT_EQ(renderLeft(10)[5], 0);
}

TEST_F(SoundPlayerTest, DirectSoundPlaysSlotsAndReportsPlaying)
{
    SoundPlayer player(nullptr);
    ASSERT_TRUE(player.usesDirectSound());
    EXPECT_TRUE(m_shown.empty());
    player.soundLoad("low.wav", 13);
    player.soundPlay(13, 1);
    EXPECT_TRUE(player.soundIsPlaying(13));
    EXPECT_EQ(renderLeft(10)[5], 1000);
    player.soundSetVolume(-1, -2000);
    EXPECT_EQ(renderLeft(10)[5], 100);
    renderLeft(1000);
    EXPECT_FALSE(player.soundIsPlaying(13));
    player.soundUnload(13);
    EXPECT_EQ(player.soundFind(13), -1);
    EXPECT_EQ(player.soundPlay(13, 1), -1);
}

TEST_F(SoundPlayerTest, LoadingASlotAgainReplacesItsSound)
{
    swCDirectSound sound;
    sound.dsoundInit(nullptr);
    sound.dsoundLoadSlot(5, "low.wav");
    sound.dsoundLoadSlot(5, "high.wav");
    sound.dsoundPlay(5, 1, 0);
    EXPECT_EQ(renderLeft(10)[5], 2000);
    sound.dsoundReleaseSlot(5);
    EXPECT_EQ(sound.dsoundFindSlot(5), -1);
}

TEST_F(SoundPlayerTest, ModeOneResumesWhereStoppedAndModeThreeRewinds)
{
    swCDirectSound sound;
    sound.dsoundInit(nullptr);
    sound.dsoundLoadSlot(1, "ramp.wav");
    EXPECT_EQ(sound.dsoundPlay(1, 1, 0), DS_OK);
    renderLeft(500);
    sound.dsoundPlay(1, 0, 0);
    EXPECT_EQ(sound.dsoundStatus(1), 0u);
    sound.dsoundPlay(1, 1, 0);
    EXPECT_EQ(renderLeft(1)[0], 5000);
    sound.dsoundPlay(1, 3, 0);
    EXPECT_EQ(renderLeft(1)[0], 0);
    EXPECT_EQ(sound.dsoundPlay(1, 7, 22050), 7); // only the frequency changes
    EXPECT_EQ(sound.dsoundPlay(9, 1, 0), -1);
}

TEST_F(SoundPlayerTest, LoopingSlotIsReleasedWhilePlaying)
{
    swCDirectSound sound;
    sound.dsoundInit(nullptr);
    sound.dsoundLoadSlot(2, "low.wav");
    sound.dsoundPlay(2, 2, 0);
    EXPECT_EQ(sound.dsoundStatus(2), DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING));
    sound.dsoundReleaseSlot(2);
    EXPECT_EQ(renderLeft(10)[5], 0);
}

TEST_F(SoundPlayerTest, DeviceObjectsShareOneModuleLoad)
{
    {
        swCDirectSound first;
        HMODULE module = swCDirectSound::moduleHandle();
        EXPECT_NE(module, nullptr);
        {
            swCDirectSound second;
            EXPECT_EQ(swCDirectSound::useCount(), 2);
            EXPECT_EQ(swCDirectSound::moduleHandle(), module);
        }
        EXPECT_EQ(swCDirectSound::useCount(), 1);
    }
    EXPECT_EQ(swCDirectSound::useCount(), 0);
    EXPECT_EQ(swCDirectSound::moduleHandle(), nullptr);
}

TEST_F(SoundPlayerTest, BadWaveFileReachesTheCallerOfLoad)
{
    writeBytes(m_folder.host("bad.wav"), {'R', 'I', 'F', 'F', 0, 0, 0, 0});
    SoundPlayer player(nullptr);
    auto e = testing_lib::thrownError([&] { player.soundLoad("bad.wav", 4); });
    EXPECT_TRUE(e.isFileError);
    EXPECT_EQ(player.soundFind(4), -1);
}

TEST_F(SoundPlayerTest, GameThreadAndUiThreadMayUseThePlayerAtOnce)
{
    SoundPlayer player(nullptr);
    player.soundLoad("low.wav", 1);
    Mixer::instance().useRealTimeClock();
    std::thread game([&] {
        for (int i = 0; i < 300; ++i) {
            player.soundPlay(1, 3);
            player.soundIsPlaying(1);
        }
    });
    for (int i = 0; i < 100; ++i) {
        player.soundUnload(1);
        player.soundLoad("low.wav", 1);
        player.soundSetVolume(-1, -100);
    }
    game.join();
    EXPECT_EQ(player.soundFind(1), 0);
}

} // namespace
