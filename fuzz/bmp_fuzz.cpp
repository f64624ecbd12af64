// Fuzzes the BMP reader of the GDI area: any bytes are a refusal or a DIB whose table and rows can
// be walked, made into a DIB section (as LoadImageA does) and a screen bitmap, and mirrored,
// recoloured and turned into a device bitmap by the class library without leaving the block.
#include "lib/error.h"
#include "lib/media/colour_filter.h"
#include "platform/gdi/bmp_reader.h"

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
    for (bool section : { true, false }) {
        HBITMAP bitmap = platform::gdi::bitmapFromPackedDib(dib, section);
        DIBSECTION ds {};
        if (bitmap && GetObjectA(bitmap, sizeof ds, &ds) && ds.dsBm.bmBits)
            sink = sink + static_cast<const uint8_t*>(ds.dsBm.bmBits)[size_t(ds.dsBm.bmWidthBytes) * size_t(ds.dsBm.bmHeight) - 1];
        DeleteObject(bitmap);
    }
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
