// The lists' selection sort, and selectionSortList over (u16 key, u32 value) lists.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct ListEntry {
    // In the one caller a hex: x in the low byte, y in the high byte.
    uint16_t key;
    uint32_t value;
};
#pragma pack(pop)
static_assert(sizeof(ListEntry) == 6);

using ListLess = bool (*)(const ListEntry& a, const ListEntry& b);

// The lists' selection sort: for each position an entry after the current choice replaces it unless
// less(choice, entry) holds, so among equal entries the one furthest back is taken; not stable.
template <typename T, typename Less>
void selectionSort(T* items, size_t count, Less&& less)
{
    for (size_t i = 0; i + 1 < count; ++i) {
        size_t choice = i;
        for (size_t j = i + 1; j < count; ++j)
            if (!less(items[choice], items[j]))
                choice = j;
        if (choice != i) {
            T swapped = items[choice];
            items[choice] = items[i];
            items[i] = swapped;
        }
    }
}

// Ascending by value with compareListValue; among equal values the last one met comes first.
// Returns count - 1, or 0 for fewer than two entries.
size_t selectionSortList(ListEntry* list, size_t count, ListLess less);
bool compareListValue(const ListEntry& a, const ListEntry& b);
