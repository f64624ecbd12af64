// GameState start-up and shut-down on a copy of the generated data, with fake neighbours.
#include "state/game_state.h"
#include "state/game_state_services.h"

#include "tests/state/state_test_support.h"

#include <filesystem>
#include <memory>

using namespace testing_state;

namespace {

// Records what start-up asks of the neighbours; its mode dialog stores `answer`.
class FakeServices : public GameStateServices {
public:
    FakeServices() { setGameStateServices(this); }
    ~FakeServices() override { setGameStateServices(nullptr); }

    void runStartModeDialog() override
    {
        ++dialogs;
        makeNamedValue("SimpleMode").profileWriteInt(answer);
    }
    // The objects are only counted: a token address stands for each.
    UpperOwned<AreaAnalysis> createAreaAnalysis() override
    {
        return ++areas, UpperOwned<AreaAnalysis>(reinterpret_cast<AreaAnalysis*>(&token), [this](AreaAnalysis*) { --areas; });
    }
    UpperOwned<BattleUnitData> createBattleUnitData() override
    {
        return ++battles, UpperOwned<BattleUnitData>(reinterpret_cast<BattleUnitData*>(&token), [this](BattleUnitData*) { --battles; });
    }

    int token = 0;
    int answer = 1;
    int dialogs = 0;
    int areas = 0;
    int battles = 0;
};

class StartUpFolder : public DataFolder {
public:
    int stored(const char* key) const { return makeNamedValue(key).profileReadInt(-999); }
};

} // namespace

TEST(GameStateStartUp, FirstStartAsksTheModeOnceAndTheNextStartReadsIt)
{
    StartUpFolder folder;
    FakeServices services;
    {
        GameState state;
        state.startUp();
        EXPECT_EQ(services.dialogs, 1);
        EXPECT_EQ(state.mode(), 1);
    }
    {
        GameState state;
        state.startUp();
        EXPECT_EQ(services.dialogs, 1);
        EXPECT_TRUE(state.isSimpleMode());
    }
    // Without a mode switch the key stays as the dialog wrote it.
    EXPECT_EQ(folder.stored("SimpleMode"), 1);
}

TEST(GameStateStartUp, StoredModeOtherThanTwoSkipsTheDialog)
{
    struct Case {
        int stored;
        int mode;
    };
    for (Case c : { Case { 0, 0 }, Case { 1, 1 }, Case { 5, 0 }, Case { -1, 0 } }) {
        StartUpFolder folder;
        FakeServices services;
        makeNamedValue("SimpleMode").profileWriteInt(c.stored);
        GameState state;
        state.startUp();
        EXPECT_EQ(services.dialogs, 0) << c.stored;
        EXPECT_EQ(state.mode(), c.mode) << c.stored;
    }
}

TEST(GameStateStartUp, ReadyStateHoldsItsTablesNeighboursAndDefaults)
{
    StartUpFolder folder;
    FakeServices services;
    makeNamedValue("SimpleMode").profileWriteInt(0);
    makeNamedValue("HistoryWinTimeWidth").profileWriteInt(3);
    {
        GameState state;
        state.startUp();
        EXPECT_TRUE(state.modalIdle());
        EXPECT_EQ(state.settings().historyWinTimeWidth, 10);
        for (int side = 0; side < kSideCount; ++side) {
            ASSERT_NE(state.unitTable(side), nullptr);
            EXPECT_EQ(state.unitTable(side)[999].stateHigh, 0);
        }
        ASSERT_NE(state.missileTable(7), nullptr);
        ASSERT_NE(state.destroyedUnits(7), nullptr);
        ASSERT_NE(state.terrainGrid(), nullptr);
        EXPECT_EQ(state.terrainGrid()[kGridHexes - 1].terrain, 0);
        ASSERT_NE(state.unitGrid(), nullptr);
        ASSERT_NE(state.markGrid(), nullptr);
        ASSERT_NE(state.placeTable(), nullptr);
        ASSERT_NE(state.carryOverTable(), nullptr);
        EXPECT_EQ(services.areas, 1);
        EXPECT_EQ(services.battles, 1);
        EXPECT_FALSE(state.terrainTypes().empty());
        EXPECT_TRUE(noticeLog().notices().empty());
    }
    EXPECT_EQ(services.areas, 0);
    EXPECT_EQ(services.battles, 0);
    EXPECT_EQ(folder.stored("ShowFight"), 1);
    EXPECT_EQ(folder.stored("HistoryWinTimeWidth"), 10);
}

TEST(GameStateStartUp, MissingMasterFileEndsStartUpWithItsMessageAndKeepsTheSettings)
{
    StartUpFolder folder;
    FakeServices services;
    folder.remove("weapon.dat");
    makeNamedValue("SimpleMode").profileWriteInt(0);
    makeNamedValue("ShowFight").profileWriteInt(0);
    makeNamedValue("SeVolume").profileWriteInt(-700);
    {
        GameState state;
        auto error = testing_lib::thrownError([&] { state.startUp(); });
        EXPECT_TRUE(error.thrown);
        EXPECT_FALSE(state.modalIdle());
    }
    EXPECT_EQ(noticeLog().notices().size(), 1u);
    EXPECT_EQ(services.areas, 0);
    EXPECT_EQ(folder.stored("ShowFight"), 0);
    EXPECT_EQ(folder.stored("SeVolume"), -700);
    EXPECT_EQ(folder.stored("SleepTime"), -999);
}

TEST(GameStateStartUp, ModeSwitchWritesTheOppositeModeAtShutDown)
{
    for (int running : { 0, 1 }) {
        StartUpFolder folder;
        FakeServices services;
        makeNamedValue("SimpleMode").profileWriteInt(running);
        {
            GameState state;
            state.startUp();
            state.requestModeSwitch(1 - running);
            EXPECT_TRUE(noticeLog().restartRequested());
        }
        EXPECT_EQ(folder.stored("SimpleMode"), 1 - running);
    }
}

TEST(GameStateStartUp, SimpleModeRunLeavesTheNormalModeKeysAsStored)
{
    StartUpFolder folder;
    FakeServices services;
    makeNamedValue("SimpleMode").profileWriteInt(1);
    makeNamedValue("ShowUnitIcon").profileWriteInt(1);
    {
        GameState state;
        state.startUp();
        EXPECT_FALSE(state.settings().showUnitIcon);
        EXPECT_FALSE(state.settings().supplyLine);
    }
    EXPECT_EQ(folder.stored("ShowUnitIcon"), 1);
    EXPECT_EQ(folder.stored("SupplyLine"), -999);
    EXPECT_EQ(folder.stored("SimpleMode"), 1);
}

TEST(GameStateStartUp, PhaseHelpAndHumanCountryQueries)
{
    StartUpFolder folder;
    GameState state;
    makeNamedValue("FaseAction").profileWriteInt(0);
    for (int phase = 0; phase < 7; ++phase)
        EXPECT_EQ(state.isPhaseHelpEnabled(phase), phase != 5) << phase;
    EXPECT_FALSE(state.isPhaseHelpEnabled(7));
    state.country(2).controller = 1;
    state.country(3).controller = 2;
    EXPECT_TRUE(state.isHumanCountry(2));
    EXPECT_FALSE(state.isHumanCountry(3));
    EXPECT_FALSE(state.isHumanCountry(8));
}
