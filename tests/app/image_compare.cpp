// Reading PNG files of screen images, tolerant comparison and brightness measures.
#include "tests/app/image_compare.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace testing_app {

namespace {

constexpr uint8_t kSignature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
// Far above any screen; keeps a forged header from asking for gigabytes.
constexpr uint32_t kMaxSide = 16384;

uint32_t readBE32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// Undoes the row filters in place; false for an unknown filter type.
bool unfilter(std::vector<uint8_t>& raw, size_t rowBytes, size_t height, size_t bpp)
{
    const size_t stride = rowBytes + 1;
    for (size_t y = 0; y < height; ++y) {
        uint8_t* row = raw.data() + y * stride + 1;
        const uint8_t* up = y ? raw.data() + (y - 1) * stride + 1 : nullptr;
        const uint8_t type = row[-1];
        for (size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= bpp ? row[i - bpp] : 0;
            const int b = up ? up[i] : 0;
            const int c = up && i >= bpp ? up[i - bpp] : 0;
            int add = 0;
            switch (type) {
            case 0: break;
            case 1: add = a; break;
            case 2: add = b; break;
            case 3: add = (a + b) / 2; break;
            case 4: add = paeth(a, b, c); break;
            default: return false;
            }
            row[i] = uint8_t(row[i] + add);
        }
    }
    return true;
}

bool refuse(Image& image, std::string& error, const char* why)
{
    image = Image {};
    error = why;
    return false;
}

int channelGap(uint32_t a, uint32_t b)
{
    int gap = 0;
    for (int shift : { 0, 8, 16 })
        gap = std::max(gap, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
    return gap;
}

} // namespace

bool decodePng(const uint8_t* bytes, size_t size, Image& image, std::string& error)
{
    if (size < sizeof kSignature || !std::equal(std::begin(kSignature), std::end(kSignature), bytes))
        return refuse(image, error, "not a PNG file");
    size_t pos = sizeof kSignature;
    uint32_t width = 0, height = 0;
    size_t channels = 0;
    std::vector<uint8_t> packed;
    std::vector<uint32_t> palette;
    bool ended = false;
    while (!ended) {
        if (size - pos < 12)
            return refuse(image, error, "chunk header past the end of the file");
        const uint32_t length = readBE32(bytes + pos);
        if (length > size - pos - 12)
            return refuse(image, error, "chunk length past the end of the file");
        const uint8_t* type = bytes + pos + 4;
        const uint8_t* data = type + 4;
        if (readBE32(data + length) != uint32_t(crc32(0, type, uInt(length + 4))))
            return refuse(image, error, "chunk checksum wrong");
        const std::string name(reinterpret_cast<const char*>(type), 4);
        if (pos == sizeof kSignature) {
            if (name != "IHDR" || length != 13)
                return refuse(image, error, "the first chunk is not a header");
            width = readBE32(data);
            height = readBE32(data + 4);
            if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
                return refuse(image, error, "image size out of range");
            if (data[8] != 8 || (data[9] != 2 && data[9] != 3 && data[9] != 6) || data[10] || data[11] || data[12])
                return refuse(image, error, "only 8-bit RGB, RGBA or palette without interlace is read");
            channels = data[9] == 6 ? 4 : data[9] == 3 ? 1 : 3;
        } else if (name == "PLTE") {
            if (length % 3 != 0 || length > 3 * 256)
                return refuse(image, error, "palette length not whole entries up to 256");
            for (uint32_t i = 0; i < length; i += 3)
                palette.push_back(uint32_t(data[i]) << 16 | uint32_t(data[i + 1]) << 8 | data[i + 2]);
        } else if (name == "IDAT") {
            packed.insert(packed.end(), data, data + length);
        } else if (name == "IEND") {
            ended = true;
        }
        pos += size_t(length) + 12;
    }
    if (!channels)
        return refuse(image, error, "no header");
    if (channels == 1 && palette.empty())
        return refuse(image, error, "palette image without a palette");
    const size_t rowBytes = size_t(width) * channels;
    const size_t expected = (rowBytes + 1) * height;
    std::vector<uint8_t> raw(expected + 1);
    uLongf rawSize = uLongf(raw.size());
    // One byte of room past the expected size tells a longer stream from an exact one.
    const int status = uncompress(raw.data(), &rawSize, packed.data(), uLong(packed.size()));
    if (status != Z_OK || rawSize != expected)
        return refuse(image, error, "pixel data does not inflate to the image size");
    if (!unfilter(raw, rowBytes, height, channels))
        return refuse(image, error, "unknown row filter");
    image.width = int(width);
    image.height = int(height);
    image.pixels.resize(size_t(width) * height);
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* row = raw.data() + y * (rowBytes + 1) + 1;
        for (size_t x = 0; x < width; ++x) {
            const uint8_t* p = row + x * channels;
            if (channels == 1 && p[0] >= palette.size())
                return refuse(image, error, "palette index past the palette");
            image.pixels[y * width + x] = channels == 1 ? palette[p[0]] : uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        }
    }
    return true;
}

bool readPngFile(const std::string& hostPath, Image& image, std::string& error)
{
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        return refuse(image, error, "cannot open the file");
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return decodePng(bytes.data(), bytes.size(), image, error);
}

ImageDifference compareImages(const Image& expected, const Image& actual, int channelTolerance)
{
    ImageDifference d;
    d.sameSize = expected.width == actual.width && expected.height == actual.height
        && expected.pixels.size() == actual.pixels.size();
    d.total = expected.pixels.size();
    if (!d.sameSize)
        return d;
    for (size_t i = 0; i < d.total; ++i) {
        const int gap = channelGap(expected.pixels[i], actual.pixels[i]);
        d.largest = std::max(d.largest, gap);
        d.differing += gap > channelTolerance;
    }
    return d;
}

Image differenceImage(const Image& expected, const Image& actual, int channelTolerance)
{
    Image out = actual;
    const bool sameSize = expected.pixels.size() == actual.pixels.size() && expected.width == actual.width;
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        const uint32_t c = actual.pixels[i];
        if (!sameSize || channelGap(expected.pixels[i], c) > channelTolerance)
            out.pixels[i] = 0xFF0000;
        else
            out.pixels[i] = (c >> 2) & 0x3F3F3F;
    }
    return out;
}

double meanBrightness(const Image& image, int left, int top, int right, int bottom)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width);
    bottom = std::min(bottom, image.height);
    if (left >= right || top >= bottom)
        return -1;
    double sum = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const uint32_t c = image.at(x, y);
            sum += double((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) / 3.0;
        }
    return sum / (double(right - left) * double(bottom - top));
}

double meanBrightness(const Image& image) { return meanBrightness(image, 0, 0, image.width, image.height); }

Image imageOf(const uint32_t* pixels, int width, int height, int stride)
{
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels + size_t(y) * size_t(stride), width, image.pixels.begin() + ptrdiff_t(size_t(y) * size_t(width)));
    return image;
}

} // namespace testing_app
