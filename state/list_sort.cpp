// Selection sort over 6-byte list entries.
#include "state/list_sort.h"

size_t selectionSortList(ListEntry* list, size_t count, ListLess less)
{
    if (count < 2)
        return 0;
    selectionSort(list, count, less);
    return count - 1;
}

bool compareListValue(const ListEntry& a, const ListEntry& b)
{
    return a.value < b.value;
}
