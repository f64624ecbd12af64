// The blit core: maps destination pixels to source pixels, converts between mono and colour,
// and combines pattern, source and destination row by row inside the clip.
#include "platform/gdi/blit.h"

#include "platform/gdi/rop.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::gdi {

namespace {

// StretchBlt's reversed extents: (x, -w) covers x - w + 1 .. x.
void normalise(int& position, int& extent, bool& flip)
{
    if (extent < 0) {
        position = position + extent + 1;
        extent = -extent;
        flip = !flip;
    }
}

// Source coordinates for the destination offsets [first, last): -1 outside the source.
struct AxisMap {
    int base = 0;
    std::vector<int> values;
    int at(int offset) const { return values[size_t(offset - base)]; }
};

// Fills the map and narrows [first, last) to the offsets whose source lies inside the source.
void buildMap(AxisMap& map, int& first, int& last, int destExtent, int sourcePos, int sourceExtent, bool flip,
    int sourceLimit)
{
    map.base = first;
    map.values.assign(size_t(std::max(last - first, 0)), -1);
    int lo = last, hi = first;
    for (int i = first; i < last; ++i) {
        int64_t k = flip ? int64_t(destExtent) - 1 - i : i;
        int64_t s = sourcePos + k * sourceExtent / destExtent;
        if (s < 0 || s >= sourceLimit)
            continue;
        map.values[size_t(i - first)] = int(s);
        lo = std::min(lo, i);
        hi = i + 1;
    }
    first = lo;
    last = std::max(lo, hi);
}

bool samePalette(const PixelBuffer& a, const PixelBuffer& b)
{
    if (!isIndexed(a.format))
        return true;
    return a.paletteSize == b.paletteSize
        && (a.palette == b.palette
            || std::memcmp(a.palette, b.palette, size_t(a.paletteSize) * sizeof(uint32_t)) == 0);
}

// A private copy of the source rows a blit reads, for blits within one buffer.
struct SourceCopy {
    std::vector<uint8_t> bytes;
    PixelBuffer buffer;
};

void copySourceRows(const PixelBuffer& source, int firstRow, int rowCount, SourceCopy& copy)
{
    copy.bytes.resize(size_t(rowCount) * source.stride);
    for (int k = 0; k < rowCount; ++k)
        std::memcpy(&copy.bytes[size_t(k) * source.stride], source.rowPointer(firstRow + k), source.stride);
    copy.buffer = source;
    copy.buffer.bits = copy.bytes.data();
    copy.buffer.height = rowCount;
    copy.buffer.bottomUp = false;
}

} // namespace

bool blit(const BlitRequest& r)
{
    if (!r.dest || !r.dest->valid())
        return false;
    const bool needSource = ropUsesSource(r.rop);
    const bool needPattern = ropUsesPattern(r.rop);
    if (needSource && (!r.source || !r.source->valid()))
        return false;
    if (needPattern && !r.pattern)
        return false;
    if (needPattern && r.pattern->hollow && !needSource)
        return true;

    // Coordinates this far out are garbage; refusing them keeps the arithmetic below in range.
    constexpr int kFar = 1 << 28;
    for (int v : { r.destX, r.destY, r.destWidth, r.destHeight, r.sourceX, r.sourceY, r.sourceWidth, r.sourceHeight })
        if (v < -kFar || v > kFar)
            return false;
    int dx = r.destX, dy = r.destY, dw = r.destWidth, dh = r.destHeight;
    int sx = r.sourceX, sy = r.sourceY, sw = r.sourceWidth, sh = r.sourceHeight;
    bool flipX = false, flipY = false;
    normalise(dx, dw, flipX);
    normalise(dy, dh, flipY);
    if (needSource) {
        normalise(sx, sw, flipX);
        normalise(sy, sh, flipY);
    }
    if (dw == 0 || dh == 0 || (needSource && (sw == 0 || sh == 0)))
        return true;

    const PixelBuffer& dest = *r.dest;
    // Only the offsets that land inside the destination buffer are mapped.
    int i0 = int(std::clamp<int64_t>(-int64_t(dx), 0, dw)), i1 = int(std::clamp<int64_t>(int64_t(dest.width) - dx, 0, dw));
    int j0 = int(std::clamp<int64_t>(-int64_t(dy), 0, dh)), j1 = int(std::clamp<int64_t>(int64_t(dest.height) - dy, 0, dh));
    AxisMap xmap, ymap;
    if (needSource) {
        buildMap(xmap, i0, i1, dw, sx, sw, flipX, r.source->width);
        buildMap(ymap, j0, j1, dh, sy, sh, flipY, r.source->height);
    }
    RECT area { dx + i0, dy + j0, dx + i1, dy + j1 };
    if (area.left >= area.right || area.top >= area.bottom)
        return true;

    const PixelBuffer* source = r.source;
    SourceCopy copy;
    int sourceRowBase = 0;
    if (needSource && source->bits == dest.bits) {
        int lo = INT32_MAX, hi = -1;
        for (int j = int(area.top - dy); j < int(area.bottom - dy); ++j) {
            lo = std::min(lo, ymap.at(j));
            hi = std::max(hi, ymap.at(j));
        }
        copySourceRows(*source, lo, hi - lo + 1, copy);
        source = &copy.buffer;
        sourceRowBase = lo;
    }

    const bool stretched = needSource && (sw != dw || flipX);
    const uint8_t index = ropIndex(r.rop);
    const bool monoDest = dest.format == PixelFormat::Mono;
    const bool monoToColour = needSource && source->format == PixelFormat::Mono && !monoDest;
    const bool colourToMono = needSource && source->format != PixelFormat::Mono && monoDest;
    // A plain copy neither reads the destination nor combines anything: same formats move bytes,
    // others convert each source row straight into the destination.
    const bool plainCopy = needSource && index == 0xCC && !stretched && !r.transparent && !monoToColour && !colourToMono;
    const bool rawCopy = plainCopy && source->format == dest.format && bitsPerPixel(dest.format) >= 8 && samePalette(*source, dest);

    size_t width = size_t(area.right - area.left);
    std::vector<uint32_t> dbuf(width), sbuf(needSource ? width : 0), pbuf(needPattern ? width : 0), keep;
    std::vector<uint32_t> gather;

    auto processRect = [&](const RECT& cr) {
        int n = int(cr.right - cr.left);
        for (int y = cr.top; y < cr.bottom; ++y) {
            int srcRow = needSource ? ymap.at(y - dy) - sourceRowBase : 0;
            if (rawCopy) {
                size_t bpp = size_t(bitsPerPixel(dest.format) / 8);
                int srcX = xmap.at(cr.left - dx);
                std::memmove(dest.rowPointer(y) + size_t(cr.left) * bpp, source->rowPointer(srcRow) + size_t(srcX) * bpp,
                    size_t(n) * bpp);
                continue;
            }
            if (plainCopy) {
                const int srcX = xmap.at(cr.left - dx);
                if (dest.format == PixelFormat::Xrgb32) {
                    readRow(*source, srcX, srcRow, n, reinterpret_cast<uint32_t*>(dest.rowPointer(y)) + cr.left);
                } else {
                    readRow(*source, srcX, srcRow, n, sbuf.data());
                    writeRow(dest, cr.left, y, n, sbuf.data());
                }
                continue;
            }
            readRow(dest, cr.left, y, n, dbuf.data());
            if (needSource) {
                int first = xmap.at(cr.left - dx);
                if (!stretched) {
                    readRow(*source, first, srcRow, n, sbuf.data());
                } else {
                    int lo = first, hi = first;
                    for (int i = 0; i < n; ++i) {
                        lo = std::min(lo, xmap.at(cr.left - dx + i));
                        hi = std::max(hi, xmap.at(cr.left - dx + i));
                    }
                    gather.resize(size_t(hi - lo + 1));
                    readRow(*source, lo, srcRow, hi - lo + 1, gather.data());
                    for (int i = 0; i < n; ++i)
                        sbuf[size_t(i)] = gather[size_t(xmap.at(cr.left - dx + i) - lo)];
                }
                if (r.transparent) {
                    keep.assign(dbuf.begin(), dbuf.begin() + n);
                    for (int i = 0; i < n; ++i)
                        if (sbuf[size_t(i)] == (*r.transparent & 0xFFFFFF))
                            sbuf[size_t(i)] = ~0u; // marker: keep the destination pixel
                }
                for (int i = 0; i < n; ++i) {
                    uint32_t& s = sbuf[size_t(i)];
                    if (s == ~0u)
                        continue;
                    if (monoToColour)
                        s = s ? r.colours.destBackground : r.colours.destText;
                    else if (colourToMono)
                        s = s == r.colours.sourceBackground ? 0xFFFFFF : 0;
                }
            }
            if (needPattern) {
                for (int i = 0; i < n; ++i) {
                    uint32_t p = r.pattern->at(cr.left + i, y);
                    if (monoDest)
                        p = nearestBlackOrWhite(p);
                    pbuf[size_t(i)] = p;
                }
            }
            if (r.transparent) {
                std::vector<uint32_t> result(dbuf.begin(), dbuf.begin() + n);
                applyRop3(index, needPattern ? pbuf.data() : nullptr, sbuf.data(), result.data(), n);
                for (int i = 0; i < n; ++i)
                    dbuf[size_t(i)] = sbuf[size_t(i)] == ~0u ? keep[size_t(i)] : result[size_t(i)];
            } else {
                applyRop3(index, needPattern ? pbuf.data() : nullptr, needSource ? sbuf.data() : nullptr, dbuf.data(), n);
            }
            writeRow(dest, cr.left, y, n, dbuf.data());
        }
    };

    if (r.clip)
        r.clip->forEachRectIn(area, processRect);
    else
        processRect(area);
    return true;
}

} // namespace platform::gdi
