// PNG (deflated by zlib) and 24-bit BMP writers.
#include "platform/gdi/png.h"

#include "platform/gdi/wingdi.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <zlib.h>

namespace platform {

namespace {

void putBE32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

void chunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data)
{
    putBE32(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBE32(out, uint32_t(::crc32(0, &out[start], uInt(out.size() - start))));
}

// Written beside the target and renamed over it, so that a reader never sees half a picture.
bool writeFile(const std::string& path, const void* data, size_t size)
{
    const std::string temporary = path + ".part";
    {
        std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(temporary.c_str(), "wb"), &std::fclose);
        if (!file)
            return false;
        if (std::fwrite(data, 1, size, file.get()) != size || std::fclose(file.release()) != 0) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

// The picture's colours in the order met, when there are at most 256 of them.
bool collectPalette(int width, int height, const uint32_t* xrgb, int stride, std::vector<uint32_t>& palette,
    std::vector<uint8_t>& indices)
{
    // Open addressing over twice the most colours a palette holds; a slot holds colour + 1.
    constexpr size_t kSlots = 512;
    uint32_t keys[kSlots] = {};
    uint8_t values[kSlots] = {};
    palette.clear();
    indices.resize(size_t(width) * size_t(height));
    uint32_t last = ~0u;
    uint8_t lastIndex = 0;
    uint8_t* out = indices.data();
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = xrgb + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = row[x] & 0xFFFFFF;
            if (colour != last) {
                size_t slot = (colour * 2654435761u) >> 23;
                while (keys[slot] && keys[slot] != colour + 1)
                    slot = (slot + 1) & (kSlots - 1);
                if (!keys[slot]) {
                    if (palette.size() == 256)
                        return false;
                    keys[slot] = colour + 1;
                    values[slot] = uint8_t(palette.size());
                    palette.push_back(colour);
                }
                last = colour;
                lastIndex = values[slot];
            }
            *out++ = lastIndex;
        }
    }
    return true;
}

std::vector<uint8_t> deflated(const std::vector<uint8_t>& raw, int level)
{
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> z(packedSize);
    if (compress2(z.data(), &packedSize, raw.data(), uLong(raw.size()), level) != Z_OK)
        return {};
    z.resize(packedSize);
    return z;
}

std::vector<uint8_t> pngFile(int width, int height, uint8_t colourType, const std::vector<uint8_t>& palette,
    const std::vector<uint8_t>& z)
{
    std::vector<uint8_t> png { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    std::vector<uint8_t> header;
    putBE32(header, uint32_t(width));
    putBE32(header, uint32_t(height));
    header.insert(header.end(), { 8, colourType, 0, 0, 0 });
    chunk(png, "IHDR", header);
    if (!palette.empty())
        chunk(png, "PLTE", palette);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    return png;
}

} // namespace

bool writePng(const std::string& path, int width, int height, const uint32_t* xrgb, int stride)
{
    if (width <= 0 || height <= 0 || !xrgb || stride < width)
        return false;
    // Screens of the game have few colours: a palette of them and a byte a pixel is a third of
    // the data, and deflates faster and smaller.
    std::vector<uint32_t> colours;
    std::vector<uint8_t> indices;
    if (collectPalette(width, height, xrgb, stride, colours, indices)) {
        std::vector<uint8_t> raw;
        raw.reserve(size_t(height) * (size_t(width) + 1));
        for (int y = 0; y < height; ++y) {
            raw.push_back(0); // no filter: differences of palette indices mean nothing
            raw.insert(raw.end(), indices.begin() + ptrdiff_t(y) * width, indices.begin() + ptrdiff_t(y + 1) * width);
        }
        std::vector<uint8_t> palette;
        for (uint32_t c : colours)
            palette.insert(palette.end(), { uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c) });
        const std::vector<uint8_t> z = deflated(raw, Z_DEFAULT_COMPRESSION);
        if (z.empty())
            return false;
        const std::vector<uint8_t> png = pngFile(width, height, 3, palette, z);
        return writeFile(path, png.data(), png.size());
    }
    std::vector<uint8_t> raw;
    raw.reserve(size_t(height) * (size_t(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        // Filter "up": screens repeat from row to row and deflate far better so.
        raw.push_back(2);
        const uint32_t* row = xrgb + size_t(y) * size_t(stride);
        const uint32_t* above = y ? row - stride : nullptr;
        for (int x = 0; x < width; ++x) {
            const uint32_t up = above ? above[x] : 0;
            for (int shift : { 16, 8, 0 })
                raw.push_back(uint8_t((row[x] >> shift) - (up >> shift)));
        }
    }
    const std::vector<uint8_t> z = deflated(raw, Z_BEST_COMPRESSION);
    if (z.empty())
        return false;
    const std::vector<uint8_t> png = pngFile(width, height, 2, {}, z);
    return writeFile(path, png.data(), png.size());
}

bool writeBmp(const std::string& path, int width, int height, const uint32_t* xrgb, int stride)
{
    if (width <= 0 || height <= 0 || !xrgb || stride < width)
        return false;
    size_t rowSize = (size_t(width) * 3 + 3) & ~size_t(3);
    BITMAPFILEHEADER file {};
    BITMAPINFOHEADER info {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = DWORD(file.bfOffBits + rowSize * size_t(height));
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = DWORD(rowSize * size_t(height));
    std::vector<uint8_t> out(file.bfSize, 0);
    std::memcpy(out.data(), &file, sizeof file);
    std::memcpy(out.data() + sizeof file, &info, sizeof info);
    for (int y = 0; y < height; ++y) {
        uint8_t* dst = out.data() + file.bfOffBits + size_t(height - 1 - y) * rowSize;
        const uint32_t* row = xrgb + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = uint8_t(row[x]);
            dst[3 * x + 1] = uint8_t(row[x] >> 8);
            dst[3 * x + 2] = uint8_t(row[x] >> 16);
        }
    }
    return writeFile(path, out.data(), out.size());
}

} // namespace platform
