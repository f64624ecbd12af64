// MapBitSet: bit i = hex (x, y) with i = width * y + x, least significant bit first.
#include "state/map_bit_set.h"

#include <cstring>

MapBitSet::MapBitSet(uint32_t width, uint32_t height)
    : m_bits(new uint8_t[(size_t(width) * height + 7) / 8])
    , m_width(width)
    , m_height(height)
{
}

void MapBitSet::release()
{
    m_bits.reset();
}

void MapBitSet::set(int x, int y)
{
    if (!inside(x, y))
        return;
    size_t i = size_t(m_width) * y + x;
    m_bits[i / 8] |= uint8_t(1u << (i % 8));
}

void MapBitSet::clear(int x, int y)
{
    if (!inside(x, y))
        return;
    size_t i = size_t(m_width) * y + x;
    m_bits[i / 8] &= uint8_t(~(1u << (i % 8)));
}

bool MapBitSet::test(int x, int y) const
{
    if (!inside(x, y))
        return true;
    size_t i = size_t(m_width) * y + x;
    return m_bits[i / 8] >> (i % 8) & 1;
}

void MapBitSet::setAll()
{
    if (m_bits)
        std::memset(m_bits.get(), 0xFF, byteCount());
}
