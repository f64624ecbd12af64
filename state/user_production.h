// Export and import of one production type as a user production-type file.
#pragma once

#include "state/production_type_record.h"
#include "state/unit_type_export.h"

class GameState;

// Writes the file for production type number (below 150 built-in, else user): the record and, for a
// user type, its own unit types and the types their missiles launch. A number that names no record
// is written with record size 0 and an empty unit section. swCFile's errors pass to the caller.
bool exportProductionTypeFile(const GameState& state, const char* path, int number,
    const BattleEntryLookup& battle_entry = {});

// The unit types a user type's file carries: its producible ids 10000..14999 with their base types,
// then the types their launch weapons fire (5000 and up), each once.
std::vector<int> exportedUnitTypes(const GameState& state, const ProductionTypeRecord& record);

// Imports the file into production type number without saving the table. 1 imported; 0 when the
// file is missing, refused by its head, or the number names no slot; -1 when it names unit types
// this program lacks (told to the player, nothing stored).
int importProductionTypeFile(GameState& state, const char* path, int number);
