// Target checks and collectors of the unit commands: works, units, carriers, civilians and mines.
#pragma once

#include "state/hex_cells.h"
#include "state/hex_geometry.h"
#include "state/unit_type_record.h"

#include <vector>

class GameState;
struct BuildingRecord;
struct UnitRecord;

// Building places of the armament exchange carry this side code with the hex.
constexpr int kBuildingPlaceSide = 250;

// Type byte 44: ability bits; byte 45: engineering bits.
inline int typeAbilityBits(const UnitTypeRecord& type) { return type.flags & 0xFF; }
inline int typeEngineeringBits(const UnitTypeRecord& type) { return type.flags >> 8; }

// -- works: destruction, restoring, reinforcing, bridges, roads, pillboxes --
bool hasDestroyableTarget(const GameState& state, int side, int x, int y);
int collectDestroyTargets(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list);
int collectRestoreTargets(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list);
int collectReinforceTargets(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list);
bool canBuildBridgeAt(const GameState& state, int x, int y);
// The neighbours of (x, y) the side may bridge: no unit of another alliance holds them on land.
int collectBridgeHexes(const GameState& state, int side, int x, int y, std::vector<HexPos>& list);
bool isRoadTerrain(const GameState& state, int x, int y);
bool isRoadOrBuildingTerrain(const GameState& state, int x, int y);
bool canLinkRoad(const GameState& state, HexPos a, HexPos b);
bool canBuildPillboxAt(const GameState& state, int x, int y);
// The longest reach of a loaded, usable weapon; 0 when the unit has none left.
int longestReach(const UnitRecord& unit, bool restricted_only);
// The longest reach among the unit's slots holding a weapon of that kind with ammunition (only
// flag-128 weapons when asked); 0 for a unit too tired to fight.
int longestReachOfKind(const UnitRecord& unit, int kind, bool restricted_only);
// Hexes within that reach of (x, y), the hex included, that hold something the side may bomb.
int collectBombTargets(GameState& state, int side, int index, int x, int y, bool restricted_only, std::vector<HexPos>& list);

// -- mines; known_only 1 takes only mines of that kind the side knows of --
int collectLandMineHexes(const GameState& state, int side, int x, int y, int known_only, std::vector<HexPos>& list);
int collectSeaMineHexes(const GameState& state, int side, int x, int y, int known_only, std::vector<HexPos>& list);
bool canClearLandMines(const GameState& state, int side, int index, int x, int y);
bool canSweepSeaMines(const GameState& state, int side, int index, int x, int y);

// -- buildings: occupying, storing, supply --
// no_allied_capture 1 refuses an allied building even with rule 23 on.
bool canOccupyAt(const GameState& state, int side, int index, int x, int y, int no_allied_capture = 0);
bool canStoreInBuilding(const GameState& state, int side, int index, int x, int y);
bool canSupplyAt(const GameState& state, int side, int index);
bool canDisband(GameState& state, int side, int index, bool moving);

// -- units: merge, split, drops, civilians, self-destruct, armament exchange --
bool canMergeUnits(const GameState& state, int side, int index, int other_side, int other_index);
int collectMergePartners(const GameState& state, int side, int index, int x, int y, int range_points, std::vector<UnitRef>& list);
int collectSplitHexes(const GameState& state, int side, int index, int x, int y, int range_points, std::vector<HexPos>& list);
// Bit d of the hex's open-side mask and the opposite bit of the neighbour's.
bool isHexSideOpenFor(const GameState& state, int x, int y, int direction, int country);
bool isAirborneInCarrier(const GameState& state, int side, int index);
int collectDropHexes(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list);
int collectNeutralPickupTargets(const GameState& state, int side, int index, int x, int y, std::vector<UnitRef>& list);
int collectNeutralDropHexes(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list);
int collectSelfDestructTargets(const GameState& state, int side, int index, int x, int y, std::vector<UnitRef>& list);
int collectExchangePlacesAt(const GameState& state, int side, int index, int x, int y, bool moving, std::vector<UnitRef>& list);
int countExchangePlaces(const GameState& state, int side, int index, int x, int y, bool moving);
// Units the unit may board at (x, y), country in the low and index in the high 16 bits.
int collectReachableCarriers(const GameState& state, std::vector<uint32_t>& list, int side, int index, int x, int y);
