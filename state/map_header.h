// MapHeader: the map's texts, size, turn limit and day-night period, as stored in scenario files.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct MapHeader {
    uint8_t data0[16];
    // Texts may lack their terminator: read them within their field.
    char description[514];
    // How the map's name is shown in the game lists.
    uint8_t titleStyle;
    uint8_t titleShade;
    // 1: buildings earn their income.
    uint8_t buildingIncome;
    // The day-night period is a u16 split over two bytes: low byte here, high byte at 584.
    uint8_t dayNightLow;
    // 0 the map starts by day, 1 at night.
    uint8_t startTime;
    // 0..5 stars.
    uint8_t difficulty;
    uint16_t turnLimit;
    char name[42];
    uint16_t width;
    uint16_t height;
    uint8_t dayNightHigh;
    uint8_t data585;

    int dayNightTurns() const { return dayNightLow | dayNightHigh << 8; }
    void setDayNightTurns(int turns)
    {
        dayNightLow = uint8_t(turns & 0xFF);
        dayNightHigh = uint8_t(turns >> 8 & 0xFF);
    }
};
#pragma pack(pop)
static_assert(sizeof(MapHeader) == 586);
static_assert(offsetof(MapHeader, description) == 16);
static_assert(offsetof(MapHeader, titleStyle) == 530);
static_assert(offsetof(MapHeader, buildingIncome) == 532);
static_assert(offsetof(MapHeader, dayNightLow) == 533);
static_assert(offsetof(MapHeader, startTime) == 534);
static_assert(offsetof(MapHeader, difficulty) == 535);
static_assert(offsetof(MapHeader, turnLimit) == 536);
static_assert(offsetof(MapHeader, name) == 538);
static_assert(offsetof(MapHeader, width) == 580);
static_assert(offsetof(MapHeader, height) == 582);
static_assert(offsetof(MapHeader, dayNightHigh) == 584);
