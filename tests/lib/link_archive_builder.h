// Builds link archives and run-length data in memory for the archive tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace testing_lib {

using Bytes = std::vector<uint8_t>;

inline void setU32(Bytes& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = uint8_t(v >> (8 * i));
}

inline void append(Bytes& out, uint32_t v, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

inline Bytes header(const char* magic)
{
    Bytes out(16, 0);
    std::memcpy(out.data(), magic, std::strlen(magic));
    return out;
}

// Units of width 1 or 2 as the decoder reads them: a run is the unit twice and then its
// count, split where the count would overflow.
inline Bytes rleEncode(const Bytes& data, int width)
{
    const uint32_t max_count = width == 2 ? 0xFFFF : 0xFF;
    auto unit = [&](size_t i) { return width == 2 ? uint32_t(data[2 * i] | data[2 * i + 1] << 8) : uint32_t(data[i]); };
    Bytes out;
    for (size_t i = 0, units = data.size() / width; i < units;) {
        size_t run = 1;
        while (i + run < units && unit(i + run) == unit(i) && run < max_count)
            ++run;
        append(out, unit(i), width);
        if (run > 1) {
            append(out, unit(i), width);
            append(out, uint32_t(run), width);
        }
        i += run;
    }
    return out;
}

struct Member {
    uint32_t method;
    Bytes unpacked;
};

// "FLINK Ver1.00": header, a count, 16-byte entries (method, unpacked, stored, offset), data.
inline Bytes directoryArchive(const std::vector<Member>& members)
{
    Bytes out = header("FLINK Ver1.00");
    append(out, uint32_t(members.size()), 4);
    out.resize(out.size() + 16 * members.size());
    for (size_t i = 0; i < members.size(); ++i) {
        const Member& m = members[i];
        Bytes stored = m.method <= 1 ? rleEncode(m.unpacked, m.method == 1 ? 2 : 1) : m.unpacked;
        const uint32_t entry[] = { m.method, uint32_t(m.unpacked.size()), uint32_t(stored.size()), uint32_t(out.size()) };
        for (size_t f = 0; f < 4; ++f)
            setU32(out, 20 + 16 * i + 4 * f, entry[f]);
        out.insert(out.end(), stored.begin(), stored.end());
    }
    return out;
}

struct Block {
    uint8_t method;
    Bytes stored;
};

// "FLINK2 ver.00": header, each member's start and the last one's end, then chains of blocks
// (u16 length, u8 method, bytes).
inline Bytes blockArchive(const std::vector<std::vector<Block>>& members)
{
    Bytes out = header("FLINK2 ver.00");
    out.resize(out.size() + 4 * (members.size() + 1));
    for (size_t i = 0; i <= members.size(); ++i) {
        setU32(out, 16 + 4 * i, uint32_t(out.size()));
        for (const Block& b : i < members.size() ? members[i] : std::vector<Block> {}) {
            append(out, uint32_t(b.stored.size()), 2);
            out.push_back(b.method);
            out.insert(out.end(), b.stored.begin(), b.stored.end());
        }
    }
    return out;
}

} // namespace testing_lib
