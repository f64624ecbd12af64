// Movement checks: landing, carriers, threatened hexes, mines, zones of control and rule guards.
#pragma once

#include "rules/visibility.h"
#include "state/hex_geometry.h"

class GameState;

enum class ActedUnits { Refuse, Allow };

// Whether the unit may leave its carrier or building now; a free unit may unless it has acted.
bool canUnitLand(const GameState& state, int side, int index, ActedUnits acted);
// A loaded unit that has not acted: its hex offers a carrier other than the one it is aboard.
bool hasOtherCarrierHere(const GameState& state, int side, int index);

// The unit's threat layer at (x, y) holds a mark of a country not allied with it.
bool isHexThreatened(const GameState& state, int code, int index, int x, int y);
// Threatened, alone in its domain slot there, and seen there by one of the marking enemies.
bool isExposedToEnemyFire(const GameState& state, int x, int y, int code, int index);
// A land unit on a land mine or a surface ship on a sea mine.
bool hexHasMineFor(const GameState& state, int x, int y, int code, int index);
// No non-allied unit on (x, y) or beside it holds the acting unit; visibility is not considered.
bool isFreeOfEnemyZoc(GameState& state, int x, int y);

// Allies only with rule 23 and never the neutral side, enemies only when seen; then a weapon must reach.
bool canAttackUnitFrom(GameState& state, int side, int index, HexPos position, int target_code, int target_index, bool moving);

// Rule-change guards: no unit of the nine sides stands on a hex of its own; none is stored.
bool noUnitOnMap(const GameState& state);
bool noUnitStored(const GameState& state);

// State's hooks: visibility, and the landing check with acted units refused (0) or allowed (1).
class LandingHooks : public VisibilityHooks {
public:
    bool canUnitLand(const GameState& state, int side, int index, int arg) override;
};

// Installs the single instance; the game start and tests call it.
LandingHooks& installLandingHooks();
