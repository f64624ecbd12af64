// Records the generated march with an explosion over it into a wave file a person can listen to.
#include "platform/kernel/host.h"
#include "platform/media/midi_sequence.h"
#include "platform/media/mixer.h"
#include "platform/media/mmsystem.h"
#include "platform/media/wave_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using platform::media::Mixer;

namespace {

double rms(const std::vector<int16_t>& samples, size_t from, size_t to)
{
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(to - from));
}

std::vector<uint8_t> stereoWave(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    };
    auto u16 = [&](uint16_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    uint32_t bytes = uint32_t(samples.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    u32(36 + bytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    u32(bytes);
    for (int16_t s : samples)
        u16(uint16_t(s));
    return out;
}

TEST(Recording, MarchAndExplosionMixIntoAWaveFile)
{
    // Tests run in the program folder; the variable names it when they do not.
    const char* variable = std::getenv("DERAZODO_PROGRAM_DIR");
    std::string folder = variable ? variable : std::filesystem::current_path().string();
    const char* programDir = folder.c_str();
    if (!std::filesystem::exists(folder + "/tkbgm/march.mid"))
        GTEST_SKIP() << "the generated data is not in the program folder";
    platform::setProgramFolder(std::string(programDir) + "/");
    Mixer::instance().useManualClock();
    Mixer::instance().deactivateAll();

    MCI_OPEN_PARMSA open {0, 0, "sequencer", "tkbgm\\march.mid", nullptr};
    ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT, DWORD_PTR(&open)), 0u);
    MCI_PLAY_PARMS play {};
    ASSERT_EQ(mciSendCommandA(open.wDeviceID, MCI_PLAY, 0, DWORD_PTR(&play)), 0u);

    const size_t second = 44100;
    Mixer::instance().startRecording(10);
    std::vector<int16_t> block(second * 2 * 2); // two seconds of stereo frames
    Mixer::instance().renderFrames(block.data(), second * 2);
    ASSERT_TRUE(PlaySoundA("tkwave\\dsse13.wav", nullptr, SND_FILENAME | SND_ASYNC));
    Mixer::instance().renderFrames(block.data(), second);
    Mixer::instance().renderFrames(block.data(), second * 2);
    auto recorded = Mixer::instance().stopRecording();
    mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, 0);
    ASSERT_EQ(recorded.size(), second * 5 * 2);

    std::string path = std::string(programDir) + "/../march_with_explosion.wav";
    auto bytes = stereoWave(recorded);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    auto parsed = platform::media::parseWave(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed.image.samples.size(), recorded.size() * 2);

    double march = rms(recorded, 0, second * 4);
    double withBlast = rms(recorded, second * 4, second * 4 + second / 2);
    if (!platform::media::soundFontPath().empty()) {
        EXPECT_GT(march, 100.0);
    }
    EXPECT_GT(withBlast, march);
}

} // namespace
