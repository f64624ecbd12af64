// The executor of each command code: one line per code whose executor exists.
#include "rules/command_dispatch.h"

#include "rules/boarding.h"
#include "rules/civilians.h"
#include "rules/commands.h"
#include "rules/demolition.h"
#include "rules/disband.h"
#include "rules/engineering.h"
#include "rules/finish_command.h"
#include "rules/merge_split.h"
#include "rules/mine_clearing.h"
#include "rules/mines.h"
#include "rules/missiles.h"
#include "rules/occupation.h"
#include "rules/storing.h"
#include "rules/supply_orders.h"
#include "rules/transform.h"
#include "rules/weapon_exchange.h"
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
    switch (code) {
    case kCommandFire: {
        const HexPos t = unpackHex(uint32_t(target));
        execLaunchMissile(state, t.x, t.y, extra);
        break;
    }
    case kCommandDisband:
        execDisband(state);
        break;
    case kCommandSupply:
        if (target == 1) {
            const HexPos e = unpackHex(uint32_t(extra));
            execSupplyUnitService(state, e.x, e.y);
        } else {
            execResupply(state);
        }
        break;
    case kCommandTransform:
        execTransform(state);
        break;
    case kCommandArmamentExchange:
        execWeaponExchange(state, target, uint32_t(extra));
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
    case kCommandOccupy:
        execOccupy(state);
        return true;
    case kCommandDestroy:
        execDestroy(state, run.target, run.extra, Demolisher::Unit);
        return true;
    case kCommandMerge:
        execMerge(state, t.x, t.y, run.extra, { run.overrun, run.burnedFuel });
        return true;
    case kCommandSplit:
        run.splitOff = execSplit(state, t.x, t.y, run.extra, { run.overrun, run.burnedFuel });
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
    case kCommandStore:
        execStore(state);
        return true;
    case kCommandBoard:
        execBoard(state, run.target, run.extra);
        return true;
    case kCommandArmamentExchange:
        execWeaponExchangeAfterMove(state, run.target, uint32_t(run.extra));
        return true;
    case kCommandTakeCivilians:
        execTakeCivilians(state, t.x, t.y);
        return true;
    case kCommandReleaseCivilians:
        execReleaseCivilians(state, t.x, t.y);
        return true;
    case kCommandClearLandMines:
        execClearMines(state, t.x, t.y, kLandMineKind);
        return true;
    case kCommandSweepSeaMines:
        execClearMines(state, t.x, t.y, kSeaMineKind);
        return true;
    default:
        return false;
    }
}
