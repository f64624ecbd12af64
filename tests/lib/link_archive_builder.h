// Builds link archives and run-length data in memory for the archive tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace testing_lib {

using Bytes = std::vector<uint8_t>;

inline void putU32(Bytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

inline void setU32(Bytes& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = uint8_t(v >> (8 * i));
}

inline Bytes header(const char* magic)
{
    Bytes out(16, 0);
    std::memcpy(out.data(), magic, std::strlen(magic));
    return out;
}

// Encodes units of width 1 or 2 (little-endian) the way the decoder reads them: a run of n
// equal units is the unit twice and then n, split at the count's largest value.
inline Bytes rleEncode(const Bytes& data, int width)
{
    const uint32_t max_count = width == 2 ? 0xFFFF : 0xFF;
    auto unit = [&](size_t i) {
        return width == 2 ? uint32_t(data[2 * i] | data[2 * i + 1] << 8) : uint32_t(data[i]);
    };
    auto put = [&](Bytes& out, uint32_t v) {
        out.push_back(uint8_t(v));
        if (width == 2)
            out.push_back(uint8_t(v >> 8));
    };
    Bytes out;
    size_t units = data.size() / width;
    for (size_t i = 0; i < units;) {
        size_t run = 1;
        while (i + run < units && unit(i + run) == unit(i) && run < max_count)
            ++run;
        put(out, unit(i));
        if (run > 1) {
            put(out, unit(i));
            put(out, uint32_t(run));
        }
        i += run;
    }
    return out;
}

struct Member {
    uint32_t method;
    Bytes unpacked;
};

// "FLINK Ver1.00": header, a count, a directory of 16-byte entries, then the stored bytes.
inline Bytes directoryArchive(const std::vector<Member>& members)
{
    Bytes out = header("FLINK Ver1.00");
    putU32(out, uint32_t(members.size()));
    size_t directory = out.size();
    out.resize(out.size() + 16 * members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        const Member& m = members[i];
        Bytes stored = m.method <= 1 ? rleEncode(m.unpacked, m.method == 1 ? 2 : 1) : m.unpacked;
        size_t entry = directory + 16 * i;
        setU32(out, entry, m.method);
        setU32(out, entry + 4, uint32_t(m.unpacked.size()));
        setU32(out, entry + 8, uint32_t(stored.size()));
        setU32(out, entry + 12, uint32_t(out.size()));
        out.insert(out.end(), stored.begin(), stored.end());
    }
    return out;
}

struct Block {
    uint8_t method;
    Bytes stored;
};

// "FLINK2 ver.00": header, start offsets of each member and the end of the last, then each
// member's chain of blocks (u16 length, u8 method, bytes).
inline Bytes blockArchive(const std::vector<std::vector<Block>>& members)
{
    Bytes out = header("FLINK2 ver.00");
    size_t table = out.size();
    out.resize(out.size() + 4 * (members.size() + 1));
    for (size_t i = 0; i < members.size(); ++i) {
        setU32(out, table + 4 * i, uint32_t(out.size()));
        for (const Block& b : members[i]) {
            out.push_back(uint8_t(b.stored.size()));
            out.push_back(uint8_t(b.stored.size() >> 8));
            out.push_back(b.method);
            out.insert(out.end(), b.stored.begin(), b.stored.end());
        }
    }
    setU32(out, table + 4 * members.size(), uint32_t(out.size()));
    return out;
}

} // namespace testing_lib
