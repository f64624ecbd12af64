// PNG (uncompressed deflate blocks, CRC-32 and Adler-32 computed here) and 24-bit BMP writers.
#include "platform/gdi/png.h"

#include "platform/gdi/wingdi.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace platform {

namespace {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t {};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

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
    putBE32(out, crc32(&out[start], out.size() - start));
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
        raw.push_back(0); // no filter
        const uint32_t* row = xrgb + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            raw.push_back(uint8_t(row[x] >> 16));
            raw.push_back(uint8_t(row[x] >> 8));
            raw.push_back(uint8_t(row[x]));
        }
    }
    // zlib stream of stored blocks.
    std::vector<uint8_t> z { 0x78, 0x01 };
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(n));
        z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n));
        z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + ptrdiff_t(pos), raw.begin() + ptrdiff_t(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    putBE32(z, (b << 16) | a);

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
