// Standard MIDI File reading: tempo map, running status, and refusal of broken files.
#include "platform/media/midi_file.h"
#include "platform/media/midi_sequence.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform::media;

namespace {

std::vector<uint8_t> smf(uint16_t format, uint16_t division, std::vector<std::vector<uint8_t>> tracks)
{
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, uint8_t(format), 0, uint8_t(tracks.size()),
                                uint8_t(division >> 8), uint8_t(division)};
    for (auto& t : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k', uint8_t(t.size() >> 24), uint8_t(t.size() >> 16), uint8_t(t.size() >> 8),
                                  uint8_t(t.size())});
        out.insert(out.end(), t.begin(), t.end());
    }
    return out;
}

TEST(MidiFile, TempoChangesShapeTheTimeline)
{
    // 96 ticks a quarter: one quarter at 120 bpm (0.5 s), then tempo 1 s a quarter for one more.
    auto tempo = std::vector<uint8_t> {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,
                                       0x60, 0xFF, 0x2F, 0x00};
    // Running status: the second note-on has no status byte.
    auto notes = std::vector<uint8_t> {0x00, 0x90, 60, 100, 0x60, 62, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
    auto song = parseMidiFile(smf(1, 96, {tempo, notes}));
    ASSERT_TRUE(song);
    ASSERT_EQ(song->events.size(), 3u);
    EXPECT_EQ(song->events[0].timeUs, 0u);
    EXPECT_EQ(song->events[1].timeUs, 500000u);
    EXPECT_EQ(song->events[1].data1, 62);
    EXPECT_EQ(song->events[1].status, 0x90);
    EXPECT_EQ(song->events[2].timeUs, 1500000u);
    EXPECT_EQ(song->lengthUs, 1500000u);
}

TEST(MidiFile, SkipsSystemExclusiveAndKeepsChannelMessages)
{
    auto track = std::vector<uint8_t> {0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xC1, 5, 0x30, 0xE1, 0x00, 0x40, 0x00, 0xFF, 0x2F, 0x00};
    auto song = parseMidiFile(smf(0, 48, {track}));
    ASSERT_TRUE(song);
    ASSERT_EQ(song->events.size(), 2u);
    EXPECT_EQ(song->events[0].status, 0xC1);
    EXPECT_EQ(song->events[1].timeUs, 500000u); // 48 ticks at the default tempo
}

TEST(MidiFile, RefusesBrokenFiles)
{
    auto good = std::vector<uint8_t> {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00};
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    auto trackPastEnd = smf(0, 96, {good});
    trackPastEnd[21] = 0x40;
    auto missingTrack = smf(1, 96, {good});
    missingTrack[11] = 2;
    auto format2 = smf(2, 96, {good});
    auto noDivision = smf(0, 0, {good});
    auto dataPastEnd = smf(0, 96, {{0x00, 0x90, 60}});
    auto runningWithoutStatus = smf(0, 96, {{0x00, 60, 100}});
    auto metaPastEnd = smf(0, 96, {{0x00, 0xFF, 0x01, 0x7F, 'a'}});
    auto endlessDelta = smf(0, 96, {{0xFF, 0xFF, 0xFF, 0xFF, 0x7F}});
    // More events than any song, of either kind: 700 kB of tempo changes, or notes by running status.
    std::vector<uint8_t> tempos, notes = {0x00, 0x90, 60, 100};
    for (int i = 0; i < 100'001; ++i) {
        tempos.insert(tempos.end(), {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
        notes.insert(notes.end(), {0x00, 60, uint8_t(i & 0x7F)});
    }
    for (auto& c : std::vector<Case> {{"track past the end", trackPastEnd}, {"missing track", missingTrack},
             {"format 2", format2}, {"zero division", noDivision}, {"data past the end", dataPastEnd},
             {"running status without status", runningWithoutStatus}, {"meta past the end", metaPastEnd},
             {"five-byte delta", endlessDelta}, {"tempo changes past the limit", smf(1, 96, {tempos, good})},
             {"notes past the limit", smf(0, 96, {notes})}, {"not MIDI", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}})
        EXPECT_FALSE(parseMidiFile(c.bytes)) << c.what;
}

TEST(MidiSequence, WithoutASoundFontKeepsTheSongsTimingInSilence)
{
    setenv("DERAZODO_SOUNDFONT", "/nonexistent/none.sf2", 1);
    MidiSong song;
    song.events.push_back({0, 0x90, 60, 100});
    song.lengthUs = 100000; // 4410 frames
    auto sequence = MidiSequence::create(song);
    unsetenv("DERAZODO_SOUNDFONT");
    EXPECT_FALSE(sequence->hasSynthesiser());
    Mixer::instance().useManualClock();
    Mixer::instance().deactivateAll();
    bool ended = false;
    sequence->setEndHandler([&] { ended = true; });
    sequence->play(song.lengthUs, 1);
    std::vector<int16_t> out(2 * 8000);
    Mixer::instance().renderFrames(out.data(), 8000);
    EXPECT_TRUE(sequence->isPlaying()); // the second pass
    EXPECT_FALSE(ended);
    Mixer::instance().renderFrames(out.data(), 1000);
    EXPECT_FALSE(sequence->isPlaying());
    EXPECT_TRUE(ended);
    EXPECT_EQ(sequence->positionUs(), 100000u);
    for (int16_t sample : out)
        ASSERT_EQ(sample, 0);
}

} // namespace
