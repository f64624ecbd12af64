// The executor of each command code: one line per code whose executor exists.
#include "rules/command_dispatch.h"

#include "rules/commands.h"
#include "rules/engineering.h"
#include "rules/finish_command.h"
#include "rules/missiles.h"
#include "state/game_state.h"

bool isInPlaceCommand(int code, bool path_empty)
{
    switch (code) {
    case kCommandDisband:
    case kCommandSupply:
    case kCommandTransform:
        return true;
    case kCommandFire:
    case kCommandArmamentExchange:
        return path_empty;
    default:
        return false;
    }
}

void runInPlaceExecutor(GameState& state, int code, int target, int extra)
{
    // Disband, supply, transform and weapon exchange add their lines here.
    const HexPos t = unpackHex(uint32_t(target));
    switch (code) {
    case kCommandFire:
        execLaunchMissile(state, t.x, t.y, extra);
        break;
    default:
        break;
    }
}

bool runExecutorAfterMove(GameState& state, CommandRun& run)
{
    const HexPos t = unpackHex(uint32_t(run.target));
    const HexPos e = unpackHex(uint32_t(run.extra));
    switch (run.code) {
    case kCommandNone:
    case kCommandAirborneDrop:
    case kCommandRoad:
        return true;
    case kCommandAttack:
        executeAttack(state, run.fuelChanged);
        return true;
    case kCommandSelfDestruct:
        executeSelfDestruct(state, run.dest, t, run.fuelChanged);
        return true;
    case kCommandRestore:
        execRestore(state, t.x, t.y);
        return true;
    case kCommandReinforce:
        execReinforce(state, t.x, t.y);
        return true;
    case kCommandBridge:
        execBuildBridge(state, t.x, t.y, e.x, e.y);
        return true;
    case kCommandPillbox:
        execBuildPillbox(state);
        return true;
    case kCommandJamming:
        execJamming(state);
        return true;
    case kCommandFire:
        execLaunchMissile(state, t.x, t.y, run.extra);
        return true;
    default:
        return false;
    }
}
