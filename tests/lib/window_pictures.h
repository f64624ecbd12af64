// A window's picture as the screen shows it, and what the window tests read of it.
#pragma once

#include "platform/desktop/harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testing_lib {

// The whole window as an image, also written as a PNG when DERAZODO_SHOTS names a folder.
inline platform::harness::Image capture(HWND window, const std::string& name)
{
    RECT r {};
    GetWindowRect(window, &r);
    platform::harness::Image image = platform::harness::readRect(r);
    if (const char* folder = std::getenv("DERAZODO_SHOTS"); folder && *folder) {
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(platform::harness::writePng(image, std::string(folder) + "/" + name + ".png")) << name;
    }
    return image;
}

// The client point's pixel in an image of the whole window.
inline uint32_t clientPixel(HWND window, const platform::harness::Image& image, int x, int y)
{
    RECT outer {};
    GetWindowRect(window, &outer);
    POINT p { x, y };
    ClientToScreen(window, &p);
    return image.at(p.x - outer.left, p.y - outer.top) & 0xFFFFFF;
}

// Pixels in the client rectangle that differ from its first one: text or marks drawn there.
inline int inkIn(HWND window, const platform::harness::Image& image, RECT area)
{
    const uint32_t ground = clientPixel(window, image, area.left, area.top);
    int ink = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            ink += clientPixel(window, image, x, y) != ground;
    return ink;
}

} // namespace testing_lib
