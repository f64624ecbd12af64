// Fuzzes the BMP reader: any bytes are a refusal or a DIB whose table and rows can be walked,
// mirrored, recoloured and turned into a device bitmap without leaving the block.
#include "lib/error.h"
#include "lib/media/colour_filter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BmpReadResult read = bmpReadBytes(std::span<const uint8_t>(data, size));
    if (!read)
        return 0;
    PackedDib& dib = read.dib;
    volatile uint8_t sink = 0;
    for (size_t i = 0; i < dib.pixelBytes(); i += 61)
        sink = sink + dib.pixels()[i];
    std::vector<uint8_t> rows = dibMirroredRows(dib, int(size % 4));
    if (!rows.empty())
        sink = sink + rows.back();
    try {
        ColourFilter filter(uint32_t(size * 7 % 400), 200, 100, uint32_t(size % 5));
        HBITMAP bitmap = filter.dibToBitmap(dib, DIB_RGB_COLORS, int(size % 4), 0xFF00FF, 0x808080);
        DeleteObject(bitmap);
    } catch (swCError* error) {
        delete error;
    }
    return 0;
}
