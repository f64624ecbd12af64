// WeaponRecord: one weapon of "warm.dat", also stored byte for byte in user production-type files.
#pragma once

#include "state/target_class.h"

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct WeaponRecord {
    char name[18];
    char subName[10];
    uint8_t reach;
    uint8_t multiplier;
    // Value against target class 0..8.
    uint8_t power[kTargetClassCount];
    // The weapon is usable only while this is above 0.
    uint8_t useValue;
    uint8_t kind;
    uint8_t padding41;
    uint16_t ammoPrice;
    // Bit 3 usable in attack, bit 4 in defence.
    uint16_t flags;
    uint16_t launchedType;
    uint8_t waitTurns;
    uint8_t padding49;
};
#pragma pack(pop)
static_assert(sizeof(WeaponRecord) == 50);
static_assert(offsetof(WeaponRecord, subName) == 18);
static_assert(offsetof(WeaponRecord, power) == 30);
static_assert(offsetof(WeaponRecord, kind) == 40);
static_assert(offsetof(WeaponRecord, ammoPrice) == 42);
static_assert(offsetof(WeaponRecord, launchedType) == 46);

// Bits of WeaponRecord::flags.
enum WeaponFlags : unsigned {
    kWeaponNear = 1,
    kWeaponFar = 2,
    kWeaponArea = 4,
    kWeaponAttack = 8,
    kWeaponDefence = 16,
    kWeaponEvadable = 64,
    kWeaponRestricted = 128,
};

enum WeaponKind : uint8_t {
    kWeaponNormal = 0,
    kWeaponMissile = 1,
    kWeaponCruiseMissile = 2,
    kWeaponBallisticMissile = 3,
    kWeaponAntiAir = 4,
    kWeaponTorpedo = 5,
    kWeaponSupply = 6,
    kWeaponGun = 7,
    kWeaponBomb = 8,
    kWeaponWarhead = 9,
    kWeaponEcm = 10,
    kWeaponEngineering = 11,
    kWeaponSelfDestruct = 12,
    kWeaponKindCount = 13,
};

constexpr int kWeaponIdMapSize = 60000;
// Built-in weapons take ids from 1 up; ids from here on belong to user weapons.
constexpr int kFirstUserWeaponId = 40000;
