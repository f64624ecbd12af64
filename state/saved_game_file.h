// Saving and loading a game by path, with its history sibling file, and the save dialogs' preview.
#pragma once

#include "state/action_history.h"
#include "state/saved_game.h"

#include <functional>
#include <memory>
#include <string>

struct FileMapCell;

// The history file beside a save: the first letter of a three-letter extension replaced by letter
// ('h' normal mode, 'i' simple mode). A path without such an extension, or one that already has that
// letter there, gets "." + letter appended instead, so the sibling never names the save itself.
std::string historySiblingPath(const std::string& path, char letter);

// The steps of a save in their order. Both files are written to temporaries beside their targets
// and flushed; the previous history is set aside as ".old", the new history and then the new game
// are renamed into place, and only then does the set-aside history go. After a failure or a kill at
// any point a reader finds the previous pair (the game file still in place, with its history in
// place or set aside) or the new one, never a mix.
enum class SaveStep {
    WriteHistory,
    WriteGame,
    FlushHistory,
    FlushGame,
    SetAsideHistory,
    RenameHistory,
    RenameGame,
    RemovePrevious,
};
// Asked at each step before it is done (a write step once its file is open and written): 0 lets the
// step go on, any other value fails it with that system error, as a full disk (ERROR_DISK_FULL) or a
// read-only folder (ERROR_ACCESS_DENIED) would.
using SaveStepFault = std::function<uint32_t(SaveStep)>;

struct SaveResult {
    // Which save a load of the path finds after this one: the new, the previous, or none at all.
    enum class Kept { None, Previous, New };
    bool saved = false;
    Kept kept = Kept::None;
    // The system error of the step that failed (ERROR_DISK_FULL, ERROR_ACCESS_DENIED, ...); 0 on success.
    uint32_t error = 0;

    explicit operator bool() const { return saved; }
};

// Writes the game (and, with the "WriteHistory" setting on, its history) as a pair marked with one
// generation. What a stopped save left is cleared first. keep_path stores path as the game's save
// path, on success only. A failed save puts the previous pair back and says which pair loads now.
SaveResult saveGameFile(GameState& state, const char* path, bool keep_path, const SaveStepFault& fault = {});

// A save and its history read and checked, before anything of the game changes.
struct StagedSave {
    std::unique_ptr<SavedGameImage> game;
    // Null: the game resumes with an empty history.
    std::unique_ptr<ActionHistoryLog> history;
    // A history beside the save that could not be joined to it (damaged, cut short, or another
    // save's) and was left out, or one the save names with records that is not there (then
    // historyMissing); empty when none was.
    std::string droppedHistory;
    bool historyMissing = false;
};
// Reads and checks the whole file and its history sibling without changing the game: the refusal
// says why the game itself cannot be read. A history sibling of another generation (a mix of two
// saves) is dropped unless the history a stopped save set aside completes the pair; no file is
// changed. Older saves without the generation take the sibling when its record count matches.
FileRefusal stageSavedGame(const GameState& state, const char* path, StagedSave& out);
// Puts a staged save into the game; false (game untouched) before start-up made the grids.
bool applyStagedSave(GameState& state, const StagedSave& staged);
// Both steps; false (and the game as it was) when the file is refused, and why then says why.
bool loadGameFile(GameState& state, const char* path, FileRefusal* why = nullptr);

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
