// swCBitmap: loading BMP files and file images into device bitmaps, with tinting, mirroring
// and the colour hooks subclasses use.
#include "lib/media/bitmap.h"

#include "lib/error.h"
#include "lib/file.h"
#include "lib/file_fault.h"

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void throwBitmapError() { throw new swCBitmapError(0); }

// A picture of more pixels than the program draws is told as too large, anything else as damaged.
[[noreturn]] void throwReadError(const BmpReadResult& read)
{
    if (read.tooLarge)
        throw new swCFileError(6);
    throwBitmapError();
}

// A memory DC compatible with the screen with one bitmap selected for the length of a scope.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP bitmap)
        : m_holder(nullptr)
        , m_old(SelectObject(m_holder.dc(), bitmap))
    {
    }
    ~BitmapDc()
    {
        if (m_old)
            SelectObject(m_holder.dc(), m_old);
    }
    PaletteHolder& holder() { return m_holder; }

private:
    MemoryDcHolder m_holder;
    HGDIOBJ m_old;
};

unsigned pixelAt(const uint8_t* row, int bits, int x)
{
    if (bits == 1)
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
}

void setPixelAt(uint8_t* row, int bits, int x, unsigned value)
{
    if (bits == 1) {
        const uint8_t bit = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = uint8_t(value ? row[x >> 3] | bit : row[x >> 3] & ~bit);
    } else {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = uint8_t((row[x >> 1] & ~(0xF << shift)) | (value & 0xF) << shift);
    }
}

void mirrorRow(const uint8_t* from, uint8_t* to, int bits, int width, size_t stride)
{
    if (bits >= 8) {
        // Bytes per pixel from the depth: the padded stride says nothing about it.
        const size_t size = size_t(bits / 8);
        for (int x = 0; x < width; ++x)
            std::memcpy(to + size_t(x) * size, from + size_t(width - 1 - x) * size, size);
    } else {
        std::memset(to, 0, stride);
        for (int x = 0; x < width; ++x)
            setPixelAt(to, bits, x, pixelAt(from, bits, width - 1 - x));
    }
}

BYTE tintChannel(BYTE channel, BYTE tint) { return BYTE(unsigned(channel) * tint / 255); }

// The sheets a thread read inside its outermost PictureSheetScope, the latest first.
struct SheetCache {
    static constexpr size_t kKept = 4;
    int depth = 0;
    std::vector<std::pair<std::string, std::shared_ptr<const PackedDib>>> sheets;
};
thread_local SheetCache t_sheets;

std::shared_ptr<const PackedDib> readSheet(const char* fileName)
{
    const std::string name = fileName ? fileName : "";
    if (t_sheets.depth > 0)
        for (const auto& [kept, dib] : t_sheets.sheets)
            if (kept == name)
                return dib;
    PackedDib dib;
    {
        swCFile file(fileName, 0);
        dib = bmpReadPackedDib(file);
    }
    auto shared = std::make_shared<const PackedDib>(std::move(dib));
    if (t_sheets.depth > 0) {
        t_sheets.sheets.insert(t_sheets.sheets.begin(), { name, shared });
        if (t_sheets.sheets.size() > SheetCache::kKept)
            t_sheets.sheets.pop_back();
    }
    return shared;
}

// The rectangle of the picture as a picture of its own, when it lies inside it.
bool cropDib(const PackedDib& dib, const RECT& r, PackedDib& out)
{
    const BITMAPINFOHEADER& h = dib.header();
    const int bits = h.biBitCount;
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height || r.left >= r.right || r.top >= r.bottom)
        return false;
    const size_t stride = size_t(bmpRowStride(bits, width));
    if (stride * size_t(height) > dib.pixelBytes())
        return false;
    const int w = int(r.right - r.left), rows = int(r.bottom - r.top);
    BITMAPINFOHEADER header = h;
    header.biWidth = w;
    header.biHeight = h.biHeight < 0 ? -rows : rows;
    const size_t outStride = size_t(bmpRowStride(bits, w));
    header.biSizeImage = DWORD(outStride * size_t(rows));
    out = PackedDib(header, dib.tableBytes(), outStride * size_t(rows));
    std::memcpy(out.table(), dib.info()->bmiColors, dib.tableBytes());
    for (int y = 0; y < rows; ++y) {
        // Memory rows run from the bottom of the picture in a bottom-up DIB.
        const int from = h.biHeight < 0 ? int(r.top) + y : height - 1 - (int(r.top) + y);
        const int to = h.biHeight < 0 ? y : rows - 1 - y;
        const uint8_t* source = dib.pixels() + size_t(from) * stride;
        uint8_t* dest = out.pixels() + size_t(to) * outStride;
        if (bits >= 8) {
            std::memcpy(dest, source + size_t(r.left) * size_t(bits / 8), size_t(w) * size_t(bits / 8));
        } else {
            for (int x = 0; x < w; ++x)
                setPixelAt(dest, bits, x, pixelAt(source, bits, int(r.left) + x));
        }
    }
    return true;
}

} // namespace

PictureSheetScope::PictureSheetScope() { ++t_sheets.depth; }

PictureSheetScope::~PictureSheetScope()
{
    if (--t_sheets.depth == 0)
        t_sheets.sheets.clear();
}

swCBitmap::swCBitmap(const PaletteHolder& holder, int width, int height)
{
    bitmapCreateCompatible(holder, width, height);
}

void swCBitmap::bitmapCreateCompatible(const PaletteHolder& holder, int width, int height)
{
    bitmapRelease();
    m_bitmap = CreateCompatibleBitmap(holder.dc(), width, height);
}

SIZE swCBitmap::bitmapGetSize() const
{
    BITMAP info {};
    if (!m_bitmap || !GetObjectA(m_bitmap, sizeof info, &info))
        return SIZE { 0, 0 };
    return SIZE { info.bmWidth, info.bmHeight };
}

void swCBitmap::bitmapLoadFile(const char* fileName, int flags)
{
    swCFile file(fileName, 0);
    PackedDib dib = bmpReadPackedDib(file);
    file.fileClose();
    replace(dibToBitmap(dib, DIB_RGB_COLORS, flags, kNoColour, kNoColour));
}

void swCBitmap::bitmapLoadRect(const char* fileName, int left, int top, int right, int bottom, int flags)
{
    const std::shared_ptr<const PackedDib> sheet = readSheet(fileName);
    // Only the rectangle is converted; mirrored whole, the picture would give the same pixels.
    PackedDib rect;
    if (cropDib(*sheet, RECT { left, top, right, bottom }, rect)) {
        replace(dibToBitmap(rect, DIB_RGB_COLORS, flags, kNoColour, kNoColour));
        return;
    }
    PackedDib dib = *sheet;
    GdiObjectHolder whole(dibToBitmap(dib, DIB_RGB_COLORS, flags, kNoColour, kNoColour));
    const LONG pictureWidth = dib.header().biWidth;
    const LONG pictureHeight = dib.header().biHeight < 0 ? -dib.header().biHeight : dib.header().biHeight;
    RECT source { left, top, right, bottom };
    if (flags & kMirrorLeftRight) {
        source.left = pictureWidth - right;
        source.right = pictureWidth - left;
    }
    if (flags & kMirrorTopBottom) {
        source.top = pictureHeight - bottom;
        source.bottom = pictureHeight - top;
    }
    WindowDcHolder screen(nullptr);
    HBITMAP part = CreateCompatibleBitmap(screen.dc(), right - left, bottom - top);
    if (!part)
        throwBitmapError();
    {
        BitmapDc into(part);
        into.holder().blitBitmap(0, 0, static_cast<HBITMAP>(whole.get()), source);
    }
    replace(part);
}

void swCBitmap::bitmapFromPackedDIB(std::span<const uint8_t> fileImage, COLORREF key, COLORREF tint)
{
    BmpReadResult read = bmpReadBytes(fileImage);
    if (!read)
        throwReadError(read);
    replace(dibToBitmap(read.dib, DIB_RGB_COLORS, 0, key, tint));
}

void swCBitmap::bitmapBlit(int x, int y, HBITMAP source, const RECT& sourceRect)
{
    BitmapDc into(m_bitmap);
    into.holder().blitBitmap(x, y, source, sourceRect);
}

void swCBitmap::bitmapBlitTransparent(int x, int y, HBITMAP source, const RECT& sourceRect, COLORREF key)
{
    BitmapDc into(m_bitmap);
    into.holder().blitTransparent(x, y, source, sourceRect, key);
}

void swCBitmap::bitmapRelease()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
    m_bitmap = nullptr;
}

void swCBitmap::replace(HBITMAP bitmap)
{
    bitmapRelease();
    m_bitmap = bitmap;
}

void swCBitmap::filterColourTable(PackedDib&) { }
void swCBitmap::filterDib(PackedDib&) { }

HBITMAP swCBitmap::dibToBitmap(PackedDib& dib, UINT usage, int flags, COLORREF key, COLORREF tint)
{
    if (dib.empty())
        throwBitmapError();
    WindowDcHolder screen(nullptr);
    if (key != tint)
        dibTintColourTable(dib, tint, key);
    filterColourTable(dib);
    filterDib(dib);
    HBITMAP bitmap;
    if (flags == 0 || (flags & (kMirrorLeftRight | kMirrorTopBottom)) == 0) {
        bitmap = CreateDIBitmap(screen.dc(), &dib.header(), CBM_INIT, dib.pixels(), dib.info(), usage);
    } else {
        std::vector<uint8_t> rows = dibMirroredRows(dib, flags);
        bitmap = CreateDIBitmap(screen.dc(), &dib.header(), CBM_INIT, rows.data(), dib.info(), usage);
    }
    if (!bitmap)
        throwBitmapError();
    return bitmap;
}

PackedDib bmpReadPackedDib(swCFile& file)
{
    const DWORD start = file.fileSeek(0, 1);
    const DWORD size = file.fileGetSize();
    if (size > start && size - start > kMaxPictureFileBytes)
        throw new swCFileError(6);
    std::vector<uint8_t> bytes(size > start ? size - start : 0);
    if (!bytes.empty() && file.fileRead(bytes.data(), DWORD(bytes.size())) != bytes.size())
        throw new swCFileError(1);
    BmpReadResult read = bmpReadBytes(bytes);
    if (!read)
        throwReadError(read);
    return std::move(read.dib);
}

void dibTintColourTable(PackedDib& dib, COLORREF tint, COLORREF key)
{
    RGBQUAD* colours = dib.colours();
    const size_t count = dib.colourCount();
    for (size_t i = 0; i < count; ++i) {
        RGBQUAD& c = colours[i];
        if (c.rgbRed == GetRValue(key) && c.rgbGreen == GetGValue(key) && c.rgbBlue == GetBValue(key))
            continue;
        c.rgbRed = tintChannel(c.rgbRed, GetRValue(tint));
        c.rgbGreen = tintChannel(c.rgbGreen, GetGValue(tint));
        c.rgbBlue = tintChannel(c.rgbBlue, GetBValue(tint));
    }
}

std::vector<uint8_t> dibMirroredRows(const PackedDib& dib, int flags)
{
    const BITMAPINFOHEADER& h = dib.header();
    std::vector<uint8_t> rows(dib.pixels(), dib.pixels() + dib.pixelBytes());
    const int bits = h.biBitCount;
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const size_t stride = size_t(bmpRowStride(bits, width));
    if (stride * size_t(height) > rows.size())
        return rows;
    for (int y = 0; y < height; ++y) {
        const int from = (flags & kMirrorTopBottom) ? height - 1 - y : y;
        const uint8_t* source = dib.pixels() + size_t(from) * stride;
        uint8_t* dest = rows.data() + size_t(y) * stride;
        if (flags & kMirrorLeftRight)
            mirrorRow(source, dest, bits, width, stride);
        else
            std::memcpy(dest, source, stride);
    }
    return rows;
}
