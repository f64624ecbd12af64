// The per-hex cells of the map grids: TerrainCell, UnitCell, the mark bits and UnitRef.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct TerrainCell {
    uint8_t terrain;
    uint8_t overlay;
    uint16_t displayCode;
    // Bits 0..5 the river bits; bits 6 and up pick the substitute (1, 2, other).
    uint16_t substitute;
    // Country + 1, 0 = nobody.
    uint8_t owner;
    uint8_t sideCodes[3];
    uint8_t mineKind;
    uint8_t mineCount;
    uint8_t mineKnownMask;
    uint8_t turnMarks[3];

    bool hasSubstitute() const { return (substitute & 0x3F) != 0; }
    unsigned substituteKind() const { return substitute >> 6; }
    int sideCode(int direction) const
    {
        uint8_t pair = sideCodes[direction / 2];
        return direction % 2 ? pair >> 4 : pair & 0x0F;
    }
    void setSideCode(int direction, int code);
    void clearOwnership();
    void clearMine() { mineKind = mineCount = mineKnownMask = 0; }
};
#pragma pack(pop)
static_assert(sizeof(TerrainCell) == 16);
static_assert(offsetof(TerrainCell, substitute) == 4);
static_assert(offsetof(TerrainCell, sideCodes) == 7);
static_assert(offsetof(TerrainCell, mineKind) == 10);

// Side words: 0 empty, country + 1 (1..9), or 100 + c for a missile of country c.
#pragma pack(push, 1)
struct UnitCell {
    uint16_t building;
    uint16_t lowerSide[6];
    uint16_t lowerUnit[6];
    uint16_t upperSide[6];
    uint16_t upperUnit[6];
    uint16_t place;
    // The current side's supply line through the hex, and the road it found there.
    uint8_t supplyLineMask;
    uint8_t supplyRoad;
    // What the map file gives the hex's building, kept until the buildings are made from the cells.
    uint16_t mapMissileCode;
    uint8_t mapLaunchCounterStart;
    uint8_t mapMissileParameter;
    uint8_t mapDomainMask;
    uint8_t reserved59;
    uint16_t turnMark;
    uint8_t borderMask;
    uint8_t reserved63;
};
#pragma pack(pop)
static_assert(sizeof(UnitCell) == 64);
static_assert(offsetof(UnitCell, place) == 50);
static_assert(offsetof(UnitCell, supplyLineMask) == 52);
static_assert(offsetof(UnitCell, mapMissileCode) == 54);
static_assert(offsetof(UnitCell, mapDomainMask) == 58);
static_assert(offsetof(UnitCell, turnMark) == 60);
static_assert(offsetof(UnitCell, borderMask) == 62);

#pragma pack(push, 1)
struct UnitRef {
    uint16_t table;
    uint16_t index;
    uint16_t country;
};
#pragma pack(pop)
static_assert(sizeof(UnitRef) == 6);

// Bits of the MarkGrid, one u16 per hex.
enum MarkBits : uint16_t {
    kMarkMoveRange = 1,
    kMarkInterceptRange = 2,
    kMarkCommandTarget = 4,
    kMarkExtendedBand = 8,
    kMarkActingUnit = 16,
    kMarkPathEnd = 32,
    kMarkBlink = 64,
    kMarkHighlighted = 256,
    kMarkPath = 512,
    kMarkCommandTarget2 = 1024,
    kMarkCommandTarget3 = 2048,
    kMarkAutoMoveGroup = 8192,
    kMarkAutoMoveEnd = 16384,
    kMarkAutoMoveRoute = 32768,
};
// What the finish operations clear: all but 64, 128, 4096 and 8192 (the missile finish also 128).
constexpr uint16_t kMarkFinishMask = 53055;
constexpr uint16_t kMarkMissileFinishMask = 53183;
