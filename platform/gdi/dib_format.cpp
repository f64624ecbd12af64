// BITMAPINFO parsing and description.
#include "platform/gdi/dib_format.h"

#include <cstring>

namespace platform::gdi {

PixelBuffer DibFormat::view(const void* bits, int rows) const
{
    PixelBuffer buffer;
    buffer.format = format;
    buffer.width = width;
    buffer.height = rows;
    buffer.bits = static_cast<uint8_t*>(const_cast<void*>(bits));
    buffer.stride = stride;
    buffer.bottomUp = bottomUp;
    buffer.palette = palette.data();
    buffer.paletteSize = int(palette.size());
    return buffer;
}

std::optional<DibFormat> parseDib(const BITMAPINFO* info, UINT usage)
{
    if (!info || usage != DIB_RGB_COLORS)
        return std::nullopt;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 65535
        || h.biHeight > 65535 || h.biHeight < -65535)
        return std::nullopt;
    DibFormat dib;
    dib.width = h.biWidth;
    dib.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    dib.bottomUp = h.biHeight > 0;
    dib.compression = h.biCompression;
    const uint8_t* colours = reinterpret_cast<const uint8_t*>(info) + h.biSize;
    switch (h.biBitCount) {
    case 1:
        dib.format = PixelFormat::Index1;
        break;
    case 4:
        dib.format = PixelFormat::Index4;
        break;
    case 8:
        dib.format = PixelFormat::Index8;
        break;
    case 16:
        dib.format = PixelFormat::Rgb555;
        break;
    case 24:
        dib.format = PixelFormat::Rgb24;
        break;
    case 32:
        dib.format = PixelFormat::Xrgb32;
        break;
    default:
        return std::nullopt;
    }
    if (h.biCompression == BI_BITFIELDS) {
        // The masks follow a 40-byte header and sit inside the longer ones, at the same offset.
        DWORD masks[3];
        std::memcpy(masks, reinterpret_cast<const uint8_t*>(info) + sizeof(BITMAPINFOHEADER), sizeof masks);
        if (h.biBitCount == 16 && masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F)
            dib.format = PixelFormat::Rgb565;
        else if (h.biBitCount == 16 && masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F)
            dib.format = PixelFormat::Rgb555;
        else if (!(h.biBitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF))
            return std::nullopt;
    } else if (h.biCompression != BI_RGB) {
        return std::nullopt;
    }
    if (h.biBitCount <= 8) {
        DWORD most = DWORD(1) << h.biBitCount;
        DWORD count = h.biClrUsed == 0 || h.biClrUsed > most ? most : h.biClrUsed;
        dib.palette.resize(count);
        for (DWORD i = 0; i < count; ++i) {
            const uint8_t* q = colours + 4 * i;
            dib.palette[i] = (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
        }
    }
    dib.stride = rowBytes(dib.format, dib.width);
    return dib;
}

void describeDib(BITMAPINFO* info, PixelFormat format, int width, int height, bool bottomUp,
    const std::vector<uint32_t>& palette)
{
    BITMAPINFOHEADER& h = info->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = bottomUp ? height : -height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bitsPerPixel(format));
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(rowBytes(format, width) * size_t(height));
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    uint8_t* colours = reinterpret_cast<uint8_t*>(info) + sizeof(BITMAPINFOHEADER);
    if (format == PixelFormat::Rgb565) {
        h.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = { 0xF800, 0x07E0, 0x001F };
        std::memcpy(colours, masks, sizeof masks);
    }
    if (isIndexed(format)) {
        for (size_t i = 0; i < palette.size(); ++i) {
            RGBQUAD q { uint8_t(palette[i]), uint8_t(palette[i] >> 8), uint8_t(palette[i] >> 16), 0 };
            std::memcpy(colours + 4 * i, &q, 4);
        }
    }
}

std::vector<uint32_t> defaultPalette(PixelFormat format)
{
    std::vector<uint32_t> palette;
    switch (format) {
    case PixelFormat::Mono:
    case PixelFormat::Index1:
        return { 0x000000, 0xFFFFFF };
    case PixelFormat::Index4:
        return { 0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080, 0xC0C0C0,
            0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF };
    case PixelFormat::Index8:
        // A 6 x 6 x 6 colour cube followed by a grey ramp.
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    palette.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51));
        for (int i = 0; i < 40; ++i) {
            uint32_t v = uint32_t(i * 255 / 39);
            palette.push_back(v << 16 | v << 8 | v);
        }
        return palette;
    default:
        return palette;
    }
}

} // namespace platform::gdi
