// TerrainRecord: one terrain or building type of "land.dat", and the roles the loader picks out.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kMovementTypeCount = 26;
constexpr int kUnitTypeGroupCount = 6;

#pragma pack(push, 1)
struct TerrainRecord {
    char name[14];
    uint8_t number;
    // Kinds below 11 are natural terrain and works; 11 and up are buildings, 12 a capital.
    uint8_t kind;
    // 0 = the movement type cannot enter.
    uint8_t moveCost[kMovementTypeCount];
    uint8_t evasion[kMovementTypeCount];
    uint8_t durability;
    uint8_t reinforcedDurability;
    uint8_t occupationValue;
    uint8_t padding71;
    // Bit g per unit-type group g.
    uint16_t refuelMask;
    uint16_t rearmMask;
    uint16_t replenishMask;
    uint16_t repairMask;
    // The domain slots a building of the type may produce into: bits 1, 2, 4 air, 8 land, 16, 32 sea.
    uint16_t productionMask;
    uint8_t groupValues[kUnitTypeGroupCount];
    uint8_t capacity;
    uint8_t padding89;
    uint16_t income;
    uint16_t unusedValue;
    // Doubles as the display code of cells and, for the bridge type, the bridge value.
    uint16_t defaultDisplayCode;
    uint8_t flags;
    uint8_t mineFlags;
};
#pragma pack(pop)
static_assert(sizeof(TerrainRecord) == 98);
static_assert(offsetof(TerrainRecord, kind) == 15);
static_assert(offsetof(TerrainRecord, moveCost) == 16);
static_assert(offsetof(TerrainRecord, durability) == 68);
static_assert(offsetof(TerrainRecord, occupationValue) == 70);
static_assert(offsetof(TerrainRecord, refuelMask) == 72);
static_assert(offsetof(TerrainRecord, productionMask) == 80);
static_assert(offsetof(TerrainRecord, capacity) == 88);
static_assert(offsetof(TerrainRecord, defaultDisplayCode) == 94);
static_assert(offsetof(TerrainRecord, flags) == 96);
static_assert(offsetof(TerrainRecord, mineFlags) == 97);

// Bits of TerrainRecord::flags that the hex tests read.
enum TerrainFlags : uint8_t {
    kTerrainAircraftLanding = 2,
    kTerrainVtolLanding = 4,
    // Units may board or be loaded here; helicopters land.
    kTerrainLoading = 8,
    kTerrainAirborneDrop = 16,
};

enum TerrainKind : uint8_t {
    kTerrainBasic = 0,
    kTerrainRiver = 1,
    kTerrainDeepRiver = 2,
    kTerrainFrozenRiver = 3,
    kTerrainSnowfield = 4,
    kTerrainShallows = 5,
    kTerrainSea = 6,
    kTerrainPillbox = 7,
    kTerrainWasteland = 8,
    kTerrainRoad = 9,
    kTerrainTemporaryBridge = 10,
    kTerrainBuilding = 11,
    kTerrainCapital = 12,
    kTerrainLargeCity = 13,
    kTerrainBridge = 20,
    kTerrainMissileBase = 23,
    kTerrainKindCount = 28,
};

// The type an engineer's bridge and a map's bridge under construction take (kind 10); its hexes
// open only the sides their display code shows.
constexpr int kTemporaryBridgeTerrain = 53;

// Index of the last type of each role's kind in land.dat.
struct TerrainRoles {
    int road = 0;
    int largeCity = -1;
    int pillbox = 0;
    int wasteland = 0;
    int bridge = 0;
    int snowfield = 0;
    int river = 0;
    int deepRiver = 0;
    int frozenRiver = 0;
    int sea = 0;
    int shallows = 0;
    int missileBase = 0;
    uint16_t bridgeValue = 0;
};
