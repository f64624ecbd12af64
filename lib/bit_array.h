// swCBitArray: a fixed-size array of bits (supply search, computer player).
#pragma once

#include <cstdint>
#include <memory>

class swCBitArray {
public:
    swCBitArray() = default;

    // Replaces the array by size clear bits. Returns false, leaving the array empty and not
    // valid, when the bits cannot be allocated. A size of 0 or less gives an empty valid array.
    bool bitArrayCreate(int32_t size);
    void bitArrayFree();
    void bitArrayClearAll();

    // Callers keep 0 <= i < size.
    void bitArraySet(int32_t i);
    bool bitArrayTest(int32_t i) const;

    int32_t size() const { return m_size; }
    bool valid() const { return m_valid; }

private:
    std::unique_ptr<uint8_t[]> m_bits;
    int32_t m_size = 0;
    bool m_valid = false;
};
