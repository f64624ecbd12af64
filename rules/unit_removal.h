// Unit removal: taking a unit off its hex, destroying it with its losses counted, erasing it without.
#pragma once

class GameState;

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
