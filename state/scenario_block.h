// ScenarioBlock: the scenario texts of a map file (version 4 layout); older files are converted into it.
#pragma once

#include <cstdint>

#pragma pack(push, 1)
struct ScenarioBlock {
    uint8_t bytes[16063];
};
#pragma pack(pop)
static_assert(sizeof(ScenarioBlock) == 16063);

// The old (versions 1 to 3) block that the reader moves into the new layout piece by piece.
constexpr int kOldScenarioBlockSize = 8131;
