// CampaignBlock: the campaign record of the campaign file and the progress kept beside it.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kCampaignMapCount = 50;
constexpr int kCampaignStageRowSize = 49;

// What follows an end of a stage (stage row bytes 0..2 for a victory, an undecided end, a defeat).
enum CampaignStageAction : uint8_t {
    kCampaignEnds = 1,
    kCampaignRepeatMap = 2,
    kCampaignGoToMap = 3,
};
// Row bytes 3..5 hold the map index of kCampaignGoToMap for the same three ends.
constexpr int kStageRowTargetOffset = 3;
// Row bytes 6..8 are 1 when the map's closing news follows the same three ends.
constexpr int kStageRowNewsOffset = 6;

#pragma pack(push, 1)
// The campaign record as the campaign file stores it.
struct CampaignRecord {
    char name[34];
    uint8_t experienceDivisor;
    int8_t mapCount;
    uint8_t stageRows[kCampaignMapCount][kCampaignStageRowSize];
    uint8_t reserved2486;
    uint8_t titleStyle;
    uint8_t titleShade;
};

struct CampaignBlock {
    // 1 = a campaign game.
    uint8_t campaignFlag;
    char name[34];
    uint8_t experienceDivisor;
    int8_t mapCount;
    // Row of stage s (1..50) at 37 + 49 * (s - 1).
    uint8_t stageRows[kCampaignMapCount][kCampaignStageRowSize];
    uint8_t reserved2487;
    uint8_t titleStyle;
    uint8_t titleShade;
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

// The campaign file's record follows the flag byte: name from byte 1, the divisor at 35.
constexpr int kCampaignRecordSize = 2489;
constexpr size_t kCampaignRecordOffset = 1;
static_assert(sizeof(CampaignRecord) == kCampaignRecordSize);
static_assert(kCampaignRecordOffset + offsetof(CampaignRecord, experienceDivisor) == offsetof(CampaignBlock, experienceDivisor));
static_assert(kCampaignRecordOffset + offsetof(CampaignRecord, stageRows) == offsetof(CampaignBlock, stageRows));
static_assert(kCampaignRecordOffset + kCampaignRecordSize == offsetof(CampaignBlock, playerCountry));
