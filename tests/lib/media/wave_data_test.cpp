// WaveData refuses malformed wave files instead of reading past them.
#include "lib/media/wave_data.h"
#include "tests/lib/media/sound_files.h"
#include "tests/lib/temp_program_folder.h"
#include "tests/lib/thrown_error.h"

#include <gtest/gtest.h>

using namespace testing_media;
using testing_lib::thrownError;

namespace {

std::vector<uint8_t> data4() { return {1, 0, 2, 0}; }

TEST(WaveReader, RefusesMalformedFilesWithAFileError)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int code;
    };
    auto truncatedData = riff({chunk("fmt ", formatBody(1, 22050, 16)), chunk("data", data4(), 400)});
    auto absurdData = riff({chunk("fmt ", formatBody(1, 22050, 16)), chunk("data", data4(), 0xFFFFFFF0)});
    auto shortFormat = riff({chunk("fmt ", {1, 0, 1, 0}), chunk("data", data4())});
    auto noFormat = riff({chunk("data", data4())});
    auto noData = riff({chunk("fmt ", formatBody(1, 22050, 16))});
    auto notWave = riff({});
    notWave[8] = 'A';
    auto bits24 = riff({chunk("fmt ", formatBody(1, 22050, 24)), chunk("data", data4())});
    auto sixChannels = riff({chunk("fmt ", formatBody(6, 22050, 16)), chunk("data", data4())});
    std::vector<uint8_t> headerOnly = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A'};
    for (auto& c : std::vector<Case> {
             {"data size past the end", truncatedData, 5},
             {"absurd data size", absurdData, 5},
             {"fmt shorter than a format block", shortFormat, 5},
             {"no fmt chunk", noFormat, 1},
             {"no data chunk", noData, 1},
             {"not WAVE", notWave, 1},
             {"24-bit samples", bits24, 1},
             {"six channels", sixChannels, 1},
             {"cut inside the header", headerOnly, 5},
         }) {
        auto e = thrownError([&] { WaveData wave(c.bytes); });
        EXPECT_TRUE(e.thrown && e.isFileError) << c.what;
        EXPECT_EQ(e.code, c.code) << c.what;
    }
}

TEST(WaveReader, SkipsOddSizedChunksWithTheirPadByte)
{
    auto bytes = riff({chunk("LIST", {'a', 'b', 'c'}), chunk("fmt ", formatBody(2, 11025, 8)), chunk("data", {10, 20, 30, 40, 50})});
    WaveData wave(bytes);
    EXPECT_EQ(wave.format().nChannels, 2);
    EXPECT_EQ(wave.format().nSamplesPerSec, 11025u);
    ASSERT_EQ(wave.dataSize(), 4u); // whole frames only
    EXPECT_EQ(wave.samples()[0], 10);
    EXPECT_EQ(wave.samples()[3], 40);
}

TEST(WaveReader, EighteenByteFormatPutsTheSearchAtByte38)
{
    auto bytes = riff({chunk("fmt ", formatBody(1, 8000, 16, 2)), chunk("data", data4())});
    WaveData wave(bytes);
    EXPECT_EQ(wave.dataSize(), 4u);
    EXPECT_EQ(wave.samples()[0], 1);
    EXPECT_EQ(wave.samples()[2], 2);
}

TEST(WaveReader, MissingFileIsAnOpenErrorNamingTheFile)
{
    testing_lib::TempProgramFolder folder("wave");
    auto e = thrownError([] { WaveData wave("tkwave\\none.wav"); });
    EXPECT_TRUE(e.isFileError);
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(e.caption, "tkwave\\none.wav");
}

} // namespace
