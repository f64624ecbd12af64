// CommandFields: what one unit command leaves for its post-move step, executors and the victory check.
#pragma once

#include <cstdint>
#include <vector>

struct CommandFields {
    // A hidden enemy next to the end hex of the move attacks first.
    uint8_t ambushPending = 0;
    // The ambush concerns the part a split moves off.
    uint8_t ambushOnSplitOff = 0;
    uint32_t ambusherSide = 0;
    uint32_t ambusherIndex = 0;
    // Interception destroyed the moving unit on the way, at the stop hex.
    uint8_t moveStopped = 0;
    uint32_t stopHexX = 0;
    uint32_t stopHexY = 0;
    uint8_t weaponChoiceShown = 0;
    // -1 when no weapon was chosen or the choice was cancelled.
    int32_t chosenWeaponSlot = -1;
    uint8_t roadBuilt = 0;
    uint8_t rankChanged = 0;
    // A building changed hands or was destroyed: the supply lines must be recomputed.
    uint8_t ownershipChanged = 0;
    // Units that intercepted during the current action: side in the low 16 bits, index in the high.
    std::vector<uint32_t> interceptedUnits;
};
