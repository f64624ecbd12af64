// A save and its history as one pair: a failure or a kill at every step of a save leaves the old
// pair or the new one and the save says which, a mix is refused with a reason, and what a stopped
// save left is cleared by the next one.
#include "tests/lib/permission_checks.h"
#include "tests/state/saved_game_world.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <cerrno>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// As a disk that fails to sync a folder once this many folder syncs have passed; off below zero.
int g_folderSyncsBeforeFailure = -1;

} // namespace

extern "C" int fsync(int fd)
{
    struct stat st {};
    if (g_folderSyncsBeforeFailure >= 0 && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && g_folderSyncsBeforeFailure-- == 0)
        return errno = EIO, -1;
    return int(syscall(SYS_fsync, fd));
}

namespace {

using testing_state::SavedGameWorld;
using Kept = SaveResult::Kept;

constexpr SaveStep kSteps[] = { SaveStep::WriteHistory, SaveStep::WriteGame, SaveStep::FlushHistory,
    SaveStep::FlushGame, SaveStep::SetAsideHistory, SaveStep::RenameHistory, SaveStep::RenameGame, SaveStep::RemovePrevious };

const char* stepName(SaveStep step)
{
    switch (step) {
    case SaveStep::WriteHistory: return "write history";
    case SaveStep::WriteGame: return "write game";
    case SaveStep::FlushHistory: return "flush history";
    case SaveStep::FlushGame: return "flush game";
    case SaveStep::SetAsideHistory: return "set the previous history aside";
    case SaveStep::RenameHistory: return "rename history";
    case SaveStep::RenameGame: return "rename game";
    case SaveStep::RemovePrevious: return "remove the previous history";
    }
    return "?";
}

// Which save a load found: the old one (turn 4, two records) or the new one (turn 9, three).
enum class Found { Old, New, Refused, Mixed };

class SavePair : public SavedGameWorld {
public:
    SavePair()
    {
        EXPECT_TRUE(save("p.dat"));
        makeNewGame();
    }

    void makeNewGame()
    {
        state().turnBlock().turn = 9;
        state().historyLog().clear();
        for (int i = 0; i < 3; ++i)
            state().historyLog().append(HistoryRecord {});
    }

    Found loadAndClassify()
    {
        GameState& s = state();
        s.turnBlock().turn = 0;
        s.historyLog().clear();
        // A game whose history would be dropped is no whole pair either.
        StagedSave staged;
        if (stageSavedGame(s, path("p.dat").c_str(), staged) || !staged.droppedHistory.empty()
            || !loadGameFile(s, path("p.dat").c_str()))
            return Found::Refused;
        if (s.turnBlock().turn == 4 && s.historyLog().count() == 2)
            return Found::Old;
        if (s.turnBlock().turn == 9 && s.historyLog().count() == 3)
            return Found::New;
        return Found::Mixed;
    }

    // Saves in a child process that ends without any cleanup when it reaches the step.
    void killedAt(SaveStep at)
    {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            saveGameFile(state(), path("p.dat").c_str(), false, [at](SaveStep step) {
                if (step == at)
                    _exit(0);
                return 0u;
            });
            _exit(1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save never reached " << stepName(at);
    }

    bool temporariesLeft() const
    {
        return std::filesystem::exists(host("p.dat.tmp")) || std::filesystem::exists(host("p.hat.tmp"))
            || std::filesystem::exists(host("p.hat.old"));
    }
};

const char* foundName(Found found)
{
    switch (found) {
    case Found::Old: return "old pair";
    case Found::New: return "new pair";
    case Found::Refused: return "refused";
    case Found::Mixed: return "a mix";
    }
    return "?";
}

TEST(SavedGamePair, AFailureAtEachStepLeavesOneWholePairAndSaysWhich)
{
    const std::pair<SaveStep, uint32_t> faults[] = { { SaveStep::WriteHistory, ERROR_DISK_FULL },
        { SaveStep::WriteGame, ERROR_DISK_FULL }, { SaveStep::FlushHistory, ERROR_WRITE_FAULT },
        { SaveStep::FlushGame, ERROR_DISK_FULL }, { SaveStep::SetAsideHistory, ERROR_ACCESS_DENIED },
        { SaveStep::RenameHistory, ERROR_ACCESS_DENIED }, { SaveStep::RenameGame, ERROR_ACCESS_DENIED },
        { SaveStep::RemovePrevious, ERROR_ACCESS_DENIED } };
    for (auto [failing, error] : faults) {
        SavePair world;
        const SaveResult result = saveGameFile(world.state(), world.path("p.dat").c_str(), false,
            [failing = failing, error = error](SaveStep step) { return step == failing ? error : 0u; });
        // A set-aside history that cannot be removed fails nothing: the new pair is whole.
        const bool saved = failing == SaveStep::RemovePrevious;
        EXPECT_EQ(result.saved, saved) << stepName(failing);
        EXPECT_EQ(result.error, saved ? 0u : error) << stepName(failing);
        EXPECT_EQ(result.kept, saved ? Kept::New : Kept::Previous) << stepName(failing);
        EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(saved ? Found::New : Found::Old)) << stepName(failing);
        EXPECT_EQ(world.temporariesLeft(), saved) << stepName(failing);
    }
    // Without a previous save nothing is left to load, not even the new history.
    SavedGameWorld empty;
    const SaveResult result = saveGameFile(empty.state(), empty.path("q.dat").c_str(), false,
        [](SaveStep step) { return step == SaveStep::RenameGame ? uint32_t(ERROR_DISK_FULL) : 0u; });
    EXPECT_EQ(result.kept, Kept::None);
    EXPECT_FALSE(std::filesystem::exists(empty.host("q.hat")));

    // A folder sync failing after the last rename is told as itself, not as the temporary then
    // missing: the history's rename is synced, the game's fails.
    SavedGameWorld syncing;
    g_folderSyncsBeforeFailure = 1;
    const SaveResult synced = saveGameFile(syncing.state(), syncing.path("p.dat").c_str(), false);
    g_folderSyncsBeforeFailure = -1;
    EXPECT_EQ(std::tuple(synced.saved, synced.kept, synced.error), std::tuple(false, Kept::New, uint32_t(ERROR_INVALID_FUNCTION)));
}

TEST(SavedGamePair, AKillAtEachStepLeavesOneWholePairAndTheNextSaveClearsWhatItLeft)
{
    for (SaveStep killed : kSteps) {
        SavePair world;
        world.killedAt(killed);
        // Until the new game file is in place the previous pair is what loads.
        Found expected = killed == SaveStep::RemovePrevious ? Found::New : Found::Old;
        EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(expected)) << stepName(killed);

        world.makeNewGame();
        EXPECT_TRUE(world.temporariesLeft()) << stepName(killed);
        ASSERT_TRUE(world.save("p.dat")) << stepName(killed);
        EXPECT_FALSE(world.temporariesLeft()) << stepName(killed);
        EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(Found::New)) << stepName(killed);
    }
}

TEST(SavedGamePair, AStoppedSaveLeavesThePreviousPairWholeThroughAFailedSave)
{
    // Stopped with the new history in place and the previous one set aside, then saved again with a
    // failure: the previous pair still loads, and nothing of either save is left over.
    SavePair world;
    world.killedAt(SaveStep::RenameGame);
    world.state().turnBlock().turn = 11;
    EXPECT_EQ(saveGameFile(world.state(), world.path("p.dat").c_str(), false,
                  [](SaveStep step) { return step == SaveStep::WriteGame ? uint32_t(ERROR_DISK_FULL) : 0u; })
                  .kept,
        Kept::Previous);
    EXPECT_FALSE(world.temporariesLeft());
    EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(Found::Old));
}

TEST(SavedGamePair, FoldersThatRefuseWritingOrListingKeepOnePair)
{
    testing_lib::PermissionChecks checks;
    if (!checks.inForce())
        GTEST_SKIP() << "file permissions cannot be made to hold here";
    // A read-only folder refuses the save; one that can be written but not listed takes it.
    for (auto [mode, saves] : { std::pair { 0555, false }, std::pair { 0333, true } }) {
        SavePair world;
        const std::string folder = std::filesystem::path(world.host("p.dat")).parent_path();
        chmod(folder.c_str(), mode_t(mode));
        const SaveResult result = saveGameFile(world.state(), world.path("p.dat").c_str(), false);
        chmod(folder.c_str(), 0755);
        EXPECT_EQ(result.saved, saves) << mode;
        EXPECT_EQ(result.error, saves ? 0u : uint32_t(ERROR_ACCESS_DENIED)) << mode;
        EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(saves ? Found::New : Found::Old)) << mode;
        EXPECT_FALSE(world.temporariesLeft()) << mode;
    }
}

TEST(SavedGamePair, AHistoryThatCannotBeJoinedIsDroppedAndNamed)
{
    SavedGameWorld world;
    GameState& s = world.state();
    ASSERT_TRUE(world.save("a.dat"));
    s.turnBlock().turn = 12;
    ASSERT_TRUE(world.save("b.dat"));
    const std::string other = world.read("a.hat");
    // Same record count, another generation; then one cut short.
    for (const std::string& history : { other, other.substr(0, other.size() - 3) }) {
        world.write("b.hat", history);
        StagedSave staged;
        ASSERT_FALSE(stageSavedGame(s, world.path("b.dat").c_str(), staged));
        EXPECT_EQ(staged.droppedHistory, world.path("b.hat"));
        EXPECT_EQ(staged.history, nullptr);
        s.turnBlock().turn = 0;
        ASSERT_TRUE(world.load("b.dat"));
        EXPECT_EQ(s.turnBlock().turn, 12);
        EXPECT_EQ(s.historyLog().count(), 0u);
        EXPECT_EQ(world.read("b.hat"), history) << "the dropped history is left as it was";
    }

    // A removed history leaves the game without its records, and is named as missing.
    std::filesystem::remove(world.host("b.hat"));
    StagedSave staged;
    ASSERT_FALSE(stageSavedGame(s, world.path("b.dat").c_str(), staged));
    EXPECT_EQ(staged.droppedHistory, world.path("b.hat"));
    EXPECT_TRUE(staged.historyMissing);
    ASSERT_TRUE(world.load("b.dat"));
    EXPECT_EQ(s.turnBlock().turn, 12);
    EXPECT_EQ(s.historyLog().count(), 0u);
}

TEST(SavedGamePair, SavingTheSameGameTwiceWritesTheSameBytes)
{
    SavedGameWorld world;
    ASSERT_TRUE(world.save("x.dat"));
    ASSERT_TRUE(world.save("y.dat"));
    EXPECT_TRUE(world.read("x.dat") == world.read("y.dat"));
    EXPECT_TRUE(world.read("x.hat") == world.read("y.hat"));
}

} // namespace
