// TurnStatsRecord: one turn's figures per country for the war-results windows and the saved game.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct TurnStatsEntry {
    // Buildings the country owns, as the turn starts and, once computeTurnStats has run, as it ends.
    uint32_t threadValue;
    // Income of the country's buildings, raised and lowered as buildings change hands and taken
    // from the board again by computeTurnStats.
    uint32_t income;
    uint32_t damageDealt;
    uint32_t damageTaken;
    uint32_t unitCount;
    uint32_t forces;
    // Lost members x member count x member value / 10.
    uint32_t valueLost;
};

struct TurnStatsRecord {
    TurnStatsEntry country[8];
};
#pragma pack(pop)
static_assert(sizeof(TurnStatsEntry) == 28);
static_assert(sizeof(TurnStatsRecord) == 224);
static_assert(offsetof(TurnStatsEntry, income) == 4);
static_assert(offsetof(TurnStatsEntry, valueLost) == 24);

// The computer turn's progress for the thinking window.
struct TurnProgress {
    uint32_t total = 0;
    uint32_t done = 0;
    uint32_t lastReported = 0;
};
