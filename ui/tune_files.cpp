// The music's files, from the game's anthem list and music folder listing.
#include "ui/tune_files.h"

#include "state/data_path.h"
#include "state/game_state.h"
#include "state/sound_codes.h"

std::optional<std::string> anthemFileName(const GameState& game, int code)
{
    if (code < tune::kMusicListBase) {
        std::string name;
        game.anthemWaveName(code, name);
        return name;
    }
    const size_t entry = size_t(code - tune::kMusicListBase);
    if (entry >= game.musicPaths().size())
        return std::nullopt;
    return game.musicPaths()[entry];
}

std::string tunePath(const GameState& game, int code)
{
    const char* fixed = "START.wav";
    switch (code) {
    case tune::kVictory: fixed = "VICTORY.wav"; break;
    case tune::kDefeat: fixed = "DEFEAT.wav"; break;
    case tune::kOpening: fixed = "OPENING.wav"; break;
    case tune::kEnding: fixed = "ENDING.wav"; break;
    default: break;
    }
    if (code < tune::countryAnthem(0) || code > tune::countryAnthem(kCountryCount - 1))
        return dataPath(fixed, kFolderWave);
    // An anthem past the music list has no file: the start tune plays instead.
    const std::optional<std::string> name = anthemFileName(game, game.country(code - tune::countryAnthem(0)).anthemCode);
    return name ? dataPath(name->c_str(), kFolderProgram) : dataPath("START.wav", kFolderWave);
}
