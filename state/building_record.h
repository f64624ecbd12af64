// BuildingRecord: one building on the map, stored whole in files.
#pragma once

#include <cstddef>
#include <cstdint>

struct TerrainRecord;
struct UnitTypeRecord;

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
    // Enemy occupation wears it down and takes the building at 0; the owner's units raise it back up
    // to the type's occupation value.
    uint8_t occupationDurability;
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

    // The building's terrain record; null when its type byte names none.
    const TerrainRecord* terrain() const;
    int owner() const { return ownerPlusOne - 1; }
    bool isIntact() const { return destroyed != 1; }
    bool isDamaged() const;
    bool isSupplied() const { return (supplyBits & 1) != 0; }
    bool hasFreeSlot() const;
    int unitCount() const;
    bool addUnit(int side, int index);
    void removeUnit(int side, int index);
    // Group: the unit type's group (unitTypeGroup).
    bool acceptsUnit(int side, int group) const;
    bool canRefuel(int side, int group) const;
    bool canRearm(int side, int group) const;
    int canReplenish(int side, const UnitTypeRecord& unit_type) const;
    bool canRepair(int side, int group) const;
    // The unit type id the building launches from its missile code, plus 1; 0 for none.
    int launchedUnitType() const;
};
#pragma pack(pop)
static_assert(sizeof(BuildingRecord) == 48);
static_assert(offsetof(BuildingRecord, slots) == 12);
static_assert(offsetof(BuildingRecord, destroyed) == 36);
static_assert(offsetof(BuildingRecord, missileCode) == 38);
static_assert(offsetof(BuildingRecord, supplyBits) == 46);
