// The destroyed-unit lists: the latest 100 units each country lost, for the destroyed-units window.
#include "state/game_state.h"
#include "state/rules_hooks.h"
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
