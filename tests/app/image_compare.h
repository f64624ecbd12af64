// Screen images for the picture tests: kept as compressed PNG files, compared with a tolerance,
// and measured (brightness, changed pixels) over parts of the picture.
#pragma once

#include "platform/desktop/harness.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace testing_app {

using Image = platform::harness::Image;

// Written with platform::harness::writePng.
// Reads an 8-bit RGB, RGBA or palette PNG without interlace. Every length and size in the file is checked;
// on refusal the image is left empty and error says why.
bool readPngFile(const std::string& hostPath, Image& image, std::string& error);
bool decodePng(const uint8_t* bytes, size_t size, Image& image, std::string& error);

struct ImageDifference {
    bool sameSize = false;
    size_t differing = 0;   // pixels with a channel apart by more than the tolerance
    size_t total = 0;
    int largest = 0;        // largest channel difference found
    double share() const { return total ? double(differing) / double(total) : 1.0; }
};

ImageDifference compareImages(const Image& expected, const Image& actual, int channelTolerance);
// Pixels that differ beyond the tolerance in red over a dimmed copy of actual.
Image differenceImage(const Image& expected, const Image& actual, int channelTolerance);

// Average of (r + g + b) / 3 over the rectangle's pixels inside the image; -1 when none.
double meanBrightness(const Image& image, int left, int top, int right, int bottom);
double meanBrightness(const Image& image);
// An image of the 32-bit pixels, rows top to bottom, stride pixels apart.
Image imageOf(const uint32_t* pixels, int width, int height, int stride);

} // namespace testing_app
