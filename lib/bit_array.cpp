// swCBitArray: bit i is bit (i mod 8), least significant first, of byte i / 8.
#include "lib/bit_array.h"

#include <cassert>
#include <cstring>
#include <new>

namespace {

size_t byteCount(int32_t size) { return size > 0 ? (size_t(size) + 7) / 8 : 0; }

} // namespace

bool swCBitArray::bitArrayCreate(int32_t size)
{
    bitArrayFree();
    if (size > 0) {
        m_bits.reset(new (std::nothrow) uint8_t[byteCount(size)]);
        if (!m_bits)
            return false;
        m_size = size;
        bitArrayClearAll();
    }
    m_valid = true;
    return true;
}

void swCBitArray::bitArrayFree()
{
    m_bits.reset();
    m_size = 0;
    m_valid = false;
}

void swCBitArray::bitArrayClearAll()
{
    if (m_bits)
        std::memset(m_bits.get(), 0, byteCount(m_size));
}

void swCBitArray::bitArraySet(int32_t i)
{
    assert(i >= 0 && i < m_size);
    m_bits[i >> 3] |= uint8_t(1u << (i & 7));
}

bool swCBitArray::bitArrayTest(int32_t i) const
{
    assert(i >= 0 && i < m_size);
    return (m_bits[i >> 3] >> (i & 7)) & 1;
}
