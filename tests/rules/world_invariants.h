// A check that every unit, hex slot, building slot, carrier and cargo of a game agree with each other.
#pragma once

#include <string>
#include <vector>

class GameState;

namespace testing_rules {

// Each broken invariant as a line of text; empty when the world is consistent:
// - a free record is cleared whole;
// - a unit in play on a hex of its own is listed in that hex's domain slot and nowhere else;
// - a unit aboard sits in a berth of a live carrier that stands on its hex and has the cargo flag;
// - a stored unit is held by the building of its hex;
// - every hex slot, berth and building slot names a live unit that agrees.
std::vector<std::string> worldInvariantFaults(const GameState& state);

} // namespace testing_rules
