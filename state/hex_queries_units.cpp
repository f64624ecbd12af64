// Units on a hex: the two layers of six slots, who holds them, and the unit tables behind them.
#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/unit_facts.h"

#include <cstring>

namespace {

constexpr int kSlots = 6;

bool validSlot(int slot) { return slot >= 0 && slot < kSlots; }

// Side word: 0 empty, country + 1, or 100 + c for a missile of country c.
UnitRef refFromSideWord(uint16_t word, uint16_t index)
{
    if (word >= 100)
        return { word, index, uint16_t(word - 100) };
    return { uint16_t(word - 1), index, uint16_t(word - 1) };
}

int sideWordOf(int code) { return code >= 100 ? code : code + 1; }

} // namespace

const UnitRecord* GameState::unitOf(int code, int index) const
{
    // Indexes come from files and cells; nothing outside the 1000-record tables is reached.
    if (index < 0 || index >= kUnitTableSize)
        return nullptr;
    if (code >= 0 && code < kSideCount)
        return m_unitTables[size_t(code)] ? &m_unitTables[size_t(code)][size_t(index)] : nullptr;
    if (code >= 100 && code < 100 + kCountryCount)
        return m_missileTables[size_t(code - 100)] ? &m_missileTables[size_t(code - 100)][size_t(index)] : nullptr;
    return nullptr;
}

const UnitTypeRecord* GameState::unitTypeOf(const UnitRecord& unit) const
{
    int index = unitTypeIndex(unit.unitTypeId);
    if (index <= 0 || size_t(index) > m_unitTypes.size())
        return nullptr;
    return &m_unitTypes[size_t(index - 1)];
}

bool GameState::unitRefInHex(int x, int y, int slot, UnitRef& ref) const
{
    const UnitCell* cell = unitCellAt(x, y);
    if (!cell || !validSlot(slot) || !cell->lowerSide[slot])
        return false;
    ref = refFromSideWord(cell->lowerSide[slot], cell->lowerUnit[slot]);
    return true;
}

bool GameState::upperUnitRefInHex(int x, int y, int slot, UnitRef& ref) const
{
    const UnitCell* cell = unitCellAt(x, y);
    if (!cell || !validSlot(slot) || !cell->upperSide[slot])
        return false;
    ref = refFromSideWord(cell->upperSide[slot], cell->upperUnit[slot]);
    return true;
}

void GameState::setUnitRefInHex(int x, int y, int slot, int side_word, int index)
{
    UnitCell* cell = unitCellAt(x, y);
    if (!cell || !validSlot(slot))
        return;
    cell->lowerSide[slot] = uint16_t(side_word);
    cell->lowerUnit[slot] = uint16_t(index);
}

void GameState::placeUnitRefInHex(int x, int y, int slot, int side_word, int index)
{
    UnitCell* cell = unitCellAt(x, y);
    if (!cell || !validSlot(slot))
        return;
    bool upper = ruleOn(kRuleProductionCount);
    (upper ? cell->upperSide : cell->lowerSide)[slot] = uint16_t(side_word);
    (upper ? cell->upperUnit : cell->lowerUnit)[slot] = uint16_t(index);
}

int GameState::collectUnitsOfCell(const UnitCell& cell, bool every_slot, std::vector<UnitRef>& list) const
{
    const int slots = every_slot ? kSlots : 1;
    int found = 0;
    for (int slot = 0; slot < slots; ++slot)
        if (cell.lowerSide[slot])
            list.push_back(refFromSideWord(cell.lowerSide[slot], cell.lowerUnit[slot])), ++found;
    return found;
}

int GameState::collectBuildingUnitsAt(int x, int y, std::vector<UnitRef>& list) const
{
    const UnitCell* cell = unitCellAt(x, y);
    if (!cell || !cell->building || cell->building > m_buildings.size())
        return 0;
    int found = 0;
    for (const BuildingSlot& slot : m_buildings[cell->building - 1u].slots) {
        if (slot.sidePlusOne) {
            list.push_back(refFromSideWord(slot.sidePlusOne, slot.unitIndex));
            ++found;
        }
    }
    return found;
}

bool GameState::hexHasUnit(int x, int y, int slot) const
{
    UnitRef ref {};
    return unitRefInHex(x, y, slot, ref);
}

bool GameState::hexHasUpperUnit(int x, int y, int slot) const
{
    UnitRef ref {};
    return upperUnitRefInHex(x, y, slot, ref);
}

bool GameState::isUnitInHexDomain(int x, int y, int slot, int code, int index) const
{
    const UnitCell* cell = unitCellAt(x, y);
    return cell && validSlot(slot) && cell->lowerSide[slot] && cell->lowerSide[slot] == sideWordOf(code)
        && cell->lowerUnit[slot] == index;
}

bool GameState::hexHasOtherUnit(int x, int y, int slot, int code, int index) const
{
    return hexHasUnit(x, y, slot) && !isUnitInHexDomain(x, y, slot, code, index);
}

bool GameState::hexDomainHasNonAlliedUnit(int x, int y, int slot, int country) const
{
    UnitRef ref {};
    return unitRefInHex(x, y, slot, ref) && ref.country != country && !isAllied(country, ref.country);
}

bool GameState::hexHasNonAlliedUnit(int x, int y, int country) const
{
    for (int slot = 0; slot < kSlots; ++slot)
        if (hexDomainHasNonAlliedUnit(x, y, slot, country))
            return true;
    return false;
}

namespace {

bool visibleTo(const GameState& state, const UnitRef& ref, int country)
{
    StateRulesHooks* hooks = stateRulesHooks();
    return !hooks || hooks->isUnitVisibleTo(state, ref.table, ref.index, country);
}

} // namespace

bool GameState::hexDomainHasVisibleOtherUnit(int x, int y, int slot, int country, int index) const
{
    UnitRef ref {};
    if (!unitRefInHex(x, y, slot, ref))
        return false;
    if (ref.table == country && ref.index == index)
        return false;
    return visibleTo(*this, ref, country);
}

bool GameState::hexHasUnitVisibleTo(int x, int y, int country) const
{
    UnitRef ref {};
    for (int slot = 0; slot < kSlots; ++slot) {
        if (unitRefInHex(x, y, slot, ref) && visibleTo(*this, ref, country))
            return true;
        if (upperUnitRefInHex(x, y, slot, ref) && visibleTo(*this, ref, country))
            return true;
    }
    return false;
}

bool GameState::hexDomainHasFriendlyUnit(int x, int y, int slot, int country) const
{
    UnitRef ref {};
    if (slot == kSlots) {
        for (int s = 0; s < kSlots; ++s)
            if (unitRefInHex(x, y, s, ref) && isAllied(country, ref.country))
                return true;
        return false;
    }
    return unitRefInHex(x, y, slot, ref) && isAllied(country, ref.country);
}

bool GameState::isNextToFriendlyUnit(int x, int y, int country) const
{
    for (int d = 0; d < kHexDirections; ++d) {
        HexPos n = hexNeighbour(x, y, d);
        if (n.valid() && hexDomainHasFriendlyUnit(n.x, n.y, kSlots, country))
            return true;
    }
    return false;
}

bool GameState::isNextToServiceableUnit(int x, int y, int country, int index, int direction) const
{
    const UnitRecord* unit = unitOf(country, index);
    HexPos n = hexNeighbour(x, y, direction);
    if (!unit || !n.valid())
        return false;
    UnitRef ref {};
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!unitRefInHex(n.x, n.y, slot, ref) || ref.table != country || ref.index == index)
            continue;
        if (unit->canServiceUnit(ref.table, ref.index, n.x, n.y))
            return true;
    }
    return false;
}

bool GameState::isNextToServiceableUnit(int x, int y, int country, int index) const
{
    for (int d = 0; d < kHexDirections; ++d)
        if (isNextToServiceableUnit(x, y, country, index, d))
            return true;
    return false;
}
