// Small wave and MIDI files written by the platform media tests into a private folder.
#pragma once

#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace testing_media {

class MediaFolder {
public:
    MediaFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "derazodo-media-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            ADD_FAILURE() << "cannot make a temporary folder";
        m_path = pattern;
        platform::setProgramFolder(m_path + "/");
    }
    ~MediaFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(m_path + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

private:
    std::string m_path;
};

// 16-bit mono wave of `count` samples of `level` at `rate`.
inline std::vector<uint8_t> flatWave(size_t count, int16_t level, uint32_t rate = 44100)
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
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    u32(uint32_t(36 + count * 2));
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    u32(uint32_t(count * 2));
    for (size_t i = 0; i < count; ++i)
        u16(uint16_t(level));
    return out;
}

// One held note lasting `ms` milliseconds (1000 ticks a quarter at one quarter a second).
inline std::vector<uint8_t> noteSong(uint32_t ms)
{
    std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x00, 0x90, 60, 100};
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = ms & 0x7F;
        ms >>= 7;
    } while (ms);
    while (n--)
        track.push_back(uint8_t(bytes[n] | (n ? 0x80 : 0)));
    track.insert(track.end(), {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x03, 0xE8, 'M', 'T', 'r', 'k', 0, 0, 0,
                                uint8_t(track.size())};
    for (uint8_t byte : track)
        out.push_back(byte);
    return out;
}

} // namespace testing_media
