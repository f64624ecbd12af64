// selectionSortList: the stable-looking selection sort of (u16 key, u32 value) lists.
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

// Ascending by value with compareListValue; among equal values the last one met comes first.
// Returns count - 1, or 0 for fewer than two entries.
size_t selectionSortList(ListEntry* list, size_t count, ListLess less);
bool compareListValue(const ListEntry& a, const ListEntry& b);
