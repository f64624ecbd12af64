// Steps the merge and split executors share: counters, entry cost, and the target hex's hazards.
#pragma once

#include <vector>

class GameState;
struct MoveFuel;
struct UnitRecord;

// The unit's non-empty counters in their order.
std::vector<int> filledCounters(const UnitRecord& unit);
// Puts the counters at the front and empties the rest.
void storeCounters(UnitRecord& unit, const std::vector<int>& counters);

// The fuel the mover spends entering (x, y): the terrain's cost for its movement type, doubled on an
// overrun, or the whole move charged double when entering takes it past its model's allowance.
int entryFuelCost(const GameState& state, const UnitRecord& mover, int x, int y, const MoveFuel& fuel);

// The mine of the unit's kind at (x, y) goes off under it, announced to a person first.
void detonateMineAt(GameState& state, int x, int y, int side, int index);
// Entering (x, y) from (from_x, from_y) onto a pact partner's soil breaks the pact, with a notice.
void breakPactOnEntry(GameState& state, int side, int from_x, int from_y, int x, int y);
// Removes a unit without members from its hex and destroys it, else marks it as acted; true when it remains.
bool settleUnit(GameState& state, int side, int index);
