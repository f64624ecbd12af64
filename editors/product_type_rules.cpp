// The counting, offering and text rules of the production-type windows.
#include "editors/product_type_rules.h"

#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kInfantryClass = 37;
constexpr int kPersonnelCarrierClass = 21;

const UnitTypeRecord* knownAvailable(const GameState& state, int id)
{
    if (id <= 0 || id >= kUnitTypeIdMapSize || !state.unitTypeIndex(id))
        return nullptr;
    const UnitTypeRecord& type = state.unitTypeRecord(id);
    return type.available == 1 ? &type : nullptr;
}

uint32_t typeCost(const UnitTypeRecord& type) { return uint32_t(type.members) * type.memberPrice; }

} // namespace

bool standsForItsForms(const GameState& state, const UnitTypeRecord& type)
{
    if (type.baseType == 0)
        return true;
    const int base = type.baseType - 1;
    // A base type this program does not have ranks nothing above.
    if (base < 0 || base >= kUnitTypeIdMapSize || !state.unitTypeIndex(base))
        return true;
    const int own = unitVariantOrder(type);
    const int other = unitVariantOrder(state.unitTypeRecord(base));
    return own > other || (own == other && type.id <= base);
}

bool countsInSlotSummary(const GameState& state, int id)
{
    const UnitTypeRecord* type = knownAvailable(state, id);
    return type && standsForItsForms(state, *type);
}

bool listedInWeaponText(const GameState& state, int id)
{
    const UnitTypeRecord* type = knownAvailable(state, id);
    return type && (type->baseType == 0 || type->baseType - 1 >= id);
}

bool countsInEditTotals(const GameState& state, int id) { return knownAvailable(state, id) != nullptr; }

ProductSlotSummary summariseProductSlot(const GameState& state, int row)
{
    ProductSlotSummary summary;
    const ProductionTypeRecord* record = state.productionType(kFirstUserProductionType + row);
    if (!record)
        return summary;
    std::memcpy(summary.name, record->name, sizeof summary.name);
    summary.name[sizeof summary.name - 1] = 0;
    for (int id = 0; id < kProducibleBits; ++id) {
        if (!record->canProduce(id) || !countsInSlotSummary(state, id))
            continue;
        const UnitTypeRecord& type = state.unitTypeRecord(id);
        ++summary.total;
        if (type.domain < kDomainCount)
            ++summary.perDomain[type.domain];
        summary.cost += typeCost(type);
    }
    return summary;
}

ProductEditTotals productEditTotals(const GameState& state, const ProductionTypeRecord& record)
{
    ProductEditTotals totals;
    for (int id = 0; id < kProducibleBits; ++id) {
        if (!record.canProduce(id) || !countsInEditTotals(state, id))
            continue;
        const UnitTypeRecord& type = state.unitTypeRecord(id);
        ++totals.count[0];
        totals.cost[0] += typeCost(type);
        if (type.domain < kDomainCount) {
            ++totals.count[size_t(type.domain) + 1];
            totals.cost[size_t(type.domain) + 1] += typeCost(type);
        }
    }
    return totals;
}

std::string weaponListText(const GameState& state, const ProductionTypeRecord& record)
{
    std::string text;
    for (int id = 0; id < kProducibleBits; ++id) {
        if (!record.canProduce(id) || !listedInWeaponText(state, id))
            continue;
        const UnitTypeRecord& type = state.unitTypeRecord(id);
        text += unitClassName(type.unitClass);
        text += ',';
        text.append(type.name, strnlen(type.name, sizeof type.name));
        text += "\r\n";
    }
    return text;
}

std::vector<int> copySourceNumbers(const GameState& state)
{
    std::vector<int> numbers;
    const int builtin = int(state.builtinProductionTypes().size());
    const int user = int(state.userProductionTypes().size());
    for (int i = 0; i < builtin; ++i)
        if (state.builtinProductionTypes()[size_t(i)].name[0])
            numbers.push_back(i);
    for (int i = 0; i < user; ++i)
        if (state.userProductionTypes()[size_t(i)].name[0])
            numbers.push_back(kFirstUserProductionType + i);
    return numbers;
}

bool offeredForAdding(const GameState& state, const ProductionTypeRecord& record, const UnitTypeRecord& type)
{
    if (type.available != 1 || record.canProduce(type.id) || type.unitClass == kWarheadClass)
        return false;
    if ((type.unitClass == kInfantryClass || type.unitClass == kPersonnelCarrierClass) && hasCivilianName(type))
        return false;
    return standsForItsForms(state, type);
}

bool passesEditFilters(const UnitTypeRecord& type, int domainMask, int classFilter)
{
    if (type.domain >= kDomainCount || !(domainMask >> type.domain & 1))
        return false;
    return classFilter == kEveryUnitClass || classFilter == type.unitClass;
}

int keptTopRow(int top, int count)
{
    if (count - top < kEditListRows)
        top = count - kEditListRows;
    return std::max(0, top);
}
