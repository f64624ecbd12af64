// Surface storage and resizing.
#include "platform/gdi/surface.h"

#include <algorithm>
#include <cstring>

namespace platform {

Surface::Surface(int width, int height)
    : m_width(std::max(width, 0))
    , m_height(std::max(height, 0))
    , m_pixels(makeZeroedTable<uint32_t>(size_t(m_width) * size_t(m_height)))
{
}

void Surface::resize(int width, int height)
{
    std::lock_guard lock(m_mutex);
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height)
        return;
    ZeroedTable<uint32_t> pixels = makeZeroedTable<uint32_t>(size_t(width) * size_t(height));
    int keepW = std::min(width, m_width);
    int keepH = std::min(height, m_height);
    for (int y = 0; y < keepH; ++y)
        std::memcpy(&pixels[size_t(y) * size_t(width)], row(y), size_t(keepW) * sizeof(uint32_t));
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
}

void Surface::fill(uint32_t xrgb)
{
    std::lock_guard lock(m_mutex);
    std::fill_n(m_pixels.get(), size_t(m_width) * size_t(m_height), xrgb);
}

} // namespace platform
