// Writing a harness image as a 32-bit BMP file.
#include "platform/desktop/harness.h"

#include <cstdio>
#include <memory>

namespace platform::harness {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

bool writeBmp(const Image& image, const std::string& hostPath)
{
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() != size_t(image.width) * size_t(image.height))
        return false;
    uint32_t imageBytes = uint32_t(image.width) * uint32_t(image.height) * 4;
    std::vector<uint8_t> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(image.width));
    put32(out, uint32_t(image.height)); // bottom-up rows
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y)
        for (int x = 0; x < image.width; ++x)
            put32(out, image.at(x, y) & 0x00FFFFFF);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(hostPath.c_str(), "wb"), &std::fclose);
    if (!file)
        return false;
    return std::fwrite(out.data(), 1, out.size(), file.get()) == out.size();
}

} // namespace platform::harness
