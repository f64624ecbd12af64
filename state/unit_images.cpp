// Unit image paths, twin types, and the unit checks that stand on them.
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kUnitFolder = 3;
constexpr int kFirstOwnImage = 20000;

std::string sizedImagePath(const char* prefix, int number, int size)
{
    if (number < kFirstOwnImage)
        return {};
    char name[48];
    std::snprintf(name, sizeof name, "%s%d_%d.bmp", prefix, number, size);
    return dataPath(name, kUnitFolder);
}

} // namespace

std::string unitImagePath(const UnitTypeRecord& type) { return dataPath(unitImageFileName(type).c_str(), kUnitFolder); }

std::string unitMiImagePath(const UnitTypeRecord& type, int size, bool second_set)
{
    int number = size == 16 ? type.miImage16 : size == 32 ? type.miImage32 : type.miImageOther;
    return sizedImagePath(second_set ? "emi" : "gmi", number, size);
}

std::string unitWtImagePath(const UnitTypeRecord& type, int size, bool second_set)
{
    int number = size == 16 ? type.wtImage16 : size == 32 ? type.wtImage32 : type.wtImageOther;
    return sizedImagePath(second_set ? "ewt" : "gwt", number, size);
}

int GameState::findTwinUnitType(int id) const
{
    if (!unitTypeIndex(id))
        return 0;
    const UnitTypeRecord& own = unitTypeRecord(id);
    for (int candidate = 5000; candidate <= 9999; ++candidate) {
        if (!unitTypeIndex(candidate))
            continue;
        const UnitTypeRecord& other = unitTypeRecord(candidate);
        // Compared as the candidate would be with this type's body.
        UnitTypeRecord probe = own;
        probe.key = other.key;
        probe.id = other.id;
        probe.baseType = other.baseType;
        for (int i = 0; i < kWeaponSlotCount; ++i)
            probe.weaponSlot[i].weaponId = other.weaponSlot[i].weaponId;
        if (std::memcmp(&probe, &other, sizeof probe) == 0)
            return candidate;
    }
    return 0;
}

bool unitHexCheck(const GameState& state, const UnitRecord& unit, int x, int y, int side)
{
    bool r = unit.canActOnTerrain(x, y, side);
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    if (!r || !state.ruleOn(kRuleStoring) || !type || type->domain == 3)
        return r;
    bool vtol = type->unitClass == 4;
    bool helicopter = type->unitClass >= 13 && type->unitClass <= 18;
    if ((vtol && state.isVtolLandingHexFor(x, y, side)) || (helicopter && state.isLoadingHexFor(x, y, side)))
        return r;
    const UnitCell* cell = state.unitCellAt(x, y);
    if (cell && cell->building)
        return (unit.flags & 8) != 0;
    return r;
}

bool hasSelfDestructAmmo(const GameState& state, const UnitRecord& unit)
{
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    for (int i = 0; type && i < kWeaponSlotCount; ++i) {
        const WeaponRecord* weapon = slotWeapon(state, *type, i);
        if (weapon && weapon->kind == kWeaponSelfDestruct && unit.ammunition[i] > 0)
            return true;
    }
    return false;
}

void clearUnitAux(UnitRecord& unit)
{
    unit.hasAutoRoute = 0;
    std::memset(reinterpret_cast<uint8_t*>(&unit) + 120, 0, 24);
}
