// Builds BMP files of every depth and header form for the picture tests, with the colour each
// pixel should come out as.
#pragma once

#include "platform/gdi/wingdi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_bmp {

struct Layout {
    int bits = 24;
    int width = 4;
    int height = 3;
    bool topDown = false;
    uint32_t headerSize = 40; // 12, 40, 108 or 124
    bool fileHeader = true;
    uint32_t compression = BI_RGB; // BI_BITFIELDS for 32 bits: 8-8-8 masks
    uint32_t colourCount = 0;      // indexed: entries written and used; 0 = all the depth allows
    bool zeroImageSize = false;
};

// A layout with the name a parameterised test shows for it.
struct NamedLayout {
    std::string name;
    Layout layout;
    // What the test list shows for the parameter.
    friend void PrintTo(const NamedLayout& l, std::ostream* out) { *out << l.name; }
};

inline uint32_t entries(const Layout& l) { return l.colourCount ? l.colourCount : 1u << l.bits; }
inline uint32_t stride(const Layout& l) { return (uint32_t(l.bits) * uint32_t(l.width) + 31) / 32 * 4; }

inline uint32_t paletteColour(uint32_t i) { return ((i * 53 + 17) & 255) << 16 | ((i * 101 + 3) & 255) << 8 | ((i * 29 + 200) & 255); }
inline uint32_t indexAt(const Layout& l, int x, int y) { return uint32_t(x * 7 + y * 3) % entries(l); }
inline uint32_t expand5(uint32_t v) { return (v << 3) | (v >> 2); }

// The colour pixel (x, y) (rows top-down) should show as, 0x00RRGGBB.
inline uint32_t expectedColour(const Layout& l, int x, int y)
{
    if (l.bits <= 8)
        return paletteColour(indexAt(l, x, y));
    if (l.bits == 16)
        return expand5((x * 5 + y) & 31) << 16 | expand5((y * 9 + 2) & 31) << 8 | expand5((x + y * 3 + 7) & 31);
    return uint32_t((x * 40 + y * 5) & 255) << 16 | uint32_t((y * 60 + x) & 255) << 8 | uint32_t((x * y * 11 + 7) & 255);
}

inline void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline void set32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + size_t(i)] = uint8_t(v >> (8 * i));
}

inline std::vector<uint8_t> pixelRows(const Layout& l)
{
    std::vector<uint8_t> rows(size_t(stride(l)) * size_t(l.height), 0);
    for (int y = 0; y < l.height; ++y) {
        const int stored = l.topDown ? y : l.height - 1 - y;
        uint8_t* row = rows.data() + size_t(stored) * stride(l);
        for (int x = 0; x < l.width; ++x) {
            const uint32_t c = expectedColour(l, x, y);
            switch (l.bits) {
            case 1: row[x / 8] |= uint8_t(indexAt(l, x, y) << (7 - x % 8)); break;
            case 4: row[x / 2] |= uint8_t(indexAt(l, x, y) << (x % 2 ? 0 : 4)); break;
            case 8: row[x] = uint8_t(indexAt(l, x, y)); break;
            case 16: {
                const uint32_t v = ((x * 5 + y) & 31) << 10 | ((y * 9 + 2) & 31) << 5 | ((x + y * 3 + 7) & 31);
                row[x * 2] = uint8_t(v);
                row[x * 2 + 1] = uint8_t(v >> 8);
                break;
            }
            case 24:
                row[x * 3] = uint8_t(c);
                row[x * 3 + 1] = uint8_t(c >> 8);
                row[x * 3 + 2] = uint8_t(c >> 16);
                break;
            default:
                for (int i = 0; i < 4; ++i)
                    row[x * 4 + i] = uint8_t(c >> (8 * i));
            }
        }
    }
    return rows;
}

// The whole file (or a bare DIB when fileHeader is off).
inline std::vector<uint8_t> makeBmp(const Layout& l)
{
    const bool core = l.headerSize == 12;
    const bool bitfields = l.compression == BI_BITFIELDS;
    const uint32_t tableEntries = l.bits <= 8 ? entries(l) : 0;
    const uint32_t tableBytes = tableEntries * (core ? 3 : 4) + (bitfields && l.headerSize == 40 ? 12 : 0);
    const std::vector<uint8_t> rows = pixelRows(l);
    std::vector<uint8_t> out;
    if (l.fileHeader) {
        out = { 'B', 'M' };
        put32(out, 14 + l.headerSize + tableBytes + uint32_t(rows.size()));
        put32(out, 0);
        put32(out, 14 + l.headerSize + tableBytes);
    }
    const size_t headerAt = out.size();
    if (core) {
        put32(out, 12);
        put16(out, uint32_t(l.width));
        put16(out, uint32_t(l.height));
        put16(out, 1);
        put16(out, uint32_t(l.bits));
    } else {
        put32(out, l.headerSize);
        put32(out, uint32_t(l.width));
        put32(out, uint32_t(l.topDown ? -l.height : l.height));
        put16(out, 1);
        put16(out, uint32_t(l.bits));
        put32(out, l.compression);
        put32(out, l.zeroImageSize ? 0 : uint32_t(rows.size()));
        put32(out, 2835);
        put32(out, 2835);
        put32(out, l.colourCount);
        put32(out, 0);
        out.resize(headerAt + l.headerSize, 0);
        if (bitfields) {
            if (l.headerSize == 40)
                out.resize(out.size() + 12);
            set32(out, headerAt + 40, 0xFF0000);
            set32(out, headerAt + 44, 0xFF00);
            set32(out, headerAt + 48, 0xFF);
        }
    }
    for (uint32_t i = 0; i < tableEntries; ++i) {
        const uint32_t c = paletteColour(i);
        out.insert(out.end(), { uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16) });
        if (!core)
            out.push_back(0);
    }
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

} // namespace testing_bmp
