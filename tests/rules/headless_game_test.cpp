// Whole games with no person and no window: every sample map to its end, twice from one pool, and on the game thread.
#include "ai/computer_players.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> mapBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<fs::path> sampleMaps()
{
    std::vector<fs::path> maps;
    for (const auto& entry : fs::directory_iterator(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap"))
        if (entry.path().extension() == ".vtm" || entry.path().extension() == ".vts")
            maps.push_back(entry.path());
    std::sort(maps.begin(), maps.end());
    return maps;
}

// Every country taking part is played by the computer, and nothing waits for a window.
void prepareAllComputerGame(GameState& state, const RandomPool& pool)
{
    for (int c = 0; c < kCountryCount; ++c)
        if (state.country(c).controller != 0)
            state.country(c).controller = 2;
    state.settings().playChime = false;
    state.settings().showIncome = false;
    state.randomPool() = pool;
    startPlay(state);
}

struct GameRecord {
    // The history records and the turn statistics, byte for byte.
    std::vector<uint8_t> history;
    uint32_t events = 0;
    int turn = 0;
    bool decided = false;
    bool over = false;
};

template <class T>
void appendBytes(std::vector<uint8_t>& out, const T& value)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

GameRecord playOnThisThread(const fs::path& map, const RandomPool& pool)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    std::vector<uint8_t> bytes = mapBytes(map);
    EXPECT_TRUE(state.loadMapImage(bytes.data(), bytes.size())) << map;
    prepareAllComputerGame(state, pool);
    AiComputerPlayer player;
    GameThread thread(state, player, StepYield::None);
    thread.Run();

    GameRecord record;
    ActionHistoryLog& log = state.historyLog();
    for (uint32_t i = 0; i < log.count(); ++i)
        appendBytes(record.history, log.record(i));
    for (size_t i = 0; i < state.turnStatsCount(); ++i)
        appendBytes(record.history, *state.turnStatsAt(i));
    record.events = log.count();
    record.turn = state.turnBlock().turn;
    record.decided = state.turnBlock().decided != 0;
    record.over = thread.gameOver();
    endPlay(state);
    return record;
}

// The training map in the state, as the sample folder has it.
void loadTraining(GameState& state)
{
    std::vector<uint8_t> bytes = mapBytes(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "training.vtm");
    ASSERT_TRUE(state.loadMapImage(bytes.data(), bytes.size()));
}

// Installed for one test; declared before the world, so the thread is joined while it still exists.
struct InstalledFactory {
    AiComputerPlayer player;
    GameThreadFactory factory { player };
    InstalledFactory() { setPlayThreadFactory(&factory); }
    ~InstalledFactory() { setPlayThreadFactory(nullptr); }
};

} // namespace

TEST(HeadlessGame, EverySampleMapPlaysToItsEndTheSameWayTwiceFromOnePool)
{
    std::vector<fs::path> maps = sampleMaps();
    ASSERT_GE(maps.size(), 3u);
    RandomPool pool;
    pool.fill();
    for (const fs::path& map : maps) {
        GameRecord first = playOnThisThread(map, pool);
        GameRecord second = playOnThisThread(map, pool);
        EXPECT_TRUE(first.over) << map;
        EXPECT_TRUE(first.decided || first.turn > 1) << map;
        EXPECT_GT(first.events, 0u) << map;
        EXPECT_EQ(first.turn, second.turn) << map;
        EXPECT_TRUE(first.history == second.history) << map << ": the history differs between two runs";
    }
}

TEST(HeadlessGame, GameThreadPlaysToTheTurnLimitAndEndPlayJoinsIt)
{
    InstalledFactory installed;
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    loadTraining(state);
    // Without its victory conditions the map can only end at the turn limit.
    for (int c = 0; c < kCountryCount; ++c)
        state.country(c).victoryFlags = 0;
    RandomPool pool;
    pool.fill();
    prepareAllComputerGame(state, pool);
    ASSERT_NE(state.handshake().playThread(), nullptr);

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!state.handshake().isPlayThreadFinished() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(state.handshake().isPlayThreadFinished());
    EXPECT_GT(state.turnBlock().turn, mapTurnLimit(state));
    endPlay(state);
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}

TEST(HeadlessGame, EndPlayReleasesAPersonsTurnAndJoinsTheThread)
{
    InstalledFactory installed;
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    loadTraining(state);
    int person = -1;
    for (int c = 0; c < kCountryCount && person < 0; ++c)
        if (state.country(c).controller != 0)
            person = c;
    ASSERT_GE(person, 0);
    state.country(person).controller = 1;
    state.settings().playChime = false;
    state.settings().showIncome = false;
    startPlay(state);

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!state.handshake().waitingForAnswer() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(state.handshake().waitingForAnswer()) << "the person's action phase waits for the end of the turn";
    EXPECT_EQ(state.turnBlock().currentCountry, person);
    EXPECT_EQ(state.turnBlock().phase, kPhaseAction);

    endPlay(state);
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}

// A way out of the game holds the thread between its steps; a stop asked while it rests there
// lets no step begin.
TEST(HeadlessGame, AStopWhileAWayOutHoldsTheThreadLetsNoStepBegin)
{
    InstalledFactory installed;
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    loadTraining(state);
    CloseGate& gate = state.handshake().closeGate();
    gate.beginAsking();
    RandomPool pool;
    pool.fill();
    prepareAllComputerGame(state, pool);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!gate.resting() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(gate.resting());
    state.handshake().requestStopPlay();
    state.handshake().joinPlayThread();
    EXPECT_EQ(state.turnBlock().turn, 0) << "a step began after the stop";
    endPlay(state);
}
