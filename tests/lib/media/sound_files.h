// Builds small wave and MIDI files for the sound tests, and reads the mixer by hand.
#pragma once

#include "platform/media/mixer.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace testing_media {

inline void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}
inline void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline std::vector<uint8_t> chunk(const char* id, const std::vector<uint8_t>& body, uint32_t declared = ~0u)
{
    std::vector<uint8_t> out(id, id + 4);
    put32(out, declared == ~0u ? uint32_t(body.size()) : declared);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1)
        out.push_back(0);
    return out;
}

inline std::vector<uint8_t> formatBody(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t extra = 0)
{
    std::vector<uint8_t> f;
    put16(f, 1);
    put16(f, channels);
    put32(f, rate);
    put32(f, rate * channels * bits / 8);
    put16(f, uint16_t(channels * bits / 8));
    put16(f, bits);
    if (extra) {
        put16(f, 0);
        f.resize(16 + extra, 0);
    }
    return f;
}

inline std::vector<uint8_t> riff(const std::vector<std::vector<uint8_t>>& chunks)
{
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    for (auto& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    put32(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// 16-bit mono at `rate`: the given samples.
inline std::vector<uint8_t> wave16(const std::vector<int16_t>& samples, uint32_t rate = 44100)
{
    std::vector<uint8_t> data;
    for (int16_t s : samples)
        put16(data, uint16_t(s));
    return riff({chunk("fmt ", formatBody(1, rate, 16)), chunk("data", data)});
}

inline void writeBytes(const std::string& hostPath, const std::vector<uint8_t>& bytes)
{
    std::ofstream(hostPath, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A format-0 song of one note lasting `ms` milliseconds (division 1000 ticks, tempo 1 s a quarter).
inline std::vector<uint8_t> shortSong(uint32_t ms)
{
    std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x00, 0x90, 60, 100};
    auto var = [&](uint32_t v) {
        uint8_t bytes[5];
        int n = 0;
        do {
            bytes[n++] = v & 0x7F;
            v >>= 7;
        } while (v);
        while (n--)
            track.push_back(uint8_t(bytes[n] | (n ? 0x80 : 0)));
    };
    var(ms);
    track.insert(track.end(), {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x03, 0xE8, 'M', 'T', 'r', 'k'};
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(track.size() >> shift));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

// Left channel of `frames` frames mixed by hand.
inline std::vector<int16_t> renderLeft(size_t frames)
{
    std::vector<int16_t> out(frames * 2), left(frames);
    platform::media::Mixer::instance().renderFrames(out.data(), frames);
    for (size_t i = 0; i < frames; ++i)
        left[i] = out[i * 2];
    return left;
}

} // namespace testing_media
