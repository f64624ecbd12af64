// Unit-type roles and layers, strength and experience scales, unit image names.
#include "state/unit_facts.h"

#include "state/game_state.h"
#include "state/name_tables.h"

#include "platform/kernel/host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kThresholds[5] = { 200, 500, 1000, 1700, 2500 };

int firstLargest(const uint8_t (&bytes)[kDomainCount])
{
    return int(std::max_element(std::begin(bytes), std::end(bytes)) - std::begin(bytes));
}

bool classIn(int klass, std::initializer_list<int> list) { return std::find(list.begin(), list.end(), klass) != list.end(); }

} // namespace

bool unitTypeHasGroupFlag(const UnitTypeRecord& type, int k)
{
    if (k < 0 || k >= kModelCount)
        return false;
    if (type.defaultModel == k)
        return true;
    return std::any_of(std::begin(type.model[k].ammo), std::end(type.model[k].ammo), [](uint8_t n) { return n != 0; });
}

bool isMultiRole(const UnitTypeRecord& type)
{
    int sets = 0;
    for (int k = 0; k < kModelCount; ++k)
        sets += unitTypeHasGroupFlag(type, k) ? 1 : 0;
    return sets > 1;
}

int aiRoleGroup(const UnitTypeRecord& type)
{
    int c = type.unitClass;
    if (classIn(c, { 0, 1, 2, 12, 27, 28, 29, 30, 31 }))
        return 1;
    if (classIn(c, { 3, 4, 5, 13, 19, 20, 23, 24, 25, 26, 33, 37 }))
        return 3;
    if (classIn(c, { 9, 17, 18 }))
        return 5;
    if (classIn(c, { 32, 40, 41, 42, 43, 44, 45, 46, 47, 54, 55 }))
        return 4;
    return 6;
}

int widestRangeLayer(const UnitTypeRecord& type) { return firstLargest(type.range); }

int bestSightLayer(const UnitTypeRecord& type)
{
    int layer = firstLargest(type.sight);
    return layer == 0 && type.sight[0] == type.sight[1] ? 1 : layer;
}

int maxSightRange(const UnitTypeRecord& type) { return type.sight[firstLargest(type.sight)]; }

int baseTargetClass(const UnitTypeRecord& type)
{
    if (type.domain == 3)
        return type.flags & 0x2000 ? 3 : 6;
    return type.domain;
}

int targetClass(const UnitTypeRecord& type)
{
    if (type.domain != 3 && type.unitClass == kWarheadClass)
        return type.movementType == 2 ? 8 : 7;
    return baseTargetClass(type);
}

int carryBerthCount(const UnitTypeRecord& type)
{
    return int(std::count_if(std::begin(type.berthMask), std::end(type.berthMask), [](uint8_t m) { return m != 0; }));
}

int strengthTotal(const UnitRecord& unit)
{
    int total = 0;
    for (uint8_t s : unit.memberStrengths)
        total += s;
    return total;
}

int strengthSlotCount(const UnitRecord& unit)
{
    return int(std::count_if(std::begin(unit.memberStrengths), std::end(unit.memberStrengths), [](uint8_t s) { return s != 0; }));
}

HeldFigure heldMachines(const UnitRecord& unit) { return { strengthSlotCount(unit), unit.memberLimit }; }

HeldFigure heldFuel(const UnitRecord& unit) { return { unit.fuel, unit.maxFuel() }; }

HeldFigure heldAmmunition(const UnitRecord& unit, int slot)
{
    if (slot < 0 || slot >= kWeaponSlotCount)
        return {};
    return { unit.ammunition[slot], unit.maxAmmo(slot) };
}

int strengthTenths(const UnitRecord& unit, const UnitTypeRecord& type)
{
    // The loader keeps both divisors at least 1; a record from elsewhere may not.
    int members = std::max<int>(type.members, 1);
    int full = std::max<int>(type.memberStrength, 1);
    if (members > 1)
        return strengthSlotCount(unit) * 10 / members;
    return (unit.memberStrengths[0] * 10 + full - 1) / full;
}

int experienceLevelFor(int points)
{
    return int(std::count_if(std::begin(kThresholds), std::end(kThresholds), [&](int t) { return points >= t; }));
}

int experiencePercent(int points)
{
    int level = experienceLevelFor(points);
    if (level >= 5)
        return 100;
    int lower = level ? kThresholds[level - 1] : 0;
    return (points - lower) * 100 / (kThresholds[level] - lower);
}

ExperienceProgress experienceProgress(int points)
{
    int level = experienceLevelFor(points);
    if (level >= 5)
        return { 100, 100 };
    int lower = level ? kThresholds[level - 1] : 0;
    return { (points - lower) / 10, (kThresholds[level] - lower) / 10 };
}

const char* experienceMark(int level)
{
    static const std::string marks[6] = {
        platform::utf8ToCp932("Ｅ"), platform::utf8ToCp932("Ｄ"), platform::utf8ToCp932("Ｃ"),
        platform::utf8ToCp932("Ｂ"), platform::utf8ToCp932("Ａ"), platform::utf8ToCp932("★"),
    };
    return level >= 0 && level < 6 ? marks[level].c_str() : "";
}

bool hasCivilianName(const UnitTypeRecord& type)
{
    static const std::string civilian = platform::utf8ToCp932("民間");
    return std::memcmp(type.name, civilian.data(), 4) == 0;
}

int unitBitmapIndex(const GameState& state, const UnitTypeRecord& type)
{
    int klass = type.unitClass;
    if (type.baseType) {
        int base = state.unitTypeIndex(type.baseType - 1);
        if (base > 0 && unitVariantOrder(state.unitTypes()[size_t(base - 1)]) > unitVariantOrder(type)) {
            static constexpr int from[] = { 25, 27, 29, 31, 32, 33, 35 };
            for (int i = 0; i < 7; ++i)
                if (klass == from[i])
                    return 57 + i;
        }
        return klass;
    }
    if (hasCivilianName(type)) {
        if (klass == 37)
            return 64;
        if (klass == 21)
            return 65;
    }
    return klass;
}

std::string unitImageFileName(const UnitTypeRecord& type)
{
    char name[32];
    if (type.id >= 5000 && type.id <= 9999 && type.imageNumber >= 20000)
        std::snprintf(name, sizeof name, "g%05d.bmp", type.id);
    else
        std::snprintf(name, sizeof name, type.imageNumber < 1000 ? "%04d.bmp" : "%d.bmp", type.imageNumber);
    return name;
}
