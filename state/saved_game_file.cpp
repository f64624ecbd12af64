// Saving through temporary files, and loading into a staged image before the game is touched.
#include "state/saved_game_file.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/winbase.h"
#include "state/action_history.h"
#include "state/game_state.h"

#include <cctype>
#include <memory>

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\' || c == ':' || c == '.'; }

// Removes its file unless released: a failed save leaves no temporary file behind.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string name) : m_name(std::move(name)) { }
    ~TemporaryFile()
    {
        if (!m_name.empty())
            DeleteFileA(m_name.c_str());
    }
    const char* name() const { return m_name.c_str(); }
    bool moveTo(const std::string& target)
    {
        if (!MoveFileExA(m_name.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
            return false;
        m_name.clear();
        return true;
    }

private:
    std::string m_name;
};

char siblingLetter(const GameState& state)
{
    if (!state.settings().writeHistory)
        return 0;
    return state.mode() == 1 ? 'i' : 'h';
}

// The sibling of this save, staged: empty unless the save's record (or, for older saves, the
// sibling's existence) says it belongs to the game.
bool readSibling(const std::string& path, const SavedGameImage& image, char mode_letter, ActionHistoryLog& log)
{
    char letter = image.sibling.known ? image.sibling.letter : mode_letter;
    if (letter == 0)
        return false;
    std::string name = historySiblingPath(path, letter);
    if (!fileExists(name.c_str()))
        return false;
    try {
        swCFile file(name.c_str(), 0);
        HistoryReadResult result = log.read(file);
        if (image.sibling.known)
            return result == HistoryReadResult::Whole && log.count() == image.sibling.recordCount;
        return result != HistoryReadResult::Refused;
    } catch (swCError* error) {
        delete error;
        return false;
    }
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

bool saveGameFile(GameState& state, const char* path, bool keep_path)
{
    // Without a map there is no game to save, and the reader would refuse its 0 x 0 map.
    if (!path || !*path || !state.terrainGrid() || state.mapWidth() == 0 || state.mapHeight() == 0)
        return false;
    std::string target = path;
    char letter = siblingLetter(state);
    std::string sibling = letter ? historySiblingPath(target, letter) : std::string();
    TemporaryFile main_temp(target + ".tmp");
    TemporaryFile history_temp(letter ? sibling + ".tmp" : std::string());
    HistorySiblingMark mark { true, letter, 0 };
    try {
        if (letter) {
            swCFile history(history_temp.name(), 1);
            state.historyLog().write(history);
            mark.recordCount = state.historyLog().count();
            history.fileClose();
        }
        swCFile file(main_temp.name(), 1);
        writeSavedGame(state, file, mark);
        file.fileClose();
    } catch (swCError* error) {
        delete error;
        return false;
    }
    // The history goes first: a save that names a sibling never meets an older one of another count.
    if (letter && !history_temp.moveTo(sibling))
        return false;
    if (!main_temp.moveTo(target))
        return false;
    if (keep_path)
        state.setSavePath(target);
    return true;
}

bool loadGameFile(GameState& state, const char* path, SavedGameError* why)
{
    auto refuse = [&](const std::string& what) {
        if (why)
            *why = { what, 0 };
        return false;
    };
    if (!path || !fileExists(path))
        return refuse("file not found");
    auto image = std::make_unique<SavedGameImage>();
    try {
        swCFile file(path, 0);
        SavedGameError error = readSavedGameImage(file, *image);
        if (error) {
            if (why)
                *why = error;
            return false;
        }
    } catch (swCError* error) {
        delete error;
        return refuse("file cannot be read");
    }
    ActionHistoryLog history;
    bool with_history = readSibling(path, *image, state.mode() == 1 ? 'i' : 'h', history);
    if (!applySavedGame(state, *image))
        return refuse("game not started");
    ActionHistoryLog& log = state.historyLog();
    log.clear();
    for (uint32_t i = 0; with_history && i < history.count(); ++i)
        log.append(history.record(i));
    return true;
}
