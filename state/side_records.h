// Small per-side records: destroyed units, places and the hexes of pillboxes and temporary bridges.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct DestroyedUnitRecord {
    // Low byte of the turn; 0 for turns 256, 512, ..., so it cannot mark a free entry alone.
    uint8_t turn;
    uint8_t troopNumber;
    // Bytes 1..34 of the unit record: its name and identity.
    uint8_t identity[34];
    uint16_t unitTypeId;
    uint8_t x;
    uint8_t y;
    uint8_t visibleMask;
    // 1 on every entry this program writes; older files leave it 0 and are told by the turn.
    uint8_t usedMark;

    bool isUsed() const { return turn != 0 || usedMark != 0; }
};
#pragma pack(pop)
static_assert(sizeof(DestroyedUnitRecord) == 42);
static_assert(offsetof(DestroyedUnitRecord, unitTypeId) == 36);
constexpr int kDestroyedUnitsPerCountry = 100;

#pragma pack(push, 1)
struct PlaceRecord {
    uint8_t used;
    uint8_t data[33];
    uint8_t x;
    uint8_t y;
    uint8_t target;
};
#pragma pack(pop)
static_assert(sizeof(PlaceRecord) == 37);
constexpr int kPlaceRecordCount = 1000;

#pragma pack(push, 1)
// A pillbox built on the map: its terrain is the cell's own, its durability is kept here.
struct PillboxHex {
    uint32_t x;
    uint32_t y;
    uint8_t durability;
    uint8_t spare;
};
// A temporary bridge, built by an engineer or placed by the map, with what the hex was before.
struct TemporaryBridgeHex {
    uint32_t x;
    uint32_t y;
    uint8_t durability;
    uint8_t formerTerrain;
    // The low byte of the former display word.
    uint8_t formerDisplayCode;
    uint8_t formerSubstitute;
};
#pragma pack(pop)
static_assert(sizeof(PillboxHex) == 10);
static_assert(sizeof(TemporaryBridgeHex) == 12);
static_assert(offsetof(PillboxHex, durability) == 8);
static_assert(offsetof(TemporaryBridgeHex, durability) == 8);
