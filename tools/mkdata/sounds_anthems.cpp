// The eight anthems that "anthem.lst" names: "tkbgm\anthem1.wav" .. "anthem8.wav", short looping tunes.
#include "tools/mkdata/generator.h"
#include "tools/mkdata/sounds_synth.h"

#include <cmath>
#include <string>
#include <utility>

namespace mkdata::sounds {
namespace {

// Degrees of the major scale from the tonic (0), 7 the octave; lengths in beats.
using Phrase = std::vector<std::pair<int, double>>;

struct Anthem {
    int tonic;   // MIDI note
    double beat; // seconds
    Phrase melody;
};

int scaleNote(int tonic, int degree)
{
    static const int steps[7] = { 0, 2, 4, 5, 7, 9, 11 };
    int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    return tonic + 12 * octave + steps[degree - 7 * octave];
}

const Anthem kAnthems[8] = {
    { 60, 0.42, { { 0, 1 }, { 2, 1 }, { 4, 1.5 }, { 4, 0.5 }, { 5, 1 }, { 4, 1 }, { 2, 2 },
                  { 3, 1 }, { 1, 1 }, { 4, 1 }, { 2, 1 }, { 1, 1 }, { 6, 1 }, { 7, 2 } } },
    { 62, 0.45, { { 4, 1.5 }, { 3, 0.5 }, { 2, 1 }, { 0, 1 }, { 1, 1 }, { 2, 1 }, { 4, 2 },
                  { 5, 1 }, { 4, 1 }, { 2, 1 }, { 3, 1 }, { 1, 1.5 }, { 0, 0.5 }, { 0, 2 } } },
    { 57, 0.5, { { 0, 1 }, { 4, 1 }, { 3, 1 }, { 2, 1 }, { 1, 1 }, { 2, 1 }, { 0, 2 },
                 { 5, 1 }, { 4, 1 }, { 7, 1 }, { 6, 1 }, { 4, 1 }, { 1, 1 }, { 0, 2 } } },
    { 65, 0.38, { { 0, 0.5 }, { 0, 0.5 }, { 4, 1 }, { 4, 1 }, { 5, 0.5 }, { 6, 0.5 }, { 7, 2 },
                  { 5, 1 }, { 3, 1 }, { 4, 1 }, { 2, 1 }, { 3, 1 }, { 1, 1 }, { 0, 2 } } },
    { 55, 0.48, { { 2, 1 }, { 1, 0.5 }, { 0, 0.5 }, { 4, 2 }, { 5, 1 }, { 7, 1 }, { 4, 2 },
                  { 3, 1 }, { 2, 1 }, { 1, 1 }, { 5, 1 }, { 4, 1 }, { 1, 1 }, { 0, 2 } } },
    { 64, 0.4, { { 0, 1 }, { 1, 1 }, { 2, 1 }, { 0, 1 }, { 4, 2 }, { 3, 1 }, { 2, 1 },
                 { 1, 1 }, { 2, 1 }, { 3, 1 }, { 1, 1 }, { 0, 1 }, { -1, 1 }, { 0, 2 } } },
    { 58, 0.44, { { 4, 1 }, { 7, 1 }, { 6, 1 }, { 4, 1 }, { 5, 1.5 }, { 4, 0.5 }, { 2, 2 },
                  { 3, 1 }, { 5, 1 }, { 4, 1 }, { 2, 1 }, { 1, 1 }, { 2, 1 }, { 0, 2 } } },
    { 63, 0.36, { { 0, 0.5 }, { 2, 0.5 }, { 4, 0.5 }, { 7, 1.5 }, { 6, 1 }, { 4, 1 }, { 5, 2 },
                  { 4, 1 }, { 3, 1 }, { 2, 1 }, { 1, 1 }, { 4, 1 }, { 6, 1 }, { 7, 3 } } },
};

Track render(const Anthem& anthem)
{
    Track track;
    double at = 0;
    for (auto [degree, beats] : anthem.melody) {
        track.note(at, beats * anthem.beat * 0.92, scaleNote(anthem.tonic, degree), 0.5);
        // A bass note on every second beat: the tonic, or the fifth under the middle degrees.
        double beat = at / anthem.beat;
        long whole = std::lround(beat);
        if (std::abs(beat - double(whole)) < 1e-6 && whole % 2 == 0) {
            bool fifth = degree >= 3 && degree <= 5;
            track.note(at, anthem.beat * 1.8, anthem.tonic - 24 + (fifth ? 7 : 0), 0.3);
        }
        at += beats * anthem.beat;
    }
    return track;
}

void writeAnthems(const std::filesystem::path& folder)
{
    for (int i = 0; i < 8; ++i)
        writeFile(folder / "tkbgm" / ("anthem" + std::to_string(i + 1) + ".wav"), waveBytes(render(kAnthems[i])));
}

MKDATA_GENERATOR("sounds_anthems", writeAnthems);

} // namespace
} // namespace mkdata::sounds
