// UnitRecord: its type, strength, members and experience.
#include "state/unit_record.h"

#include "state/unit_facts.h"
#include "state/unit_internal.h"

#include <algorithm>

using namespace unit_rules;

namespace {


// Stands in for a type id that names nothing: no weapons, one member of strength 1.
const UnitTypeRecord& emptyType()
{
    static const UnitTypeRecord type = [] {
        UnitTypeRecord t {};
        t.members = 1;
        t.memberStrength = 1;
        return t;
    }();
    return type;
}

} // namespace

const UnitTypeRecord& UnitRecord::type() const
{
    return game().unitTypeIndex(unitTypeId) ? game().unitTypeRecord(unitTypeId) : emptyType();
}

const UnitTypeRecord* UnitRecord::baseType() const { return baseTypeOf(game(), type()); }

const WeaponRecord* UnitRecord::slotWeapon(int slot) const { return ::slotWeapon(game(), type(), slot); }

int UnitRecord::strengthTenths() const { return ::strengthTenths(*this, type()); }

bool UnitRecord::isFresh() const { return !(ruleOn(kRuleFatigue) && fatigue == 50); }

int UnitRecord::missingMembers() const
{
    if (type().unitClass == kHeadquartersClass)
        return 0;
    return (memberLimit ? memberLimit : 10) - strengthSlotCount(*this);
}

bool UnitRecord::hasDamagedMember() const
{
    const UnitTypeRecord& t = type();
    for (int m = 0; m < t.members && m < 10; ++m)
        if (memberStrengths[m] != 0 && memberStrengths[m] < t.memberStrength)
            return true;
    return false;
}

void UnitRecord::addExperience(int delta)
{
    experience = uint16_t(std::clamp(int(experience) + delta, 0, kMaxExperience));
}

int UnitRecord::divideExperienceGain(int gain)
{
    if (gain < 1)
        return gain;
    // A campaign may store a divisor of 0; it counts as 1.
    int divisor = std::max<int>(game().campaignBlock().experienceDivisor, 1);
    return std::max(ceilDiv(gain, divisor), 1);
}

namespace {

void gain(UnitRecord& unit, int points)
{
    if (!ruleOn(kRuleExperience))
        return;
    if (game().campaignBlock().campaignFlag == 1)
        points = UnitRecord::divideExperienceGain(points);
    unit.addExperience(points);
}

} // namespace

void UnitRecord::gainExperience(int points) { gain(*this, points); }
void UnitRecord::gainExperienceByStrength() { gain(*this, (strengthSlotCount(*this) + 1) / 2 * 10); }
void UnitRecord::gainExperienceHalfStrength() { gain(*this, (strengthSlotCount(*this) + 1) / 2); }
