// Finding the unit records that differ from a kept copy: runs of records are compared at once, as
// most records stay as they were between two looks.
#pragma once

#include "state/unit_record.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

// Calls changed(i) in increasing order for each i < count where table[i] and kept[i] differ.
template <typename Changed> void forEachChangedRecord(const UnitRecord* table, const UnitRecord* kept, size_t count, Changed&& changed)
{
    constexpr size_t kRun = 8;
    for (size_t first = 0; first < count; first += kRun) {
        const size_t n = std::min(kRun, count - first);
        if (std::memcmp(table + first, kept + first, n * sizeof(UnitRecord)) == 0)
            continue;
        for (size_t i = first; i < first + n; ++i)
            if (std::memcmp(&table[i], &kept[i], sizeof(UnitRecord)) != 0)
                changed(i);
    }
}
