// A country's end: its capitals fall to ruin and it drops out, leaving its buildings to an heir.
#include "rules/victory.h"
#include "rules/shared_codes.h"
#include "rules/victory_units.h"

#include "rules/fog.h"
#include "rules/home_distance.h"
#include "rules/turn_marks.h"
#include "rules/unit_removal.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kPhaseMissile = 1;
constexpr int kPhaseAction = 5;
constexpr int kPhaseProduction = 6;

bool validCountry(int c) { return c >= 0 && c < kCountryCount; }

// Who takes a fallen capital: the country acting in a phase where capitals are taken (the missile
// phase's current side is the missile's country); when the country itself acts, whoever holds the
// building now; nobody with rule 25 on.
int capitalTaker(GameState& state, int country, const BuildingRecord& building)
{
    if (state.ruleOn(kRuleFallenCapitalUnowned))
        return -1;
    const TurnBlock& turn = state.turnBlock();
    if (turn.phase != kPhaseMissile && turn.phase != kPhaseAction && turn.phase != kPhaseProduction)
        return -1;
    const int current = turn.currentCountry;
    if (!validCountry(current))
        return -1;
    if (current != country)
        return current;
    return building.ownerPlusOne && building.owner() != country ? building.owner() : -1;
}

// The units a fallen building loses: those stored in it and those placed in its hex's upper layer.
std::vector<UnitRef> unitsLostWith(GameState& state, const BuildingRecord& building)
{
    std::vector<UnitRef> units;
    for (const BuildingSlot& slot : building.slots)
        if (slot.sidePlusOne)
            units.push_back({ uint16_t(slot.sidePlusOne - 1), slot.unitIndex, uint16_t(slot.sidePlusOne - 1) });
    if (const UnitCell* cell = state.unitCellAt(int(building.x), int(building.y)))
        for (int s = 0; s < kHexSlots; ++s)
            if (cell->upperSide[s]) {
                const int word = cell->upperSide[s];
                const uint16_t code = uint16_t(word >= 100 ? word : word - 1);
                units.push_back({ code, cell->upperUnit[s], uint16_t(word >= 100 ? word - 100 : word - 1) });
            }
    return units;
}

int heirOf(GameState& state, int country)
{
    if (state.ruleOn(kRuleFallenCapitalUnowned))
        return -1;
    const HexPos home = sideHomeHex(state, country);
    const UnitCell* cell = state.unitCellAt(home.x, home.y);
    const BuildingRecord* b = cell && cell->building ? state.building(cell->building - 1) : nullptr;
    int heir = b && b->ownerPlusOne ? b->owner() : state.turnBlock().currentCountry;
    return validCountry(heir) && heir != country ? heir : -1;
}

// The units a country still has when it leaves the game are lost with it, booked as a building's
// fall books its stored units: every counter lost to the neutral side.
void bookForcesLeft(GameState& state, int country)
{
    const int16_t none[10] = {};
    const int count = int(state.unitCount(country));
    for (int i = 0; i < count; ++i)
        if (UnitRecord* unit = state.unitOf(country, i); unit && unitExists(*unit))
            unit->applyDamage(country, none, kNeutralSide);
}

void emptyTable(GameState& state, int code, int count)
{
    for (int i = 0; i < count; ++i)
        takeOutOfPlay(state, code, i);
    if (UnitRecord* table = state.unitOf(code, 0))
        std::memset(static_cast<void*>(table), 0, sizeof(UnitRecord) * kUnitTableSize);
}

} // namespace

void ruinCapitals(GameState& state, int country)
{
    const int ruin = state.terrainRoles().largeCity;
    if (!validCountry(country) || ruin < 0 || size_t(ruin) >= state.terrainTypes().size())
        return;
    const TerrainRecord& ruin_type = state.terrainTypes()[size_t(ruin)];
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        BuildingRecord& b = *state.building(int(i));
        const bool of_country = b.owner() == country || b.loadedOwnerPlusOne == country + 1;
        if (!of_country || !isCapitalBuilding(state, b))
            continue;
        const int taker = capitalTaker(state, country, b);
        state.statsSubtractIncome(b.ownerPlusOne, b.type);
        TerrainCell* cell = state.terrainCellAt(int(b.x), int(b.y));
        cell->terrain = uint8_t(ruin);
        cell->substitute = 0;
        cell->displayCode = ruin_type.defaultDisplayCode;
        b.type = uint8_t(ruin);
        b.durability = std::min(b.durability, ruin_type.durability);
        b.occupationDurability = std::min(b.occupationDurability, ruin_type.occupationValue);
        b.ownerPlusOne = uint8_t(taker + 1);
        state.statsAddIncome(b.ownerPlusOne, b.type);
        for (const UnitRef& ref : unitsLostWith(state, b)) {
            removeUnitFromHex(state, ref.table, ref.index);
            destroyUnit(state, ref.table, ref.index);
        }
    }
}

void dropCountryOut(GameState& state, int country)
{
    if (!validCountry(country))
        return;
    clearJammedBit(state, country);
    bookForcesLeft(state, country);
    const int heir = heirOf(state, country);
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        BuildingRecord& b = *state.building(int(i));
        if (b.owner() != country)
            continue;
        for (const UnitRef& ref : unitsLostWith(state, b))
            takeOutOfPlay(state, ref.table, ref.index);
        std::fill(std::begin(b.slots), std::end(b.slots), BuildingSlot {});
        state.statsSubtractIncome(b.ownerPlusOne, b.type);
        b.ownerPlusOne = uint8_t(heir + 1);
        state.statsAddIncome(b.ownerPlusOne, b.type);
        if (heir >= 0)
            addBuildingSight(state, int(i));
    }
    emptyTable(state, country, int(state.unitCount(country)));
    emptyTable(state, 100 + country, int(state.missileCount(country)));
    state.setUnitCount(country, 0);
    state.setMissileCount(country, 0);
    state.country(country).inPlay = kCountryOut;
    state.country(country).turnOut = state.turnBlock().turn;
}
