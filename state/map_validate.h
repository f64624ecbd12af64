// The one pass over a read map's values before it reaches the game: refuse what cannot be placed,
// clamp what has a safe meaning, and say which it did.
#pragma once

#include "state/map_file.h"

#include <string>
#include <vector>

class GameState;

enum class MapVerdict {
    Accepted,
    // A unit names a type this program does not have or does not offer.
    MissingUnitTypes,
    Refused,
};

struct MapValidation {
    MapVerdict verdict = MapVerdict::Accepted;
    // One line per refusal or clamp, with the hex, side or index concerned.
    std::vector<std::string> messages;
    // The first refusal's line; empty while the file is accepted.
    std::string refusal;

    bool accepted() const { return verdict == MapVerdict::Accepted; }
};

// Checks the file against the master data the state has loaded; clamps in place.
MapValidation validateScenario(ScenarioFile& file, const GameState& state);

// A production type number of a map: 150 and up are moved by 106 in one byte, as stored maps expect.
inline uint8_t mapProductionTypeNumber(uint8_t stored)
{
    return stored >= 150 ? uint8_t(stored + 106) : stored;
}
