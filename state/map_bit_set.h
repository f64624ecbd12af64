// MapBitSet: one flag per hex of the current map, e.g. the hexes to redraw.
#pragma once

#include <cstdint>
#include <memory>

class MapBitSet {
public:
    // The bits start undefined: callers setAll or clear what they use.
    MapBitSet(uint32_t width, uint32_t height);

    void release();
    void set(int x, int y);
    void clear(int x, int y);
    // A point outside the map counts as set.
    bool test(int x, int y) const;
    void setAll();

    uint32_t width() const { return m_width; }
    uint32_t height() const { return m_height; }
    size_t byteCount() const { return m_bits ? (size_t(m_width) * m_height + 7) / 8 : 0; }
    const uint8_t* bytes() const { return m_bits.get(); }

private:
    bool inside(int x, int y) const
    {
        return m_bits && x >= 0 && y >= 0 && uint32_t(x) < m_width && uint32_t(y) < m_height;
    }

    std::unique_ptr<uint8_t[]> m_bits;
    uint32_t m_width = 0;
    uint32_t m_height = 0;
};
