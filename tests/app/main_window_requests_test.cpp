// The game thread's requests to the main window: each answered on the window's thread with the
// person's choice, and each released without asking once play stops.
#include "ui/private_messages.h"
#include "dialogs/fill_troop_window.h"
#include "dialogs/phase_help_dialog.h"
#include "infowin/income_window.h"
#include "rules/combat_scene.h"
#include "rules/play_handshake.h"
#include "state/supply_order.h"
#include "tests/app/main_window_world.h"
#include "tests/dialogs/popup_driver.h"

#include <cstring>

namespace {

using main_window_test::World;
namespace harness = platform::harness;


} // namespace

// The game thread's request opens the popup on the window's thread; the person works it from
// another, as the harness clicks.
template <class Request>
bool requestDriven(World& world, Request request, std::function<void(HWND)> person)
{
    std::atomic<bool> answered = false;
    const std::vector<HWND> before = popup_test::openDialogs();
    std::thread clicker([&] {
        if (HWND popup = popup_test::waitForDialog(before))
            person(popup);
        answered = true;
    });
    const bool returned = world.onGameThread(request);
    World::pumpUntil([&] { return answered.load(); });
    clicker.join();
    return returned;
}

TEST(MainWindowRequests, ReplenishOfferTakesTheCombinationThePersonChose)
{
    World world;
    ReplenishOffer offer;
    offer.counters = 3;
    offer.repair = 20;
    ASSERT_TRUE(requestDriven(world, [&] { world.link().askReplenish(offer); }, [](HWND popup) {
        popup_test::clickItem(popup, FillTroopWindow::kRepairOnly);
        popup_test::clickItem(popup, ServicePopup::kAccept);
    }));
    EXPECT_EQ(offer.acceptReplenish, 0);
    EXPECT_EQ(offer.acceptRepair, 1);
    EXPECT_TRUE(harness::messageBoxes().empty());
    EXPECT_EQ(world.state().handshake().openWaitCount(), 0u);
}

TEST(MainWindowRequests, QuestionsAndAnnouncementsReachThePersonAndReturn)
{
    World world;
    GameState& state = world.state();

    harness::queueMessageBoxAnswer(IDYES);
    bool produce = false;
    ASSERT_TRUE(world.onGameThread([&] { produce = world.link().askProductionOrders(); }));
    EXPECT_TRUE(produce);
    harness::queueMessageBoxAnswer(IDNO);
    ASSERT_TRUE(world.onGameThread([&] { produce = world.link().askProductionOrders(); }));
    EXPECT_FALSE(produce);

    SupplyOrder order {};
    order.parts[SupplyOrder::kFuel].wanted = order.parts[SupplyOrder::kFuel].granted = 1;
    order.parts[SupplyOrder::kFuel].chosen = 1;
    ASSERT_TRUE(requestDriven(world, [&] { world.link().askSupplyOrder(order); },
        [](HWND popup) { popup_test::clickItem(popup, ServicePopup::kRefuse); }));
    EXPECT_EQ(order.parts[SupplyOrder::kFuel].chosen, 0) << "refused keeps nothing of the order";

    harness::clearMessageBoxes();
    state.turnBlock().currentCountry = 0;
    HWND income = nullptr;
    ASSERT_TRUE(requestDriven(world, [&] { world.link().showIncome(1234); }, [&](HWND popup) {
        income = popup;
        popup_test::clickItem(popup, IncomeWindow::kCloseButton);
    }));
    EXPECT_FALSE(IsWindow(income));
    state.turnBlock().phase = 5;
    std::string title;
    ASSERT_TRUE(requestDriven(world, [&] { world.link().explainPhase(); }, [&](HWND popup) {
        char text[64] = {};
        GetWindowTextA(popup, text, sizeof text);
        title = text;
        popup_test::clickItem(popup, PhaseHelpDialog::kOkButton);
    }));
    EXPECT_EQ(title, PhaseHelpDialog::title(5));
    // The end-of-game step only passes: the end of the game is shown once play has ended.
    ASSERT_TRUE(world.onGameThread([&] { world.link().endOfGameStep(); }));
    BattleRecord record;
    ASSERT_TRUE(world.onGameThread([&] { world.battle().runBattleScene(record, false); }));

    EXPECT_TRUE(harness::messageBoxes().empty()) << "income, phase help and engagement show no box";
    EXPECT_EQ(state.handshake().openWaitCount(), 0u);
}

TEST(MainWindowRequests, TheWindowsOwnThreadIsAskedDirectly)
{
    World world;
    harness::queueMessageBoxAnswer(IDYES);
    EXPECT_TRUE(world.link().askProductionOrders());
    ReplenishOffer offer;
    offer.counters = 2;
    popup_test::drive([&] {
        world.link().askReplenish(offer);
        return 0;
    }, [](HWND popup) { popup_test::clickItem(popup, ServicePopup::kAccept); });
    EXPECT_EQ(offer.acceptReplenish, 1);
    EXPECT_EQ(world.state().handshake().openWaitCount(), 0u);
}

TEST(MainWindowRequests, GameViewReturnsOnceTheMapWindowHasRedrawn)
{
    World world;
    ASSERT_NE(world.link().mapWindow(), nullptr);
    EXPECT_TRUE(world.onGameThread([&] { world.link().startGameView(); }));
    EXPECT_EQ(world.state().handshake().openWaitCount(), 0u);
}

TEST(MainWindowRequests, ThinkProgressIsReleasedWithoutAThinkingWindow)
{
    World world;
    world.state().handshake().setPlayRunning(true);
    EXPECT_TRUE(world.onGameThread([&] { postThinkProgress(world.state(), 40, ReportWait::Yes); }));
    world.state().handshake().setPlayRunning(false);
}

// Each request the game thread may be blocked in when play stops.
struct StoppedRequest {
    const char* name;
    std::function<void(World&)> call;
    friend void PrintTo(const StoppedRequest& r, std::ostream* out) { *out << r.name; }
    World::Scene scene = World::Scene::Off;
    // The request opens a window of the person's.
    bool window = false;
};

class StoppedRequests : public ::testing::TestWithParam<StoppedRequest> { };

// The request made during play on a thread of its own, as the game thread makes it; posted, once
// the constructor returns, but not yet handled by this thread.
class GameRequest {
public:
    GameRequest(World& world, const StoppedRequest& request)
        : m_handshake(world.state().handshake())
    {
        m_handshake.setPlayRunning(true);
        m_thread = std::thread([&world, &request, this] {
            request.call(world);
            m_done = true;
        });
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (m_handshake.openWaitCount() == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ(m_handshake.openWaitCount(), 1u);
    }
    // Waits for the request's return; a stop releases it after the time-out.
    bool returned()
    {
        const bool done = World::pumpUntil([&] { return m_done.load(); }, std::chrono::seconds(10));
        if (!done)
            m_handshake.requestStopPlay();
        m_thread.join();
        return done;
    }
    bool done() const { return m_done; }

private:
    Handshake& m_handshake;
    std::atomic<bool> m_done = false;
    std::thread m_thread;
};

TEST_P(StoppedRequests, StopReleasesTheGameThreadAndNothingIsAskedAfterwards)
{
    World world(GetParam().scene);
    Handshake& handshake = world.state().handshake();
    GameRequest request(world, GetParam());
    world.window().stopPlay();
    EXPECT_TRUE(request.returned());
    World::pump();
    EXPECT_TRUE(harness::messageBoxes().empty()) << "a released request still asked the person";
    EXPECT_FALSE(handshake.playRunning());
}

// A request that would open a window while a way out's question is open waits under it: no
// brings it, yes drops it with the game, and nothing opens over the question.
class HeldRequests : public StoppedRequests { };

// The shown top-level windows.
size_t shownWindowCount()
{
    size_t count = 0;
    EnumWindows([](HWND window, LPARAM counted) -> BOOL {
        *reinterpret_cast<size_t*>(counted) += IsWindowVisible(window) != FALSE;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_P(HeldRequests, AWayOutsQuestionHoldsTheRequestUntilItIsAnswered)
{
    for (const int answer : { IDNO, IDYES }) {
        World world(GetParam().scene);
        GameRequest request(world, GetParam());
        // The request waits in this thread's queue as the question opens over the main window. A
        // person answers each popup that shows, under the question or after it.
        const size_t before = shownWindowCount();
        world.dismissPopups();
        std::atomic<bool> openedOver = false, returned = false;
        harness::setMessageBoxPolicy(false);
        // The person answers the question, and any box that opened under it.
        std::thread person([&] {
            bool first = true;
            for (int i = 0; i < 1000 && !returned; ++i) {
                HWND box = FindWindowA(nullptr, platform::utf8ToCp932("確認").c_str());
                if (!box || !IsWindowVisible(box)) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                    continue;
                }
                harness::waitIdle();
                if (std::exchange(first, false))
                    openedOver = shownWindowCount() > before + 1 || request.done();
                SetForegroundWindow(box);
                harness::waitIdle();
                harness::typeText(answer == IDYES ? "y" : "n");
                for (int j = 0; j < 200 && IsWindow(box); ++j)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        world.window().endGame();
        returned = true;
        person.join();
        harness::setMessageBoxPolicy(true);
        EXPECT_FALSE(openedOver) << "the request was carried out under the question";
        EXPECT_TRUE(request.returned());
        EXPECT_EQ(world.state().handshake().playRunning(), answer == IDNO) << "yes ends the game";
    }
}

const std::vector<StoppedRequest>& everyWait()
{
    static const std::vector<StoppedRequest> waits { StoppedRequest { "ActionEnd", [](World& w) { waitForUiAnswer(w.state()); } },
        StoppedRequest { "ProductionEnd", [](World& w) { waitForUiAnswer2(w.state()); } },
        StoppedRequest { "Reply", [](World& w) { w.state().handshake().waitForUiReply(); } },
        StoppedRequest { "Income", [](World& w) { w.link().showIncome(5); }, World::Scene::Off, true },
        StoppedRequest { "EndOfGame", [](World& w) { w.link().endOfGameStep(); } },
        StoppedRequest { "Replenish",
            [](World& w) {
                ReplenishOffer offer;
                offer.counters = 1;
                w.link().askReplenish(offer);
                // A stop refuses; a person may accept.
                if (!w.state().handshake().playRunning()) {
                    EXPECT_EQ(offer.acceptReplenish, 0);
                }
            },
            World::Scene::Off, true },
        StoppedRequest { "Supply",
            [](World& w) {
                SupplyOrder order {};
                w.link().askSupplyOrder(order);
            },
            World::Scene::Off, true },
        StoppedRequest { "ProductionQuestion",
            [](World& w) {
                if (w.link().askProductionOrders()) {
                    EXPECT_TRUE(w.state().handshake().playRunning()) << "a stop answers no";
                }
            },
            World::Scene::Off, true },
        StoppedRequest { "PhaseHelp", [](World& w) { w.link().explainPhase(); } },
        StoppedRequest { "MapRedraw", [](World& w) { w.link().startGameView(); } },
        StoppedRequest { "Battle",
            [](World& w) {
                BattleRecord record;
                w.battle().runBattleScene(record, false);
            },
            World::Scene::On },
        StoppedRequest { "ThinkProgress", [](World& w) { postThinkProgress(w.state(), 10, ReportWait::Yes); } } };
    return waits;
}

std::vector<StoppedRequest> windowRequests()
{
    std::vector<StoppedRequest> requests;
    std::copy_if(everyWait().begin(), everyWait().end(), std::back_inserter(requests), [](const StoppedRequest& r) { return r.window; });
    return requests;
}

std::string requestName(const ::testing::TestParamInfo<StoppedRequest>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(EveryWait, StoppedRequests, ::testing::ValuesIn(everyWait()), requestName);
INSTANTIATE_TEST_SUITE_P(WindowRequests, HeldRequests, ::testing::ValuesIn(windowRequests()), requestName);

