// Reading BMP images from bytes into a packed DIB: a 40-byte info header, the colour table (or
// the three bit masks) and the pixel rows in one block. Knows nothing of files or device contexts;
// bitmapFromPackedDib turns what it read into a GDI bitmap.
#pragma once

#include "platform/gdi/wingdi.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The library's DIB block. The header is always the 40-byte form; the table holds the colour
// entries (RGBQUAD), or for BI_BITFIELDS the three masks; the rows follow in the file's order.
class PackedDib {
public:
    PackedDib() = default;
    PackedDib(const BITMAPINFOHEADER& header, size_t tableBytes, size_t pixelBytes);

    BITMAPINFOHEADER& header() { return *reinterpret_cast<BITMAPINFOHEADER*>(m_bytes.data()); }
    const BITMAPINFOHEADER& header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(m_bytes.data()); }
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(m_bytes.data()); }
    uint8_t* table() { return m_bytes.data() + sizeof(BITMAPINFOHEADER); }
    size_t tableBytes() const { return m_tableBytes; }
    RGBQUAD* colours();
    size_t colourCount() const;
    uint8_t* pixels() { return m_bytes.data() + sizeof(BITMAPINFOHEADER) + m_tableBytes; }
    const uint8_t* pixels() const { return m_bytes.data() + sizeof(BITMAPINFOHEADER) + m_tableBytes; }
    size_t pixelBytes() const { return m_bytes.size() - sizeof(BITMAPINFOHEADER) - m_tableBytes; }
    bool empty() const { return m_bytes.empty(); }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_tableBytes = 0;
};

// Colour-table entries a header describes: biClrUsed when set (and not the 12-byte form),
// otherwise 2, 16 or 256 for 1, 4 or 8 bits per pixel, 0 for the deeper formats.
DWORD bmpColourCount(const BITMAPINFOHEADER& header);
uint64_t bmpRowStride(int bitCount, int width);

// The most pixels a picture may have: the largest the program ships has 1.2 million, and each pixel
// takes four bytes once it is a bitmap of the screen's depth, whatever the file's depth.
constexpr uint64_t kMaxPicturePixels = uint64_t(4) << 20;

struct BmpReadResult {
    PackedDib dib;
    std::string error;
    // Refused for its size alone (kMaxPicturePixels): the file itself may be sound.
    bool tooLarge = false;
    explicit operator bool() const { return error.empty(); }
};

// Reads a BMP file image, or a bare DIB when the bytes do not start with "BM". Every size and
// count is checked against the bytes given; what cannot be read is refused with a reason.
BmpReadResult bmpReadBytes(std::span<const uint8_t> bytes);

namespace platform::gdi {

// A GDI bitmap of the picture: a DIB section of its own depth, row order and colour table, or a
// bitmap of the screen's depth. Null when GDI refuses the format.
HBITMAP bitmapFromPackedDib(const PackedDib& dib, bool dibSection);

} // namespace platform::gdi
