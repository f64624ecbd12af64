// ProductionOrders: the dialog's funds and counts, the checks of a purchase and the stored orders.
#include "dialogs/production_orders.h"

#include "rules/production.h"
#include "rules/targets.h"
#include "state/game_state.h"
#include "state/rule_block.h"
#include "state/unit_facts.h"

#include <algorithm>

ProductionOrders::ProductionOrders(GameState& state, int x, int y, int country)
    : m_state(state)
    , m_x(x)
    , m_y(y)
    , m_country(country)
{
    if (country < 0 || country >= kCountryCount)
        return;
    const CountryRecord& record = state.country(country);
    m_liveUnits = state.liveUnitCount(country);
    m_producedCount = record.producedThisTurn;
    m_funds = record.funds;
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    m_capacity = std::min(terrain ? int(terrain->capacity) : 0, kBuildingSlots);
    const bool storing = state.ruleOn(kRuleStoring);
    if (!storing && state.ruleOn(kRuleStacking)) {
        m_freeSlotMask = 0;
        for (int d = 0; d < kDomainCount; ++d)
            if (!state.hexHasUnit(x, y, d))
                m_freeSlotMask = uint16_t(m_freeSlotMask | 1u << d);
    }
    if (const BuildingRecord* building = storing ? state.buildingOnHex(x, y) : nullptr)
        for (const BuildingSlot& slot : building->slots)
            if (slot.sidePlusOne != 0)
                m_entries.push_back(StoredEntry::stored(slot.sidePlusOne - 1, slot.unitIndex));
}

bool ProductionOrders::withinLimits() const
{
    if (m_liveUnits >= m_state.playerUnitCount(m_country))
        return false;
    return !(m_state.ruleOn(kRuleProductionLimit)
        && m_producedCount >= m_state.country(m_country).productionLimit);
}

int ProductionOrders::cappedMachines(int typeId, int machines) const
{
    if (!m_state.unitTypeIndex(typeId))
        return 0;
    return machinesMade(m_state.unitTypeRecord(typeId), machines);
}

uint32_t ProductionOrders::priceOf(int typeId, int machines) const
{
    if (!m_state.unitTypeIndex(typeId) || m_country < 0 || m_country >= kCountryCount)
        return 0;
    const UnitTypeRecord& type = m_state.unitTypeRecord(typeId);
    return unitTypeCost(type, m_state.country(m_country), uint32_t(cappedMachines(typeId, machines)), type.members);
}

ProductionRefusal ProductionOrders::check(int typeId, int machines, bool storing) const
{
    if (typeId <= 0 || !m_state.unitTypeIndex(typeId))
        return ProductionRefusal::NoType;
    if (!withinLimits())
        return ProductionRefusal::Limit;
    const int domain = m_state.unitTypeRecord(typeId).domain;
    if (domain >= 16 || !(m_freeSlotMask >> domain & 1))
        return ProductionRefusal::DomainTaken;
    if (int64_t(priceOf(typeId, machines)) > m_funds)
        return ProductionRefusal::Funds;
    if (storing && int(m_entries.size()) >= m_capacity)
        return ProductionRefusal::Capacity;
    return ProductionRefusal::None;
}

ProductionRefusal ProductionOrders::placeOrder(int typeId, int machines)
{
    const ProductionRefusal refusal = check(typeId, machines, true);
    if (refusal != ProductionRefusal::None)
        return refusal;
    const int n = cappedMachines(typeId, machines);
    m_entries.push_back(StoredEntry::order(typeId, n, defaultModelOf(m_state.unitTypeRecord(typeId))));
    ++m_liveUnits;
    ++m_producedCount;
    m_funds -= priceOf(typeId, n);
    return ProductionRefusal::None;
}

bool ProductionOrders::cancelOrder(size_t position)
{
    if (position >= m_entries.size() || !m_entries[position].isOrder())
        return false;
    const StoredEntry entry = m_entries[position];
    m_entries.erase(m_entries.begin() + std::ptrdiff_t(position));
    m_funds += priceOf(entry.typeId(), entry.machines());
    --m_liveUnits;
    --m_producedCount;
    return true;
}

void ProductionOrders::setOrderModel(size_t position, int model)
{
    if (position < m_entries.size() && m_entries[position].isOrder())
        m_entries[position].model = model;
}

int ProductionOrders::carryOut(std::vector<int>& refused)
{
    int made = 0;
    for (const StoredEntry& entry : m_entries) {
        if (!entry.isOrder())
            continue;
        const int index = buyUnit(m_state, m_x, m_y, m_country, entry.typeId(), entry.machines(), 1, -1);
        if (index < 0) {
            refused.push_back(entry.typeId());
            continue;
        }
        selectModel(m_state, *m_state.unitOf(m_country, index), entry.model);
        ++made;
    }
    return made;
}
