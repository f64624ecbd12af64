// MapHeader: the map's size, turn limit and day-night period, as stored in scenario files.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct MapHeader {
    uint8_t data0[532];
    // 1: buildings earn their income.
    uint8_t buildingIncome;
    // The day-night period is a u16 split over two bytes: low byte here, high byte at 584.
    uint8_t dayNightLow;
    uint8_t data534[46];
    uint16_t width;
    uint16_t height;
    uint8_t dayNightHigh;
    uint8_t data585;
};
#pragma pack(pop)
static_assert(sizeof(MapHeader) == 586);
static_assert(offsetof(MapHeader, buildingIncome) == 532);
static_assert(offsetof(MapHeader, dayNightLow) == 533);
static_assert(offsetof(MapHeader, width) == 580);
static_assert(offsetof(MapHeader, height) == 582);
static_assert(offsetof(MapHeader, dayNightHigh) == 584);
