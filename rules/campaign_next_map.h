// Moving a campaign on to its next map.
#pragma once

class GameState;

// Loads the map whose index nextCampaignStage() holds from the campaign file, shows its briefing (or
// the map settings list), sets the music of the countries, and starts play again. A missing file, one
// whose record is not the campaign's, or a next map the file cannot give is told on the main window
// for what it is and answers false with the stage that ended untouched; the file's time is not asked.
bool loadNextCampaignMap(GameState& state);

// For every country in play whose music code names a user music file (50 and up), puts the file's
// name into the country's music path of the turn block; a code past the music list falls back to
// the country's built-in anthem.
void setCountryMusic(GameState& state);
