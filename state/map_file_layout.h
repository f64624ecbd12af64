// The on-disk layout of map and scenario files: header, directory, file country record and file cell.
#pragma once

#include "state/country_record.h"

#include <cstddef>
#include <cstdint>

constexpr int kScenarioMagicSize = 16;
// The header buffer: magic, length and 28 directory entries.
constexpr uint32_t kMapHeaderCapacity = 356;
constexpr int kMapDirectoryEntries = 28;

#pragma pack(push, 1)
struct MapFileHeader {
    char magic[kScenarioMagicSize];
    uint32_t length;
};
struct MapDirectoryEntry {
    uint32_t offset;
    uint32_t size;
    uint32_t count;
};
#pragma pack(pop)
static_assert(sizeof(MapFileHeader) == 20);
static_assert(sizeof(MapDirectoryEntry) == 12);
static_assert(sizeof(MapFileHeader) + kMapDirectoryEntries * sizeof(MapDirectoryEntry) == kMapHeaderCapacity);

// Directory entries; 6..14 are the unit tables of sides 0..8.
enum MapSection : int {
    kSectionScenario = 0,
    kSectionMapHeader = 1,
    kSectionCountries = 2,
    kSectionRules = 3,
    kSectionCells = 4,
    kSectionPlaces = 5,
    kSectionUnits = 6,
    kSectionProductionTypes = 15,
    kSectionNeutral = 16,
    kSectionFirstImage = 17,
    kSectionSecondImage = 18,
    kMapSectionCount = 19,
};

#pragma pack(push, 1)
struct FileCountryRecord {
    char name[42];
    uint8_t analysisByte;
    uint8_t controller;
    uint8_t allianceMask;
    // Below 150 the built-in table; 150 and up are moved by the loader.
    uint8_t productionType;
    uint8_t anthemCode;
    uint8_t unused47;
    uint16_t unitSlots;
    uint32_t funds;
    uint32_t victoryCondition;
    uint8_t victoryParameter;
    uint8_t unused59;
    uint16_t productionLimit;
    uint8_t pactMask;
    uint8_t unused63;
    uint32_t fundsLimit;
    uint8_t unused68[260];
};
#pragma pack(pop)
static_assert(sizeof(FileCountryRecord) == 328);
static_assert(offsetof(FileCountryRecord, unitSlots) == 48);
static_assert(offsetof(FileCountryRecord, victoryCondition) == 54);
static_assert(offsetof(FileCountryRecord, productionLimit) == 60);
static_assert(offsetof(FileCountryRecord, pactMask) == 62);
static_assert(offsetof(FileCountryRecord, fundsLimit) == 64);

#pragma pack(push, 1)
struct FileMapCell {
    uint8_t terrain;
    uint8_t buildingOwnerPlusOne;
    uint16_t displayCode;
    uint8_t overlay;
    uint8_t substituteBits;
    uint16_t missileCode;
    uint8_t launchCounterStart;
    uint8_t missileParameter;
    uint8_t domainMask;
    uint8_t hexOwner;
    // Side k in byte k / 2, even k in the low nibble.
    uint8_t sideCodes[3];
    uint8_t mineKind;
    uint8_t mineCount;
    uint8_t mineKnownMask;
    uint8_t markBit0;
    uint8_t destroyed;
    uint8_t constructionMarker;
    uint8_t unused21;
};
#pragma pack(pop)
static_assert(sizeof(FileMapCell) == 22);
static_assert(offsetof(FileMapCell, missileCode) == 6);
static_assert(offsetof(FileMapCell, hexOwner) == 11);
static_assert(offsetof(FileMapCell, constructionMarker) == 20);

// Limits of the format: the largest section each destination holds.
constexpr uint32_t kMaxCountryRecords = 8;
constexpr uint32_t kMaxMapCells = 65536;
constexpr uint32_t kMaxMapSide = 256;
constexpr uint32_t kMaxSideUnits = 1000;
constexpr uint32_t kMaxPlaceBytes = 37000;
constexpr uint32_t kMaxProductionTypes = 8;
constexpr uint32_t kNeutralBlockSize = 10;
constexpr uint32_t kRuleSectionSize = 52;
// Embedded pictures are bitmaps of the briefing; far larger ones are damage, not pictures.
constexpr uint32_t kMaxEmbeddedImage = 16u << 20;

// Where the old scenario block's pieces go in the current layout.
struct OldScenarioPiece {
    uint16_t oldOffset;
    uint16_t length;
    uint16_t newOffset;
};
constexpr OldScenarioPiece kOldScenarioPieces[] = {
    {0, 24, 0}, {24, 42, 24}, {66, 2402, 66}, {2468, 62, 4868}, {2530, 2402, 4930},
    {4932, 282, 9732}, {5214, 450, 10294}, {5664, 62, 11196}, {5726, 2402, 11258}, {8128, 3, 16060},
};

// 1..4 for the four magics, -1 otherwise.
int scenarioFileVersion(const char* magic);
// The magic of version 1..4.
const char* scenarioMagic(int version);
