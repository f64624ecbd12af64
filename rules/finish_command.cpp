// The post-move step: leaving a building or carrier, the ambush, fuel, the executor, fuel-out
// crashes, removal of the destroyed and the transport goals.
#include "rules/finish_command.h"
#include "rules/shared_codes.h"

#include "rules/combat.h"
#include "rules/combat_pair.h"
#include "rules/command_dispatch.h"
#include "rules/commands.h"
#include "rules/dialog_link.h"
#include "rules/move_display.h"
#include "rules/fog.h"
#include "rules/links.h"
#include "rules/play_handshake.h"
#include "rules/rules_context.h"
#include "rules/targets.h"
#include "rules/unit_removal.h"
#include "rules/victory.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kTopExperience = 2550;

struct Actor {
    int side = 0;
    int index = 0;
    UnitRecord* unit = nullptr;
};

bool hasMembers(const Actor& a) { return a.unit && unitExists(*a.unit) && strengthTotal(*a.unit) > 0; }

int domainSlot(const GameState& state, const UnitRecord& unit) { return state.unitSlotFor(unit.type().domain); }

void registerOnHex(GameState& state, const Actor& a)
{
    if (!a.unit || !unitInPlay(*a.unit) || !a.unit->isOnOwnHex())
        return;
    const int slot = domainSlot(state, *a.unit);
    if (!state.hexHasOtherUnit(a.unit->x, a.unit->y, slot, a.side, a.index))
        state.setUnitRefInHex(a.unit->x, a.unit->y, slot, a.side + 1, a.index);
}

bool shouldLeave(GameState& state, const Actor& a, HexPos start, HexPos dest, int code, int target, int extra)
{
    const UnitRecord& u = *a.unit;
    if (HexPos { u.x, u.y } != start || strengthTotal(u) == 0)
        return true;
    const bool aboard = u.hasFlag(kUnitAboard);
    // Boarding the carrier the unit already sits on keeps it aboard.
    if (code == kCommandBoard && aboard && u.carrierSide == target + 1 && u.carrierIndex == extra + 1)
        return false;
    if (dest == start) {
        if (code == kCommandStore && aboard)
            return true;
        if (code == kCommandBoard && (u.hasFlag(kUnitStored) || (aboard && u.carrierIndex != extra + 1)))
            return true;
    }
    return !state.hexHasOtherUnit(start.x, start.y, domainSlot(state, u), a.side, a.index);
}

void leaveBuildingOrCarrier(GameState& state, const Actor& a, HexPos start, int code)
{
    UnitRecord& u = *a.unit;
    const bool on_start = HexPos { u.x, u.y } == start;
    if (u.hasFlag(kUnitStored)) {
        const UnitCell* cell = state.unitCellAt(start.x, start.y);
        const int building = cell ? cell->building : 0;
        u.leaveBuilding(building);
        if (BuildingRecord* b = state.building(building - 1))
            b->removeUnit(a.side, a.index);
        if (on_start && code != kCommandStore)
            addUnitSight(state, u.x, u.y, a.side, a.index);
    }
    if (u.hasFlag(kUnitAboard)) {
        if (UnitRecord* carrier = state.unitOf(u.carrierSide - 1, u.carrierIndex - 1)) {
            bool loaded = false;
            for (int slot = 0; slot < kBerthCount; ++slot) {
                int side = u.carrierSide - 1;
                const int plus1 = carrier->carriedUnitAt(slot, side);
                if (plus1 - 1 == a.index && side == a.side)
                    carrier->clearCarriedUnit(slot);
                else if (plus1 > 0)
                    loaded = true;
            }
            if (!loaded)
                carrier->flags &= uint16_t(~kUnitCarrying);
        }
        u.leaveCarrier();
        if (on_start && code != kCommandBoard)
            addUnitSight(state, u.x, u.y, a.side, a.index);
    }
}

void resolveAmbush(GameState& state, const Actor& a)
{
    CommandFields& f = state.command();
    const UnitRecord* ambusher = state.unitOf(int(f.ambusherSide), int(f.ambusherIndex));
    if (!ambusher || !unitInPlay(*ambusher))
        return;
    const HexPos at { a.unit->x, a.unit->y };
    const int domain = a.unit->type().domain;
    CombatPair pair {};
    pair.setAttacker(state, int(f.ambusherSide), int(f.ambusherIndex), ambusher->x, ambusher->y, false);
    pair.setDefender(state, a.side, a.index);
    pair.prepare(state);
    pair.side[1].weaponSlot = -1;
    pair.computeValues(state);
    currentCombat(state) = pair;
    if (ViewerView(state).toldOf(a.side))
        dialogLink().showEventNotice(kAmbushNotice, a.side, a.index);
    resolveCombat(state);
    if (!hasMembers(a))
        if (TerrainCell* cell = state.terrainCellAt(at.x, at.y))
            cell->turnMarks[2] |= uint8_t(1 << domain);
}

struct FuelBurn {
    int burned = 0;
    int overrun = 0;
    bool changed = false;
};

FuelBurn burnFuel(GameState& state, const Actor& a, int path_cost)
{
    UnitRecord& u = *a.unit;
    FuelBurn result;
    int burned = path_cost;
    if (path_cost == -1) {
        burned = 0;
        const CurrentAction& action = currentAction(state);
        if (action.range()) {
            burned = std::max(0, action.range()->costAt(u.x, u.y, 0x7FFFFFFF));
            if (!action.wayPoints().empty())
                burned += action.wayPoints().back().cost;
        }
    }
    const UnitTypeRecord& type = u.type();
    const int allowance = type.model[u.modelIndex()].values[0];
    if (burned > allowance)
        burned *= 2, result.overrun = 1;
    if (movementGroup(type.movementType) == 0 && !u.hasFlag(kUnitAboard | kUnitStored)) {
        const BuildingRecord* building = state.buildingOnHex(u.x, u.y);
        if (!building || !building->canRefuel(a.side, unitTypeGroup(type)))
            burned = std::max(burned, allowance / (state.ruleOn(kRuleLowFuelUse) ? 4 : 2));
    }
    const int fuel = std::max(0, int(u.fuel) - burned);
    result.changed = fuel != u.fuel;
    u.fuel = uint16_t(fuel);
    result.burned = burned;
    return result;
}

bool actsOnlyFree(int code)
{
    switch (code) {
    case kCommandNone: case kCommandAttack: case kCommandFire: case kCommandOccupy: case kCommandDestroy:
    case kCommandJamming: case kCommandRestore: case kCommandReinforce: case kCommandMerge: case kCommandSplit:
    case kCommandAirborneDrop: case kCommandBridge: case kCommandPillbox: case kCommandRoad:
    case kCommandTakeCivilians: case kCommandReleaseCivilians: case kCommandSelfDestruct:
    case kCommandClearLandMines: case kCommandSweepSeaMines:
        return true;
    default:
        return false;
    }
}

bool actsAnywhere(int code)
{
    return code == kCommandArmamentExchange || code == kCommandStore || code == kCommandBoard;
}

void removeDestroyed(GameState& state, const Actor& a)
{
    removeUnitFromHex(state, a.side, a.index);
    destroyUnit(state, a.side, a.index);
}

// An aircraft out of fuel away from a hex that refuels it crashes; another unit only runs dry.
bool crashesForFuel(GameState& state, const Actor& a, bool fuel_was_positive)
{
    UnitRecord& u = *a.unit;
    if (!hasMembers(a) || u.fuel != 0)
        return false;
    if (movementGroup(u.type().movementType) != 0) {
        if (fuel_was_positive)
            state.historyLog().recordFuelOut(a.side, a.index);
        return false;
    }
    if (u.hasFlag(kUnitAboard | kUnitStored))
        return false;
    const TerrainRecord* terrain = state.terrainTypeAt(u.x, u.y);
    const int group = unitTypeGroup(u.type());
    if (terrain && (terrain->refuelMask >> group & 1))
        return false;
    state.historyLog().recordFuelOutCrash(a.side, a.index);
    if (ViewerView(state).toldOf(a.side))
        dialogLink().showEventNotice(kFuelOutNotice, a.side, a.index);
    removeDestroyed(state, a);
    return true;
}

void settleTransport(GameState& state, const Actor& a)
{
    if (!a.unit || !unitInPlay(*a.unit))
        return;
    if (a.unit->hasFlag(kUnitCarrying))
        handleArrivals(state, a.side, a.index);
    checkTransportArrival(state, a.side, a.index);
}

} // namespace

void finishCommand(GameState& state, HexPos start, HexPos dest, int code, int target, int extra, int path_cost)
{
    CurrentAction& action = currentAction(state);
    const Actor a { action.actingCountry(), action.actingIndex(), state.unitOf(action.actingCountry(), action.actingIndex()) };
    MapBitSet* redraw = state.redrawSet();
    if (!a.unit || !unitExists(*a.unit)) {
        if (redraw)
            redraw->setAll();
        return;
    }
    UnitRecord& u = *a.unit;
    CommandFields& f = state.command();
    syncCarriedPositions(state, u, a.side);
    if (u.hasFlag(kUnitStored | kUnitAboard) && shouldLeave(state, a, start, dest, code, target, extra))
        leaveBuildingOrCarrier(state, a, start, code);
    if (f.ambushPending)
        resolveAmbush(state, a);

    CommandRun run;
    run.code = code;
    run.target = target;
    run.extra = extra;
    run.dest = dest;
    bool fuel_was_positive = false;
    if (hasMembers(a)) {
        fuel_was_positive = u.fuel > 0;
        const FuelBurn burn = burnFuel(state, a, path_cost);
        run.overrun = burn.overrun;
        run.burnedFuel = burn.burned;
        run.fuelChanged = burn.changed;
        const bool arrived = !f.ambushPending && !f.moveStopped && HexPos { u.x, u.y } == dest;
        if (start != HexPos { u.x, u.y }) {
            registerOnHex(state, a);
            showMoveEnded(state, start, { u.x, u.y });
        }
        if (arrived && ((actsOnlyFree(code) && !u.hasFlag(kUnitStored | kUnitAboard)) || actsAnywhere(code))) {
            action.setCommandCode(uint16_t(code));
            registerOnHex(state, a);
            runExecutorAfterMove(state, run);
        }
        // Whatever did not act (or has no executor yet) still stands on its hex.
        registerOnHex(state, a);
        if (hasMembers(a)) {
            u.markActed();
            if (f.rankChanged)
                announceRankChange(state, a.side, a.index, u.x, u.y, 0, kTopExperience, ReportWait::No);
        }
    }

    const Actor split { a.side, run.splitOff, run.splitOff >= 0 ? state.unitOf(a.side, run.splitOff) : nullptr };
    if (unitExists(u) && crashesForFuel(state, a, fuel_was_positive) && split.unit && unitExists(*split.unit))
        removeDestroyed(state, split);
    if (unitExists(u) && strengthTotal(u) == 0)
        removeDestroyed(state, a);
    settleTransport(state, a);
    if (split.unit && unitExists(*split.unit) && strengthTotal(*split.unit) == 0)
        removeDestroyed(state, split);
    settleTransport(state, split);
    if (redraw)
        redraw->setAll();
}
