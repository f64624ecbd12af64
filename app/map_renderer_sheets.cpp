// The map renderer's sheets: reading them as palette indices and the per-side colour tables the
// colour filter makes of their palettes.
#include "app/map_renderer_impl.h"
#include "lib/media/custom_color_table.h"

#include "lib/error.h"
#include "lib/file_fault.h"
#include "platform/gdi/bmp_reader.h"
#include "lib/media/colour_filter.h"
#include "state/data_path.h"
#include "state/game_state.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace map_render {

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
// Fade amount 0 pulls every colour to a grey of 80 % of its brightness.
constexpr uint32_t kGreyFade = 0;

uint32_t entryColour(const RGBQUAD& q) { return uint32_t(q.rgbRed) << 16 | uint32_t(q.rgbGreen) << 8 | q.rgbBlue; }

// Index of pixel x in a packed row of 1, 4 or 8 bits.
uint8_t packedIndex(const uint8_t* row, int x, int bits)
{
    switch (bits) {
    case 1: return uint8_t(row[x >> 3] >> (7 - (x & 7)) & 1);
    case 4: return uint8_t(x & 1 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
    default: return row[x];
    }
}

bool readPaletted(PackedDib& dib, int bits, int width, int height, bool bottomUp, IndexedSheet& sheet)
{
    const size_t count = std::min<size_t>(dib.colourCount(), 256);
    const RGBQUAD* table = dib.colours();
    if (!table)
        return false;
    for (size_t i = 0; i < count; ++i)
        sheet.colours[i] = entryColour(table[i]);
    sheet.colourCount = int(count);
    const uint64_t stride = bmpRowStride(bits, width);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = dib.pixels() + stride * uint64_t(bottomUp ? height - 1 - y : y);
        uint8_t* out = sheet.pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            uint8_t index = packedIndex(row, x, bits);
            // An index past the table would read colours the file never gave.
            out[x] = index < count ? index : 0;
        }
    }
    return true;
}

// A picture of 24 or 32 bits gets a palette of its own colours when it has few enough.
bool readDirect(const PackedDib& dib, int bits, int width, int height, bool bottomUp, IndexedSheet& sheet)
{
    if (dib.header().biCompression != BI_RGB)
        return false;
    std::unordered_map<uint32_t, uint8_t> found;
    const uint64_t stride = bmpRowStride(bits, width);
    const int step = bits / 8;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = dib.pixels() + stride * uint64_t(bottomUp ? height - 1 - y : y);
        uint8_t* out = sheet.pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = row + x * step;
            const uint32_t colour = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            auto [at, added] = found.try_emplace(colour, uint8_t(found.size()));
            if (added) {
                if (found.size() > 256)
                    return false;
                sheet.colours[at->second] = colour;
            }
            out[x] = at->second;
        }
    }
    sheet.colourCount = int(found.size());
    return true;
}

} // namespace

FileFault readIndexedSheet(const std::vector<uint8_t>& fileImage, IndexedSheet& sheet)
{
    sheet = IndexedSheet {};
    BmpReadResult read = bmpReadBytes(fileImage);
    if (!read)
        return read.tooLarge ? FileFault::TooLarge : FileFault::Damaged;
    const BITMAPINFOHEADER& header = read.dib.header();
    const int bits = header.biBitCount;
    const int width = header.biWidth;
    const bool bottomUp = header.biHeight > 0;
    const int height = bottomUp ? header.biHeight : -header.biHeight;
    if (width <= 0 || height <= 0 || bmpRowStride(bits, width) * uint64_t(height) > read.dib.pixelBytes())
        return FileFault::Damaged;
    sheet.width = width;
    sheet.height = height;
    sheet.pixels.assign(size_t(width) * size_t(height), 0);
    bool ok = false;
    if ((bits == 1 || bits == 4 || bits == 8) && header.biCompression == BI_RGB)
        ok = readPaletted(read.dib, bits, width, height, bottomUp, sheet);
    else if (bits == 24 || bits == 32)
        ok = readDirect(read.dib, bits, width, height, bottomUp, sheet);
    if (!ok)
        sheet = IndexedSheet {};
    return ok ? FileFault::None : FileFault::Damaged;
}

FileFault readSheetFile(const char* name, IndexedSheet& sheet)
{
    sheet = IndexedSheet {};
    std::vector<uint8_t> bytes;
    if (FileFault fault = readFileBytes(dataPath(name, kFolderBitmap).c_str(), kMaxPictureFileBytes, bytes); fault != FileFault::None)
        return fault;
    return readIndexedSheet(bytes, sheet);
}

ColourTable plainColours(const IndexedSheet& sheet)
{
    ColourTable table;
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = sheet.colours[i] == kMagenta ? kClear : sheet.colours[i];
    return table;
}

ColourTable tintedColours(const IndexedSheet& sheet, const CustomColorTable* custom, int tint)
{
    // The palette goes through the library's colour filter as a table-only DIB.
    BITMAPINFOHEADER header {};
    header.biSize = sizeof header;
    header.biWidth = 1;
    header.biHeight = 1;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biClrUsed = 256;
    PackedDib dib(header, 256 * sizeof(RGBQUAD), 0);
    RGBQUAD* entries = dib.colours();
    for (size_t i = 0; i < 256; ++i) {
        const uint32_t c = sheet.colours[i];
        entries[i] = RGBQUAD { BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 0 };
    }
    if (tint >= 0 && tint < kCountryCount) {
        CustomColourEntry entry;
        if (custom)
            entry = custom->entry(CustomColorTable::kFirstCountryEntry + tint);
        ColourFilter(entry.hue, entry.second, entry.third, 3).apply(dib);
    } else {
        ColourFilter(0, kGreyFade, 0, 4).apply(dib);
    }
    ColourTable table;
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = sheet.colours[i] == kMagenta ? kClear : entryColour(entries[i]);
    return table;
}

int tintOfSide(int side)
{
    if (side >= 100)
        side -= 100;
    return side >= 0 && side < kCountryCount ? side : kGreyTint;
}

int tintOfOwner(int ownerPlusOne) { return tintOfSide(ownerPlusOne - 1); }

void Canvas::fill(const RECT& mapRect, uint32_t colour) const
{
    const int left = std::max(mapRect.left, clip.left), right = std::min(mapRect.right, clip.right);
    const int top = std::max(mapRect.top, clip.top), bottom = std::min(mapRect.bottom, clip.bottom);
    for (int y = top; y < bottom; ++y)
        std::fill_n(pixels + size_t(y - origin.y) * size_t(width) + (left - origin.x), std::max(right - left, 0), colour);
}

void Canvas::setPixel(int mapX, int mapY, uint32_t colour) const
{
    if (mapX >= clip.left && mapX < clip.right && mapY >= clip.top && mapY < clip.bottom)
        pixels[size_t(mapY - origin.y) * size_t(width) + size_t(mapX - origin.x)] = colour;
}

void Canvas::blitCell(const IndexedSheet& sheet, const ColourTable& colours, int column, int row, int size,
    POINT mapAt) const
{
    const int sx = column * size, sy = row * size;
    if (sheet.empty() || column < 0 || row < 0 || sx + size > sheet.width || sy + size > sheet.height)
        return;
    const int left = std::max<int>(mapAt.x, clip.left), right = std::min<int>(mapAt.x + size, clip.right);
    const int top = std::max<int>(mapAt.y, clip.top), bottom = std::min<int>(mapAt.y + size, clip.bottom);
    for (int y = top; y < bottom; ++y) {
        const uint8_t* from = sheet.row(sy + y - mapAt.y) + sx + (left - mapAt.x);
        uint32_t* to = pixels + size_t(y - origin.y) * size_t(width) + (left - origin.x);
        for (int x = left; x < right; ++x, ++from, ++to) {
            const uint32_t c = colours[*from];
            if (c != kClear)
                *to = c;
        }
    }
}

} // namespace map_render
