// Target checks of the engineering commands: destroy, restore, reinforce, bridge, road, pillbox and mines.
#include "rules/targets.h"

#include "rules/commands.h"
#include "rules/scans_works.h"
#include "state/game_state.h"
#include "state/state_accessors.h"
#include "state/unit_facts.h"
#include "state/weapon_record.h"

#include <algorithm>

namespace {

int terrainKindAt(const GameState& state, int x, int y)
{
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    return terrain ? terrain->kind : -1;
}

bool isBridgeLikeKind(int kind) { return kind == 10 || kind == 20 || kind == 25 || kind == 26; }
bool isBridgeKind(int kind) { return kind == 20 || kind == 25 || kind == 26; }

// Durability of the pillbox or temporary bridge listed on the hex; -1 when the hex lists none of the kind.
int listedDurability(const GameState& state, int x, int y, int kind)
{
    const uint8_t* durability = state.listedDurability(x, y, kind);
    return durability ? *durability : -1;
}

bool ownerAllowsWork(const GameState& state, const BuildingRecord& building, int side)
{
    return building.ownerPlusOne == 0 || state.isAllied(building.owner(), side);
}

// The hex first, then its six neighbours, each on the map.
template<typename Visit>
void walkHexThenNeighbours(const GameState& state, int x, int y, Visit visit)
{
    visit(x, y, true);
    for (int d = 0; d < 6; ++d) {
        HexPos n = state.hexNeighbour(x, y, d);
        if (n.valid())
            visit(n.x, n.y, false);
    }
}

// The six neighbours, then the hex itself.
template<typename Visit>
void walkNeighboursThenHex(const GameState& state, int x, int y, Visit visit)
{
    for (int d = 0; d < 6; ++d) {
        HexPos n = state.hexNeighbour(x, y, d);
        if (n.valid())
            visit(n.x, n.y, d);
    }
    if (state.isOnMap(x, y))
        visit(x, y, 6);
}

int mineCollector(const GameState& state, int side, int x, int y, int known_only, bool land, std::vector<HexPos>& list)
{
    const size_t before = list.size();
    walkNeighboursThenHex(state, x, y, [&](int hx, int hy, int) {
        const TerrainCell* cell = state.terrainCellAt(hx, hy);
        bool take;
        if (known_only == 0)
            take = land ? canHoldLandMine(state, *cell) : canHoldSeaMine(state, *cell);
        else
            take = cell->mineKind == (land ? 1 : 2) && side >= 0 && side < 8 && (cell->mineKnownMask >> side & 1);
        if (take)
            list.push_back(HexPos { hx, hy });
    });
    return int(list.size() - before);
}

bool canClearMines(const GameState& state, int side, int index, int x, int y, bool land)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !isHexFreeForUnit(state, side, index, x, y) || unit->fatigue >= 46)
        return false;
    if (!(typeAbilityBits(unit->type()) & (land ? 1 : 2)))
        return false;
    std::vector<HexPos> hexes;
    return mineCollector(state, side, x, y, 0, land, hexes) > 0;
}

} // namespace

int longestReach(const UnitRecord& unit, bool restricted_only)
{
    int reach = 0;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = unit.slotWeapon(slot);
        if (!weapon || unit.ammunition[slot] == 0 || weapon->useValue == 0 || (restricted_only && !(weapon->flags & 128)))
            continue;
        reach = std::max(reach, int(weapon->reach));
    }
    return reach;
}

int longestReachOfKind(const UnitRecord& unit, int kind, bool restricted_only)
{
    if (!unit.isFresh())
        return 0;
    int reach = 0;
    for (int slot = 0; slot < kWeaponSlotCount; ++slot) {
        const WeaponRecord* weapon = unit.slotWeapon(slot);
        if (!weapon || weapon->kind != kind || unit.ammunition[slot] == 0 || (restricted_only && !(weapon->flags & 128)))
            continue;
        reach = std::max(reach, int(weapon->reach));
    }
    return reach;
}

int collectBombTargets(GameState& state, int side, int index, int x, int y, bool restricted_only, std::vector<HexPos>& list)
{
    BombTargetHexScan scan(state, side, index, x, y, restricted_only);
    scan.run();
    for (const HexScanHit& hit : scan.hits())
        list.push_back(HexPos { hit.x, hit.y });
    return scan.hitCount();
}

bool hasDestroyableTarget(const GameState& state, int side, int x, int y)
{
    if (const BuildingRecord* building = state.buildingOnHex(x, y)) {
        if (building->durability == 0 || building->owner() == side)
            return false;
        if (building->ownerPlusOne != 0 && state.isAllied(building->owner(), side) && !state.ruleOn(kRuleAttackAllies))
            return false;
        const TerrainRecord* terrain = building->terrain();
        return !(terrain && terrain->kind == kTerrainCapital && !state.ruleOn(kRuleCapitalDestruction));
    }
    if (const PillboxHex* pillbox = state.pillboxHex(state.findPillboxHex(x, y)))
        return pillbox->durability > 0;
    if (const TemporaryBridgeHex* bridge = state.temporaryBridgeHex(state.findTemporaryBridgeHex(x, y)))
        return bridge->durability > 0;
    const TerrainCell* cell = state.terrainCellAt(x, y);
    return cell && cell->overlay != 0;
}

int collectDestroyTargets(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !state.ruleOn(kRuleBombing))
        return 0;
    const int bits = typeEngineeringBits(unit->type());
    if (!(bits & 0x11))
        return 0;
    const size_t before = list.size();
    walkHexThenNeighbours(state, x, y, [&](int hx, int hy, bool own) {
        if (!hasDestroyableTarget(state, side, hx, hy))
            return;
        const int kind = terrainKindAt(state, hx, hy);
        bool take = isBridgeLikeKind(kind) ? !own : own;
        if (own && kind == kTerrainPillbox && (bits & 0x10))
            take = true;
        if (take)
            list.push_back(HexPos { hx, hy });
    });
    return int(list.size() - before);
}

int collectRestoreTargets(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit)
        return 0;
    const int bits = typeEngineeringBits(unit->type());
    if (!(bits & 0x11))
        return 0;
    const size_t before = list.size();
    walkHexThenNeighbours(state, x, y, [&](int hx, int hy, bool own) {
        const int kind = terrainKindAt(state, hx, hy);
        if (own ? isBridgeKind(kind) : ((bits & 0x01) && !isBridgeKind(kind)))
            return;
        bool take = false;
        if (const BuildingRecord* building = state.buildingOnHex(hx, hy)) {
            const TerrainRecord* terrain = building->terrain();
            take = terrain && ownerAllowsWork(state, *building, side) && building->durability < terrain->durability;
        } else {
            const int durability = listedDurability(state, hx, hy, kind);
            take = durability >= 0 && durability < state.terrainTypeAt(hx, hy)->durability;
        }
        if (take)
            list.push_back(HexPos { hx, hy });
    });
    return int(list.size() - before);
}

int collectReinforceTargets(const GameState& state, int side, int index, int x, int y, std::vector<HexPos>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !(typeEngineeringBits(unit->type()) & 0x10) || unit->engineeringAmmoTotal() < 1)
        return 0;
    const size_t before = list.size();
    walkHexThenNeighbours(state, x, y, [&](int hx, int hy, bool) {
        int durability = -1;
        const TerrainRecord* terrain = nullptr;
        if (const BuildingRecord* building = state.buildingOnHex(hx, hy)) {
            terrain = building->terrain();
            if (ownerAllowsWork(state, *building, side))
                durability = building->durability;
        } else {
            terrain = state.terrainTypeAt(hx, hy);
            durability = listedDurability(state, hx, hy, terrainKindAt(state, hx, hy));
        }
        if (terrain && durability >= terrain->durability && durability < terrain->reinforcedDurability)
            list.push_back(HexPos { hx, hy });
    });
    return int(list.size() - before);
}

bool canBuildBridgeAt(const GameState& state, int x, int y)
{
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    if (!terrain || !(terrain->flags & 0x20))
        return false;
    std::vector<UnitRef> units;
    state.collectUnitsInHex(x, y, units);
    const auto& types = state.terrainTypes();
    for (const UnitRef& ref : units) {
        const UnitRecord* unit = state.unitOf(ref.table, ref.index);
        const UnitTypeRecord* type = unit ? state.unitTypeOf(*unit) : nullptr;
        if (!type || types.size() <= 53 || type->movementType >= kMovementTypeCount || types[53].moveCost[type->movementType] == 0)
            return false;
    }
    return true;
}

int collectBridgeHexes(const GameState& state, int side, int x, int y, std::vector<HexPos>& list)
{
    const size_t before = list.size();
    const int land_slot = state.unitSlotFor(3);
    for (int d = 0; d < kHexDirections; ++d) {
        const HexPos n = state.hexNeighbour(x, y, d);
        if (n.valid() && !state.hexDomainHasNonAlliedUnit(n.x, n.y, land_slot, side) && canBuildBridgeAt(state, n.x, n.y))
            list.push_back(n);
    }
    return int(list.size() - before);
}

bool isRoadTerrain(const GameState& state, int x, int y)
{
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    return terrain && (terrain->flags & 0x80);
}

bool isRoadOrBuildingTerrain(const GameState& state, int x, int y)
{
    return isRoadTerrain(state, x, y) || state.effectiveTerrainAt(x, y) == kTemporaryBridgeTerrain;
}

bool canLinkRoad(const GameState& state, HexPos a, HexPos b)
{
    const bool a_road = isRoadTerrain(state, a.x, a.y);
    const bool b_road = isRoadTerrain(state, b.x, b.y);
    if (!(a_road && isRoadOrBuildingTerrain(state, b.x, b.y)) && !(b_road && isRoadOrBuildingTerrain(state, a.x, a.y)))
        return false;
    int direction = -1;
    for (int d = 0; d < 6 && direction < 0; ++d) {
        HexPos n = state.hexNeighbour(a.x, a.y, d);
        if (n.x == b.x && n.y == b.y)
            direction = d;
    }
    if (direction < 0)
        return false;
    auto roadMask = [&](HexPos h) { return state.buildingOnHex(h.x, h.y) ? 255 : int(state.terrainCellAt(h.x, h.y)->overlay); };
    if (!(roadMask(a) >> direction & 1))
        return true;
    return !(roadMask(b) >> oppositeDirection(direction) & 1);
}

bool canBuildPillboxAt(const GameState& state, int x, int y)
{
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    return terrain && (terrain->flags & 0x40);
}

int collectLandMineHexes(const GameState& state, int side, int x, int y, int known_only, std::vector<HexPos>& list)
{
    return mineCollector(state, side, x, y, known_only, true, list);
}

int collectSeaMineHexes(const GameState& state, int side, int x, int y, int known_only, std::vector<HexPos>& list)
{
    return mineCollector(state, side, x, y, known_only, false, list);
}

bool canClearLandMines(const GameState& state, int side, int index, int x, int y)
{
    return canClearMines(state, side, index, x, y, true);
}

bool canSweepSeaMines(const GameState& state, int side, int index, int x, int y)
{
    return canClearMines(state, side, index, x, y, false);
}
