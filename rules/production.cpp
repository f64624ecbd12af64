// Production: which unit categories a building may produce, buying a unit, and arriving reinforcements.
#include "rules/production.h"

#include "rules/dialog_link.h"
#include "rules/fog.h"
#include "rules/home_hex.h"
#include "rules/links.h"
#include "rules/play_handshake.h"
#include "rules/unit_numbers.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr int kRuinedBuildingType = 49;
constexpr int kLandSlot = 3;

bool slotFree(GameState& state, int x, int y, int slot)
{
    return !state.hexHasUnit(x, y, slot) && !state.hexHasUpperUnit(x, y, slot);
}

bool mayProduceAt(GameState& state, const BuildingRecord& building, int side)
{
    if (!building.isSupplied() || !building.isIntact() || building.ownerPlusOne == 0)
        return false;
    return building.owner() == side || (state.ruleOn(kRuleAlliedProduction) && state.isAllied(building.owner(), side));
}

uint16_t buildingCategories(GameState& state, int x, int y, uint16_t word)
{
    uint16_t mask = 0;
    if (state.ruleOn(kRuleStoring)) {
        if (word & (kProduceAir1 | kProduceAir2))
            mask |= kProduceAir1 | kProduceAir2;
        if (word & kProduceAir3)
            mask |= kProduceAir3;
        if (word & kProduceLand)
            mask |= kProduceLand;
        if (word & kProduceSea1)
            mask |= kProduceSea1 | kProduceSea2;
        return mask;
    }
    // Produced onto the hex: each category needs its own free slot.
    auto offer = [&](uint16_t word_bits, int slot) {
        if ((word & word_bits) && slotFree(state, x, y, slot))
            mask |= uint16_t(1u << slot);
    };
    offer(kProduceAir1 | kProduceAir2, 0);
    offer(kProduceAir1 | kProduceAir2, 1);
    offer(kProduceAir3, 2);
    offer(kProduceLand, 3);
    offer(kProduceSea1, 4);
    offer(kProduceSea1, 5);
    return mask;
}

bool besideHome(GameState& state, int x, int y, int side)
{
    for (int d = 0; d < kHexDirections; ++d) {
        HexPos n = state.hexNeighbour(x, y, d);
        if (n.valid() && (isCapitalOf(state, n.x, n.y, side) || hasHeadquartersAt(state, n.x, n.y, side)))
            return true;
    }
    return false;
}

struct Purchase {
    const UnitTypeRecord* type = nullptr;
    int counters = 0;
    uint32_t price = 0;
    int index = -1;
    BuildingRecord* building = nullptr;
    int slot = 0;
};

// Every refusal is decided here, before anything is paid or written.
bool checkPurchase(GameState& state, int x, int y, int side, int type_id, int counters, bool in_building, int index,
    Purchase& out)
{
    if (side < 0 || side >= kCountryCount || !state.isOnMap(x, y) || !std::as_const(state).unitTable(side) || counters < 1)
        return false;
    if (!state.unitTypeIndex(type_id))
        return false;
    out.type = &state.unitTypeRecord(type_id);
    out.counters = std::min({ counters, int(out.type->members), 10 });
    CountryRecord& country = state.country(side);
    if (state.ruleOn(kRuleProductionLimit) && country.producedThisTurn >= country.productionLimit)
        return false;
    out.price = unitTypeCost(*out.type, country, uint32_t(out.counters), out.type->members);
    if (out.price > country.funds)
        return false;
    if (in_building) {
        out.building = state.buildingOnHex(x, y);
        if (!out.building || !out.building->hasFreeSlot())
            return false;
    } else {
        if (state.terrainValueAt(x, y, out.type->movementType) == 0)
            return false;
        out.slot = state.unitSlotFor(out.type->domain);
        UnitRef ref {};
        bool taken = state.ruleOn(kRuleProductionCount) ? state.upperUnitRefInHex(x, y, out.slot, ref)
                                                   : state.unitRefInHex(x, y, out.slot, ref);
        if (taken)
            return false;
    }
    if (index >= 0) {
        const UnitRecord* unit = state.unitOf(side, index);
        if (!unit || unitExists(*unit))
            return false;
        out.index = index;
    } else {
        out.index = freeUnitSlot(state, side);
        if (out.index < 0)
            out.index = int(state.unitCount(side));
        if (out.index >= kUnitTableSize)
            return false;
    }
    // Last, as it reads the whole unit table: the refusals are the same in any order.
    return state.liveUnitCount(side) < state.playerUnitCount(side);
}

void landCargo(GameState& state, int side, UnitRecord& carrier, bool notify, int depth)
{
    if (depth >= kMaxCargoDepth)
        return;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int cargo_side = side;
        const int plus1 = carrier.carriedUnitAt(slot, cargo_side);
        if (plus1 == 0)
            continue;
        const int index = plus1 - 1;
        UnitRecord* unit = state.unitOf(cargo_side, index);
        if (!unit || unit == &carrier)
            continue;
        unit->stateLow = 1;
        unit->stateHigh = 0;
        unit->x = carrier.x;
        unit->y = carrier.y;
        // Cargo is seen only by its own country and its allies, whoever sees the carrier land.
        if (notify && ViewerView(state).seesUnit(cargo_side, index)) {
            requestHexBlink(state, carrier.x, carrier.y);
            dialogLink().showEventNotice(kReinforcementNotice, cargo_side, index);
        }
        state.historyLog().recordReinforcementsAppear(cargo_side, index);
        if (unit->hasFlag(kUnitCarrying))
            landCargo(state, cargo_side, *unit, notify, depth + 1);
    }
}

} // namespace

void makeProducedUnit(GameState& state, UnitRecord& unit, const UnitTypeRecord& type, int counters, int x, int y,
    bool in_building)
{
    unit = UnitRecord {};
    unit.stateLow = 1;
    std::memcpy(unit.name, type.name, sizeof unit.name);
    unit.unitTypeId = type.id;
    unit.x = uint8_t(x);
    unit.y = uint8_t(y);
    for (int m = 0; m < counters; ++m)
        unit.memberStrengths[m] = type.memberStrength;
    unit.memberLimit = uint8_t(counters);
    selectModel(state, unit, defaultModelOf(type));
    unit.flags = in_building ? kUnitActed | kUnitStored : kUnitActed;
    if (state.ruleOn(kRuleProductionCount)) {
        unit.flags |= kUnitAwaitingProduction;
        // A type stored with no production turns still waits one turn.
        int turns = std::max<int>(type.productionTurns, 1);
        if (state.ruleOn(kRuleFirstProduction) && state.turnBlock().turn == 1)
            turns = 1;
        unit.productionTurnsLeft = uint8_t(turns);
    }
}

uint16_t productionCategoriesAt(GameState& state, int x, int y, int side, uint8_t adjacent)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    if (!cell || side < 0 || side >= kCountryCount)
        return 0;
    if (!state.ruleOn(kRuleProductionAnyDistance)) {
        std::vector<HexPos> anchors;
        collectHomeAnchors(state, side, anchors);
        if (!isNearHome(anchors, x, y))
            return 0;
    }
    uint16_t mask = 0;
    const auto& types = state.terrainTypes();
    uint16_t word = cell->terrain < types.size() ? types[cell->terrain].productionMask : 0;
    BuildingRecord* building = state.buildingOnHex(x, y);
    if (word != 0 && building && mayProduceAt(state, *building, side)) {
        mask = buildingCategories(state, x, y, word);
        if (building->domainMask)
            mask &= building->domainMask;
    }
    if (adjacent == 1 && !state.ruleOn(kRuleStoring) && state.ruleOn(kRuleAdjacentProduction)) {
        bool ruined = building && building->type == kRuinedBuildingType && !building->isIntact();
        if (!ruined && slotFree(state, x, y, kLandSlot) && besideHome(state, x, y, side))
            mask |= kProduceLand;
    }
    return mask;
}

int machinesMade(const UnitTypeRecord& type, int asked) { return std::clamp(asked, 1, std::max<int>(type.members, 1)); }

int buyUnit(GameState& state, int x, int y, int side, int type_id, int counters, uint8_t in_building, int index)
{
    Purchase buy;
    if (!checkPurchase(state, x, y, side, type_id, counters, in_building != 0, index, buy))
        return -1;
    state.notePlay();
    UnitRecord record;
    makeProducedUnit(state, record, *buy.type, buy.counters, x, y, in_building != 0);
    int troop = nextTroopNumber(state, side);
    record.troopNumber = uint16_t(troop > 0 ? troop : 0);
    if (uint32_t(buy.index) >= state.unitCount(side))
        state.setUnitCount(side, uint32_t(buy.index) + 1);
    *state.unitOf(side, buy.index) = record;
    bool countdown = state.ruleOn(kRuleProductionCount);
    if (!countdown)
        state.historyLog().recordProductionDone(side, buy.index);

    CountryRecord& country = state.country(side);
    country.unitsBought += uint32_t(buy.counters);
    state.spendFunds(side, buy.price);
    country.productionSpent += buy.price;
    if (state.ruleOn(kRuleProductionLimit))
        ++country.producedThisTurn;

    if (buy.building) {
        buy.building->addUnit(side, buy.index);
    } else {
        state.placeUnitRefInHex(x, y, buy.slot, side + 1, buy.index);
        if (!countdown)
            addUnitSight(state, x, y, side, buy.index);
    }
    return buy.index;
}

void landReinforcementCargo(GameState& state, int side, int index, uint8_t notify)
{
    if (UnitRecord* carrier = state.unitOf(side, index))
        landCargo(state, side, *carrier, notify == 1, 0);
}

void resetTurnUnitFields(GameState& state, int side)
{
    if (side >= 0 && side < kCountryCount)
        state.country(side).targetCountry = 8;
    UnitRecord* table = state.unitTable(side);
    for (int i = 0; table && i < int(state.unitCount(side)); ++i)
        if (unitExists(table[i]))
            table[i].clearWords106To114();
}
