// Starting a campaign, the stage row that picks the next map, and the results of play.
#include "state/campaign_progress.h"

#include "platform/kernel/winbase.h"
#include "state/campaign_file.h"
#include "state/game_state.h"

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kEndingNewsByte = 16060;

bool inGame(GameState& state, int c) { return c >= 0 && c < kCountryCount && state.country(c).controller != 0; }
bool isWin(int outcome) { return outcome >= 1 && outcome <= 99; }
bool isLoss(int outcome) { return outcome > 100; }
bool isCampaign(GameState& state) { return state.campaignBlock().campaignFlag == 1; }

// Stage index's map of the file, checked as any map is; null with state.mapRefusal() saying why.
std::unique_ptr<ScenarioFile> stageFileMap(GameState& state, const char* path, int index)
{
    std::vector<uint8_t> bytes;
    if (FileRefusal why = readCampaignMap(path, index, bytes)) {
        state.noteMapRefusal(why);
        return nullptr;
    }
    std::unique_ptr<ScenarioFile> map = state.stageMapImage(bytes.data(), bytes.size());
    if (!map) {
        FileRefusal why = state.mapRefusal();
        why.detail = "map " + std::to_string(index) + ": " + why.detail;
        // Where the map reader stopped counts from the map's start, not the campaign file's.
        why.offset = -1;
        state.noteMapRefusal(why);
    }
    return map;
}

} // namespace

int stageRowNextMap(const uint8_t* row, int map, int outcome)
{
    switch (row[outcome]) {
    case kCampaignRepeatMap:
        return map;
    case kCampaignGoToMap: {
        // The stored target is trusted by nothing: an index past the file's maps ends the campaign.
        int target = row[kStageRowTargetOffset + outcome];
        return target < kCampaignMapCount ? target : -1;
    }
    default:
        return -1;
    }
}

std::vector<int> reachableCampaignMaps(const CampaignRecord& record)
{
    std::array<bool, kCampaignMapCount> seen {};
    std::vector<int> maps { 0 };
    seen[0] = true;
    for (size_t k = 0; k < maps.size(); ++k)
        for (int outcome = 0; outcome < 3; ++outcome) {
            const int next = stageRowNextMap(record.stageRows[maps[k]], maps[k], outcome);
            if (next >= 0 && !seen[size_t(next)]) {
                seen[size_t(next)] = true;
                maps.push_back(next);
            }
        }
    return maps;
}

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
    if (!path || std::strlen(path) >= sizeof(CampaignBlock::filePath)) {
        state.noteMapRefusal({ FileFault::Missing, -1, "campaign path missing or too long" });
        return nullptr;
    }
    auto staged = std::make_unique<StagedCampaign>();
    staged->path = path;
    if (FileRefusal why = readCampaignRecord(path, staged->record)) {
        state.noteMapRefusal(why);
        return nullptr;
    }
    if (!campaignFileTime(path, staged->timeLow, staged->timeHigh)) {
        state.noteMapRefusal({ FileFault::Unreadable, -1, "campaign file time not read" });
        return nullptr;
    }
    // Every map the stage rows can lead to is checked now: a campaign never stops at a stage its
    // file cannot hold.
    for (int index : reachableCampaignMaps(staged->record)) {
        std::unique_ptr<ScenarioFile> map = stageFileMap(state, path, index);
        if (!map)
            return nullptr;
        if (index == 0)
            staged->map = std::move(map);
    }
    state.noteMapRefusal({});
    return staged;
}

NextCampaignMap stageNextCampaignMap(GameState& state, int index)
{
    NextCampaignMap next;
    const CampaignBlock& block = state.campaignBlock();
    char path[sizeof block.filePath + 1] = {};
    std::memcpy(path, block.filePath, sizeof block.filePath);
    next.path = path;
    // The block holds the record the campaign began with; the file's time says nothing of its contents.
    CampaignRecord record;
    if (FileRefusal why = readCampaignRecord(path, record)) {
        state.noteMapRefusal(why);
        return next;
    }
    if (std::memcmp(&record, reinterpret_cast<const uint8_t*>(&block) + kCampaignRecordOffset, sizeof record) != 0) {
        next.changed = true;
        state.noteMapRefusal({ FileFault::Damaged, -1, "the campaign record is not the one the campaign began with" });
        return next;
    }
    next.map = stageFileMap(state, path, index);
    return next;
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
    return stageRowNextMap(block.stageRows[block.currentStage - 1], block.currentStage - 1, outcome);
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
