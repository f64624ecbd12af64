// The troop lists' sort: unit comparisons, the side's unit list and the destroyed-units list.
#include "state/troop_sort.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

const UnitRecord* keyUnit(const GameState& state, uint32_t key)
{
    const UnitRecord* unit = state.unitOf(int(key & 0xFFFF), int(key >> 16));
    return unit && unitExists(*unit) ? unit : nullptr;
}

// Names are fixed fields that a file may leave unterminated.
template <size_t N>
int compareName(const char (&a)[N], const char (&b)[N])
{
    return std::strncmp(a, b, N);
}

// Existing units first; between two existing units the field decides.
template <typename Field>
bool lessBy(const GameState& state, uint32_t a, uint32_t b, Field field)
{
    const UnitRecord* ua = keyUnit(state, a);
    const UnitRecord* ub = keyUnit(state, b);
    if (!ua || !ub)
        return ua && !ub;
    return field(*ua) < field(*ub);
}

} // namespace

void sortTroopKeys(std::vector<uint32_t>& keys, const TroopLess& less)
{
    for (size_t i = 0; i < keys.size(); ++i) {
        size_t choice = i;
        for (size_t j = i + 1; j < keys.size(); ++j)
            if (!less(keys[choice], keys[j]))
                choice = j;
        std::swap(keys[i], keys[choice]);
    }
}

bool troopLessByNumber(const GameState& s, uint32_t a, uint32_t b)
{
    return lessBy(s, a, b, [](const UnitRecord& u) { return int(u.troopNumber); });
}

bool troopLessByCategory(const GameState& s, uint32_t a, uint32_t b)
{
    return lessBy(s, a, b, [&](const UnitRecord& u) {
        const UnitTypeRecord* type = s.unitTypeOf(u);
        return type ? int(type->unitClass) : -1;
    });
}

bool troopLessByMoveClass(const GameState& s, uint32_t a, uint32_t b)
{
    return lessBy(s, a, b, [&](const UnitRecord& u) {
        const UnitTypeRecord* type = s.unitTypeOf(u);
        return type ? int(type->movementType) : -1;
    });
}

bool troopLessByPosition(const GameState& s, uint32_t a, uint32_t b)
{
    return lessBy(s, a, b, [](const UnitRecord& u) { return int(u.x) << 8 | u.y; });
}

bool troopLessByName(const GameState& s, uint32_t a, uint32_t b)
{
    const UnitRecord* ua = keyUnit(s, a);
    const UnitRecord* ub = keyUnit(s, b);
    if (!ua || !ub)
        return ua && !ub;
    return compareName(ua->name, ub->name) < 0;
}

bool troopLessByTypeName(const GameState& s, uint32_t a, uint32_t b)
{
    const UnitRecord* ua = keyUnit(s, a);
    const UnitRecord* ub = keyUnit(s, b);
    if (!ua || !ub)
        return ua && !ub;
    const UnitTypeRecord* ta = s.unitTypeOf(*ua);
    const UnitTypeRecord* tb = s.unitTypeOf(*ub);
    if (!ta || !tb)
        return ta && !tb;
    return compareName(ta->name, tb->name) < 0;
}

bool troopLessByFieldA(const GameState& s, uint32_t a, uint32_t b)
{
    return lessBy(s, a, b, [](const UnitRecord& u) { return strengthSlotCount(u); });
}

bool troopLessByFieldB(const GameState& s, uint32_t a, uint32_t b)
{
    return lessBy(s, a, b, [](const UnitRecord& u) { return experienceLevel(u); });
}

bool troopLessByFieldC(const GameState& s, uint32_t a, uint32_t b)
{
    return lessBy(s, a, b, [](const UnitRecord& u) { return int(u.fatigue); });
}

bool troopLessByFieldD(const GameState& s, uint32_t a, uint32_t b)
{
    return lessBy(s, a, b, [](const UnitRecord& u) { return int(u.fuel); });
}

void GameState::sortPlayerUnitList(int side, int order, int reverse)
{
    if (side < 0 || side >= kSideCount)
        return;
    using Less = bool (*)(const GameState&, uint32_t, uint32_t);
    static constexpr Less orders[10] = { troopLessByNumber, troopLessByCategory, troopLessByMoveClass,
        troopLessByPosition, troopLessByName, troopLessByTypeName, troopLessByFieldA, troopLessByFieldB,
        troopLessByFieldC, troopLessByFieldD };
    std::vector<uint32_t>& keys = m_unitOrder[size_t(side)];
    keys.clear();
    // The neutral side has no country record; its list covers the units its table holds.
    int length = side < kCountryCount ? playerUnitCount(side) : int(unitCount(side));
    for (int i = 0; i < length; ++i)
        keys.push_back(uint32_t(i) << 16 | uint32_t(side));
    if (order >= 0 && order < 10)
        sortTroopKeys(keys, [&](uint32_t a, uint32_t b) { return orders[order](*this, a, b); });
    if (reverse != 1)
        return;
    if (order == 0) {
        std::reverse(keys.begin(), keys.end());
        return;
    }
    auto run_end = std::find_if(keys.begin(), keys.end(), [&](uint32_t key) {
        const UnitRecord* unit = unitOf(int(key & 0xFFFF), int(key >> 16));
        return !unit || !unitInPlay(*unit);
    });
    std::reverse(keys.begin(), run_end);
}

void GameState::sortTroopList(int country)
{
    if (country < 0 || country >= kCountryCount || !m_destroyedUnits[size_t(country)])
        return;
    const DestroyedUnitRecord* entries = m_destroyedUnits[size_t(country)].get();
    // Keys are (entry << 16) | country; entries beyond the list count as free.
    auto entry = [&](uint32_t key) -> const DestroyedUnitRecord* {
        uint32_t index = key >> 16;
        return index < uint32_t(kDestroyedUnitsPerCountry) && entries[index].isUsed() ? &entries[index] : nullptr;
    };
    uint32_t sort_key = m_destroyedSortKey;
    sortTroopKeys(m_destroyedOrder[size_t(country)], [&](uint32_t a, uint32_t b) {
        const DestroyedUnitRecord* ea = entry(a);
        const DestroyedUnitRecord* eb = entry(b);
        if (!ea || !eb)
            return ea && !eb;
        switch (sort_key) {
        case 1:
            return ea->troopNumber < eb->troopNumber;
        case 2:
            if (ea->x != eb->x)
                return ea->x < eb->x;
            if (ea->y != eb->y)
                return ea->y < eb->y;
            return a < b;
        case 3:
            return std::strncmp(reinterpret_cast<const char*>(ea->identity), reinterpret_cast<const char*>(eb->identity),
                       sizeof ea->identity)
                < 0;
        default:
            return a < b;
        }
    });
    if (m_destroyedSortReverse == 1)
        std::reverse(m_destroyedOrder[size_t(country)].begin(), m_destroyedOrder[size_t(country)].end());
}
