// A save and its history as one pair: a failure or a kill at every step of a save leaves the old
// pair or the new one, a mix is refused with a reason, and what a stopped save left is cleaned.
#include "tests/state/saved_game_world.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testing_state::SavedGameWorld;

constexpr SaveStep kSteps[] = { SaveStep::WriteHistory, SaveStep::WriteGame, SaveStep::FlushHistory,
    SaveStep::FlushGame, SaveStep::RenameHistory, SaveStep::RenameGame };

const char* stepName(SaveStep step)
{
    switch (step) {
    case SaveStep::WriteHistory: return "write history";
    case SaveStep::WriteGame: return "write game";
    case SaveStep::FlushHistory: return "flush history";
    case SaveStep::FlushGame: return "flush game";
    case SaveStep::RenameHistory: return "rename history";
    case SaveStep::RenameGame: return "rename game";
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
        SavedGameError why;
        if (!loadGameFile(s, path("p.dat").c_str(), &why))
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
                return true;
            });
            _exit(1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save never reached " << stepName(at);
    }

    bool temporariesLeft() const
    {
        return std::filesystem::exists(host("p.dat.tmp")) || std::filesystem::exists(host("p.hat.tmp"));
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

TEST(SavedGamePair, FailureAtEveryStepLeavesTheOldOrTheNewPair)
{
    for (SaveStep failing : kSteps) {
        SavePair world;
        bool saved = saveGameFile(world.state(), world.path("p.dat").c_str(), false,
            [failing](SaveStep step) { return step != failing; });
        EXPECT_FALSE(saved) << stepName(failing);
        // Once the history is renamed the game's temporary completes the new pair.
        Found expected = failing == SaveStep::RenameGame ? Found::New : Found::Old;
        EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(expected)) << stepName(failing);
        if (failing != SaveStep::RenameGame) {
            EXPECT_FALSE(world.temporariesLeft()) << stepName(failing);
        }
    }
}

TEST(SavedGamePair, KillAtEveryStepLeavesTheOldOrTheNewPairAndTheNextSaveCleansUp)
{
    for (SaveStep killed : kSteps) {
        SavePair world;
        world.killedAt(killed);
        // A kill before the history's rename keeps the old pair; after it the game's temporary,
        // already flushed, completes the new one.
        Found expected = killed == SaveStep::RenameGame ? Found::New : Found::Old;
        EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(expected)) << stepName(killed);

        world.makeNewGame();
        if (killed != SaveStep::RenameGame) {
            EXPECT_TRUE(world.temporariesLeft() || killed == SaveStep::WriteHistory) << stepName(killed);
        }
        ASSERT_TRUE(world.save("p.dat")) << stepName(killed);
        EXPECT_FALSE(world.temporariesLeft()) << stepName(killed);
        EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(Found::New)) << stepName(killed);
    }
}

TEST(SavedGamePair, AStoppedSaveIsFinishedBeforeTheNextOneCleansItsTemporaries)
{
    // Stopped between the renames, then saved again with a failure: the completed pair survives.
    SavePair world;
    world.killedAt(SaveStep::RenameGame);
    world.state().turnBlock().turn = 11;
    EXPECT_FALSE(saveGameFile(world.state(), world.path("p.dat").c_str(), false,
        [](SaveStep step) { return step != SaveStep::WriteGame; }));
    EXPECT_FALSE(world.temporariesLeft());
    EXPECT_STREQ(foundName(world.loadAndClassify()), foundName(Found::New));
}

TEST(SavedGamePair, AHistoryOfAnotherSaveIsRefusedWithTheReason)
{
    SavedGameWorld world;
    GameState& s = world.state();
    ASSERT_TRUE(world.save("a.dat"));
    s.turnBlock().turn = 12;
    ASSERT_TRUE(world.save("b.dat"));
    // Same record count, another generation.
    world.write("b.hat", world.read("a.hat"));
    SavedGameError why;
    EXPECT_FALSE(loadGameFile(s, world.path("b.dat").c_str(), &why));
    EXPECT_NE(why.what.find("belongs to another save"), std::string::npos) << why.what;
    EXPECT_NE(why.what.find("b.hat"), std::string::npos) << why.what;

    std::string damaged = world.read("a.hat");
    world.write("b.hat", damaged.substr(0, damaged.size() - 3));
    EXPECT_FALSE(loadGameFile(s, world.path("b.dat").c_str(), &why));
    EXPECT_NE(why.what.find("damaged"), std::string::npos) << why.what;

    // A removed history leaves the game without one.
    std::filesystem::remove(world.host("b.hat"));
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
