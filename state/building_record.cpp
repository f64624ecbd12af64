// BuildingRecord: its unit slots and the services it gives under the rule switches.
#include "state/building_record.h"

#include "state/unit_internal.h"

#include <algorithm>
#include <iterator>

using namespace unit_rules;

namespace {

int capacity(const BuildingRecord& building)
{
    const TerrainRecord* terrain = building.terrain();
    return terrain ? std::min<int>(terrain->capacity, 6) : 0;
}

bool hasGroup(uint16_t mask, int group) { return group >= 0 && group < 16 && (mask >> group) & 1; }

// The owner is the side, or an ally when allies may use it.
bool serves(const BuildingRecord& building, int side, bool allies_allowed)
{
    if (building.ownerPlusOne == 0)
        return false;
    if (building.owner() == side)
        return true;
    return allies_allowed && game().isAllied(building.owner(), side);
}

} // namespace

const TerrainRecord* BuildingRecord::terrain() const
{
    const auto& types = game().terrainTypes();
    return type < types.size() ? &types[type] : nullptr;
}

bool BuildingRecord::isDamaged() const
{
    const TerrainRecord* t = terrain();
    return t && durability < t->durability;
}

bool BuildingRecord::hasFreeSlot() const
{
    int n = capacity(*this);
    for (int i = 0; i < n; ++i)
        if (slots[i].sidePlusOne == 0)
            return true;
    return false;
}

int BuildingRecord::unitCount() const
{
    return int(std::count_if(std::begin(slots), std::end(slots), [](const BuildingSlot& s) { return s.sidePlusOne != 0; }));
}

bool BuildingRecord::addUnit(int side, int index)
{
    int n = capacity(*this);
    for (int i = 0; i < n; ++i) {
        if (slots[i].sidePlusOne == 0) {
            slots[i] = { uint16_t(side + 1), uint16_t(index) };
            return true;
        }
    }
    return false;
}

void BuildingRecord::removeUnit(int side, int index)
{
    for (BuildingSlot& slot : slots) {
        if (slot.sidePlusOne == side + 1 && slot.unitIndex == index) {
            slot = {};
            return;
        }
    }
}

bool BuildingRecord::acceptsUnit(int side, int group) const
{
    const TerrainRecord* t = terrain();
    if (!t || ownerPlusOne == 0 || !isIntact() || capacity(*this) == 0 || !serves(*this, side, true))
        return false;
    uint16_t services[] = { t->refuelMask, t->rearmMask, t->replenishMask, t->repairMask };
    bool any = std::any_of(std::begin(services), std::end(services), [](uint16_t m) { return m != 0; });
    bool fits = any ? std::any_of(std::begin(services), std::end(services), [group](uint16_t m) { return hasGroup(m, group); })
                    : group == 3;
    return fits && hasFreeSlot();
}

bool BuildingRecord::canRefuel(int side, int group) const
{
    const TerrainRecord* t = terrain();
    return t && isIntact() && hasGroup(t->refuelMask, group) && serves(*this, side, true) && isSupplied();
}

bool BuildingRecord::canRearm(int side, int group) const
{
    const TerrainRecord* t = terrain();
    return t && isIntact() && hasGroup(t->rearmMask, group) && serves(*this, side, ruleOn(kRuleAlliedRearm)) && isSupplied();
}

int BuildingRecord::canReplenish(int side, const UnitTypeRecord& unit_type) const
{
    const TerrainRecord* t = terrain();
    if (!t || ownerPlusOne == 0 || !isIntact() || !hasGroup(t->replenishMask, unitTypeGroup(unit_type)))
        return 0;
    if (!serves(*this, side, ruleOn(kRuleAlliedReplenish)))
        return 0;
    if (domainMask != 0 && (unit_type.domain >= 8 || !((domainMask >> unit_type.domain) & 1)))
        return 0;
    return isSupplied() ? 1 : 0;
}

bool BuildingRecord::canRepair(int side, int group) const
{
    const TerrainRecord* t = terrain();
    return t && isIntact() && hasGroup(t->repairMask, group) && serves(*this, side, ruleOn(kRuleAlliedRepair)) && isSupplied();
}

int BuildingRecord::launchedUnitType() const
{
    static constexpr int kCodedTypes[] = { 4754, 4757, 4758, 4759, 4761, 4762, 4763, 4764, 4765 };
    if (missileCode >= 738 && missileCode <= 746)
        return kCodedTypes[missileCode - 738];
    return missileCode >= 4000 ? missileCode : 0;
}
