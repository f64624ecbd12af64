// platform::Surface: a 32-bit XRGB pixel store shared between threads, the backing store of a
// top-level window and the target of its window DCs.
#pragma once

#include "platform/kernel/zeroed_table.h"

#include <cstdint>
#include <mutex>

namespace platform {

// Pixels are 0x00RRGGBB (the top byte is zero), rows top-down, `stride` pixels apart.
// Contract: whoever reads or writes pixels holds mutex() for the whole access; GDI drawing
// through a view DC takes it for each operation. The mutex is recursive so the window system
// may draw through a view DC while it holds the lock itself.
class Surface {
public:
    Surface(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_width; }
    uint32_t* pixels() { return m_pixels.get(); }
    const uint32_t* pixels() const { return m_pixels.get(); }
    uint32_t* row(int y) { return m_pixels.get() + size_t(y) * size_t(m_width); }
    const uint32_t* row(int y) const { return m_pixels.get() + size_t(y) * size_t(m_width); }
    std::recursive_mutex& mutex() const { return m_mutex; }

    // Changes the size, keeping the overlapping top-left part; new pixels are black.
    // Takes the lock. Negative sizes count as zero.
    void resize(int width, int height);
    void fill(uint32_t xrgb);

private:
    int m_width = 0;
    int m_height = 0;
    ZeroedTable<uint32_t> m_pixels;
    mutable std::recursive_mutex m_mutex;
};

} // namespace platform
