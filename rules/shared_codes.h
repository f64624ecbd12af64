// Codes from the data files and the record layout that several rule files test.
#pragma once

// The side index of units and buildings that belong to no country.
constexpr int kNeutralSide = 8;
// The movement domain of land units and the movement type of water units.
constexpr int kLandDomain = 3;
constexpr int kWaterMoveType = 17;
constexpr int kLandMine = 1;
// Country c's missiles in flight are side code 100 + c.
constexpr int kMissileCodeBase = 100;
// The country of a side code, missiles in flight included.
constexpr int countryOfCode(int code) { return code >= kMissileCodeBase ? code - kMissileCodeBase : code; }
// The turn phase in which missiles fly.
constexpr int kMissilePhase = 1;
// A hex holds this many units.
constexpr int kHexSlots = 6;
// End-check (watch) bit 2: the unit's remembered hex carries its side in the per-turn word.
constexpr unsigned kWatchRemembered = 4;
