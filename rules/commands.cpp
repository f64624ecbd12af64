// The command table's checks and the command masks built from them.
#include "rules/commands.h"

#include "rules/combat_values.h"
#include "rules/command_scans.h"
#include "rules/current_action_marks.h"
#include "rules/targets.h"
#include "rules/unit_numbers.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/weapon_record.h"

#include <algorithm>

namespace {

CommandScans* g_commandScans = nullptr;

bool checkAttack(GameState& state, const UnitRecord& unit, const CommandAsk& ask)
{
    if (state.ruleOn(kRuleFatigue) && unit.fatigue >= 50)
        return false;
    if (!isHexFreeForUnit(state, ask.side, ask.index, ask.x, ask.y) || !g_commandScans)
        return false;
    if (g_commandScans->hasAttackTarget(state, ask.side, ask.index, ask.x, ask.y, ask.moving))
        return true;
    if (!state.ruleOn(kRuleGroundPointTarget))
        return false;
    const int reach = unit.bestWeaponReach(kTargetArmoured, ask.moving ? 1 : 0, 0, 0);
    return reach > 1 && g_commandScans->hasGroundAttackHex(state, ask.side, ask.index, ask.x, ask.y, reach);
}

bool checkFire(GameState& state, const UnitRecord& unit, const CommandAsk& ask)
{
    std::vector<int> slots;
    if (!unit.listUsableWeapons(true, slots, ask.moving ? 1 : 0) || !isHexFreeForUnit(state, ask.side, ask.index, unit.x, unit.y))
        return false;
    for (int slot : slots) {
        const WeaponRecord* weapon = unit.slotWeapon(slot);
        if (g_commandScans && weapon && g_commandScans->hasLaunchReach(state, ask.side, weapon->launchedType, unit.x, unit.y))
            return true;
    }
    return false;
}

// With bombing allowed a fresh unit with a usable weapon may also strike works within its reach.
bool mayBomb(GameState& state, const UnitRecord& unit, const CommandAsk& ask)
{
    return state.ruleOn(kRuleBombing) && unit.isFresh() && findUsableWeaponSlot(state, unit, ask.moving ? 128 : 0, 0) >= 0;
}

bool checkDestroy(GameState& state, const UnitRecord& unit, const CommandAsk& ask)
{
    if (!isHexFreeForUnit(state, ask.side, ask.index, ask.x, ask.y))
        return false;
    std::vector<HexPos> hexes;
    if (collectDestroyTargets(state, ask.side, ask.index, ask.x, ask.y, hexes) > 0)
        return true;
    return mayBomb(state, unit, ask) && collectBombTargets(state, ask.side, ask.index, ask.x, ask.y, ask.moving, hexes) > 0;
}

bool checkMerge(GameState& state, const UnitRecord& unit, const CommandAsk& ask)
{
    if (unit.hasFlag(kUnitCarrying) || !isHexFreeForUnit(state, ask.side, ask.index, ask.x, ask.y))
        return false;
    if ((unit.watchBits & 7) || !state.ruleOn(kRuleMerging))
        return false;
    std::vector<UnitRef> partners;
    return collectMergePartners(state, ask.side, ask.index, ask.x, ask.y, ask.rangePoints, partners) > 0;
}

bool checkSplit(GameState& state, const UnitRecord& unit, const CommandAsk& ask)
{
    if (!isHexFreeForUnit(state, ask.side, ask.index, ask.x, ask.y) || !state.ruleOn(kRuleSplitting))
        return false;
    // The split-off part needs a troop number of the country's own: none is left at its unit limit.
    if (state.liveUnitCount(ask.side) >= unitCapacity(state, ask.side) || unit.hasFlag(kUnitCarrying))
        return false;
    if (unit.type().members < 2 || strengthSlotCount(unit) < 2 || (unit.watchBits & 7))
        return false;
    std::vector<HexPos> hexes;
    return collectSplitHexes(state, ask.side, ask.index, ask.x, ask.y, ask.rangePoints, hexes) > 0;
}

bool checkBoard(GameState& state, const CommandAsk& ask)
{
    std::vector<UnitRef> hosts;
    state.collectUnitsInHex(ask.x, ask.y, hosts);
    state.collectBuildingUnitsAt(ask.x, ask.y, hosts);
    for (const UnitRef& ref : hosts) {
        const UnitRecord* host = state.unitOf(ref.table, ref.index);
        if (host && ref.table == ask.side && ref.index != ask.index
            && host->canTakeAboardNested(ask.side, ask.index, ref.table, ref.index))
            return true;
    }
    return false;
}

bool hasEngineering(const UnitRecord& unit, int rounds)
{
    return (typeEngineeringBits(unit.type()) & 0x10) && unit.engineeringAmmoTotal() >= rounds;
}

bool checkBridge(GameState& state, const UnitRecord& unit, const CommandAsk& ask)
{
    if (!hasEngineering(unit, 3) || !isHexFreeForUnit(state, ask.side, ask.index, ask.x, ask.y))
        return false;
    std::vector<HexPos> hexes;
    return collectBridgeHexes(state, ask.side, ask.x, ask.y, hexes) > 0;
}

bool checkRoad(GameState& state, const UnitRecord& unit, const CommandAsk& ask)
{
    if (!ask.moving || !hasEngineering(unit, 1) || !isHexFreeForUnit(state, ask.side, ask.index, ask.x, ask.y))
        return false;
    std::vector<HexPos> route;
    if (!g_commandScans || !g_commandScans->planRoute(state, ask.side, ask.index, ask.x, ask.y, route))
        return false;
    HexPos previous { unit.x, unit.y };
    for (const HexPos& hex : route) {
        if (canLinkRoad(state, previous, hex))
            return true;
        previous = hex;
    }
    return false;
}

} // namespace

void setCommandScans(CommandScans* scans) { g_commandScans = scans; }

bool isHexFreeForUnit(const GameState& state, int side, int index, int x, int y)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !state.isOnMap(x, y))
        return false;
    return !state.hexDomainHasVisibleOtherUnit(x, y, state.unitSlotFor(unit->type().domain), side, index);
}

std::vector<HexPos> destroyOrderTargets(GameState& state, const CommandAsk& ask)
{
    std::vector<HexPos> hexes;
    const UnitRecord* unit = state.unitOf(ask.side, ask.index);
    if (!unit)
        return hexes;
    collectDestroyTargets(state, ask.side, ask.index, ask.x, ask.y, hexes);
    if (!mayBomb(state, *unit, ask))
        return hexes;
    std::vector<HexPos> bombed;
    collectBombTargets(state, ask.side, ask.index, ask.x, ask.y, ask.moving, bombed);
    for (const HexPos& hex : bombed)
        if (std::find(hexes.begin(), hexes.end(), hex) == hexes.end())
            hexes.push_back(hex);
    return hexes;
}

bool commandTargetCheck(GameState& state, const CommandAsk& ask, int code)
{
    const UnitRecord* found = state.unitOf(ask.side, ask.index);
    if (!found || !unitExists(*found))
        return false;
    const UnitRecord& unit = *found;
    const int side = ask.side;
    const int index = ask.index;
    std::vector<HexPos> hexes;
    std::vector<UnitRef> units;
    switch (code) {
    case kCommandAttack:
        return checkAttack(state, unit, ask);
    case kCommandFire:
        return checkFire(state, unit, ask);
    case kCommandOccupy:
        return canOccupyAt(state, side, index, ask.x, ask.y, 0);
    case kCommandTransform:
        return !ask.moving && isHexFreeForUnit(state, side, index, unit.x, unit.y) && unit.type().baseType != 0;
    case kCommandDestroy:
        return checkDestroy(state, unit, ask);
    case kCommandJamming:
        return state.ruleOn(kRuleSearch) && unit.findEcmWeapon() >= 0;
    case kCommandRestore:
        return isHexFreeForUnit(state, side, index, ask.x, ask.y) && collectRestoreTargets(state, side, index, ask.x, ask.y, hexes) > 0;
    case kCommandReinforce:
        return state.ruleOn(kRuleReinforcement) && isHexFreeForUnit(state, side, index, ask.x, ask.y)
            && collectReinforceTargets(state, side, index, ask.x, ask.y, hexes) > 0;
    case kCommandMerge:
        return checkMerge(state, unit, ask);
    case kCommandSplit:
        return checkSplit(state, unit, ask);
    case kCommandStore:
        return canStoreInBuilding(state, side, index, ask.x, ask.y);
    case kCommandBoard:
        return checkBoard(state, ask);
    case kCommandAirborneDrop:
        return isAirborneInCarrier(state, side, index);
    case kCommandArmamentExchange:
        return isMultiRole(unit.type()) && countExchangePlaces(state, side, index, ask.x, ask.y, ask.moving) > 0;
    case kCommandBridge:
        return checkBridge(state, unit, ask);
    case kCommandPillbox:
        return hasEngineering(unit, 2) && isHexFreeForUnit(state, side, index, ask.x, ask.y) && canBuildPillboxAt(state, ask.x, ask.y);
    case kCommandRoad:
        return checkRoad(state, unit, ask);
    case kCommandSupply:
        return !ask.moving && canSupplyAt(state, side, index);
    case kCommandDisband:
        return canDisband(state, side, index, ask.moving);
    case kCommandTakeCivilians:
        return isHexFreeForUnit(state, side, index, ask.x, ask.y) && state.isAllied(side, 8)
            && collectNeutralPickupTargets(state, side, index, ask.x, ask.y, units) > 0;
    case kCommandReleaseCivilians:
        return isHexFreeForUnit(state, side, index, ask.x, ask.y) && carriesNeutralUnit(unit)
            && collectNeutralDropHexes(state, side, index, ask.x, ask.y, hexes) > 0;
    case kCommandSelfDestruct:
        return hasSelfDestructAmmo(state, unit) && collectSelfDestructTargets(state, side, index, ask.x, ask.y, units) > 0;
    case kCommandClearLandMines:
        return canClearLandMines(state, side, index, ask.x, ask.y);
    case kCommandSweepSeaMines:
        return canSweepSeaMines(state, side, index, ask.x, ask.y);
    case kCommandMoveOrder:
        return isHexFreeForUnit(state, side, index, ask.x, ask.y) && !isAirborneInCarrier(state, side, index);
    default:
        return false;
    }
}

uint32_t availableCommandMask(GameState& state, const CommandAsk& ask)
{
    uint32_t mask = 0;
    for (int code = 0; code <= kCommandMoveOrder; ++code)
        if (commandTargetCheck(state, ask, code))
            mask |= 1u << code;
    if (mask & (1u << kCommandAirborneDrop))
        mask &= kAirborneOnlyMask;
    return mask;
}

uint32_t availableCommandMaskAuto(GameState& state, const CommandAsk& ask)
{
    CommandAsk moved = ask;
    moved.moving = true;
    uint32_t mask = 0;
    for (int code = 0; code <= kCommandMoveOrder; ++code)
        if (code != kCommandAirborneDrop && commandTargetCheck(state, moved, code))
            mask |= 1u << code;
    return (mask & ~(1u << kCommandBoard)) | 1u << kCommandMoveOrder;
}

bool isInMoveRange(const GameState& state, int x, int y)
{
    return hasHexMark(state, x, y, kMarkMoveRange | kMarkInterceptRange | kMarkExtendedBand);
}

bool isCommandTargetHex(const GameState& state, int x, int y)
{
    return hasHexMark(state, x, y, kMarkCommandTarget | kMarkCommandTarget2 | kMarkCommandTarget3);
}
