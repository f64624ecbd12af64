// CountryRecord: one of the eight countries, stored whole in saved games.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "records are read in place as little-endian");

// A country's inPlay while it takes part; 2 once it dropped out.
constexpr uint16_t kCountryInPlay = 1;
constexpr uint16_t kCountryOut = 2;

#pragma pack(push, 1)
struct CountryRecord {
    char name[42];
    uint8_t analysisByte;
    // 0 not in the game, 1 a person, any other value the computer.
    uint8_t controller;
    uint8_t allianceMask;
    // The production type the country produces by: a built-in type's number, or a user type's.
    uint8_t productionTypeNumber;
    uint8_t anthemCode;
    uint8_t reserved47;
    uint16_t unitListLength;
    uint32_t funds;
    uint16_t inPlay;
    // 0 or 100 undecided, 1..99 a victory, above 100 a defeat.
    uint16_t outcome;
    uint8_t marketRate;
    uint8_t reserved59[17];
    // 8 = none.
    uint16_t targetCountry;
    uint16_t capitalX;
    uint16_t capitalY;
    // The turn the country left the game; 0 while it takes part (and in games saved before it was kept).
    uint16_t turnOut;
    uint8_t reserved84[2];
    // Members the end-of-game evaluation counts beside those of the units in the field.
    uint32_t extraMembers;
    uint32_t unitsBought;
    uint32_t unitsLost;
    uint32_t enemyUnitsDestroyed;
    uint32_t commandCounter;
    // Members in the field when play started, grown by arriving reinforcements.
    uint32_t membersAtStart;
    uint16_t producedThisTurn;
    uint16_t productionLimit;
    uint8_t reserved114[4];
    // The five victory-condition bytes are copied as one block by the settings dialog.
    uint8_t victoryKind;
    uint8_t forcesCondition;
    uint8_t transportPercent;
    uint8_t victoryFlags;
    uint8_t turnLimitResult;
    uint8_t reserved123;
    uint64_t runningTotal;
    uint64_t fundsSpent;
    uint32_t productionSpent;
    uint32_t membersLost;
    uint32_t initialFunds;
    uint8_t pactMask;
    uint8_t reserved153;
    uint32_t fundsCeiling;

    // In the game (played by a person or the computer) and not dropped out.
    bool takesPart() const { return controller != 0 && inPlay == kCountryInPlay; }
};
#pragma pack(pop)
static_assert(sizeof(CountryRecord) == 158);
static_assert(offsetof(CountryRecord, productionTypeNumber) == 45);
static_assert(offsetof(CountryRecord, anthemCode) == 46);
static_assert(offsetof(CountryRecord, funds) == 50);
static_assert(offsetof(CountryRecord, marketRate) == 58);
static_assert(offsetof(CountryRecord, targetCountry) == 76);
static_assert(offsetof(CountryRecord, turnOut) == 82);
static_assert(offsetof(CountryRecord, extraMembers) == 86);
static_assert(offsetof(CountryRecord, unitsBought) == 90);
static_assert(offsetof(CountryRecord, producedThisTurn) == 110);
static_assert(offsetof(CountryRecord, victoryKind) == 118);
static_assert(offsetof(CountryRecord, runningTotal) == 124);
static_assert(offsetof(CountryRecord, initialFunds) == 148);
static_assert(offsetof(CountryRecord, fundsCeiling) == 154);
