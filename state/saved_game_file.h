// Saving and loading a game by path, with its history sibling file, and the save dialogs' preview.
#pragma once

#include "state/saved_game.h"

#include <functional>
#include <string>

struct FileMapCell;

// The history file beside a save: the first letter of a three-letter extension replaced by letter
// ('h' normal mode, 'i' simple mode). A path without such an extension, or one that already has that
// letter there, gets "." + letter appended instead, so the sibling never names the save itself.
std::string historySiblingPath(const std::string& path, char letter);

// The steps of a save in their order. Both files are written to temporaries beside their targets
// and flushed; then the history and the game are renamed over the old pair, so that after a failure
// or a kill at any point a reader finds the old pair or the new one.
enum class SaveStep {
    WriteHistory,
    WriteGame,
    FlushHistory,
    FlushGame,
    RenameHistory,
    RenameGame,
};
// Asked before each step; false makes that step fail as a full disk or a read-only folder would.
using SaveStepCheck = std::function<bool(SaveStep)>;

// Writes the game (and, with the "WriteHistory" setting on, its history) as a pair marked with one
// generation. A save that was stopped between its two renames is finished first, and temporaries
// left by it are removed. keep_path stores path as the game's save path. False on any failure.
bool saveGameFile(GameState& state, const char* path, bool keep_path, const SaveStepCheck& check = {});

// Reads and checks the whole file and its history sibling before changing anything: false (and the
// game in memory as it was) when the file is missing, unreadable or refused; why, when given, then
// says what. A history sibling of another generation (a mix of two saves) refuses the file unless
// the interrupted save's temporary completes the pair, which is then renamed into place. A missing
// sibling leaves the history empty; older saves without the generation take the sibling when its
// record count matches.
bool loadGameFile(GameState& state, const char* path, SavedGameError* why = nullptr);

// The preview of a saved game for the file dialogs. Each buffer may be null; cells, when given, must
// hold 65536 cells and receives the map row by row.
struct SaveFileInfo {
    CampaignBlock* campaign = nullptr;
    MapHeader* header = nullptr;
    TurnBlock* turn = nullptr;
    FileMapCell* cells = nullptr;
    int countriesInPlay = 0;
    // Countries in play whose status word is 1.
    int countriesAlive = 0;
};

// Reads the blocks up to the buildings; false on a short or refused file. Stored lengths above the
// records and unknown magics are refused as the loader refuses them.
bool readSaveFileHeader(swCFile& stream, SaveFileInfo& info);
// False when the file does not exist or cannot be read.
bool readSaveFileInfo(const char* path, SaveFileInfo& info);
