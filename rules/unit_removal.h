// Unit removal: taking a unit off its hex, destroying it with its losses counted, erasing it without.
#pragma once

#include <cstdint>

class GameState;
struct UnitRecord;

// Empties the slots of one slot layer of a cell that name the unit (side word: side + 1, or the
// missile code), except slot keep.
void clearUnitSlots(uint16_t (&sides)[6], uint16_t (&units)[6], int word, int index, int keep = -1);
// Clears every slot of (x, y), either layer, that names the unit.
void unregisterFromHex(GameState& state, int x, int y, int code, int index);
// Frees the berth of the carrier the unit's record names; the carrier's cargo flag goes with its
// last berth. The unit's own record is left as it is.
void freeCarrierBerth(GameState& state, int code, int index);
// Clears the carrier's cargo flag when no berth holds a unit any more.
void dropCargoFlagWhenEmpty(UnitRecord& carrier);

// Clears every reference to the unit: its hex slots, the building slot it is stored in and the
// carrier berth it is aboard. The record itself stays.
void removeUnitFromHex(GameState& state, int code, int index);
// Destroys the unit and, first, everything it carries: end-check flags, the destroyed-unit list, the
// country's members lost; then the record is cleared. Nothing for an unused record. The caller takes
// the unit off its hex first.
void destroyUnit(GameState& state, int code, int index);
// Clears the unit and its cargo without counting a loss. Answers the counters of the erased units of
// countries 0..7, which campaign carry-over adds to the country's carried strength.
int eraseUnitRecord(GameState& state, int code, int index);
