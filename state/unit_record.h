// UnitRecord: one unit on the map, aboard a carrier, in a building or waiting to be carried over.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct UnitRecord {
    // State = stateLow + 256 * stateHigh: 0 free slot, 1 in play; 1000 waiting in the carry-over list.
    uint8_t stateLow;
    char name[34];
    uint8_t unused35;
    uint16_t unitTypeId;
    uint8_t productionTurnsLeft;
    uint8_t x;
    uint8_t y;
    uint8_t model;
    uint8_t ammunition[5];
    uint8_t unused47;
    uint16_t fuel;
    uint16_t flags;
    uint16_t experience;
    uint16_t fatigue;
    // Low 15 bits: index + 1 of the carried unit; bit 15: it belongs to the neutral side.
    uint16_t carriedUnits[8];
    uint16_t carrierIndex;
    uint8_t turnStartX;
    uint8_t turnStartY;
    uint8_t unused76[2];
    uint16_t carrierStrengthAtBoarding;
    uint16_t missileTargetX;
    uint16_t missileTargetY;
    uint16_t lastPlaceIndex;
    uint16_t lastPlaceKind;
    uint8_t unused88;
    uint8_t sightFixed;
    uint8_t watchBits;
    uint8_t goalX;
    uint8_t goalY;
    uint8_t carrierSide;
    uint8_t stateHigh;
    uint8_t memberStrengths[10];
    uint8_t unused105;
    uint16_t placedUnitIndex;
    uint8_t computerWork[10];
    uint8_t hasAutoRoute;
    uint8_t unused119;
    uint8_t wayPoints[8][2];
    uint8_t wayPointCount;
    uint8_t followsUnit;
    uint16_t goalXOrSide;
    uint16_t goalYOrIndex;
    uint16_t groupLead;
    uint8_t memberLimit;
    uint8_t weaponWait[5];
    uint8_t unused150[2];
    uint16_t troopNumber;
};
#pragma pack(pop)
static_assert(sizeof(UnitRecord) == 154);
static_assert(offsetof(UnitRecord, unitTypeId) == 36);
static_assert(offsetof(UnitRecord, flags) == 50);
static_assert(offsetof(UnitRecord, carrierIndex) == 72);
static_assert(offsetof(UnitRecord, stateHigh) == 94);
static_assert(offsetof(UnitRecord, computerWork) == 108);
static_assert(offsetof(UnitRecord, wayPoints) == 120);
static_assert(offsetof(UnitRecord, memberLimit) == 144);
static_assert(offsetof(UnitRecord, troopNumber) == 152);

constexpr int kUnitTableSize = 1000;
