// UnitRecord: losses of members, passed down to the units it carries.
#include "state/unit_hooks.h"
#include "state/unit_record.h"

#include "state/unit_facts.h"
#include "state/unit_internal.h"

#include <algorithm>

using namespace unit_rules;

namespace {

// Carrier links read from files may loop; damage goes no deeper than nesting allows.
constexpr int kMaxDepth = 36;

// The counters of a carried unit brought down to `tenths` of its strength.
void countersForTenths(const UnitRecord& unit, int tenths, int16_t (&list)[10])
{
    const UnitTypeRecord& type = unit.type();
    int members = std::max<int>(type.members, 1);
    for (int m = 0; m < 10; ++m)
        list[m] = unit.memberStrengths[m];
    if (members != 1) {
        int keep = (members * tenths + 9) / 10;
        for (int m = std::max(keep, 0); m < 10; ++m)
            list[m] = 0;
        return;
    }
    int counter = type.memberStrength * tenths / 10;
    list[0] = int16_t(tenths >= 1 ? std::max(counter, 1) : 0);
}

void damage(UnitRecord& unit, int side, const int16_t* member_list, int attacker_side, int depth)
{
    int old_tenths = unit.strengthTenths();
    int old_count = strengthSlotCount(unit);
    int old_total = strengthTotal(unit);
    int next = 0;
    for (int m = 0; member_list && m < 10; ++m)
        if (member_list[m] > 0)
            unit.memberStrengths[next++] = uint8_t(std::min<int>(member_list[m], 255));
    std::fill(unit.memberStrengths + next, std::end(unit.memberStrengths), uint8_t(0));
    int lost = std::max(old_count - strengthSlotCount(unit), 0);

    if (side >= 0 && side < kCountryCount) {
        game().country(side).membersLost += uint32_t(lost);
        if (lost > 0 && (unit.watchBits & kWatchTransported))
            game().endCheckFlags() |= 4;
    }

    int new_tenths = unit.strengthTenths();
    for (int slot = 0; slot < 8 && depth < kMaxDepth; ++slot) {
        int carried_side = side;
        int plus1 = unit.carriedUnitAt(slot, carried_side);
        UnitRecord* carried = plus1 ? game().unitOf(carried_side, plus1 - 1) : nullptr;
        if (!carried)
            continue;
        int tenths = carried->strengthTenths();
        if (ruleOn(kRuleCarrierCapacity)) {
            tenths = std::min(tenths, new_tenths);
        } else if (old_tenths > 0) {
            tenths = tenths * new_tenths / old_tenths;
            if (new_tenths > 0)
                tenths = std::max(tenths, 1);
        }
        int16_t list[10];
        countersForTenths(*carried, tenths, list);
        damage(*carried, carried_side, list, attacker_side, depth + 1);
    }

    if (strengthTotal(unit) >= old_total)
        return;
    if (UnitRecordHooks* hooks = unitRecordHooks())
        hooks->bookLosses(attacker_side, side, unit.unitTypeId, lost);
    if (strengthTotal(unit) == 0) {
        if (attacker_side >= 0 && attacker_side < kCountryCount)
            ++game().country(attacker_side).enemyUnitsDestroyed;
        if (side >= 0 && side < kCountryCount)
            ++game().country(side).unitsLost;
    }
}

} // namespace

void UnitRecord::applyDamage(int side, const int16_t* member_list, int attacker_side)
{
    damage(*this, side, member_list, attacker_side, 0);
}
