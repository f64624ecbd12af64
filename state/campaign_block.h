// CampaignBlock: the campaign record of the campaign file and the progress kept beside it.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct CampaignBlock {
    // 1 = a campaign game.
    uint8_t campaignFlag;
    uint8_t data1[34];
    uint8_t experienceDivisor;
    uint8_t data36;
    // Row of stage s (1..50) at 37 + 49 * (s - 1).
    uint8_t stageRows[50][49];
    uint8_t data2487[3];
    uint8_t playerCountry;
    uint8_t currentStage;
    uint8_t data2492[2];
    char filePath[260];
    uint32_t fileTimeLow;
    uint32_t fileTimeHigh;
};
#pragma pack(pop)
static_assert(sizeof(CampaignBlock) == 2762);
static_assert(offsetof(CampaignBlock, experienceDivisor) == 35);
static_assert(offsetof(CampaignBlock, stageRows) == 37);
static_assert(offsetof(CampaignBlock, playerCountry) == 2490);
static_assert(offsetof(CampaignBlock, filePath) == 2494);
static_assert(offsetof(CampaignBlock, fileTimeLow) == 2754);

// The campaign file's record fills the block's first bytes.
constexpr int kCampaignRecordSize = 2489;
