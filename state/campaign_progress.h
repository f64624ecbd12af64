// Campaign progress kept in the CampaignBlock: starting a campaign, the next map, and who won.
#pragma once

#include <cstdint>

class GameState;

void clearCampaignInfo(GameState& state);
// Reads the record and stage 0's map, loads the map and fills the block; false with the block
// untouched when the file, its first map or the player country is refused.
bool startCampaign(GameState& state, const char* path, int player);
bool campaignFileTime(const char* path, uint32_t& low, uint32_t& high);
// The map index the current stage's row names for the player's end; -1 when the campaign ends.
int campaignNextMapIndex(GameState& state);

bool hasCampaignPlayerWon(GameState& state);
bool hasCampaignPlayerLost(GameState& state);
// The country whose result the end of play shows; -1 when no country is in the game.
int resultCountry(GameState& state);
bool hasPlayerWon(GameState& state);
bool hasPlayerLost(GameState& state);
bool hasEndingNews(GameState& state);
