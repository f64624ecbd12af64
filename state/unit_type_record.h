// UnitTypeRecord: one unit type of "weapon.dat", also stored byte for byte in user production-type files.
#pragma once

#include "state/target_class.h"

#include <cstddef>
#include <cstdint>

constexpr int kWeaponSlotCount = 5;
constexpr int kModelCount = 4;
constexpr int kBerthCount = 8;
// Carriers nest only a few levels; cargo lists written by files may loop back to a carrier, and the
// walks over a carrier's cargo stop at this depth.
constexpr int kMaxCargoDepth = 16;
constexpr int kDomainCount = 6;

#pragma pack(push, 1)
struct WeaponSlot {
    char name[18];
    char subName[10];
    uint8_t multiplier;
    uint8_t padding29;
    // Resolved from name and subName at load; 0 = no such weapon.
    uint16_t weaponId;
};
#pragma pack(pop)
static_assert(sizeof(WeaponSlot) == 32);

#pragma pack(push, 1)
struct UnitTypeModel {
    uint8_t ammo[kWeaponSlotCount];
    uint8_t values[3];
    uint16_t fuel;
};
#pragma pack(pop)
static_assert(sizeof(UnitTypeModel) == 10);

#pragma pack(push, 1)
struct UnitTypeRecord {
    uint16_t key;
    uint16_t id;
    char name[34];
    uint8_t available;
    // 0 very high air, 1 high air, 2 low air, 3 land, 4 sea, 5 undersea.
    uint8_t domain;
    uint8_t movementType;
    uint8_t unitClass;
    uint8_t unusedValue;
    // A divisor in the rules: the loader keeps it at least 1.
    uint8_t members;
    uint16_t flags;
    // A divisor in the rules: the loader keeps it at least 1.
    uint8_t memberStrength;
    uint8_t productionTurns;
    // Concealment radii: revealed only by an enemy within the radius. The second applies when the first
    // is 0; the terrain one only on concealing terrain and with the concealment switch on.
    uint8_t concealRadius;
    uint8_t terrainConcealRadius;
    uint8_t secondConcealRadius;
    uint8_t nightPercent;
    uint8_t areaRadius;
    uint8_t sight[kDomainCount];
    uint8_t range[kDomainCount];
    uint8_t padding65;
    uint32_t memberPrice;
    uint8_t berthMask[kBerthCount];
    uint8_t berthCount[kBerthCount];
    uint8_t carryClass;
    uint8_t padding87;
    uint16_t reserved88;
    // Against an attacker of each class up to the warheads, which meet no defence.
    uint16_t defence[kDefendedClassCount];
    // SuppliedBy bits: the supply units that may serve the type.
    uint8_t suppliedBy;
    uint8_t padding105;
    // The armament model a new unit starts with (0..3).
    uint8_t defaultModel;
    uint8_t padding107;
    // In the built-in file a non-zero id is stored plus 1.
    uint16_t baseType;
    WeaponSlot weaponSlot[kWeaponSlotCount];
    UnitTypeModel model[kModelCount];
    uint16_t imageNumber;
    uint16_t image2;
    uint16_t wtImage32;
    uint16_t wtImage16;
    uint16_t miImage32;
    uint16_t wtImageOther;
    uint16_t miImage16;
    uint16_t miImageOther;

    // 0 for the warhead classes and any number outside the classes.
    int defenceAgainst(int target_class) const
    {
        return target_class >= 0 && target_class < kDefendedClassCount ? defence[target_class] : 0;
    }
};
#pragma pack(pop)
static_assert(sizeof(UnitTypeRecord) == 326);
static_assert(offsetof(UnitTypeRecord, name) == 4);
static_assert(offsetof(UnitTypeRecord, members) == 43);
static_assert(offsetof(UnitTypeRecord, flags) == 44);
static_assert(offsetof(UnitTypeRecord, memberStrength) == 46);
static_assert(offsetof(UnitTypeRecord, sight) == 53);
static_assert(offsetof(UnitTypeRecord, memberPrice) == 66);
static_assert(offsetof(UnitTypeRecord, carryClass) == 86);
static_assert(offsetof(UnitTypeRecord, defence) == 90);
static_assert(offsetof(UnitTypeRecord, suppliedBy) == 104);
static_assert(offsetof(UnitTypeRecord, defaultModel) == 106);
static_assert(offsetof(UnitTypeRecord, baseType) == 108);
static_assert(offsetof(UnitTypeRecord, weaponSlot) == 110);
static_assert(offsetof(UnitTypeRecord, model) == 270);
static_assert(offsetof(UnitTypeRecord, imageNumber) == 310);
static_assert(offsetof(UnitTypeRecord, miImageOther) == 324);

enum SuppliedBy : uint8_t {
    kSuppliedByTruck = 1,
    kSuppliedByTanker = 2,
    kSuppliedByShip = 4,
};

constexpr int kUnitTypeIdMapSize = 15000;
constexpr int kUnitClassCount = 57;
constexpr int kWarheadClass = 34;
constexpr int kHeadquartersClass = 39;

// The group of a unit type in the six-column terrain blocks: 0 aircraft, 1 VTOL, 2 helicopter,
// 3 land, 4 sea, 5 hovercraft.
int unitTypeGroup(const UnitTypeRecord& type);
// 0 air, 1 tracked, 2 wheeled, 3 infantry, 4 naval, 5 hovercraft; -1 for road and special.
int movementGroup(int movementType);
