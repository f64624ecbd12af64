// Tone and noise generators and the wave file writer for the generated sounds.
#include "tools/mkdata/sounds_synth.h"

#include <algorithm>
#include <cmath>

namespace mkdata::sounds {

namespace {
constexpr double kPi = 3.14159265358979323846;

double shapeValue(Shape shape, double phase)
{
    double p = phase - std::floor(phase);
    switch (shape) {
    case Shape::Sine: return std::sin(2 * kPi * p);
    case Shape::Square: return p < 0.5 ? 0.6 : -0.6;
    case Shape::Triangle: return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case Shape::Saw: return 2 * p - 1;
    }
    return 0;
}

double envelope(double t, double length, double attack, double release)
{
    double e = 1.0;
    if (t < attack)
        e = t / attack;
    if (t > length - release)
        e = std::min(e, std::max(0.0, (length - t) / release));
    return e;
}
} // namespace

double midiFrequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void Track::tone(double start, double length, double from, double to, Shape shape, double level, double attack, double release)
{
    size_t first = size_t(start * kRate);
    size_t count = size_t(length * kRate);
    ensure(first + count);
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        double t = double(i) / kRate;
        double frequency = from + (to - from) * (t / length);
        phase += frequency / kRate;
        samples[first + i] += float(level * envelope(t, length, attack, release) * shapeValue(shape, phase));
    }
}

void Track::noise(double start, double length, double level, double brightness, double decay, uint32_t seed)
{
    size_t first = size_t(start * kRate);
    size_t count = size_t(length * kRate);
    ensure(first + count);
    uint32_t state = seed ? seed : 1;
    double filtered = 0;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        double white = double(state >> 8) / double(1 << 24) * 2 - 1;
        filtered += brightness * (white - filtered);
        double t = double(i) / kRate;
        samples[first + i] += float(level * std::exp(-decay * t) * envelope(t, length, 0.002, 0.02) * filtered);
    }
}

void Track::note(double start, double length, int midiNote, double level)
{
    double f = midiFrequency(midiNote);
    tone(start, length, f, f, Shape::Triangle, level * 0.6, 0.01, 0.06);
    tone(start, length, 2 * f, 2 * f, Shape::Sine, level * 0.25, 0.01, 0.06);
    tone(start, length, 3 * f, 3 * f, Shape::Sine, level * 0.1, 0.01, 0.06);
}

std::vector<unsigned char> waveBytes(const Track& track)
{
    auto u32 = [](std::vector<unsigned char>& out, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back((unsigned char)(v >> (8 * i)));
    };
    auto u16 = [](std::vector<unsigned char>& out, uint16_t v) {
        out.push_back((unsigned char)v);
        out.push_back((unsigned char)(v >> 8));
    };
    uint32_t dataBytes = uint32_t(track.samples.size() * 2);
    std::vector<unsigned char> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    u32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    u32(out, 16);
    u16(out, 1);
    u16(out, 1);
    u32(out, kRate);
    u32(out, kRate * 2);
    u16(out, 2);
    u16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    u32(out, dataBytes);
    for (float s : track.samples)
        u16(out, uint16_t(int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32000))));
    return out;
}

} // namespace mkdata::sounds
