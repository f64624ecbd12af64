// The hexes of a scan's hit list in list order, and the unit types and terrain the scan tests place.
#pragma once

#include "rules/hex_scan.h"
#include "state/game_state.h"

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

// The plain land terrain of the small worlds.
constexpr int kOpenGround = 1;

// The first unit type of a movement domain, -1 when there is none.
inline int typeOfDomain(const GameState& state, int domain)
{
    for (const UnitTypeRecord& type : state.unitTypes())
        if (type.domain == domain && type.id > 0)
            return type.id;
    return -1;
}

inline int landType(const GameState& state) { return typeOfDomain(state, 3); }

} // namespace testing_rules
