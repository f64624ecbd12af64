// Starting a campaign, the stage row that picks the next map, and the results of play.
#include "state/campaign_progress.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/winbase.h"
#include "state/campaign_file.h"
#include "state/game_state.h"

#include <cstring>
#include <memory>

namespace {

constexpr int kEndingNewsByte = 16060;

bool inGame(GameState& state, int c) { return c >= 0 && c < kCountryCount && state.country(c).controller != 0; }
bool isWin(int outcome) { return outcome >= 1 && outcome <= 99; }
bool isLoss(int outcome) { return outcome > 100; }
bool isCampaign(GameState& state) { return state.campaignBlock().campaignFlag == 1; }

} // namespace

void clearCampaignInfo(GameState& state)
{
    state.campaignBlock() = CampaignBlock {};
}

bool campaignFileTime(const char* path, uint32_t& low, uint32_t& high)
{
    WIN32_FIND_DATAA found {};
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    low = found.ftLastWriteTime.dwLowDateTime;
    high = found.ftLastWriteTime.dwHighDateTime;
    return true;
}

std::unique_ptr<StagedCampaign> stageCampaign(GameState& state, const char* path)
{
    auto refuse = [&](FileFault fault, const char* detail) {
        state.noteMapRefusal({ fault, -1, detail });
        return nullptr;
    };
    if (!path || std::strlen(path) >= sizeof(CampaignBlock::filePath))
        return refuse(FileFault::Missing, "campaign path missing or too long");
    if (FileFault fault = checkFileBytes(path, kMaxCampaignFileBytes); fault != FileFault::None)
        return refuse(fault, "campaign file not read");
    char magic[kCampaignMagicSize] = {};
    try {
        swCFile file(path, 0);
        if (file.fileRead(magic, sizeof magic) != sizeof magic)
            return refuse(FileFault::Truncated, "file ends in the magic");
    } catch (swCError* error) {
        delete error;
        return refuse(FileFault::Unreadable, "campaign file not read");
    }
    if (campaignFileVersion(magic) < 0)
        return refuse(FileFault::Format, "unknown magic");
    auto staged = std::make_unique<StagedCampaign>();
    staged->path = path;
    if (!campaignFileTime(path, staged->timeLow, staged->timeHigh))
        return refuse(FileFault::Unreadable, "campaign file time not read");
    const uint32_t size = campaignEntrySize(path, 0);
    if (size == 0)
        return refuse(FileFault::Damaged, "campaign file holds no readable first map");
    std::vector<uint8_t> map(size);
    CampaignReadTargets targets;
    targets.record = &staged->record;
    targets.maps[0] = map.data();
    targets.sizes[0] = size;
    if (CampaignReader().read(targets, path) != 1)
        return refuse(FileFault::Damaged, "campaign file refused");
    staged->map = state.stageMapImage(map.data(), map.size());
    if (!staged->map)
        return nullptr;
    return staged;
}

bool commitCampaign(GameState& state, StagedCampaign& staged, int player)
{
    if (player < 0 || player >= kCountryCount || !staged.map || !state.commitStaged(std::move(staged.map)))
        return false;
    state.noteMapRefusal({});
    CampaignBlock& block = state.campaignBlock();
    block = CampaignBlock {};
    std::memcpy(reinterpret_cast<uint8_t*>(&block) + kCampaignRecordOffset, &staged.record, sizeof(CampaignRecord));
    block.campaignFlag = 1;
    block.playerCountry = uint8_t(player);
    block.currentStage = 1;
    std::strcpy(block.filePath, staged.path.c_str());
    block.fileTimeLow = staged.timeLow;
    block.fileTimeHigh = staged.timeHigh;
    return true;
}

bool startCampaign(GameState& state, const char* path, int player)
{
    if (player < 0 || player >= kCountryCount)
        return false;
    std::unique_ptr<StagedCampaign> staged = stageCampaign(state, path);
    return staged && commitCampaign(state, *staged, player);
}

int campaignNextMapIndex(GameState& state)
{
    const CampaignBlock& block = state.campaignBlock();
    if (block.campaignFlag != 1 || block.currentStage < 1 || block.currentStage > kCampaignMapCount)
        return -1;
    int outcome = hasCampaignPlayerWon(state) ? 0 : hasCampaignPlayerLost(state) ? 2 : 1;
    const uint8_t* row = block.stageRows[block.currentStage - 1];
    switch (row[outcome]) {
    case kCampaignRepeatMap:
        return block.currentStage - 1;
    case kCampaignGoToMap: {
        // The stored target is trusted by nothing: an index past the file's maps ends the campaign.
        int target = row[kStageRowTargetOffset + outcome];
        return target < kCampaignMapCount ? target : -1;
    }
    default:
        return -1;
    }
}

bool hasCampaignPlayerWon(GameState& state)
{
    int player = state.campaignBlock().playerCountry;
    if (!inGame(state, player))
        return false;
    const CountryRecord& record = state.country(player);
    return record.inPlay == 1 && isWin(record.outcome);
}

bool hasCampaignPlayerLost(GameState& state)
{
    int player = state.campaignBlock().playerCountry;
    // A player byte naming no country: nothing is left to win with.
    if (player >= kCountryCount)
        return true;
    const CountryRecord& record = state.country(player);
    return (record.controller != 0 && isLoss(record.outcome)) || record.inPlay != 1;
}

int resultCountry(GameState& state)
{
    if (isCampaign(state))
        return state.campaignBlock().playerCountry;
    int current = state.turnBlock().currentCountry;
    if (inGame(state, current) && state.isHumanCountry(current))
        return current;
    auto firstPerson = [&](auto matches) {
        for (int c = 0; c < kCountryCount; ++c)
            if (inGame(state, c) && state.isHumanCountry(c) && matches(int(state.country(c).outcome)))
                return c;
        return -1;
    };
    int found = firstPerson([](int o) { return isWin(o); });
    if (found < 0)
        found = firstPerson([](int o) { return o == 0 || o == 100; });
    if (found < 0)
        found = firstPerson([](int o) { return isLoss(o); });
    for (int c = 0; found < 0 && c < kCountryCount; ++c)
        if (inGame(state, c))
            found = c;
    return found;
}

bool hasPlayerWon(GameState& state)
{
    if (isCampaign(state))
        return hasCampaignPlayerWon(state);
    int c = resultCountry(state);
    return c >= 0 && isWin(state.country(c).outcome);
}

bool hasPlayerLost(GameState& state)
{
    if (hasPlayerWon(state))
        return false;
    if (isCampaign(state))
        return hasCampaignPlayerLost(state);
    int c = resultCountry(state);
    return c >= 0 && isLoss(state.country(c).outcome);
}

bool hasEndingNews(GameState& state)
{
    return state.scenarioBlock().bytes[kEndingNewsByte] != 0;
}
