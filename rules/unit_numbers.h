// Unit indexes and troop numbers: the first free record of a side and the numbers not yet taken.
#pragma once

#include <cstdint>
#include <vector>

class GameState;

// The first index below the side's unit count whose record is unused; -1 when none is.
int freeUnitSlot(GameState& state, int side);
// The smallest troop number 1..capacity that no used record of the side carries; -1 when all are.
// Capacity is unitCapacity below.
int nextTroopNumber(GameState& state, int side);
// The same over the campaign carry-over list, numbers 1..1000.
int nextCarryOverNumber(GameState& state);
// Appends every troop number 1..capacity the side does not use, ascending.
void listFreeUnitNumbers(GameState& state, int side, std::vector<uint32_t>& list);
// The side's unit capacity: the country's playerUnitCount; the whole table for the neutral side.
int unitCapacity(const GameState& state, int side);
