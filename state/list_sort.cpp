// Selection sort over 6-byte list entries.
#include "state/list_sort.h"

#include <utility>

size_t selectionSortList(ListEntry* list, size_t count, ListLess less)
{
    if (count < 2)
        return 0;
    for (size_t i = 0; i + 1 < count; ++i) {
        size_t candidate = i;
        for (size_t j = i + 1; j < count; ++j)
            if (!less(list[candidate], list[j]))
                candidate = j;
        if (candidate != i)
            std::swap(list[candidate], list[i]);
    }
    return count - 1;
}

bool compareListValue(const ListEntry& a, const ListEntry& b)
{
    return a.value < b.value;
}
