// Start and end of play: who takes part in a new game, the view of a resumed one, the game thread.
#include "rules/play.h"

#include "lib/thread.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/play_handshake.h"
#include "state/game_state.h"
#include "tests/state/small_world.h"
#include "tests/lib/test_thread.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

using testing_state::SmallWorld;

namespace {

// Blocks in one kind of wait, again and again, until it is told to stop.
class WaitingThread : public swCThread {
public:
    WaitingThread(GameState& state, std::function<void(GameState&)> wait) : m_state(state), m_wait(std::move(wait)) { }
    ~WaitingThread() override { threadStopAndWait(); }
    void Run() override
    {
        while (!stopRequested())
            m_wait(m_state);
    }

private:
    GameState& m_state;
    std::function<void(GameState&)> m_wait;
};

class WaitingThreadFactory : public PlayThreadFactory {
public:
    explicit WaitingThreadFactory(std::function<void(GameState&)> wait) : m_wait(std::move(wait)) { setPlayThreadFactory(this); }
    ~WaitingThreadFactory() override { setPlayThreadFactory(nullptr); }
    std::unique_ptr<swCThread> createPlayThread(GameState& state) override
    {
        ++made;
        return std::make_unique<WaitingThread>(state, m_wait);
    }
    int made = 0;

private:
    std::function<void(GameState&)> m_wait;
};

// Windows that take requests and never carry them out: only the end of play can release them.
class DeafMainWindow : public HeadlessMainWindow {
public:
    bool isVisible() const override { return true; }
    bool postThinkProgress(int) override { return true; }
};
class DeafMapWindow : public HeadlessMapWindow {
public:
    bool isOpen() const override { return true; }
    bool postHexBlink(int, int) override { return true; }
    bool postLevelChange(uint32_t) override { return true; }
};

void generic(GameState& state, UiWaitKind kind)
{
    auto wait = state.handshake().openWait(kind);
    wait->wait();
    state.handshake().closeWait(wait);
}

struct WaitCase {
    const char* name;
    std::function<void(GameState&)> wait;
};
void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }

class PlayWorld : public SmallWorld {
public:
    PlayWorld() : SmallWorld(8, 8)
    {
        setRule(kRuleSearch, 0);
        for (int c = 0; c < kCountryCount; ++c) {
            state().country(c).controller = c < 2 ? 1 : 2;
            state().country(c).inPlay = 1;
        }
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.available && type.domain == 3) {
                landType = type.id;
                break;
            }
    }
    int landType = 0;
};

} // namespace

class EndPlayDuringAWait : public ::testing::TestWithParam<WaitCase> { };

TEST_P(EndPlayDuringAWait, ReleasesTheThreadAndJoinsIt)
{
    PlayWorld world;
    GameState& state = world.state();
    world.placeUnit(1, world.landType, 2, 2);
    state.turnBlock().currentCountry = 0;
    DeafMainWindow main;
    DeafMapWindow map;
    setRulesLinks({ &main, &map, nullptr, nullptr });
    WaitingThreadFactory factory(GetParam().wait);

    startPlay(state);
    ASSERT_EQ(factory.made, 1);
    while (state.handshake().openWaitCount() == 0)
        std::this_thread::yield();
    endPlay(state);
    EXPECT_EQ(state.handshake().playThread(), nullptr);
    EXPECT_FALSE(state.handshake().playRunning());
    EXPECT_EQ(state.handshake().openWaitCount(), 0u);
    setRulesLinks({});
}

INSTANTIATE_TEST_SUITE_P(EveryKind, EndPlayDuringAWait,
    ::testing::Values(WaitCase { "EndOfAction", [](GameState& s) { waitForUiAnswer(s); } },
        WaitCase { "EndOfProduction", [](GameState& s) { waitForUiAnswer2(s); } },
        WaitCase { "ComputerReply", [](GameState& s) { s.handshake().waitForUiReply(); } },
        WaitCase { "Deployment", [](GameState& s) { s.handshake().waitForDeploymentResult(); } },
        WaitCase { "ThinkProgress", [](GameState& s) { postThinkProgress(s, 10, ReportWait::Yes); } },
        WaitCase { "HexBlink", [](GameState& s) { requestHexBlink(s, 1, 1); } },
        WaitCase { "LevelChange", [](GameState& s) { announceRankChange(s, 1, 0, 2, 2, 0, 600, ReportWait::Yes); } },
        WaitCase { "Income", [](GameState& s) { generic(s, UiWaitKind::Income); } },
        WaitCase { "Prompt", [](GameState& s) { generic(s, UiWaitKind::Prompt); } },
        WaitCase { "EndOfGame", [](GameState& s) { generic(s, UiWaitKind::EndOfGame); } },
        WaitCase { "PhaseHelp", [](GameState& s) { generic(s, UiWaitKind::PhaseHelp); } },
        WaitCase { "ProductionQuestion", [](GameState& s) { generic(s, UiWaitKind::ProductionQuestion); } },
        WaitCase { "MapRedraw", [](GameState& s) { generic(s, UiWaitKind::MapRedraw); } },
        WaitCase { "BattleDone", [](GameState& s) { generic(s, UiWaitKind::BattleDone); } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartPlay, NewGameRemovesEverythingOfACountryNotTakingPart)
{
    PlayWorld world;
    GameState& state = world.state();
    state.country(3).controller = 0;
    int capital = world.terrainOfKind(kTerrainCapital);
    ASSERT_GE(capital, 0);
    int gone = world.placeUnit(3, world.landType, 4, 4);
    int stays = world.placeUnit(0, world.landType, 5, 5);
    int building = world.placeBuilding(capital, 3, 1, 1);
    int stored = world.addUnit(0, world.landType, 1, 1);
    world.building(building).addUnit(0, stored);
    world.building(building).addUnit(3, world.addUnit(3, world.landType, 1, 1));
    world.cell(6, 6).owner = 4;
    world.cell(6, 6).setSideCode(2, 1);
    world.cell(7, 6).owner = 1;
    state.country(0).capitalX = state.country(0).capitalY = 200;

    headlessMainWindow().clear();
    startPlay(state);
    // Countries that play get their home hex, on the map.
    EXPECT_LT(packed(state.country(0).capitalX), 8);
    EXPECT_LT(packed(state.country(0).capitalY), 8);
    EXPECT_EQ(state.unitCount(3), 0u);
    EXPECT_EQ(world.unit(3, gone).stateLow, 0);
    EXPECT_EQ(world.unitCell(4, 4).lowerSide[0], 0);
    EXPECT_EQ(world.unitCell(5, 5).lowerSide[0], 1);
    EXPECT_EQ(world.unit(0, stays).stateLow, 1);
    EXPECT_EQ(world.building(building).ownerPlusOne, 0);
    EXPECT_EQ(world.building(building).type, state.terrainRoles().largeCity);
    // An ownerless building keeps no unit: those of playing countries are erased.
    EXPECT_EQ(world.building(building).unitCount(), 0);
    EXPECT_EQ(world.unit(0, stored).stateLow, 0);
    EXPECT_EQ(world.cell(6, 6).owner, 0);
    EXPECT_EQ(world.cell(6, 6).sideCode(2), 0);
    EXPECT_EQ(world.cell(7, 6).owner, 1);
    // The windows' unit lists start over.
    EXPECT_EQ(headlessMainWindow().callsOf("restartUnitLists").size(), 1u);
    EXPECT_TRUE(state.handshake().playRunning());
    EXPECT_EQ(state.handshake().playThread(), nullptr);
    endPlay(state);
}

TEST(StartPlay, BuildingOfAPlayingOwnerKeepsOnlyAlliedUnits)
{
    PlayWorld world;
    GameState& state = world.state();
    int kind = world.terrainOfKind(kTerrainBuilding);
    int own = world.addUnit(2, world.landType, 1, 1);
    int enemy = world.addUnit(5, world.landType, 1, 1);
    int building = world.placeBuilding(kind, 2, 1, 1);
    world.building(building).addUnit(2, own);
    world.building(building).addUnit(5, enemy);
    startPlay(state);
    EXPECT_EQ(world.building(building).ownerPlusOne, 3);
    EXPECT_EQ(world.building(building).unitCount(), 1);
    EXPECT_EQ(world.building(building).slots[0].sidePlusOne, 3);
    EXPECT_EQ(world.unit(2, own).stateLow, 1);
    EXPECT_EQ(world.unit(5, enemy).stateLow, 0);
    endPlay(state);
}

TEST(StartPlay, WatchBitsAreClearedWhenNoVictoryConditionUsesThem)
{
    PlayWorld world;
    GameState& state = world.state();
    int a = world.addUnit(0, world.landType, 1, 1);
    int neutral = world.addUnit(8, world.landType, 2, 1);
    world.unit(0, a).watchBits = 7;
    world.unit(8, neutral).watchBits = 7;
    state.country(0).transportPercent = 1;
    startPlay(state);
    // Country 0 watches with byte 3, so bit 1 stays; no flag use clears the neutral side's bit 1.
    EXPECT_EQ(world.unit(0, a).watchBits, 2);
    EXPECT_EQ(world.unit(8, neutral).watchBits, 5);
    endPlay(state);

    PlayWorld kept;
    int b = kept.addUnit(1, kept.landType, 1, 1);
    kept.unit(1, b).watchBits = 7;
    kept.state().country(1).forcesCondition = 1;
    startPlay(kept.state());
    EXPECT_EQ(kept.unit(1, b).watchBits, 7);
    endPlay(kept.state());
}

TEST(StartPlay, ResumedGameMovesTheViewToTheNextPersonsCountry)
{
    PlayWorld world;
    GameState& state = world.state();
    state.turnBlock().turn = 4;
    state.country(0).controller = 2;
    state.country(1).controller = 2;
    state.country(5).controller = 1;
    state.country(7).controller = 1;
    state.country(7).inPlay = 0;
    state.turnBlock().viewingCountry = 6;
    startPlay(state);
    EXPECT_EQ(state.turnBlock().viewingCountry, 5);
    endPlay(state);

    // With no person left the view stays where it was.
    PlayWorld alone;
    alone.state().turnBlock().turn = 2;
    for (int c = 0; c < kCountryCount; ++c)
        alone.state().country(c).controller = 2;
    alone.state().turnBlock().viewingCountry = 3;
    startPlay(alone.state());
    EXPECT_EQ(alone.state().turnBlock().viewingCountry, 3);
    endPlay(alone.state());
}

TEST(StartPlay, KeepsAThreadThatRunsAlreadyAndStartsOneOtherwise)
{
    PlayWorld world;
    GameState& state = world.state();
    WaitingThreadFactory factory([](GameState& s) { waitForUiAnswer(s); });
    startPlay(state);
    swCThread* thread = state.handshake().playThread();
    ASSERT_NE(thread, nullptr);
    startPlay(state);
    EXPECT_EQ(factory.made, 1);
    EXPECT_EQ(state.handshake().playThread(), thread);
    endPlay(state);
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}

// The game thread going on to a campaign's next stage keeps a stop the windows asked meanwhile.
TEST(StartPlay, TheGameThreadsNextStageKeepsAStopAskedMeanwhile)
{
    PlayWorld world;
    GameState& state = world.state();
    Handshake& handshake = state.handshake();
    std::promise<void> stopAsked;
    std::atomic<bool> stopped { false }, running { true };
    handshake.setPlayRunning(true);
    ASSERT_TRUE(handshake.startPlayThread(std::make_unique<testing_lib::TestThread>([&] {
        stopAsked.get_future().wait();
        startPlay(state);
        stopped = handshake.playStopped();
        running = handshake.playRunning();
    })));
    handshake.requestStopPlay();
    stopAsked.set_value();
    handshake.joinPlayThread();
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(running);
}

TEST(EndPlay, EmptiesEveryTableAndASecondEndChangesNothing)
{
    PlayWorld world;
    GameState& state = world.state();
    int kind = world.terrainOfKind(kTerrainBuilding);
    startPlay(state);
    world.placeUnit(0, world.landType, 1, 1);
    world.placeBuilding(kind, 0, 2, 2);
    state.appendTurnStats(TurnStatsRecord {});
    state.recordDestroyedUnit(0, 0);
    endPlay(state);
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(state.unitCount(0), 0u);
        EXPECT_EQ(world.unit(0, 0).stateLow, 0);
        EXPECT_EQ(state.buildingCount(), 0u);
        EXPECT_EQ(state.turnStatsCount(), 0u);
        EXPECT_EQ(state.destroyedUnitEntry(0, 0)->unitTypeId, 0);
        EXPECT_EQ(state.redrawSet(), nullptr);
        EXPECT_FALSE(state.handshake().playRunning());
        endPlay(state);
    }
}
