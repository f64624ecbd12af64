// Writing the screen as a PNG file (32-bit XRGB in, 24-bit RGB out).
#pragma once

#include <cstdint>
#include <string>

namespace platform::desktop {

// stride in pixels. False when the file cannot be written or the size is empty.
bool writeScreenPng(const std::string& hostPath, const uint32_t* pixels, int width, int height, int stride);

} // namespace platform::desktop
