// The jingles in "tkwave" and a short march as a Standard MIDI File in "tkbgm".
#include "tools/mkdata/generator.h"
#include "tools/mkdata/sounds_synth.h"

#include <utility>

namespace mkdata::sounds {
namespace {

// A melody: (MIDI note or 0 for a rest, length in beats).
using Melody = std::vector<std::pair<int, double>>;

Track render(const Melody& melody, double beat, const Melody& bass = {})
{
    Track track;
    for (const Melody* line : {&melody, &bass}) {
        double at = 0;
        for (auto [note, beats] : *line) {
            if (note)
                track.note(at, beats * beat * 0.95, note, line == &melody ? 0.55 : 0.35);
            at += beats * beat;
        }
    }
    return track;
}

void writeJingles(const std::filesystem::path& folder)
{
    const double beat = 0.3;
    auto write = [&](const char* name, const Track& track) { writeFile(folder / "tkwave" / name, waveBytes(track)); };
    write("OPENING.wav", render({{67, 1}, {72, 1}, {76, 1}, {79, 2}, {76, 1}, {79, 3}}, beat,
                             {{48, 2}, {55, 2}, {48, 2}, {43, 1}, {48, 2}}));
    write("START.wav", render({{72, 0.5}, {72, 0.5}, {72, 0.5}, {79, 2}}, beat, {{48, 1.5}, {43, 2}}));
    write("VICTORY.wav", render({{72, 0.5}, {76, 0.5}, {79, 0.5}, {84, 1.5}, {79, 0.5}, {84, 3}}, beat,
                             {{48, 1.5}, {52, 1.5}, {55, 0.5}, {48, 3}}));
    write("DEFEAT.wav", render({{67, 1.5}, {63, 1.5}, {60, 1}, {55, 3}}, beat * 1.3, {{43, 3}, {36, 4}}));
    write("ENDING.wav", render({{64, 1}, {67, 1}, {72, 2}, {71, 1}, {67, 1}, {69, 1}, {72, 3}}, beat * 1.2,
                            {{48, 2}, {45, 2}, {43, 2}, {41, 1}, {48, 3}}));
}

// --- Standard MIDI File writer ---

void varLength(std::vector<unsigned char>& out, uint32_t value)
{
    unsigned char bytes[5];
    int count = 0;
    do {
        bytes[count++] = value & 0x7F;
        value >>= 7;
    } while (value);
    while (count--)
        out.push_back(bytes[count] | (count ? 0x80 : 0));
}

constexpr int kTicks = 96; // per quarter note

std::vector<unsigned char> trackChunk(const std::vector<unsigned char>& events)
{
    std::vector<unsigned char> out = {'M', 'T', 'r', 'k'};
    uint32_t size = uint32_t(events.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((unsigned char)(size >> shift));
    out.insert(out.end(), events.begin(), events.end());
    return out;
}

std::vector<unsigned char> noteTrack(int channel, int program, const Melody& melody, int velocity)
{
    std::vector<unsigned char> e;
    varLength(e, 0);
    e.insert(e.end(), {(unsigned char)(0xC0 | channel), (unsigned char)program});
    uint32_t rest = 0;
    for (auto [note, beats] : melody) {
        uint32_t ticks = uint32_t(beats * kTicks);
        if (!note) {
            rest += ticks;
            continue;
        }
        varLength(e, rest);
        e.insert(e.end(), {(unsigned char)(0x90 | channel), (unsigned char)note, (unsigned char)velocity});
        varLength(e, ticks * 9 / 10);
        e.insert(e.end(), {(unsigned char)(0x80 | channel), (unsigned char)note, 0});
        rest = ticks - ticks * 9 / 10;
    }
    varLength(e, rest);
    e.insert(e.end(), {0xFF, 0x2F, 0x00});
    return trackChunk(e);
}

// A brisk march in C: two eight-bar phrases over a tuba bass and a side drum.
std::vector<unsigned char> marchBytes()
{
    Melody tune = {
        {67, 0.75}, {67, 0.25}, {72, 1}, {72, 0.5}, {74, 0.5}, {76, 1}, {74, 0.5}, {72, 0.5}, {74, 2},
        {71, 0.75}, {71, 0.25}, {74, 1}, {74, 0.5}, {76, 0.5}, {77, 1}, {76, 0.5}, {74, 0.5}, {72, 2},
        {76, 0.75}, {76, 0.25}, {79, 1}, {77, 0.5}, {76, 0.5}, {74, 1}, {72, 0.5}, {71, 0.5}, {69, 2},
        {67, 0.5}, {69, 0.5}, {71, 0.5}, {72, 0.5}, {74, 1}, {71, 1}, {72, 2}, {0, 2},
    };
    Melody bass;
    for (int bar = 0; bar < 16; ++bar) {
        static const int roots[16] = {48, 48, 43, 43, 43, 43, 48, 48, 48, 48, 41, 41, 43, 43, 48, 48};
        bass.push_back({roots[bar], 1});
        bass.push_back({roots[bar] + 7, 1});
    }
    Melody drum;
    for (int bar = 0; bar < 16; ++bar)
        for (auto step : {std::pair {38, 0.5}, {38, 0.25}, {38, 0.25}, {38, 1.0}})
            drum.push_back(step);

    std::vector<unsigned char> tempo;
    varLength(tempo, 0);
    tempo.insert(tempo.end(), {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}); // 500000 us: 120 beats a minute
    varLength(tempo, 0);
    tempo.insert(tempo.end(), {0xFF, 0x58, 0x04, 0x02, 0x02, 0x18, 0x08}); // 2/4
    varLength(tempo, 0);
    tempo.insert(tempo.end(), {0xFF, 0x2F, 0x00});

    std::vector<unsigned char> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 4, 0, kTicks};
    for (auto& chunk : {trackChunk(tempo), noteTrack(0, 56, tune, 100), noteTrack(1, 58, bass, 90),
                        noteTrack(9, 0, drum, 80)})
        out.insert(out.end(), chunk.begin(), chunk.end());
    return out;
}

void writeMusic(const std::filesystem::path& folder)
{
    writeJingles(folder);
    writeFile(folder / "tkbgm" / "march.mid", marchBytes());
}

MKDATA_GENERATOR("sounds_music", writeMusic);

} // namespace
} // namespace mkdata::sounds
