// The campaign carry-over list: filling it from the map that ended and compacting it for the next.
#include "rules/carry_over.h"

#include "rules/carry_over_entries.h"
#include "rules/rules_context.h"
#include "rules/unit_numbers.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace carry_over;

namespace {

// Flags an entry keeps: acted, stored, awaiting production and others of the old map are dropped.
constexpr uint16_t kWaitingFlagMask = 0xDE96;

// Watch bits and goal hex, and the automatic route: orders of the old map.
void clearOrders(UnitRecord& entry)
{
    entry.watchBits = entry.goalX = entry.goalY = 0;
    clearUnitAux(entry);
}

// The next free entry with a fresh troop number, or -1 when the list is full.
int appendEntry(GameState& state, const UnitRecord& unit)
{
    uint32_t count = state.carryOverCount();
    if (count >= uint32_t(kUnitTableSize))
        return -1;
    UnitRecord& entry = state.carryOverTable()[count];
    entry = unit;
    entry.troopNumber = 0;
    state.setCarryOverCount(count + 1);
    int number = nextCarryOverNumber(state);
    entry.troopNumber = uint16_t(number > 0 ? number : 0);
    return int(count);
}

} // namespace

CarryOverDeployment& carryOverDeployment(GameState& state) { return rulesContext(state).deployment; }

UnitRecord* carryOverEntry(GameState& state, int i)
{
    if (i < 0 || i >= kUnitTableSize || !state.carryOverTable())
        return nullptr;
    return &state.carryOverTable()[i];
}

void collectCarryOver(GameState& state)
{
    int country = state.campaignBlock().playerCountry;
    if (country >= kCountryCount)
        return;
    for (uint32_t i = 0; i < state.unitCount(country); ++i) {
        const UnitRecord& unit = *state.unitOf(country, int(i));
        const UnitTypeRecord* type = state.unitTypeOf(unit);
        if (!unitExists(unit) || unit.hasFlag(kUnitAboard) || (type && type->unitClass == kHeadquartersClass))
            continue;
        addToCarryOver(state, int(i));
    }
}

void addToCarryOver(GameState& state, int index)
{
    const UnitRecord* unit = state.unitOf(state.campaignBlock().playerCountry, index);
    if (!unit)
        return;
    int entry = appendEntry(state, *unit);
    if (entry < 0)
        return;
    UnitRecord& record = *carryOverEntry(state, entry);
    if (record.hasFlag(kUnitAwaitingProduction))
        record.productionTurnsLeft = 0;
    clearOrders(record);
    markCarryOverWaiting(state, entry);
    if (record.hasFlag(kUnitCarrying))
        addCargoToCarryOver(state, entry);
}

void addCargoToCarryOver(GameState& state, int entry)
{
    int country = state.campaignBlock().playerCountry;
    UnitRecord* carrier = carryOverEntry(state, entry);
    if (!carrier)
        return;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        uint16_t berth = carrier->carriedUnits[slot];
        if (!berth || (berth & kNeutralBerth))
            continue;
        const UnitRecord* cargo = state.unitOf(country, (berth & 0x7FFF) - 1);
        int added = cargo && unitExists(*cargo) ? appendEntry(state, *cargo) : -1;
        if (added < 0) {
            carrier->clearCarriedUnit(slot);
            continue;
        }
        carrier->setCarriedUnit(slot, added);
        UnitRecord& record = *carryOverEntry(state, added);
        record.carrierIndex = uint16_t(entry + 1);
        clearOrders(record);
        markCarryOverWaiting(state, added);
        addCargoToCarryOver(state, added);
    }
    if (!hasCargo(*carrier))
        carrier->flags &= uint16_t(~kUnitCarrying);
}

void markCarryOverWaiting(GameState& state, int i)
{
    UnitRecord* entry = carryOverEntry(state, i);
    if (!entry)
        return;
    entry->flags &= kWaitingFlagMask;
    setEntryState(*entry, kCarryOverWaiting);
    entry->x = entry->y = 0;
    entry->placedUnitIndex = 0;
}

void markCarryOverPlaced(GameState& state, int i, int side, int unit_index)
{
    UnitRecord* entry = carryOverEntry(state, i);
    const UnitRecord* unit = state.unitOf(side, unit_index);
    if (!entry || !unit)
        return;
    setEntryState(*entry, kCarryOverPlaced);
    entry->x = unit->x;
    entry->y = unit->y;
    entry->flags = unit->flags;
    entry->placedUnitIndex = uint16_t(unit_index);
}

void truncateCarryOver(GameState& state, uint32_t count)
{
    UnitRecord* list = state.carryOverTable();
    if (!list || count >= state.carryOverCount())
        return;
    // Cleared, so that no troop number of theirs stays taken.
    std::fill(list + count, list + state.carryOverCount(), UnitRecord {});
    state.setCarryOverCount(count);
}

void compactCarryOverList(GameState& state)
{
    UnitRecord* list = state.carryOverTable();
    if (!list)
        return;
    // New position + 1 of each kept entry, 0 for a dropped one.
    std::array<uint16_t, kUnitTableSize> renumbered {};
    uint32_t count = state.carryOverCount();
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (unitState(list[i]) != kCarryOverWaiting)
            continue;
        renumbered[i] = uint16_t(kept + 1);
        if (kept != i)
            list[kept] = list[i];
        ++kept;
    }
    std::memset(static_cast<void*>(list + kept), 0, sizeof(UnitRecord) * (kUnitTableSize - kept));
    state.setCarryOverCount(kept);

    auto renumber = [&](uint16_t link) -> uint16_t { return link >= 1 && link <= count ? renumbered[link - 1] : 0; };
    for (uint32_t i = 0; i < kept; ++i) {
        UnitRecord& entry = list[i];
        if (entry.hasFlag(kUnitAboard)) {
            entry.carrierIndex = renumber(entry.carrierIndex);
            if (!entry.carrierIndex)
                entry.flags &= uint16_t(~kUnitAboard);
        }
        if (entry.hasFlag(kUnitCarrying)) {
            // A neutral berth names a unit of the old map, never an entry.
            for (uint16_t& berth : entry.carriedUnits)
                berth = berth & kNeutralBerth ? 0 : renumber(berth);
            if (!hasCargo(entry))
                entry.flags &= uint16_t(~kUnitCarrying);
        }
    }
}
