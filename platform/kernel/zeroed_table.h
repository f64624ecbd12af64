// ZeroedTable: a block of plain records that starts as zero bytes. Its memory comes zeroed from
// the system, so a large block costs no clearing pass and its pages cost memory only once they
// are written: most of a grid sized for the largest map, most of a picture before it is drawn.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>

namespace platform {

struct ZeroedTableFree {
    void operator()(void* table) const { std::free(table); }
};

template <class T>
using ZeroedTable = std::unique_ptr<T[], ZeroedTableFree>;

// Throws std::bad_alloc when the memory cannot be had.
template <class T>
ZeroedTable<T> makeZeroedTable(size_t count)
{
    static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_destructible_v<T>);
    void* table = std::calloc(count ? count : 1, sizeof(T));
    if (!table)
        throw std::bad_alloc();
    return ZeroedTable<T>(static_cast<T*>(table));
}

} // namespace platform
