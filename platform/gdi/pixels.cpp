// Row conversions between every pixel format and 32-bit XRGB.
#include "platform/gdi/pixels.h"

#include <cstring>

namespace platform::gdi {

namespace {

const uint32_t kMonoPalette[2] = { 0x000000, 0xFFFFFF };

const uint32_t* paletteOf(const PixelBuffer& b, int& size)
{
    if (b.format == PixelFormat::Mono) {
        size = 2;
        return kMonoPalette;
    }
    size = b.paletteSize;
    return b.palette;
}

// Pixel x of a 16-bit row: a little-endian word, as the host's own.
inline uint32_t word16(const uint8_t* row, int x)
{
    uint16_t word;
    std::memcpy(&word, row + 2 * size_t(x), 2);
    return word;
}

} // namespace

int bitsPerPixel(PixelFormat format)
{
    switch (format) {
    case PixelFormat::Mono:
    case PixelFormat::Index1:
        return 1;
    case PixelFormat::Index4:
        return 4;
    case PixelFormat::Index8:
        return 8;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565:
        return 16;
    case PixelFormat::Rgb24:
        return 24;
    case PixelFormat::Xrgb32:
        return 32;
    }
    return 32;
}

bool isIndexed(PixelFormat format)
{
    return format == PixelFormat::Mono || format == PixelFormat::Index1 || format == PixelFormat::Index4
        || format == PixelFormat::Index8;
}

size_t rowBytes(PixelFormat format, int width)
{
    return ((size_t(bitsPerPixel(format)) * size_t(width > 0 ? width : 0) + 31) / 32) * 4;
}

uint32_t nearestBlackOrWhite(uint32_t xrgb)
{
    static const uint32_t kBlackWhite[2] = { 0x000000, 0xFFFFFF };
    return nearestIndex(kBlackWhite, 2, xrgb) ? 0xFFFFFF : 0;
}

int nearestIndex(const uint32_t* palette, int size, uint32_t xrgb)
{
    xrgb &= 0xFFFFFF;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < size; ++i) {
        uint32_t p = palette[i] & 0xFFFFFF;
        if (p == xrgb)
            return i;
        long dr = long((p >> 16) & 0xFF) - long((xrgb >> 16) & 0xFF);
        long dg = long((p >> 8) & 0xFF) - long((xrgb >> 8) & 0xFF);
        long db = long(p & 0xFF) - long(xrgb & 0xFF);
        long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void readRow(const PixelBuffer& b, int x, int y, int n, uint32_t* out)
{
    const uint8_t* row = b.rowPointer(y);
    int paletteSize = 0;
    const uint32_t* palette = paletteOf(b, paletteSize);
    auto lookup = [&](unsigned index) { return int(index) < paletteSize ? palette[index] & 0xFFFFFF : 0u; };
    switch (b.format) {
    case PixelFormat::Mono:
    case PixelFormat::Index1:
        for (int i = 0; i < n; ++i) {
            int px = x + i;
            out[i] = lookup((row[px >> 3] >> (7 - (px & 7))) & 1);
        }
        break;
    case PixelFormat::Index4:
        for (int i = 0; i < n; ++i) {
            int px = x + i;
            out[i] = lookup((px & 1) ? row[px >> 1] & 0x0F : row[px >> 1] >> 4);
        }
        break;
    case PixelFormat::Index8:
        for (int i = 0; i < n; ++i)
            out[i] = lookup(row[x + i]);
        break;
    case PixelFormat::Rgb555:
        for (int i = 0; i < n; ++i) {
            const uint32_t v = word16(row, x + i);
            // Each channel goes to the top of its byte, then its top bits repeat below it.
            const uint32_t spread = (v & 0x7C00) << 9 | (v & 0x03E0) << 6 | (v & 0x001F) << 3;
            out[i] = spread | (spread >> 5 & 0x070707);
        }
        break;
    case PixelFormat::Rgb565:
        for (int i = 0; i < n; ++i) {
            const uint32_t v = word16(row, x + i);
            const uint32_t spread = (v & 0xF800) << 8 | (v & 0x07E0) << 5 | (v & 0x001F) << 3;
            out[i] = spread | (spread >> 5 & 0x070007) | (spread >> 6 & 0x000300);
        }
        break;
    case PixelFormat::Rgb24:
        for (int i = 0; i < n; ++i) {
            const uint8_t* p = row + 3 * (x + i);
            out[i] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
        }
        break;
    case PixelFormat::Xrgb32: {
        const uint32_t* p = reinterpret_cast<const uint32_t*>(row) + x;
        for (int i = 0; i < n; ++i)
            out[i] = p[i] & 0xFFFFFF;
        break;
    }
    }
}

void writeRow(const PixelBuffer& b, int x, int y, int n, const uint32_t* in)
{
    uint8_t* row = b.rowPointer(y);
    if (isIndexed(b.format)) {
        int paletteSize = 0;
        const uint32_t* palette = paletteOf(b, paletteSize);
        uint32_t lastColour = ~0u;
        unsigned lastIndex = 0;
        for (int i = 0; i < n; ++i) {
            uint32_t c = in[i] & 0xFFFFFF;
            if (c != lastColour) {
                lastColour = c;
                lastIndex = paletteSize > 0 ? unsigned(nearestIndex(palette, paletteSize, c)) : 0;
            }
            int px = x + i;
            switch (b.format) {
            case PixelFormat::Mono:
            case PixelFormat::Index1: {
                uint8_t mask = uint8_t(0x80 >> (px & 7));
                row[px >> 3] = lastIndex ? (row[px >> 3] | mask) : (row[px >> 3] & ~mask);
                break;
            }
            case PixelFormat::Index4:
                if (px & 1)
                    row[px >> 1] = uint8_t((row[px >> 1] & 0xF0) | (lastIndex & 0x0F));
                else
                    row[px >> 1] = uint8_t((row[px >> 1] & 0x0F) | ((lastIndex & 0x0F) << 4));
                break;
            default:
                row[px] = uint8_t(lastIndex);
                break;
            }
        }
        return;
    }
    switch (b.format) {
    case PixelFormat::Rgb555:
        for (int i = 0; i < n; ++i) {
            uint32_t c = in[i];
            uint32_t v = (((c >> 19) & 31) << 10) | (((c >> 11) & 31) << 5) | ((c >> 3) & 31);
            row[2 * (x + i)] = uint8_t(v);
            row[2 * (x + i) + 1] = uint8_t(v >> 8);
        }
        break;
    case PixelFormat::Rgb565:
        for (int i = 0; i < n; ++i) {
            uint32_t c = in[i];
            uint32_t v = (((c >> 19) & 31) << 11) | (((c >> 10) & 63) << 5) | ((c >> 3) & 31);
            row[2 * (x + i)] = uint8_t(v);
            row[2 * (x + i) + 1] = uint8_t(v >> 8);
        }
        break;
    case PixelFormat::Rgb24:
        for (int i = 0; i < n; ++i) {
            uint8_t* p = row + 3 * (x + i);
            p[0] = uint8_t(in[i]);
            p[1] = uint8_t(in[i] >> 8);
            p[2] = uint8_t(in[i] >> 16);
        }
        break;
    case PixelFormat::Xrgb32: {
        uint32_t* p = reinterpret_cast<uint32_t*>(row) + x;
        for (int i = 0; i < n; ++i)
            p[i] = in[i] & 0xFFFFFF;
        break;
    }
    default:
        break;
    }
}

uint32_t readPixel(const PixelBuffer& buffer, int x, int y)
{
    uint32_t value = 0;
    readRow(buffer, x, y, 1, &value);
    return value;
}

void writePixel(const PixelBuffer& buffer, int x, int y, uint32_t xrgb) { writeRow(buffer, x, y, 1, &xrgb); }

} // namespace platform::gdi
