// The game thread's waits for the windows, answered from another thread as the windows would.
#include "rules/play_handshake.h"

#include "rules/action_settlement.h"
#include "rules/headless_links.h"
#include "rules/rules_context.h"
#include "rules/links.h"
#include "state/game_state.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using testing_state::SmallWorld;

namespace {

// A shown main window whose thinking window answers posted progress from the interface thread.
class ThinkingMainWindow : public HeadlessMainWindow {
public:
    explicit ThinkingMainWindow(GameState& state) : m_state(state) { }
    bool isVisible() const override { return true; }
    bool postThinkProgress(int value) override
    {
        HeadlessMainWindow::postThinkProgress(value);
        m_answer = std::async(std::launch::async, [this] { m_state.handshake().releaseUiWait(); });
        return true;
    }

private:
    GameState& m_state;
    std::future<void> m_answer;
};

// An open map window that carries requests out later, on its own thread.
class AnsweringMapWindow : public HeadlessMapWindow {
public:
    explicit AnsweringMapWindow(GameState& state) : m_state(state) { }
    bool isOpen() const override { return true; }
    bool postHexBlink(int x, int y) override
    {
        HeadlessMapWindow::postHexBlink(x, y);
        m_answer = std::async(std::launch::async, [this] { m_state.handshake().releaseMapWait(); });
        return true;
    }
    bool postLevelChange(uint32_t id) override
    {
        HeadlessMapWindow::postLevelChange(id);
        m_answer = std::async(std::launch::async, [this, id] {
            auto wait = std::static_pointer_cast<UiWaitWith<LevelChange>>(m_state.handshake().findWait(id));
            animateLevelChange(wait->data);
            wait->answer(0);
        });
        return true;
    }

private:
    GameState& m_state;
    std::future<void> m_answer;
};

class PlayHandshake : public ::testing::Test {
protected:
    PlayHandshake() : world(8, 8)
    {
        world.setRule(kRuleSearch, 0);
        state().handshake().setPlayRunning(true);
    }
    ~PlayHandshake() override { setRulesLinks({}); }

    GameState& state() { return world.state(); }
    void untilWaiting(size_t count = 1)
    {
        while (state().handshake().openWaitCount() < count)
            std::this_thread::yield();
    }
    int placeUnit(int side)
    {
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.available && type.domain == 3)
                return world.placeUnit(side, type.id, 2, 3);
        return -1;
    }

    SmallWorld world;
};

} // namespace

TEST_F(PlayHandshake, EndOfTurnWaitReturnsThePersonsAnswer)
{
    headlessMainWindow().clear();
    for (uint8_t answer : { 1, 0 }) {
        auto ended = std::async(std::launch::async, [this] { return waitForUiAnswer(state()); });
        // The flag is raised only once the answer record exists.
        while (!state().handshake().waitingForAnswer())
            std::this_thread::yield();
        EXPECT_EQ(state().handshake().openWaitCount(), 1u);
        state().handshake().answerUi(answer);
        EXPECT_EQ(ended.get(), answer == 1);
        EXPECT_FALSE(state().handshake().waitingForAnswer());
    }
    EXPECT_EQ(headlessMainWindow().callsOf("refresh").at(0).args.at(0), int(MainRefresh::AfterAction));

    auto produced = std::async(std::launch::async, [this] { return waitForUiAnswer2(state()); });
    untilWaiting();
    state().handshake().answerUi(1);
    EXPECT_EQ(produced.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    state().handshake().answerUi2(1);
    EXPECT_TRUE(produced.get());
}

TEST_F(PlayHandshake, DecidedGameAtTheEndOfAnActionEndsTheTurnsWait)
{
    RulesSettlement settlement(state());
    setActionSettlement(&settlement);
    auto ended = std::async(std::launch::async, [this] { return waitForUiAnswer(state()); });
    while (!state().handshake().waitingForAnswer())
        std::this_thread::yield();
    state().turnBlock().decided = 1;
    currentAction(state()).finishActionAlt();
    EXPECT_TRUE(ended.get());
    setActionSettlement(nullptr);
}

TEST_F(PlayHandshake, StopWhileWaitingForTheTurnEndsTheWaitWithNo)
{
    auto ended = std::async(std::launch::async, [this] { return waitForUiAnswer(state()); });
    auto produced = std::async(std::launch::async, [this] { return waitForUiAnswer2(state()); });
    untilWaiting(2);
    state().handshake().requestStopPlay();
    EXPECT_FALSE(ended.get());
    EXPECT_FALSE(produced.get());
}

TEST_F(PlayHandshake, ProgressWithoutPlayIsNeitherPostedNorAwaited)
{
    ThinkingMainWindow window(state());
    setRulesLinks({ &window, nullptr, nullptr, nullptr });
    state().handshake().setPlayRunning(false);
    postThinkProgress(state(), 40, ReportWait::Yes);
    postThinkProgress(state(), 41, ReportWait::No);
    EXPECT_TRUE(window.calls().empty());

    state().handshake().setPlayRunning(true);
    postThinkProgress(state(), 42, ReportWait::Yes);
    postThinkProgress(state(), 43, ReportWait::No);
    EXPECT_EQ(window.callsOf("postThinkProgress").at(0).args, std::vector<int64_t> { 42 });
    EXPECT_EQ(window.callsOf("reportThinkProgress").at(0).args, std::vector<int64_t> { 43 });
    EXPECT_EQ(state().handshake().openWaitCount(), 0u);
}

TEST_F(PlayHandshake, MapRequestsWaitForTheMapWindowOrReturnWithoutOne)
{
    headlessMapWindow().clear();
    requestHexBlink(state(), 3, 4);
    requestCentreOnHex(state(), 5, 6);
    EXPECT_TRUE(headlessMapWindow().callsOf("postHexBlink").empty());

    AnsweringMapWindow map(state());
    setRulesLinks({ nullptr, &map, nullptr, nullptr });
    requestHexBlink(state(), 3, 4);
    EXPECT_EQ(map.callsOf("postHexBlink").at(0).args, (std::vector<int64_t> { 3, 4 }));
    // Posting refused: answered at once rather than left waiting.
    requestCentreOnHex(state(), 5, 6);
    EXPECT_EQ(map.callsOf("postCentreOnHex").size(), 1u);
    EXPECT_EQ(state().handshake().openWaitCount(), 0u);
}

TEST_F(PlayHandshake, RankChangeIsShownOnlyAcrossALevelOfAUnitTheViewerSees)
{
    AnsweringMapWindow map(state());
    setRulesLinks({ nullptr, &map, nullptr, nullptr });
    int index = placeUnit(1);
    ASSERT_GE(index, 0);
    // The unit's own country moves while country 0 watches.
    state().turnBlock().currentCountry = 1;
    state().turnBlock().viewingCountry = 0;

    announceRankChange(state(), 1, index, 2, 3, 300, 450, ReportWait::No);
    state().settings().levelEffect = false;
    announceRankChange(state(), 1, index, 2, 3, 100, 600, ReportWait::No);
    state().settings().levelEffect = true;
    EXPECT_TRUE(map.calls().empty());

    announceRankChange(state(), 1, index, 2, 3, 100, 600, ReportWait::No);
    announceRankChange(state(), 1, index, 2, 3, 1800, 450, ReportWait::Yes);
    auto shown = map.callsOf("animateLevelChange");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].args, (std::vector<int64_t> { 1, 1, index, 2, 3 }));
    EXPECT_EQ(shown[1].args.at(0), 0);
    EXPECT_EQ(state().handshake().openWaitCount(), 0u);

    // Under fog of war a unit the viewer does not see shows nothing, though its own country sees it.
    map.clear();
    world.setRule(kRuleSearch, 1);
    state().recreateSightMaps();
    announceRankChange(state(), 1, index, 2, 3, 100, 600, ReportWait::Yes);
    EXPECT_TRUE(map.calls().empty());
}

TEST_F(PlayHandshake, InterruptAllowedOnlyWhenThePersonIsNotMidCommand)
{
    Handshake& handshake = state().handshake();
    handshake.setPlayRunning(false);
    EXPECT_TRUE(canInterruptGame(state()));
    EXPECT_FALSE(canEndGame(state()));

    handshake.setPlayRunning(true);
    EXPECT_FALSE(canInterruptGame(state()));
    handshake.setUiLinkReady();
    EXPECT_TRUE(canInterruptGame(state()));
    handshake.beginCombat();
    EXPECT_FALSE(canEndGame(state()));
    handshake.endCombat();
    EXPECT_TRUE(canEndGame(state()));

    handshake.replyToGame(0);
    handshake.setWaitingForAnswer(true);
    EXPECT_TRUE(canInterruptGame(state()));
    handshake.setUnitCommandBeingSet(true);
    EXPECT_FALSE(canInterruptGame(state()));
}
