// Saving through temporary files, and loading into a staged image before the game is touched.
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

namespace {

// Closes a history file after its records: the generation of the save it belongs to.
constexpr char kPairTag[4] = { 'P', 'A', 'I', 'R' };

bool isSeparator(char c) { return c == '/' || c == '\\' || c == ':' || c == '.'; }

std::string temporaryOf(const std::string& name) { return name + ".tmp"; }

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
        if (!MoveFileExA(m_name.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
        m_name.clear();
        return true;
    }
    void keep() { m_name.clear(); }

private:
    std::string m_name;
};

char siblingLetter(const GameState& state)
{
    if (!state.settings().writeHistory)
        return 0;
    return state.mode() == 1 ? 'i' : 'h';
}

// A history file as read: its records, and the generation mark after them when it has one.
struct HistoryFile {
    enum class State { Missing, Whole, Truncated, Damaged };
    State state = State::Missing;
    ActionHistoryLog log;
    bool paired = false;
    uint64_t generation = 0;
};

void readHistoryFile(const std::string& name, HistoryFile& out)
{
    out.log.clear();
    out.paired = false;
    out.generation = 0;
    out.state = HistoryFile::State::Missing;
    if (!fileExists(name.c_str()))
        return;
    out.state = HistoryFile::State::Damaged;
    try {
        swCFile file(name.c_str(), 0);
        HistoryReadResult result = out.log.read(file);
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
    if (history.state != HistoryFile::State::Whole || history.log.count() != mark.recordCount)
        return false;
    return mark.generation == 0 || (history.paired && history.generation == mark.generation);
}

SavedGameError readImageFile(const std::string& name, SavedGameImage& image)
{
    try {
        swCFile file(name.c_str(), 0);
        return readSavedGameImage(file, image);
    } catch (swCError* error) {
        delete error;
        return { "file cannot be read", 0 };
    }
}

struct SavePair {
    std::unique_ptr<SavedGameImage> game = std::make_unique<SavedGameImage>();
    HistoryFile history;
    // False: the game starts with an empty history.
    bool withHistory = false;
};

// A save stopped between its two renames left one file of the new pair in place and the other as
// its temporary: the temporary that completes a pair is renamed into place.
bool completeInterruptedSave(const std::string& path, const std::string& sibling, SavePair& pair)
{
    if (pair.history.state == HistoryFile::State::Whole && pair.history.paired) {
        auto game = std::make_unique<SavedGameImage>();
        if (!readImageFile(temporaryOf(path), *game) && game->sibling.letter == pair.game->sibling.letter
            && belongsTo(game->sibling, pair.history)) {
            MoveFileExA(temporaryOf(path).c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
            pair.game = std::move(game);
            return true;
        }
    }
    HistoryFile history;
    readHistoryFile(temporaryOf(sibling), history);
    if (!belongsTo(pair.game->sibling, history))
        return false;
    MoveFileExA(temporaryOf(sibling).c_str(), sibling.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    readHistoryFile(sibling, pair.history);
    return belongsTo(pair.game->sibling, pair.history);
}

// Reads the save at path and the history that belongs to it.
SavedGameError readSavePair(const std::string& path, char mode_letter, SavePair& pair)
{
    if (SavedGameError error = readImageFile(path, *pair.game))
        return error;
    const HistorySiblingMark& mark = pair.game->sibling;
    if (!mark.known) {
        // Older saves name no sibling: the mode's sibling is taken when it reads at all.
        readHistoryFile(historySiblingPath(path, mode_letter), pair.history);
        pair.withHistory
            = pair.history.state == HistoryFile::State::Whole || pair.history.state == HistoryFile::State::Truncated;
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
    if (completeInterruptedSave(path, sibling, pair)) {
        pair.withHistory = true;
        return {};
    }
    // A history that was removed leaves the game without one; one of another save is never joined.
    if (pair.history.state == HistoryFile::State::Missing)
        return {};
    if (pair.history.state != HistoryFile::State::Whole)
        return { "history file " + sibling + " is damaged", 0 };
    return { "history file " + sibling + " belongs to another save", 0 };
}

// A stopped save is finished, then what it left behind is removed.
void clearInterruptedSave(const std::string& path, char mode_letter)
{
    const std::string siblings[] = { historySiblingPath(path, 'h'), historySiblingPath(path, 'i') };
    bool left = fileExists(temporaryOf(path).c_str());
    for (const std::string& sibling : siblings)
        left = left || fileExists(temporaryOf(sibling).c_str());
    if (!left)
        return;
    if (fileExists(path.c_str())) {
        SavePair pair;
        readSavePair(path, mode_letter, pair);
    }
    DeleteFileA(temporaryOf(path).c_str());
    for (const std::string& sibling : siblings)
        DeleteFileA(temporaryOf(sibling).c_str());
}

// One mark for both files, from every byte of both.
uint64_t pairGeneration(uint64_t history_digest, uint64_t game_digest)
{
    uint64_t generation = game_digest ^ (history_digest * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull);
    return generation ? generation : 1;
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

bool saveGameFile(GameState& state, const char* path, bool keep_path, const SaveStepCheck& check)
{
    // Without a map there is no game to save, and the reader would refuse its 0 x 0 map.
    if (!path || !*path || !state.terrainGrid() || state.mapWidth() == 0 || state.mapHeight() == 0)
        return false;
    const std::string target = path;
    const char mode_letter = state.mode() == 1 ? 'i' : 'h';
    clearInterruptedSave(target, mode_letter);

    const char letter = siblingLetter(state);
    const std::string sibling = letter ? historySiblingPath(target, letter) : std::string();
    TemporaryFile game_temp(temporaryOf(target));
    TemporaryFile history_temp(letter ? temporaryOf(sibling) : std::string());
    auto step = [&](SaveStep s) {
        if (check && !check(s))
            throw new swCFileError(2);
    };
    try {
        auto image = std::make_unique<SavedGameImage>();
        captureSavedGame(state, *image);
        image->sibling = { true, letter, 0, 0 };
        std::unique_ptr<swCFile> history;
        uint64_t history_digest = 0;
        if (letter) {
            step(SaveStep::WriteHistory);
            history = std::make_unique<swCFile>(history_temp.name(), 1);
            SavedGameOutput out(*history);
            state.historyLog().write(out);
            history_digest = out.digest();
            image->sibling.recordCount = state.historyLog().count();
        }
        step(SaveStep::WriteGame);
        swCFile game(game_temp.name(), 1);
        SavedGameOutput out(game);
        writeSavedGameBlocks(*image, out);
        image->sibling.generation = pairGeneration(history_digest, out.digest());
        writeSavedGameSibling(image->sibling, out);
        if (history) {
            writeExact(*history, kPairTag, sizeof kPairTag);
            writeExact(*history, &image->sibling.generation, sizeof image->sibling.generation);
            step(SaveStep::FlushHistory);
            history->fileFlush();
            history->fileClose();
        }
        step(SaveStep::FlushGame);
        game.fileFlush();
        game.fileClose();
    } catch (swCError* error) {
        delete error;
        return false;
    }
    if (letter && ((check && !check(SaveStep::RenameHistory)) || !history_temp.moveTo(sibling)))
        return false;
    if ((check && !check(SaveStep::RenameGame)) || !game_temp.moveTo(target)) {
        // The new history is in place: its game's temporary completes the pair for the next reader.
        if (letter)
            game_temp.keep();
        return false;
    }
    if (keep_path)
        state.setSavePath(target);
    return true;
}

bool loadGameFile(GameState& state, const char* path, SavedGameError* why)
{
    auto refuse = [&](const SavedGameError& error) {
        if (why)
            *why = error;
        return false;
    };
    if (!path || !fileExists(path))
        return refuse({ "file not found", 0 });
    SavePair pair;
    if (SavedGameError error = readSavePair(path, state.mode() == 1 ? 'i' : 'h', pair))
        return refuse(error);
    if (!applySavedGame(state, *pair.game))
        return refuse({ "game not started", 0 });
    ActionHistoryLog& log = state.historyLog();
    log.clear();
    for (uint32_t i = 0; pair.withHistory && i < pair.history.log.count(); ++i)
        log.append(pair.history.log.record(i));
    return true;
}
