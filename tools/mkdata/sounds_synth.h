// Small synthesiser for the generated sounds: tones, noise and envelopes into 16-bit PCM wave files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mkdata::sounds {

inline constexpr int kRate = 22050;

enum class Shape { Sine, Square, Triangle, Saw };

// Mono samples in -1..1 at kRate.
struct Track {
    std::vector<float> samples;

    void ensure(size_t count)
    {
        if (samples.size() < count)
            samples.resize(count, 0.0f);
    }
    // A tone from `start` seconds, gliding from `from` to `to` Hz, with attack/release in seconds.
    void tone(double start, double length, double from, double to, Shape shape, double level,
        double attack = 0.005, double release = 0.05);
    // Low-passed white noise; `brightness` 0..1 sets the filter, `decay` the exponential fall per second.
    void noise(double start, double length, double level, double brightness, double decay, uint32_t seed);
    // A note with a few harmonics, for melodies.
    void note(double start, double length, int midiNote, double level);
};

// PCM wave bytes: "RIFF", "WAVE", "fmt " at byte 12 (16 bytes, 16-bit mono), then "data".
std::vector<unsigned char> waveBytes(const Track& track);

double midiFrequency(int note);

} // namespace mkdata::sounds
