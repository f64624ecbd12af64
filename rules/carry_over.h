// Campaign carry-over: the person's units kept from one map for the next, and their deployment there.
#pragma once

#include "state/hex_geometry.h"

#include <cstdint>
#include <vector>

class GameState;
struct UnitRecord;

// Entry states: 0 unused, 1 placed (its unit's index at byte 106), 1000 waiting to be placed.
constexpr int kCarryOverPlaced = 1;
constexpr int kCarryOverWaiting = 1000;

// The deployment under way on the new map; set by whoever opens it.
struct CarryOverDeployment {
    // Counted down as entries are placed, up as placements are taken back.
    uint32_t unitsLeft = 0;
    // Bit d allows placing units of domain d by hand.
    uint8_t domainMask = 0;
    // How many entries the map takes in all.
    uint32_t limit = 0;
};
CarryOverDeployment& carryOverDeployment(GameState& state);

// -- the list; entries link carriers and cargo by entry index + 1 --
// Null outside 0..999.
UnitRecord* carryOverEntry(GameState& state, int i);
// Every unit in use of the campaign player's country except headquarters and units aboard.
void collectCarryOver(GameState& state);
// Copies unit index of the campaign player's country, with its cargo; nothing when the list is full.
void addToCarryOver(GameState& state, int index);
// Copies the cargo of entry's unit; a full list drops the rest of the cargo.
void addCargoToCarryOver(GameState& state, int entry);
void markCarryOverWaiting(GameState& state, int i);
// Entry i became unit (side, unit_index): its hex and flags are copied back into the entry.
void markCarryOverPlaced(GameState& state, int i, int side, int unit_index);
// Forgets the entries from count on.
void truncateCarryOver(GameState& state, uint32_t count);
// Keeps only the waiting entries, in order, with their links renumbered or cut.
void compactCarryOverList(GameState& state);

// -- deployment --
// Opens the deployment on the map just loaded: as many placements as there are waiting entries and
// free unit slots of the campaign player's country, for the domains of autoDeployCarryOver. A map
// that marks no deployment hex gets those near the player's capitals and headquarters.
void beginCarryOverDeployment(GameState& state);
// Makes a unit of side from a waiting entry that is not aboard, with its cargo; false when the entry,
// the hex, the hex slot or the building refuses, or the side's table is full.
bool deployCarriedOverUnit(GameState& state, int side, int entry, int x, int y, bool into_building);
// Places the cargo entries of the carrier (side, unit_index) aboard it; answers how many were placed.
int deployCargo(GameState& state, int side, int unit_index);
// Deploys at the first hex of the list that takes the entry; false when none does.
bool deployAtFirstFreePlace(GameState& state, const std::vector<HexPos>& hexes, int side, int entry);
// Deploys the waiting entries on the deployment hexes nearest the player's capitals and headquarters.
void autoDeployCarryOver(GameState& state);
// Takes a placed entry's unit (and its cargo) off the map and makes the entries wait again.
void cancelDeployment(GameState& state, int entry);
void cancelAllDeployments(GameState& state);
// Makes the placed cargo entries of entry wait again, down every level, counting each back.
void restoreCargoEntries(GameState& state, int entry);
// The entry, or the outermost carrier it is loaded on, is of a domain this map lets be placed.
bool carryOverEntryAllowed(GameState& state, int entry);
bool canDeployCarryOverEntry(GameState& state, int entry);
