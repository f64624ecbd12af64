// The byte-level BMP reader: file header, the 12-byte core and the 40-byte (and longer) info
// headers, colour tables, bit masks and pixel rows, each checked against the bytes at hand.
#include "platform/gdi/bmp_reader.h"

#include <algorithm>
#include <limits>
#include <cstring>

namespace {

constexpr WORD kBmpMagic = 0x4D42; // "BM"
constexpr LONG kMaxSide = 16384;   // no picture of the game comes near

uint32_t read32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

BmpReadResult refuse(const char* why)
{
    BmpReadResult result;
    result.error = why;
    return result;
}

bool knownInfoHeaderSize(uint32_t size)
{
    // 40 and the longer forms whose first 40 bytes are the same header (masks, colour space).
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool knownDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// Run-length rows are never drawn by the layer; refusing them here also spares allocating a
// device bitmap of whatever size a few compressed bytes claim.
bool compressionFits(const BITMAPINFOHEADER& h)
{
    return h.biCompression == BI_RGB || (h.biCompression == BI_BITFIELDS && (h.biBitCount == 16 || h.biBitCount == 32));
}

} // namespace

PackedDib::PackedDib(const BITMAPINFOHEADER& header, size_t tableBytes, size_t pixelBytes)
    : m_bytes(sizeof(BITMAPINFOHEADER) + tableBytes + pixelBytes, 0)
    , m_tableBytes(tableBytes)
{
    std::memcpy(m_bytes.data(), &header, sizeof header);
}

RGBQUAD* PackedDib::colours()
{
    if (m_bytes.empty() || header().biCompression == BI_BITFIELDS)
        return nullptr;
    return reinterpret_cast<RGBQUAD*>(table());
}

size_t PackedDib::colourCount() const
{
    if (m_bytes.empty() || header().biCompression == BI_BITFIELDS)
        return 0;
    return std::min<size_t>(bmpColourCount(header()), m_tableBytes / sizeof(RGBQUAD));
}

DWORD bmpColourCount(const BITMAPINFOHEADER& header)
{
    if (header.biSize != sizeof(BITMAPCOREHEADER) && header.biClrUsed != 0)
        return header.biClrUsed;
    switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint64_t bmpRowStride(int bitCount, int width)
{
    return (uint64_t(bitCount) * uint64_t(width) + 31) / 32 * 4;
}

BmpReadResult bmpReadBytes(std::span<const uint8_t> bytes)
{
    const size_t total = bytes.size();
    const uint8_t* data = bytes.data();
    size_t pos = 0;
    uint32_t offBits = 0;
    if (total < sizeof(BITMAPFILEHEADER))
        return refuse("file header cut short");
    if (read16(data) == kBmpMagic) {
        offBits = read32(data + 10);
        pos = sizeof(BITMAPFILEHEADER);
    }
    if (total - pos < 4)
        return refuse("info header cut short");
    const uint32_t headerSize = read32(data + pos);
    const bool core = headerSize == sizeof(BITMAPCOREHEADER);
    if (!core && !knownInfoHeaderSize(headerSize))
        return refuse("unknown info header size");
    if (total - pos < headerSize)
        return refuse("info header cut short");

    BITMAPINFOHEADER h {};
    if (core) {
        h.biWidth = read16(data + pos + 4);
        h.biHeight = read16(data + pos + 6);
        h.biPlanes = read16(data + pos + 8);
        h.biBitCount = read16(data + pos + 10);
    } else {
        std::memcpy(&h, data + pos, sizeof h);
    }
    if (!knownDepth(h.biBitCount))
        return refuse("unsupported bits per pixel");
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == std::numeric_limits<LONG>::min())
        return refuse("bad picture size");
    if (!compressionFits(h))
        return refuse("unsupported compression");
    const LONG rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (h.biWidth > kMaxSide || rows > kMaxSide || uint64_t(h.biWidth) * uint64_t(rows) > kMaxPicturePixels) {
        BmpReadResult result = refuse("picture too large");
        result.tooLarge = true;
        return result;
    }

    const bool indexed = h.biBitCount <= 8;
    const bool bitfields = h.biCompression == BI_BITFIELDS;
    uint64_t count = core ? (indexed ? (1u << h.biBitCount) : 0) : (h.biClrUsed ? h.biClrUsed : bmpColourCount(h));
    if (indexed && count > (1u << h.biBitCount))
        return refuse("colour table larger than the depth allows");

    size_t tableStart = pos + headerSize;
    size_t maskStart = pos + sizeof(BITMAPINFOHEADER);
    if (bitfields && headerSize == sizeof(BITMAPINFOHEADER))
        tableStart += 12;
    if (bitfields && total < maskStart + 12)
        return refuse("bit masks cut short");
    const uint64_t entrySize = core ? 3 : 4;
    if (count > (total - std::min(total, tableStart)) / entrySize || tableStart > total)
        return refuse("colour table cut short");
    const size_t tableEnd = tableStart + size_t(count * entrySize);

    size_t pixelStart = tableEnd;
    if (offBits != 0) {
        if (offBits < tableStart || offBits > total)
            return refuse("pixel offset outside the file");
        pixelStart = offBits;
    }
    const size_t available = total - pixelStart;
    const uint64_t pixelBytes = bmpRowStride(h.biBitCount, h.biWidth) * uint64_t(rows);
    if (pixelBytes > available)
        return refuse("pixel data cut short");

    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biSizeImage = DWORD(pixelBytes);
    // Deeper pictures may carry an optimisation table; drawing never uses it, so it is dropped.
    const size_t keptColours = indexed ? size_t(count) : 0;
    h.biClrUsed = DWORD(keptColours);
    if (core)
        h.biClrImportant = DWORD(keptColours);
    else if (h.biClrImportant > keptColours)
        h.biClrImportant = 0;
    const size_t tableBytes = bitfields ? 12 : keptColours * 4;

    BmpReadResult result;
    result.dib = PackedDib(h, tableBytes, size_t(pixelBytes));
    if (bitfields) {
        std::memcpy(result.dib.table(), data + maskStart, 12);
    } else {
        RGBQUAD* colours = result.dib.colours();
        for (size_t i = 0; i < keptColours; ++i) {
            const uint8_t* entry = data + tableStart + i * entrySize;
            colours[i] = RGBQUAD { entry[0], entry[1], entry[2], BYTE(core ? 0 : entry[3]) };
        }
    }
    std::memcpy(result.dib.pixels(), data + pixelStart, size_t(pixelBytes));
    return result;
}

namespace platform::gdi {

HBITMAP bitmapFromPackedDib(const PackedDib& dib, bool dibSection)
{
    if (dib.empty())
        return nullptr;
    const BITMAPINFOHEADER& h = dib.header();
    const LONG rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (!dibSection) {
        HBITMAP bitmap = CreateBitmap(h.biWidth, rows, 1, 32, nullptr);
        if (bitmap && SetDIBits(nullptr, bitmap, 0, UINT(rows), dib.pixels(), dib.info(), DIB_RGB_COLORS) != rows) {
            DeleteObject(bitmap);
            return nullptr;
        }
        return bitmap;
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, dib.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    DIBSECTION section {};
    // The section's rows are as wide as the file's (both DWORD-aligned); checked all the same.
    if (GetObjectA(bitmap, sizeof section, &section) != int(sizeof section) || !bits
        || uint64_t(section.dsBm.bmWidthBytes) * uint64_t(rows) < dib.pixelBytes()) {
        DeleteObject(bitmap);
        return nullptr;
    }
    std::memcpy(bits, dib.pixels(), dib.pixelBytes());
    return bitmap;
}

} // namespace platform::gdi
