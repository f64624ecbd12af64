// Campaign progress kept in the CampaignBlock: starting a campaign, the next map, and who won.
#pragma once

#include <cstdint>

class GameState;

// Zeroes the whole campaign block (a new game, and before a saved game is loaded).
void clearCampaignInfo(GameState& state);
// A new campaign game: reads the record and stage 0's map, loads the map and fills the block (flag,
// record, player country, stage 1, path and the file's last-write time). False with the block
// untouched when the file, its first map or the player country is refused.
bool startCampaign(GameState& state, const char* path, int player);
// The file's last-write time; false when the file does not exist.
bool campaignFileTime(const char* path, uint32_t& low, uint32_t& high);
// The map index that follows the current stage's end by its stage row: the row's action for a
// victory, an undecided end or a defeat of the player. -1 when the campaign ends, outside a
// campaign, or when the row names no map of the file's 50.
int campaignNextMapIndex(GameState& state);

// -- results; the player is the campaign's person country in a campaign game --
bool hasCampaignPlayerWon(GameState& state);
bool hasCampaignPlayerLost(GameState& state);
// The country whose result the end of play shows; -1 when no country is in the game.
int resultCountry(GameState& state);
bool hasPlayerWon(GameState& state);
bool hasPlayerLost(GameState& state);
// The scenario asks for the closing news at the end of play.
bool hasEndingNews(GameState& state);
