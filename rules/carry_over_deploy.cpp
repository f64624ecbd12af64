// Deploying the carried-over units on a campaign's next map: by hand, with their cargo, automatically.
#include "rules/carry_over.h"

#include "rules/carry_over_entries.h"
#include "rules/fog.h"
#include "rules/home_hex.h"
#include "rules/unit_numbers.h"
#include "rules/unit_removal.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <utility>

using namespace carry_over;

namespace {

constexpr uint8_t kDeploymentHexBit = 1;
constexpr int kNoAnchorDistance = 10000;
constexpr int kAirportKind = 16;
constexpr int kPortKind = 17;
constexpr int kDomainOrder[] = { 3, 0, 1, 2, 4, 5 };

int campaignPlayer(GameState& state) { return state.campaignBlock().playerCountry; }

bool isWaiting(const UnitRecord& entry) { return unitState(entry) == kCarryOverWaiting; }
bool isPlaced(const UnitRecord& entry) { return unitState(entry) != 0 && !isWaiting(entry); }

// An entry of the list in use, else null.
UnitRecord* usedEntry(GameState& state, int i)
{
    if (i < 0 || uint32_t(i) >= state.carryOverCount())
        return nullptr;
    UnitRecord* entry = carryOverEntry(state, i);
    return entry && unitExists(*entry) ? entry : nullptr;
}

// A free index of the side's table: one below its unit count, else the next one while the side has
// room, so a table filled up to its count still takes carried-over units.
int deploymentIndex(GameState& state, int side)
{
    int index = freeUnitSlot(state, side);
    if (index >= 0)
        return index;
    uint32_t count = state.unitCount(side);
    return int(count) < unitCapacity(state, side) ? int(count) : -1;
}

// The entry's record as a new unit of the side at (x, y), in play with its own troop number.
UnitRecord& makeUnit(GameState& state, int side, int index, const UnitRecord& entry, int x, int y)
{
    if (uint32_t(index) >= state.unitCount(side))
        state.setUnitCount(side, uint32_t(index + 1));
    UnitRecord& unit = *state.unitOf(side, index);
    unit = entry;
    unit.x = uint8_t(x);
    unit.y = uint8_t(y);
    setEntryState(unit, 1);
    unit.placedUnitIndex = 0;
    unit.troopNumber = 0;
    int number = nextTroopNumber(state, side);
    unit.troopNumber = uint16_t(number > 0 ? number : 0);
    return unit;
}

void countPlaced(GameState& state)
{
    uint32_t& left = carryOverDeployment(state).unitsLeft;
    if (left > 0)
        --left;
}

std::vector<HexPos> deploymentHexesByDistance(GameState& state, int country)
{
    std::vector<HexPos> hexes;
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x)
            if (state.terrainCellAt(x, y)->turnMarks[0] & kDeploymentHexBit)
                hexes.push_back({ x, y });
    std::vector<HexPos> anchors;
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const BuildingRecord& building = state.buildingAt(i);
        const TerrainRecord* terrain = state.terrainTypeAt(int(building.x), int(building.y));
        if (building.owner() == country && terrain && terrain->kind == kTerrainCapital)
            anchors.push_back({ int(building.x), int(building.y) });
    }
    for (uint32_t i = 0; i < state.unitCount(country); ++i) {
        const UnitRecord& unit = *state.unitOf(country, int(i));
        const UnitTypeRecord* type = state.unitTypeOf(unit);
        if (unitInPlay(unit) && type && type->unitClass == kHeadquartersClass && !unit.hasFlag(kUnitAwaitingProduction))
            anchors.push_back({ unit.x, unit.y });
    }
    std::vector<int> distance;
    for (const HexPos& hex : hexes) {
        int nearest = kNoAnchorDistance;
        for (const HexPos& anchor : anchors)
            nearest = std::min(nearest, hexDistance(hex, anchor));
        distance.push_back(nearest);
    }
    // Selection sort taking the last of the nearest remaining hexes: ties leave row order but for
    // the one swapped to the front.
    for (size_t p = 0; p < hexes.size(); ++p) {
        size_t best = p;
        for (size_t j = p; j < hexes.size(); ++j)
            if (distance[j] <= distance[best])
                best = j;
        std::swap(hexes[p], hexes[best]);
        std::swap(distance[p], distance[best]);
    }
    return hexes;
}

// Domains 0 and 3 always; air with an airport, sea with a port of the country, an ally or nobody.
unsigned autoDeployDomains(GameState& state, int country)
{
    unsigned mask = 1u << 0 | 1u << 3;
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const BuildingRecord& building = state.buildingAt(i);
        const TerrainRecord* terrain = building.terrain();
        if (!terrain || (building.ownerPlusOne != 0 && !state.isAllied(country, building.owner())))
            continue;
        if (terrain->kind == kPortKind)
            mask |= 1u << 4 | 1u << 5;
        if (terrain->kind == kAirportKind)
            mask |= 1u << 1 | 1u << 2;
    }
    return mask;
}

bool anyDeploymentHex(GameState& state)
{
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x)
            if (state.terrainCellAt(x, y)->turnMarks[0] & kDeploymentHexBit)
                return true;
    return false;
}

} // namespace

void beginCarryOverDeployment(GameState& state)
{
    CarryOverDeployment& deployment = carryOverDeployment(state);
    deployment = {};
    int country = campaignPlayer(state);
    if (country < 0 || country >= kCountryCount)
        return;
    uint32_t waiting = 0;
    for (uint32_t i = 0; i < state.carryOverCount(); ++i)
        waiting += isWaiting(*carryOverEntry(state, int(i))) ? 1 : 0;
    int room = std::max(0, unitCapacity(state, country) - state.liveUnitCount(country));
    deployment.limit = std::min(waiting, uint32_t(room));
    deployment.unitsLeft = deployment.limit;
    deployment.domainMask = uint8_t(autoDeployDomains(state, country));
    if (!anyDeploymentHex(state))
        markHomeArea(state);
}

bool deployCarriedOverUnit(GameState& state, int side, int entry, int x, int y, bool into_building)
{
    UnitRecord* source = usedEntry(state, entry);
    if (!source || !isWaiting(*source) || source->hasFlag(kUnitAboard) || !state.isOnMap(x, y)
        || carryOverDeployment(state).unitsLeft == 0)
        return false;
    const UnitTypeRecord* type = state.unitTypeOf(*source);
    if (!type)
        return false;
    // Checked before anything changes: a unit must never stand in a slot another one holds.
    BuildingRecord* building = into_building ? state.buildingOnHex(x, y) : nullptr;
    int slot = state.unitSlotFor(type->domain);
    if (into_building ? !building || !building->hasFreeSlot() : state.hexHasUnit(x, y, slot) || state.hexHasUpperUnit(x, y, slot))
        return false;
    int index = deploymentIndex(state, side);
    if (index < 0)
        return false;
    UnitRecord& unit = makeUnit(state, side, index, *source, x, y);
    if (into_building) {
        unit.flags |= kUnitStored;
        building->addUnit(side, index);
    } else {
        state.setUnitRefInHex(x, y, slot, side + 1, index);
        // The map is fogged during the deployment: a placed unit sees round it at once.
        addUnitSight(state, x, y, side, index);
    }
    markCarryOverPlaced(state, entry, side, index);
    countPlaced(state);
    if (unit.hasFlag(kUnitCarrying))
        deployCargo(state, side, index);
    return true;
}

int deployCargo(GameState& state, int side, int unit_index)
{
    UnitRecord* carrier = state.unitOf(side, unit_index);
    if (!carrier)
        return 0;
    int placed = 0;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        uint16_t berth = carrier->carriedUnits[slot];
        if (!berth)
            continue;
        int entry = (berth & 0x7FFF) - 1;
        UnitRecord* cargo = berth & kNeutralBerth ? nullptr : usedEntry(state, entry);
        bool wanted = cargo && isWaiting(*cargo) && carryOverDeployment(state).unitsLeft > 0;
        int index = wanted ? deploymentIndex(state, side) : -1;
        if (index < 0) {
            carrier->clearCarriedUnit(slot);
            continue;
        }
        UnitRecord& unit = makeUnit(state, side, index, *cargo, carrier->x, carrier->y);
        unit.flags |= kUnitAboard;
        unit.carrierSide = uint8_t(side + 1);
        unit.carrierIndex = uint16_t(unit_index + 1);
        carrier->setCarriedUnit(slot, index);
        markCarryOverPlaced(state, entry, side, index);
        countPlaced(state);
        ++placed;
        if (unit.hasFlag(kUnitCarrying))
            placed += deployCargo(state, side, index);
    }
    if (!hasCargo(*carrier))
        carrier->flags &= uint16_t(~kUnitCarrying);
    return placed;
}

bool deployAtFirstFreePlace(GameState& state, const std::vector<HexPos>& hexes, int side, int entry)
{
    for (const HexPos& hex : hexes) {
        if (!canDeployCarryOverAt(state, entry, hex.x, hex.y))
            continue;
        bool into_building = canDeployCarryOverInBuilding(state, entry, hex.x, hex.y);
        if (deployCarriedOverUnit(state, side, entry, hex.x, hex.y, into_building))
            return true;
    }
    return false;
}

void autoDeployCarryOver(GameState& state)
{
    int country = campaignPlayer(state);
    if (country < 0 || country >= kCountryCount)
        return;
    std::vector<HexPos> hexes = deploymentHexesByDistance(state, country);
    uint32_t count = state.carryOverCount();
    for (uint32_t i = 0; i < count; ++i) {
        UnitRecord& entry = *carryOverEntry(state, int(i));
        if (!entry.hasFlag(kUnitAboard))
            continue;
        if (!usedEntry(state, entry.carrierIndex - 1) || entry.carrierSide != country + 1) {
            entry.flags &= uint16_t(~kUnitAboard);
            entry.carrierSide = 0;
            entry.carrierIndex = 0;
        }
    }
    unsigned domains = autoDeployDomains(state, country);
    for (int domain : kDomainOrder) {
        if (!(domains & 1u << domain))
            continue;
        for (uint32_t i = 0; i < count; ++i) {
            if (carryOverDeployment(state).unitsLeft == 0)
                return;
            const UnitRecord& entry = *carryOverEntry(state, int(i));
            const UnitTypeRecord* type = state.unitTypeOf(entry);
            if (isWaiting(entry) && !entry.hasFlag(kUnitAboard) && type && type->domain == domain)
                deployAtFirstFreePlace(state, hexes, country, int(i));
        }
    }
}

void restoreCargoEntries(GameState& state, int entry)
{
    const UnitRecord* carrier = usedEntry(state, entry);
    if (!carrier)
        return;
    for (uint16_t berth : carrier->carriedUnits) {
        int cargo_index = (berth & 0x7FFF) - 1;
        const UnitRecord* cargo = berth && !(berth & kNeutralBerth) ? usedEntry(state, cargo_index) : nullptr;
        if (!cargo || !isPlaced(*cargo) || cargo->carrierIndex != entry + 1)
            continue;
        // Waiting first, so a looped list ends here.
        markCarryOverWaiting(state, cargo_index);
        ++carryOverDeployment(state).unitsLeft;
        restoreCargoEntries(state, cargo_index);
    }
}

void cancelDeployment(GameState& state, int entry)
{
    UnitRecord* record = usedEntry(state, entry);
    // Cargo goes back with its carrier.
    if (!record || !isPlaced(*record) || record->hasFlag(kUnitAboard))
        return;
    int side = campaignPlayer(state);
    int index = record->placedUnitIndex;
    UnitRecord* unit = state.unitOf(side, index);
    if (unit && unitExists(*unit))
        removeUnitFromHex(state, side, index);
    restoreCargoEntries(state, entry);
    markCarryOverWaiting(state, entry);
    if (unit && unitExists(*unit))
        eraseUnitRecord(state, side, index);
    ++carryOverDeployment(state).unitsLeft;
}

void cancelAllDeployments(GameState& state)
{
    for (uint32_t i = 0; i < state.carryOverCount(); ++i)
        cancelDeployment(state, int(i));
}

bool carryOverEntryAllowed(GameState& state, int entry)
{
    const UnitRecord* record = usedEntry(state, entry);
    // The links come from files: a cycle ends the walk after one pass over the list.
    for (int steps = 0; record && record->hasFlag(kUnitAboard) && steps < kUnitTableSize; ++steps) {
        const UnitRecord* carrier = usedEntry(state, int(record->carrierIndex) - 1);
        if (!carrier)
            break;
        record = carrier;
    }
    const UnitTypeRecord* type = record ? state.unitTypeOf(*record) : nullptr;
    return type && type->domain < 8 && (carryOverDeployment(state).domainMask >> type->domain & 1);
}

bool canDeployCarryOverEntry(GameState& state, int entry)
{
    const UnitRecord* record = usedEntry(state, entry);
    if (!record || record->hasFlag(kUnitAboard))
        return false;
    const UnitTypeRecord* type = state.unitTypeOf(*record);
    return type && type->domain < 8 && (carryOverDeployment(state).domainMask >> type->domain & 1);
}
