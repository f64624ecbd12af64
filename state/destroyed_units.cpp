// The destroyed-unit lists: the latest 100 units each country lost, and their orders.
#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/troop_sort.h"
#include "state/unit_record.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

// The list keeps bytes 1..34 of the unit record: its name and identity.
static_assert(offsetof(UnitRecord, name) == 1);

const DestroyedUnitRecord* GameState::destroyedUnitEntry(int country, int i) const
{
    if (country < 0 || country >= kCountryCount || i < 0 || i >= kDestroyedUnitsPerCountry)
        return nullptr;
    const DestroyedUnitRecord* entries = m_destroyedUnits[size_t(country)].get();
    return entries ? &entries[i] : nullptr;
}

void GameState::recordDestroyedUnit(int country, int index)
{
    if (country < 0 || country >= kCountryCount || !m_destroyedUnits[size_t(country)])
        return;
    const UnitRecord* unit = unitOf(country, index);
    if (!unit || unit->state() == 0)
        return;
    DestroyedUnitRecord* entries = m_destroyedUnits[size_t(country)].get();
    DestroyedUnitRecord* end = entries + kDestroyedUnitsPerCountry;
    DestroyedUnitRecord* entry = std::find_if(entries, end, [](const DestroyedUnitRecord& e) { return !e.isUsed(); });
    if (entry == end) {
        std::move(entries + 1, end, entries);
        entry = end - 1;
    }
    *entry = {};
    entry->turn = uint8_t(m_turnBlock.turn);
    entry->usedMark = 1;
    entry->troopNumber = uint8_t(unit->troopNumber);
    std::memcpy(entry->identity, reinterpret_cast<const uint8_t*>(unit) + 1, sizeof entry->identity);
    entry->unitTypeId = unit->unitTypeId;
    entry->x = unit->x;
    entry->y = unit->y;
    StateRulesHooks* hooks = stateRulesHooks();
    for (int c = 0; c < kCountryCount; ++c)
        if (!hooks || hooks->isUnitVisibleTo(*this, country, index, c))
            entry->visibleMask |= uint8_t(1u << c);
}

void sortDestroyedUnitKeys(const GameState& state, int country, uint32_t sort_key, bool reverse, std::vector<uint32_t>& keys)
{
    if (country < 0 || country >= kCountryCount || !state.destroyedUnits(country))
        return;
    if (keys.size() != size_t(kDestroyedUnitsPerCountry)) {
        keys.clear();
        for (int i = 0; i < kDestroyedUnitsPerCountry; ++i)
            keys.push_back(uint32_t(i) << 16 | uint32_t(country));
    }
    const DestroyedUnitRecord* entries = state.destroyedUnits(country);
    // Keys are (entry << 16) | country; entries beyond the list count as free.
    auto entry = [&](uint32_t key) -> const DestroyedUnitRecord* {
        uint32_t index = key >> 16;
        return index < uint32_t(kDestroyedUnitsPerCountry) && entries[index].isUsed() ? &entries[index] : nullptr;
    };
    sortTroopKeys(keys, [&](uint32_t a, uint32_t b) {
        // Key 0 is the order of destruction, empty entries included.
        if (sort_key == 0)
            return (a >> 16) < (b >> 16);
        const DestroyedUnitRecord* ea = entry(a);
        const DestroyedUnitRecord* eb = entry(b);
        // A used entry before a free one; two free ones count as in order, so they keep it.
        if (!ea || !eb)
            return !eb;
        switch (sort_key) {
        case 1:
            return ea->troopNumber < eb->troopNumber;
        case 2:
            if (ea->x != eb->x)
                return ea->x < eb->x;
            if (ea->y != eb->y)
                return ea->y < eb->y;
            return (a >> 16) < (b >> 16);
        case 3:
            return std::strncmp(reinterpret_cast<const char*>(ea->identity), reinterpret_cast<const char*>(eb->identity),
                       sizeof ea->identity)
                < 0;
        default:
            return false;
        }
    });
    if (reverse)
        std::reverse(keys.begin(), keys.end());
}
