// The music's files, from the game's anthem list and music folder listing.
#include "ui/tune_files.h"

#include "state/data_path.h"
#include "state/game_state.h"

std::optional<std::string> anthemFileName(const GameState& game, int code)
{
    if (code < 50) {
        std::string name;
        game.anthemWaveName(code, name);
        return name;
    }
    const size_t entry = size_t(code - 50);
    if (entry >= game.musicPaths().size())
        return std::nullopt;
    return game.musicPaths()[entry];
}

std::string tunePath(const GameState& game, int code)
{
    const char* fixed = "START.wav";
    switch (code) {
    case 9: fixed = "VICTORY.wav"; break;
    case 10: fixed = "DEFEAT.wav"; break;
    case 11: fixed = "OPENING.wav"; break;
    case 12: fixed = "ENDING.wav"; break;
    default: break;
    }
    if (code < 1 || code > 8)
        return dataPath(fixed, kFolderWave);
    // An anthem past the music list has no file: the start tune plays instead.
    const std::optional<std::string> name = anthemFileName(game, game.country(code - 1).anthemCode);
    return name ? dataPath(name->c_str(), kFolderProgram) : dataPath("START.wav", kFolderWave);
}
