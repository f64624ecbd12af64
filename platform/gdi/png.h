// Writing 32-bit XRGB pixels as PNG or BMP files (screenshots, test output).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Rows top-down, `stride` pixels apart; the path is a host path. False when the file could not
// be written or the size is not positive.
bool writePng(const std::string& path, int width, int height, const uint32_t* xrgb, int stride);
bool writeBmp(const std::string& path, int width, int height, const uint32_t* xrgb, int stride);

} // namespace platform
