// Pixel formats of bitmaps and surfaces, and conversion of rows to and from 32-bit XRGB.
#pragma once

#include "platform/kernel/windef.h"

#include <cstddef>
#include <cstdint>

namespace platform::gdi {

// Mono is a 1-bit device bitmap (0 black, 1 white; blits to and from colour go through the DC's
// text and background colours); Index1/4/8 are paletted DIBs.
enum class PixelFormat : uint8_t { Mono, Index1, Index4, Index8, Rgb555, Rgb565, Rgb24, Xrgb32 };

int bitsPerPixel(PixelFormat format);
bool isIndexed(PixelFormat format);
// Bytes per row, padded to 32 bits as DIBs and device bitmaps are.
size_t rowBytes(PixelFormat format, int width);

// A view of pixel memory in any format. Row y is at rowPointer(y); bottom-up DIBs keep
// row 0 last in memory.
struct PixelBuffer {
    PixelFormat format = PixelFormat::Xrgb32;
    int width = 0;
    int height = 0;
    uint8_t* bits = nullptr;
    size_t stride = 0;
    bool bottomUp = false;
    const uint32_t* palette = nullptr; // XRGB entries for indexed formats
    int paletteSize = 0;

    uint8_t* rowPointer(int y) const { return bits + size_t(bottomUp ? height - 1 - y : y) * stride; }
    bool valid() const { return bits && width > 0 && height > 0; }
};

inline uint32_t colorrefToXrgb(COLORREF c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF xrgbToColorref(uint32_t p)
{
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

// Reads n pixels of row y from column x as XRGB; the range must lie inside the buffer.
void readRow(const PixelBuffer& buffer, int x, int y, int n, uint32_t* out);
// Writes n XRGB pixels; indexed formats take the nearest palette entry (exact matches first).
void writeRow(const PixelBuffer& buffer, int x, int y, int n, const uint32_t* in);
uint32_t readPixel(const PixelBuffer& buffer, int x, int y);
void writePixel(const PixelBuffer& buffer, int x, int y, uint32_t xrgb);
// The nearest palette index to a colour (first of equals).
int nearestIndex(const uint32_t* palette, int size, uint32_t xrgb);
// Black or white, whichever is nearer: a colour as a monochrome bitmap takes it.
uint32_t nearestBlackOrWhite(uint32_t xrgb);

} // namespace platform::gdi
