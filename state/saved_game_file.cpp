// Saving through temporary files with the previous history set aside, and loading into a staged
// image before the game is touched.
#include "state/saved_game_file.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/winbase.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/saved_game_stream.h"

#include <cctype>
#include <cstring>
#include <memory>
#include <strings.h>

namespace {

// Closes a history file after its records: the generation of the save it belongs to.
constexpr char kPairTag[4] = { 'P', 'A', 'I', 'R' };
// No saved game comes near this size; a larger file is refused unread.
constexpr size_t kMaxSavedGameBytes = size_t(64) << 20;

bool isSeparator(char c) { return c == '/' || c == '\\' || c == ':' || c == '.'; }

std::string temporaryOf(const std::string& name) { return name + ".tmp"; }
// The previous history while a save replaces the pair: with the previous game file still in place
// it completes the previous pair until the new game file is renamed over the old one.
std::string previousOf(const std::string& sibling) { return sibling + ".old"; }

// By the file's own name, not by a folder listing: a folder may be written but not listed. The
// system error of a failed step is kept: asking after a file is no step of the save.
bool isFile(const std::string& name)
{
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(name.c_str());
    SetLastError(error);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool moveOver(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// Removes its file unless moved or kept: a failed save leaves no temporary file behind.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string name) : m_name(std::move(name)) { }
    ~TemporaryFile()
    {
        if (!m_name.empty())
            DeleteFileA(m_name.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const char* name() const { return m_name.c_str(); }
    bool moveTo(const std::string& target)
    {
        if (!moveOver(m_name, target))
            return false;
        m_name.clear();
        return true;
    }

private:
    std::string m_name;
};

// Every save carries its history, whatever the "WriteHistory" setting says: a resumed game
// without the turns before it would have lost them.
char siblingLetter(const GameState& state) { return state.mode() == 1 ? 'i' : 'h'; }

// A history file as read: its records, and the generation mark after them when it has one.
struct HistoryFile {
    enum class State { Missing, Whole, Truncated, Damaged };
    State state = State::Missing;
    std::unique_ptr<ActionHistoryLog> log = std::make_unique<ActionHistoryLog>();
    bool paired = false;
    uint64_t generation = 0;
};

void readHistoryFile(const std::string& name, HistoryFile& out)
{
    out.log->clear();
    out.paired = false;
    out.generation = 0;
    out.state = HistoryFile::State::Missing;
    if (!isFile(name))
        return;
    out.state = HistoryFile::State::Damaged;
    try {
        swCFile file(name.c_str(), 0);
        HistoryReadResult result = out.log->read(file, file.fileGetSize());
        if (result != HistoryReadResult::Whole) {
            if (result == HistoryReadResult::Truncated)
                out.state = HistoryFile::State::Truncated;
            return;
        }
        char tag[4];
        DWORD got = file.Read(tag, sizeof tag);
        if (got != 0) {
            uint8_t extra;
            if (got != sizeof tag || std::memcmp(tag, kPairTag, sizeof tag) != 0
                || file.Read(&out.generation, sizeof out.generation) != sizeof out.generation || file.Read(&extra, 1) != 0)
                return;
            out.paired = true;
        }
        out.state = HistoryFile::State::Whole;
    } catch (swCError* error) {
        delete error;
    }
}

// Whether the history is the one the save was written with.
bool belongsTo(const HistorySiblingMark& mark, const HistoryFile& history)
{
    if (history.state != HistoryFile::State::Whole || history.log->count() != mark.recordCount)
        return false;
    return mark.generation == 0 || (history.paired && history.generation == mark.generation);
}

FileRefusal readImageFile(const std::string& name, SavedGameImage& image)
{
    if (FileFault fault = checkFileBytes(name.c_str(), kMaxSavedGameBytes); fault != FileFault::None)
        return { fault, -1, "file not read" };
    try {
        swCFile file(name.c_str(), 0);
        if (SavedGameError error = readSavedGameImage(file, image))
            return { error.fault, int64_t(error.offset), error.what };
        return {};
    } catch (swCError* error) {
        delete error;
        return { FileFault::Unreadable, -1, "file cannot be read" };
    }
}

struct SavePair {
    std::unique_ptr<SavedGameImage> game = std::make_unique<SavedGameImage>();
    HistoryFile history;
    // False: the game starts with an empty history.
    bool withHistory = false;
    // A history beside the save that could not be joined to it, or that the save names and is gone.
    std::string droppedHistory;
    bool historyMissing = false;
};

// Reads the save at path and the history that belongs to it. A history that is there but cannot be
// joined to the game (damaged, cut short, another save's) is left out and named: the game itself
// resumes all the same.
FileRefusal readSavePair(const std::string& path, char mode_letter, SavePair& pair)
{
    if (FileRefusal refusal = readImageFile(path, *pair.game))
        return refusal;
    const HistorySiblingMark& mark = pair.game->sibling;
    if (!mark.known) {
        // Older saves name no sibling: the mode's sibling is taken when it reads at all.
        readHistoryFile(historySiblingPath(path, mode_letter), pair.history);
        pair.withHistory
            = pair.history.state == HistoryFile::State::Whole || pair.history.state == HistoryFile::State::Truncated;
        if (pair.history.state == HistoryFile::State::Damaged)
            pair.droppedHistory = historySiblingPath(path, mode_letter);
        return {};
    }
    if (mark.letter == 0)
        return {};
    const std::string sibling = historySiblingPath(path, mark.letter);
    readHistoryFile(sibling, pair.history);
    if (belongsTo(mark, pair.history)) {
        pair.withHistory = true;
        return {};
    }
    // Records written before the generation existed: a history of another count is not this game's.
    if (mark.generation == 0)
        return {};
    // A save stopped after setting the previous history aside and before renaming its game.
    const HistoryFile::State beside = pair.history.state;
    readHistoryFile(previousOf(sibling), pair.history);
    if (belongsTo(mark, pair.history)) {
        pair.withHistory = true;
        return {};
    }
    // A history of another save is never joined; one that was removed leaves the game without its
    // records, which is told as well.
    if (beside != HistoryFile::State::Missing || mark.recordCount > 0) {
        pair.droppedHistory = sibling;
        pair.historyMissing = beside == HistoryFile::State::Missing;
    }
    return {};
}

// What a stopped save left is cleared: a set-aside history goes back in place when it is the one
// that makes the previous pair whole, then the temporaries go. False, with the system error set,
// when such a history could not be put back: it is then still needed where it is.
bool clearInterruptedSave(const std::string& path)
{
    for (char letter : { 'h', 'i' }) {
        const std::string sibling = historySiblingPath(path, letter);
        const std::string previous = previousOf(sibling);
        if (!isFile(previous))
            continue;
        auto game = std::make_unique<SavedGameImage>();
        if (isFile(path) && !readImageFile(path, *game) && game->sibling.letter == letter && game->sibling.generation != 0) {
            HistoryFile current, aside;
            readHistoryFile(sibling, current);
            readHistoryFile(previous, aside);
            if (!belongsTo(game->sibling, current) && belongsTo(game->sibling, aside)) {
                if (!moveOver(previous, sibling))
                    return false;
                continue;
            }
        }
        DeleteFileA(previous.c_str());
    }
    DeleteFileA(temporaryOf(path).c_str());
    for (char letter : { 'h', 'i' })
        DeleteFileA(temporaryOf(historySiblingPath(path, letter)).c_str());
    return true;
}

// One mark for both files, from every byte of both.
uint64_t pairGeneration(uint64_t history_digest, uint64_t game_digest)
{
    uint64_t generation = game_digest ^ (history_digest * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull);
    return generation ? generation : 1;
}

// Which save a load of the path finds now: the one of the generation just written, or another.
SaveResult::Kept pairAt(const std::string& path, char mode_letter, uint64_t new_generation)
{
    SavePair now;
    // A game whose history would be dropped is no whole pair.
    if (!isFile(path) || readSavePair(path, mode_letter, now) || !now.droppedHistory.empty())
        return SaveResult::Kept::None;
    const uint64_t found = now.game->sibling.generation;
    return new_generation != 0 && found == new_generation ? SaveResult::Kept::New : SaveResult::Kept::Previous;
}

// Saves from before the turn block kept the game's kind hold a map's there: their extension told
// the kind, and simple mode plays scenarios only, so its saves written as maps are scenarios too.
void settleOlderSaveKind(const GameState& state, const char* path, TurnBlock& turn)
{
    if (turn.gameKind != kGameKindMap)
        return;
    if (state.isSimpleMode()) {
        turn.gameKind = kGameKindScenario;
        return;
    }
    const size_t n = std::strlen(path);
    for (GameKind kind : { kGameKindCampaign, kGameKindScenario })
        if (n >= 4 && path[n - 4] == '.' && strcasecmp(path + n - 3, state.fileExtension(kind)) == 0)
            turn.gameKind = kind;
}

} // namespace

std::string historySiblingPath(const std::string& path, char letter)
{
    size_t n = path.size();
    if (n >= 4 && path[n - 4] == '.' && !isSeparator(path[n - 3]) && !isSeparator(path[n - 2]) && !isSeparator(path[n - 1])
        && std::tolower(static_cast<unsigned char>(path[n - 3])) != std::tolower(static_cast<unsigned char>(letter))) {
        std::string sibling = path;
        sibling[n - 3] = letter;
        return sibling;
    }
    return path + '.' + letter;
}

SaveResult saveGameFile(GameState& state, const char* path, bool keep_path, const SaveStepFault& fault)
{
    SaveResult result;
    // Without a map there is no game to save, and the reader would refuse its 0 x 0 map.
    if (!path || !*path || !state.terrainGrid() || state.mapWidth() == 0 || state.mapHeight() == 0) {
        result.error = ERROR_INVALID_PARAMETER;
        return result;
    }
    const std::string target = path;
    const char mode_letter = state.mode() == 1 ? 'i' : 'h';
    const char letter = siblingLetter(state);
    const std::string sibling = letter ? historySiblingPath(target, letter) : std::string();
    uint64_t generation = 0;
    bool setAside = false;
    // The previous history back in place of a new one renamed over it (or the new one gone when
    // there was none), with the error of the failed step kept for the result.
    auto putBack = [&] {
        const DWORD error = GetLastError();
        if (setAside)
            moveOver(previousOf(sibling), sibling);
        else if (letter)
            DeleteFileA(sibling.c_str());
        SetLastError(error);
    };
    auto failed = [&] {
        result.error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        result.kept = pairAt(target, mode_letter, generation);
        return result;
    };
    if (!clearInterruptedSave(target))
        return failed();

    // Each temporary is removed when this function returns without having renamed it.
    TemporaryFile game_temp(temporaryOf(target));
    TemporaryFile history_temp(letter ? temporaryOf(sibling) : std::string());
    auto step = [&](SaveStep s) {
        const uint32_t error = fault ? fault(s) : 0;
        if (error)
            SetLastError(error);
        return error == 0;
    };
    SetLastError(ERROR_SUCCESS);
    try {
        auto image = std::make_unique<SavedGameImage>();
        captureSavedGame(state, *image);
        image->sibling = { true, letter, 0, 0 };
        std::unique_ptr<swCFile> history;
        uint64_t history_digest = 0;
        if (letter) {
            history = std::make_unique<swCFile>(history_temp.name(), 1);
            SavedGameOutput out(*history);
            state.historyLog().write(out);
            history_digest = out.digest();
            image->sibling.recordCount = state.historyLog().count();
            if (!step(SaveStep::WriteHistory))
                return failed();
        }
        swCFile game(game_temp.name(), 1);
        SavedGameOutput out(game);
        writeSavedGameBlocks(*image, out);
        image->sibling.generation = pairGeneration(history_digest, out.digest());
        writeSavedGameSibling(image->sibling, out);
        if (history) {
            writeExact(*history, kPairTag, sizeof kPairTag);
            writeExact(*history, &image->sibling.generation, sizeof image->sibling.generation);
        }
        if (!step(SaveStep::WriteGame))
            return failed();
        // Both files are on the disk before either name changes.
        if (history) {
            if (!step(SaveStep::FlushHistory))
                return failed();
            history->fileFlush();
            history->fileClose();
        }
        if (!step(SaveStep::FlushGame))
            return failed();
        game.fileFlush();
        game.fileClose();
        generation = image->sibling.generation;
    } catch (swCError* error) {
        delete error;
        return failed();
    }
    setAside = letter && isFile(sibling);
    if (setAside && (!step(SaveStep::SetAsideHistory) || !moveOver(sibling, previousOf(sibling)))) {
        setAside = false;
        return failed();
    }
    if (letter && (!step(SaveStep::RenameHistory) || !history_temp.moveTo(sibling))) {
        putBack();
        return failed();
    }
    if (!step(SaveStep::RenameGame) || !game_temp.moveTo(target)) {
        // A rename that was done but not synced leaves the new pair in place: nothing to put back.
        if (isFile(game_temp.name()))
            putBack();
        return failed();
    }
    // The new pair is whole: a set-aside history that cannot be removed now is cleared by the next save.
    if (setAside && step(SaveStep::RemovePrevious))
        DeleteFileA(previousOf(sibling).c_str());
    if (keep_path)
        state.setSavePath(target);
    result.saved = true;
    result.kept = SaveResult::Kept::New;
    return result;
}

FileRefusal stageSavedGame(const GameState& state, const char* path, StagedSave& out)
{
    out = StagedSave {};
    if (!path || !*path)
        return { FileFault::Missing, -1, "no path" };
    SavePair pair;
    if (FileRefusal refusal = readSavePair(path, state.mode() == 1 ? 'i' : 'h', pair))
        return refusal;
    out.game = std::move(pair.game);
    settleOlderSaveKind(state, path, out.game->turn);
    if (pair.withHistory)
        out.history = std::move(pair.history.log);
    out.droppedHistory = std::move(pair.droppedHistory);
    out.historyMissing = pair.historyMissing;
    return {};
}

bool applyStagedSave(GameState& state, const StagedSave& staged)
{
    if (!staged.game || !applySavedGame(state, *staged.game))
        return false;
    if (staged.history)
        state.historyLog().copyRecords(*staged.history);
    else
        state.historyLog().clear();
    return true;
}

bool loadGameFile(GameState& state, const char* path, FileRefusal* why)
{
    StagedSave staged;
    FileRefusal refusal = stageSavedGame(state, path, staged);
    if (!refusal && !applyStagedSave(state, staged))
        refusal = { FileFault::Unreadable, -1, "game not started" };
    if (why)
        *why = refusal;
    return !refusal;
}
