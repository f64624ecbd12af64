// Steps that occupation, demolition and surrender share when a building changes hands or falls.
#pragma once

class GameState;
struct BuildingRecord;

// Moves the building from its old owner's figures to the new owner's in the latest turn statistics
// (owners + 1 as buildings store them, 0 for nobody); income moves only for an intact building.
void transferBuildingStats(GameState& state, int new_owner_plus_one, int building_type, int old_owner_plus_one,
    bool intact);

// A fallen capital becomes the large city: hex terrain, display value and building type, with its
// occupation points and durability cut to the new type's maxima. Flags the capital check.
void fallCapitalToLargeCity(GameState& state, BuildingRecord& building);

// Destroys every unit stored in the building and clears its slots. With zero_counters the units
// first lose all members to the neutral side (attacker 8) so their losses are booked.
enum class StoredLoss { Destroy, ZeroCountersFirst };
void destroyStoredUnits(GameState& state, BuildingRecord& building, StoredLoss loss);
// Destroys the units in the upper layer of the hex (those still being produced there) that are not
// allied with the country; a country of -1 spares nobody.
void destroyUpperUnitsNotAllied(GameState& state, int x, int y, int country);

// The building or hex ties a strike or an occupation by the side breaks: a pact with the hex owner
// of an unowned building, every alliance for an allied owner, the pact with a pact partner.
void breakTiesOverBuilding(GameState& state, int side, const BuildingRecord& building);

// The command changed who holds buildings or roads: supply lines are recomputed afterwards.
void markOwnershipChanged(GameState& state);
bool isTargetPlaceHex(GameState& state, int x, int y);
// Result windows: the setting on and the main window on screen.
bool resultWindowsEnabled(GameState& state);
