// BuildingRecord: one building on the map, stored whole in files.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct BuildingSlot {
    // 0 = empty slot.
    uint16_t sidePlusOne;
    uint16_t unitIndex;
};

struct BuildingRecord {
    uint8_t type;
    uint8_t ownerPlusOne;
    uint32_t x;
    uint32_t y;
    uint8_t durability;
    uint8_t typeByte70;
    BuildingSlot slots[6];
    uint8_t destroyed;
    uint8_t unused37;
    uint16_t missileCode;
    uint8_t missileParameter;
    uint8_t launchCounter;
    uint8_t launchCounterStart;
    uint8_t loadedOwnerPlusOne;
    uint8_t domainMask;
    uint8_t unused45;
    uint8_t supplyBits;
    uint8_t unused47;
};
#pragma pack(pop)
static_assert(sizeof(BuildingRecord) == 48);
static_assert(offsetof(BuildingRecord, slots) == 12);
static_assert(offsetof(BuildingRecord, destroyed) == 36);
static_assert(offsetof(BuildingRecord, missileCode) == 38);
static_assert(offsetof(BuildingRecord, supplyBits) == 46);
