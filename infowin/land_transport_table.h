// Where transports may take units aboard and launch them: a fixed code per terrain index and
// transport kind, and the mark the transport table shows for it.
#pragma once

#include <string>

namespace land_transport {

constexpr int kKindCount = 11;
// The terrain indexes the table covers; the data may define more types.
constexpr int kTerrainCount = 54;

// 1 possible, 2 not possible, 9 nothing shown, 0 not settled ("－"). Indexes the table does not
// cover answer 0.
int code(int terrain, int kind);

// The mark of a code for a type of the terrain kind (CP932): "○" for ground, for buildings "全"
// when rule 26 (boarding ownership) is on, else "味"; "×", "－" or nothing.
std::string mark(int code, int terrainKind, bool boardingOwnership);

} // namespace land_transport
