// UnitRecord: carried-unit slots, boarding and leaving, cargo room and nesting.
#include "state/unit_record.h"

#include "state/unit_facts.h"
#include "state/unit_internal.h"

#include <algorithm>

using namespace unit_rules;

namespace {

// Nesting stays below 36 units; carrier links read from files may loop, so walks stop here.
constexpr int kNestingLimit = 36;

struct UnitKey {
    int side;
    int index;
};

UnitKey outermostCarrier(const UnitRecord& unit, UnitKey self)
{
    const UnitRecord* at = &unit;
    for (int depth = 0; depth < kNestingLimit && at->hasFlag(kUnitAboard); ++depth) {
        UnitKey carrier { at->carrierSide - 1, at->carrierIndex - 1 };
        const UnitRecord* next = game().unitOf(carrier.side, carrier.index);
        if (!next)
            break;
        at = next;
        self = carrier;
    }
    return self;
}

bool holdsUnit(const UnitRecord& carrier, int own_side, int side, int index)
{
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int carried_side = own_side;
        int plus1 = carrier.carriedUnitAt(slot, carried_side);
        if (plus1 != 0 && plus1 - 1 == index && carried_side == side)
            return true;
    }
    return false;
}

int countNested(const UnitRecord& unit, int own_side, int depth)
{
    if (depth >= kNestingLimit)
        return 0;
    int count = 0;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int side = own_side;
        int plus1 = unit.carriedUnitAt(slot, side);
        if (const UnitRecord* carried = plus1 ? game().unitOf(side, plus1 - 1) : nullptr)
            count += 1 + countNested(*carried, side, depth + 1);
    }
    return count;
}

bool nestedInside(const UnitRecord& unit, int own_side, int side, int index, int depth)
{
    if (depth >= kNestingLimit)
        return false;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int carried_side = own_side;
        int plus1 = unit.carriedUnitAt(slot, carried_side);
        if (!plus1)
            continue;
        if (plus1 - 1 == index && carried_side == side)
            return true;
        const UnitRecord* carried = game().unitOf(carried_side, plus1 - 1);
        if (carried && nestedInside(*carried, carried_side, side, index, depth + 1))
            return true;
    }
    return false;
}

bool takeAboardNested(const UnitRecord& unit, int side, int index, int own_side, int own_index, int depth)
{
    if (depth >= kNestingLimit || !unit.nestingAllows(side, index, own_side))
        return false;
    if (unit.canTakeAboard(side, index, own_side, own_index))
        return true;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int carried_side = own_side;
        int plus1 = unit.carriedUnitAt(slot, carried_side);
        if (!plus1 || (plus1 - 1 == index && carried_side == side))
            continue;
        const UnitRecord* carried = game().unitOf(carried_side, plus1 - 1);
        if (carried && takeAboardNested(*carried, side, index, carried_side, plus1 - 1, depth + 1))
            return true;
    }
    return false;
}

void collectTargets(const UnitRecord& unit, std::vector<uint32_t>& list, int side, int index, int own_side,
    int own_index, int depth)
{
    if (depth >= kNestingLimit || own_side >= 8 || unit.hasFlag(kUnitAwaitingProduction))
        return;
    if (unit.canTakeAboard(side, index, own_side, own_index))
        list.push_back(uint32_t(own_side & 0xFFFF) | uint32_t(own_index & 0xFFFF) << 16);
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int carried_side = own_side;
        int plus1 = unit.carriedUnitAt(slot, carried_side);
        // Neither the unit boarding nor its own cargo can take it aboard.
        if (plus1 - 1 == index && carried_side == side)
            continue;
        if (const UnitRecord* carried = plus1 ? game().unitOf(carried_side, plus1 - 1) : nullptr)
            collectTargets(*carried, list, side, index, carried_side, plus1 - 1, depth + 1);
    }
}

} // namespace

int UnitRecord::carriedUnitAt(int slot, int& side) const
{
    if (slot < 0 || slot >= kBerthCount)
        return 0;
    if (carriedUnits[slot] & 0x8000)
        side = 8;
    return carriedUnits[slot] & 0x7FFF;
}

void UnitRecord::setCarriedUnit(int slot, int index)
{
    if (slot >= 0 && slot < kBerthCount)
        carriedUnits[slot] = uint16_t((index + 1) & 0x7FFF);
}

void UnitRecord::setCarriedNeutralUnit(int slot, int index)
{
    if (slot >= 0 && slot < kBerthCount)
        carriedUnits[slot] = uint16_t(((index + 1) & 0x7FFF) | 0x8000);
}

void UnitRecord::clearCarriedUnit(int slot)
{
    if (slot >= 0 && slot < kBerthCount)
        carriedUnits[slot] = 0;
}

int UnitRecord::boardCarrier(int side, int index)
{
    const UnitRecord* carrier = game().unitOf(side, index);
    if (!carrier)
        return 0;
    flags |= kUnitAboard;
    carrierSide = uint8_t(side + 1);
    carrierIndex = uint16_t(index + 1);
    carrierStrengthAtBoarding = uint16_t(strengthTotal(*carrier));
    return carrierStrengthAtBoarding;
}

void UnitRecord::leaveCarrier()
{
    flags &= uint16_t(~kUnitAboard);
    if (carrierIndex != 0)
        recordLastCarrier(carrierIndex - 1);
    carrierSide = 0;
    carrierIndex = 0;
}

void UnitRecord::leaveBuilding(int building_index_plus1)
{
    flags &= uint16_t(~kUnitStored);
    if (building_index_plus1 > 0)
        recordLastBuilding(building_index_plus1 - 1);
}

void UnitRecord::recordLastCarrier(int index)
{
    lastPlaceIndex = uint16_t(index);
    lastPlaceKind = 1;
}

void UnitRecord::recordLastBuilding(int index)
{
    lastPlaceIndex = uint16_t(index);
    lastPlaceKind = 2;
}

int UnitRecord::lastCarrierIndex() const { return lastPlaceKind == 1 ? lastPlaceIndex : -1; }

int UnitRecord::lastBuildingIndex() const { return lastPlaceKind == 2 ? lastPlaceIndex : -1; }

bool UnitRecord::carrierWasDamaged()
{
    if (carrierSide == 0 || carrierIndex == 0 || uint32_t(carrierIndex) > game().unitCount(carrierSide - 1))
        return false;
    const UnitRecord* carrier = game().unitOf(carrierSide - 1, carrierIndex - 1);
    if (!carrier)
        return false;
    int now = strengthTotal(*carrier);
    if (carrierStrengthAtBoarding != 0 && now < carrierStrengthAtBoarding)
        return true;
    carrierStrengthAtBoarding = uint16_t(now);
    return false;
}

bool UnitRecord::cargoAccepts(int side, int index) const
{
    const UnitRecord* other = game().unitOf(side, index);
    if (!other)
        return false;
    const UnitTypeRecord& own = type();
    int category = other->type().carryClass;
    int size = strengthSlotCount(*other);
    for (int i = 0; i < kBerthCount; ++i)
        if ((own.berthMask[i] & category) != 0 && own.berthCount[i] >= size)
            return true;
    return false;
}

bool UnitRecord::carrierHexTest(int own_side, int own_index, int side, int index, int x, int y, int via_terrain) const
{
    const UnitRecord* other = game().unitOf(side, index);
    if (!other)
        return false;
    if (other->type().carryClass & 0xE1)
        return true;
    UnitKey outer = outermostCarrier(*this, { own_side, own_index });
    const UnitRecord* carrier = game().unitOf(outer.side, outer.index);
    if (!carrier)
        return false;
    if (x == -1) {
        x = carrier->x;
        y = carrier->y;
    }
    bool passes = via_terrain == 1 ? carrier->canActOnTerrain(x, y, outer.side) : unitHexCheck(game(), *carrier, x, y, outer.side);
    if (passes)
        return true;
    if (!other->hasFlag(kUnitAboard))
        return false;
    UnitKey other_outer = outermostCarrier(*other, { side, index });
    return other_outer.side == outer.side && other_outer.index == outer.index;
}

bool UnitRecord::canTakeAboard(int side, int index, int own_side, int own_index) const
{
    const UnitRecord* other = game().unitOf(side, index);
    if (!other || own_side >= 8 || hasFlag(kUnitAwaitingProduction))
        return false;
    if (!canCarryUnit(game(), *this, other->type().carryClass, strengthSlotCount(*other), own_side) && !holdsUnit(*this, own_side, side, index))
        return false;
    if (!carrierHexTest(own_side, own_index, side, index, -1, -1, 0))
        return false;
    return !ruleOn(kRuleCarrierCapacity) || strengthTenths() >= other->strengthTenths();
}

bool UnitRecord::canLoadInto(int side, int index, int own_side, int own_index, int x, int y, int via_terrain) const
{
    const UnitRecord* other = game().unitOf(side, index);
    if (!other || !nestingAllows(side, index, own_side))
        return false;
    if (!canCarryUnit(game(), *this, other->type().carryClass, strengthSlotCount(*other), own_side))
        return false;
    if (!carrierHexTest(own_side, own_index, side, index, x, y, via_terrain))
        return false;
    return !ruleOn(kRuleCarrierCapacity) || strengthTenths() >= other->strengthTenths();
}

bool UnitRecord::canTakeAboardNested(int side, int index, int own_side, int own_index) const
{
    return takeAboardNested(*this, side, index, own_side, own_index, 0);
}

void UnitRecord::collectBoardingTargets(std::vector<uint32_t>& list, int side, int index, int own_side, int own_index) const
{
    collectTargets(*this, list, side, index, own_side, own_index, 0);
}

bool UnitRecord::nestingAllows(int side, int index, int own_side) const
{
    const UnitRecord* other = game().unitOf(side, index);
    if (!other)
        return false;
    if (isNestedInside(side, index, own_side))
        return true;
    return other->nestedUnitCount(side) + 1 + nestedUnitCount(own_side) < kNestingLimit;
}

int UnitRecord::nestedUnitCount(int own_side) const { return countNested(*this, own_side, 0); }

bool UnitRecord::isNestedInside(int side, int index, int own_side) const
{
    return nestedInside(*this, own_side, side, index, 0);
}
