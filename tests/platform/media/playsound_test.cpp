// PlaySoundA: one voice; synchronous plays wait, a null name stops, failures say so.
#include "platform/media/mixer.h"
#include "platform/media/mmsystem.h"
#include "tests/platform/media/media_files.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace testing_media;
using platform::media::Mixer;

namespace {

int16_t heard()
{
    int16_t out[2];
    Mixer::instance().renderFrames(out, 1);
    return out[0];
}

TEST(PlaySound, ANewSoundReplacesTheOldAndNullStops)
{
    MediaFolder folder;
    folder.write("a.wav", flatWave(1000, 700));
    folder.write("b.wav", flatWave(1000, 300));
    Mixer::instance().useManualClock();
    EXPECT_TRUE(PlaySoundA("a.wav", nullptr, SND_FILENAME | SND_ASYNC | SND_LOOP));
    EXPECT_EQ(heard(), 700);
    EXPECT_FALSE(PlaySoundA("b.wav", nullptr, SND_FILENAME | SND_ASYNC | SND_NOSTOP));
    EXPECT_TRUE(PlaySoundA("b.wav", nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_EQ(heard(), 300);
    EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
    EXPECT_EQ(heard(), 0);
    EXPECT_FALSE(PlaySoundA("missing.wav", nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundA("SystemAsterisk", nullptr, SND_ALIAS));
}

TEST(PlaySound, SynchronousPlayReturnsAfterTheSound)
{
    MediaFolder folder;
    folder.write("tenth.wav", flatWave(4410, 500));
    Mixer::instance().useRealTimeClock();
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PlaySoundA("tenth.wav", nullptr, SND_FILENAME | SND_SYNC));
    // Only that it waited at all; exact timing is not the test's business.
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

} // namespace
