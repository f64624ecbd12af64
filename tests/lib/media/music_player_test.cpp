// MusicPlayer: creation failures, looping and once-only segments, stopping and unknown ids.
#include "lib/media/music_player.h"
#include "tests/lib/media/sound_files.h"
#include "tests/lib/temp_program_folder.h"

#include <gtest/gtest.h>

using namespace testing_media;
using platform::media::Mixer;

namespace {

TEST(MidiName, NeedsFiveCharactersEndingInPointMid)
{
    EXPECT_TRUE(isMidiName("a.mid"));
    EXPECT_TRUE(isMidiName("a.MID"));
    EXPECT_TRUE(isMidiName("tkbgm\\march.Mid"));
    EXPECT_FALSE(isMidiName(".mid"));
    EXPECT_FALSE(isMidiName("a.midi"));
    EXPECT_FALSE(isMidiName("a.wav"));
    EXPECT_FALSE(isMidiName("amid"));
}

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Mixer::instance().useManualClock();
        Mixer::instance().deactivateAll();
        writeBytes(m_folder.host("one.wav"), wave16(std::vector<int16_t>(1000, 1000)));
        writeBytes(m_folder.host("two.wav"), wave16(std::vector<int16_t>(1000, 300)));
    }
    void TearDown() override
    {
        platform::com::setCreationFailure(CLSID_DirectMusicPerformance, S_OK);
        platform::com::setCreationFailure(CLSID_DirectMusicLoader, S_OK);
        Mixer::instance().deactivateAll();
    }
    testing_lib::TempProgramFolder m_folder {"music"};
};

TEST_F(MusicPlayerTest, FailedCreationIsReportedAndLaterCallsDoNothing)
{
    for (const CLSID* failing : {&CLSID_DirectMusicPerformance, &CLSID_DirectMusicLoader}) {
        platform::com::setCreationFailure(*failing, REGDB_E_CLASSNOTREG);
        MusicPlayer player;
        EXPECT_FALSE(player.init(nullptr));
        player.addAudioPath(1);
        EXPECT_FALSE(player.loadSegment(1, "one.wav"));
        player.playLooped(1, 1);
        EXPECT_FALSE(player.isPlaying(1));
        player.unloadSegment(1);
        platform::com::setCreationFailure(*failing, S_OK);
    }
}

TEST_F(MusicPlayerTest, LoopedSegmentPlaysUntilStoppedAndOnceEnds)
{
    MusicPlayer player;
    ASSERT_TRUE(player.init(nullptr));
    player.addAudioPath(0);
    ASSERT_TRUE(player.loadSegment(7, "one.wav"));
    EXPECT_FALSE(player.loadSegment(8, "missing.wav"));
    player.playLooped(0, 7);
    renderLeft(5000);
    EXPECT_TRUE(player.isPlaying(7));
    player.stop(7);
    EXPECT_FALSE(player.isPlaying(7));
    player.playOnce(0, 7);
    EXPECT_TRUE(player.isPlaying(7));
    renderLeft(1100);
    EXPECT_FALSE(player.isPlaying(7));
    EXPECT_FALSE(player.isPlaying(8));
}

TEST_F(MusicPlayerTest, SegmentsOnOnePathSoundTogetherAtThePathVolume)
{
    MusicPlayer player;
    ASSERT_TRUE(player.init(nullptr));
    player.addAudioPath(2);
    ASSERT_TRUE(player.loadSegment(1, "one.wav"));
    ASSERT_TRUE(player.loadSegment(2, "two.wav"));
    player.playOnce(2, 1);
    player.playOnce(2, 2);
    EXPECT_EQ(renderLeft(10)[5], 1300);
    player.setPathVolume(2, -2000);
    EXPECT_EQ(renderLeft(10)[5], 130);
    player.playOnce(3, 1); // no such path
    player.playOnce(2, 9); // no such segment
    EXPECT_EQ(renderLeft(10)[5], 130);
}

TEST_F(MusicPlayerTest, UnloadingAPlayingSegmentStopsIt)
{
    MusicPlayer player;
    ASSERT_TRUE(player.init(nullptr));
    player.addAudioPath(0);
    ASSERT_TRUE(player.loadSegment(4, "one.wav"));
    player.playLooped(0, 4);
    EXPECT_EQ(renderLeft(10)[5], 1000);
    player.unloadSegment(4);
    EXPECT_FALSE(player.isPlaying(4));
    EXPECT_EQ(renderLeft(10)[5], 0);
}

TEST_F(MusicPlayerTest, MidiSegmentLoopsPastItsLength)
{
    writeBytes(m_folder.host("short.mid"), shortSong(50));
    MusicPlayer player;
    ASSERT_TRUE(player.init(nullptr));
    player.addAudioPath(0);
    ASSERT_TRUE(player.loadSegment(3, "short.mid"));
    player.playLooped(0, 3);
    renderLeft(44100 / 5);
    EXPECT_TRUE(player.isPlaying(3));
    player.playOnce(0, 3);
    player.stop(3);
    player.playOnce(0, 3);
    renderLeft(44100 / 5);
    EXPECT_FALSE(player.isPlaying(3));
}

} // namespace
