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

} // namespace

bool writePng(const std::string& path, int width, int height, const uint32_t* xrgb, int stride)
{
    if (width <= 0 || height <= 0 || !xrgb || stride < width)
        return false;
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
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> z(packedSize);
    if (compress2(z.data(), &packedSize, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        return false;
    z.resize(packedSize);

    std::vector<uint8_t> png { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    std::vector<uint8_t> header;
    putBE32(header, uint32_t(width));
    putBE32(header, uint32_t(height));
    header.insert(header.end(), { 8, 2, 0, 0, 0 }); // 8-bit RGB
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
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
