// Unit commands: the code table, the command masks of the troop command window and the per-code checks.
#pragma once

#include "state/hex_geometry.h"

#include <cstdint>
#include <vector>

class GameState;

// The codes of the unit commands; the troop command window has one button per code but 25.
enum UnitCommand : int {
    kCommandNone = 0,
    kCommandAttack = 1,
    kCommandFire = 2,
    kCommandOccupy = 3,
    kCommandTransform = 4,
    kCommandDestroy = 5,
    kCommandJamming = 6,
    kCommandRestore = 7,
    kCommandReinforce = 8,
    kCommandMerge = 9,
    kCommandSplit = 10,
    kCommandStore = 11,
    kCommandBoard = 12,
    kCommandAirborneDrop = 13,
    kCommandArmamentExchange = 14,
    kCommandBridge = 15,
    kCommandPillbox = 16,
    kCommandRoad = 17,
    kCommandSupply = 18,
    kCommandDisband = 19,
    kCommandTakeCivilians = 20,
    kCommandReleaseCivilians = 21,
    kCommandSelfDestruct = 22,
    kCommandClearLandMines = 23,
    kCommandSweepSeaMines = 24,
    kCommandMoveOrder = 25,
    kCommandEndAction = 26,
};

// While an airborne drop is possible only storing, the drop and supply stay on offer.
constexpr uint32_t kAirborneOnlyMask = 0x42800;

// Where and how the unit would act: at its own hex (moving false) or at the end of a move to (x, y).
// The merge and split checks read the movement points of the current action's range (0 without one).
struct CommandAsk {
    int side = 0;
    int index = 0;
    int x = 0;
    int y = 0;
    bool moving = false;
    int rangePoints = 0;
};

// Bit c for each code 0..25 whose check passes.
uint32_t availableCommandMask(GameState& state, const CommandAsk& ask);
// The computer player's mask: the checks as after a move, never boarding or the drop, always the move order.
uint32_t availableCommandMaskAuto(GameState& state, const CommandAsk& ask);
// False for 0, 26 and unknown codes.
bool commandTargetCheck(GameState& state, const CommandAsk& ask, int code);
// The hexes a destroy order may strike from (x, y): the works in reach and, when the unit may bomb,
// what its weapons reach; each hex once. The check of code 5 passes on a free hex when this is not empty.
std::vector<HexPos> destroyOrderTargets(GameState& state, const CommandAsk& ask);

// No other unit visible to the side stands in the unit's domain slot at (x, y).
bool isHexFreeForUnit(const GameState& state, int side, int index, int x, int y);

bool isInMoveRange(const GameState& state, int x, int y);
bool isCommandTargetHex(const GameState& state, int x, int y);
