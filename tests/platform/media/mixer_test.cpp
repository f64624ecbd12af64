// The mixer's output for known voices, read through the manual clock.
#include "platform/media/pcm_voice.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform::media;

namespace {

WAVEFORMATEX pcm(int channels, int bits, int rate)
{
    WORD align = WORD(channels * bits / 8);
    return {WAVE_FORMAT_PCM, WORD(channels), DWORD(rate), DWORD(rate) * align, align, WORD(bits), 0};
}

std::vector<uint8_t> samples16(std::initializer_list<int16_t> values, size_t repeat = 1)
{
    std::vector<uint8_t> bytes;
    for (size_t r = 0; r < repeat; ++r)
        for (int16_t v : values) {
            bytes.push_back(uint8_t(v & 0xFF));
            bytes.push_back(uint8_t((v >> 8) & 0xFF));
        }
    return bytes;
}

class MixerOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        Mixer::instance().useManualClock();
        Mixer::instance().deactivateAll();
    }
    void TearDown() override { Mixer::instance().deactivateAll(); }

    std::vector<int16_t> render(size_t frames)
    {
        std::vector<int16_t> out(frames * 2);
        Mixer::instance().renderFrames(out.data(), frames);
        return out;
    }
};

TEST_F(MixerOutput, VolumeIsHundredthsOfADecibel)
{
    struct Case {
        long volume;
        double expected;
    };
    for (Case c : {Case {0, 10000}, Case {-600, 10000 * std::pow(10.0, -0.3)}, Case {-2000, 1000}, Case {-10000, 0}}) {
        auto voice = PcmVoice::create(pcm(1, 16, 44100), samples16({10000}, 100));
        voice->setVolume(c.volume);
        voice->play(false);
        auto out = render(10);
        EXPECT_NEAR(out[8], c.expected, 1.0) << c.volume;
        EXPECT_NEAR(out[9], c.expected, 1.0) << c.volume;
        voice->stop();
    }
}

TEST_F(MixerOutput, EightBitIsUnsignedAndMonoFillsBothChannels)
{
    auto voice = PcmVoice::create(pcm(1, 8, 44100), std::vector<uint8_t>(50, 192));
    voice->play(false);
    auto out = render(4);
    EXPECT_EQ(out[0], 64 * 256);
    EXPECT_EQ(out[1], 64 * 256);
}

TEST_F(MixerOutput, StereoKeepsChannelsApartAndPanAttenuatesTheOtherSide)
{
    auto voice = PcmVoice::create(pcm(2, 16, 44100), samples16({1000, -1000}, 50));
    voice->play(false);
    auto out = render(2);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], -1000);
    voice->setPan(2000); // right: left side 20 dB down
    out = render(2);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[1], -1000);
}

TEST_F(MixerOutput, ResamplingStretchesByTheRateRatio)
{
    auto voice = PcmVoice::create(pcm(1, 16, 22050), samples16({5000}, 1000));
    bool ended = false;
    voice->setEndHandler([&] { ended = true; });
    voice->play(false);
    render(1990);
    EXPECT_TRUE(voice->isPlaying());
    EXPECT_FALSE(ended);
    auto out = render(20);
    EXPECT_FALSE(voice->isPlaying());
    EXPECT_TRUE(ended);
    EXPECT_EQ(out[2 * 5], 5000);
    EXPECT_EQ(out[2 * 15], 0);
    EXPECT_EQ(voice->positionBytes(), 0u); // a finished one-shot rewinds
}

TEST_F(MixerOutput, FrequencyChangeSpeedsUpPlayback)
{
    auto voice = PcmVoice::create(pcm(1, 16, 11025), samples16({5000}, 100));
    voice->setFrequency(44100);
    voice->play(false);
    render(99);
    EXPECT_TRUE(voice->isPlaying());
    render(2);
    EXPECT_FALSE(voice->isPlaying());
}

TEST_F(MixerOutput, LoopingRepeatsTheDataUntilStopped)
{
    auto voice = PcmVoice::create(pcm(1, 16, 44100), samples16({100, 200, 300, 400}));
    voice->play(true);
    auto out = render(1000);
    EXPECT_TRUE(voice->isLooping());
    for (size_t i = 0; i < 1000; ++i)
        ASSERT_EQ(out[i * 2], int16_t(100 * (1 + i % 4))) << i;
    voice->stop();
    EXPECT_FALSE(voice->isPlaying());
    out = render(4);
    EXPECT_EQ(out[0], 0);
}

TEST_F(MixerOutput, StopKeepsThePositionForALaterPlay)
{
    std::vector<uint8_t> ramp;
    for (int i = 0; i < 100; ++i) {
        ramp.push_back(uint8_t(i * 100 & 0xFF));
        ramp.push_back(uint8_t((i * 100) >> 8));
    }
    auto voice = PcmVoice::create(pcm(1, 16, 44100), ramp);
    voice->play(false);
    render(40);
    voice->stop();
    EXPECT_EQ(voice->positionBytes(), 80u);
    voice->play(false);
    auto out = render(1);
    EXPECT_EQ(out[0], 4000);
}

TEST_F(MixerOutput, VoicesAreSummedAndClipped)
{
    auto a = PcmVoice::create(pcm(1, 16, 44100), samples16({20000, -20000, 1000}, 10));
    auto b = PcmVoice::create(pcm(1, 16, 44100), samples16({20000, -20000, 2000}, 10));
    a->play(false);
    b->play(false);
    auto out = render(3);
    EXPECT_EQ(out[0], 32767);
    EXPECT_EQ(out[2], -32768);
    EXPECT_EQ(out[4], 3000);
}

} // namespace
