// Campaign progress kept in the CampaignBlock: starting a campaign, the next map, and who won.
#pragma once

#include "state/campaign_block.h"
#include "state/map_file.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GameState;

void clearCampaignInfo(GameState& state);

// A campaign file read and checked with its first map, before the game is touched.
struct StagedCampaign {
    std::string path;
    CampaignRecord record {};
    std::unique_ptr<ScenarioFile> map;
    uint32_t timeLow = 0;
    uint32_t timeHigh = 0;
};
// Null, with state.mapRefusal() saying why, when the file, its first map or any map its stage rows
// lead to is refused.
std::unique_ptr<StagedCampaign> stageCampaign(GameState& state, const char* path);
// Loads the staged map and fills the block for the player; false when the player is out of range
// or the map's unit types are not available.
bool commitCampaign(GameState& state, StagedCampaign& staged, int player);
// Both steps: false with the game untouched when the file, a map it can lead to or the player is
// refused.
bool startCampaign(GameState& state, const char* path, int player);
bool campaignFileTime(const char* path, uint32_t& low, uint32_t& high);

// The next map of a running campaign read and checked before the game is touched.
struct NextCampaignMap {
    std::string path;
    std::unique_ptr<ScenarioFile> map;
    // The file's record is not the one the campaign began with.
    bool changed = false;
};
// Null map, with state.mapRefusal() saying why, when the file is gone, changed or cannot give the
// map. A file whose record is the campaign's goes on whatever its time says.
NextCampaignMap stageNextCampaignMap(GameState& state, int index);
// The map a stage row leads to after outcome 0 (victory), 1 (undecided) or 2 (defeat) of map;
// -1 when the campaign ends there.
int stageRowNextMap(const uint8_t* row, int map, int outcome);
// Map 0 and every map the stage rows can lead to from it, each once.
std::vector<int> reachableCampaignMaps(const CampaignRecord& record);
// The map index the current stage's row names for the player's end; -1 when the campaign ends.
int campaignNextMapIndex(GameState& state);

bool hasCampaignPlayerWon(GameState& state);
bool hasCampaignPlayerLost(GameState& state);
// The country whose result the end of play shows; -1 when no country is in the game.
int resultCountry(GameState& state);
bool hasPlayerWon(GameState& state);
bool hasPlayerLost(GameState& state);
bool hasEndingNews(GameState& state);
