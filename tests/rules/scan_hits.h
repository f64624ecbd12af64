// The hexes of a scan's hit list in list order, for the scan tests.
#pragma once

#include "rules/hex_scan.h"

#include <utility>
#include <vector>

namespace testing_rules {

using Hex = std::pair<int, int>;
using Hexes = std::vector<Hex>;

inline Hexes hexesOf(const HexScan& scan)
{
    Hexes out;
    for (const HexScanHit& hit : scan.hits())
        out.push_back({ hit.x, hit.y });
    return out;
}

} // namespace testing_rules
