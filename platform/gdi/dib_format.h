// Reading a BITMAPINFO: the pixel format, size, row order and colour table a DIB describes.
#pragma once

#include "platform/gdi/pixels.h"
#include "platform/gdi/wingdi.h"

#include <optional>
#include <vector>

namespace platform::gdi {

struct DibFormat {
    PixelFormat format = PixelFormat::Xrgb32;
    int width = 0;
    int height = 0; // always positive
    bool bottomUp = true;
    size_t stride = 0;
    DWORD compression = BI_RGB;
    std::vector<uint32_t> palette; // XRGB

    // A view of `rows` rows of DIB data at `bits` (rows in the DIB's own order).
    PixelBuffer view(const void* bits, int rows) const;
};

// Refuses what the layer cannot draw: DIB_PAL_COLORS tables, compressed data, unknown bit masks,
// bad sizes. Indexed formats get their colour table, at most 2^bits entries.
std::optional<DibFormat> parseDib(const BITMAPINFO* info, UINT usage);

// Writes the header (and for indexed formats the colour table) that describes `format` into
// `info`, keeping the caller's choice of row order.
void describeDib(BITMAPINFO* info, PixelFormat format, int width, int height, bool bottomUp,
    const std::vector<uint32_t>& palette);

// The colour table GetDIBits reports for an indexed format when the bitmap has none of its own.
std::vector<uint32_t> defaultPalette(PixelFormat format);

} // namespace platform::gdi
