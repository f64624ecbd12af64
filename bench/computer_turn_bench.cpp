// The computer's turn on the continent sample: the opening turn of each country, and the mean and worst
// turn of a 100-turn all-computer game (the goal is 50 ms a turn).
#include "ai/computer_players.h"
#include "ai/computer_turn.h"
#include "bench/program_folder.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "state/game_state.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

constexpr int kTurns = 100;
using Clock = std::chrono::steady_clock;

std::vector<uint8_t> continentBytes()
{
    std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "continent.vtm", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Times every side's turn and passes everything else on.
class TimedPlayer : public AiComputerPlayer {
public:
    int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) override
    {
        const auto start = Clock::now();
        const int result = AiComputerPlayer::playTurn(state, side, stop);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        total += ms;
        worst = std::max(worst, ms);
        ++turns;
        return result;
    }

    double total = 0;
    double worst = 0;
    int turns = 0;
};

class Game {
public:
    Game()
    {
        prepareBenchProgramFolder();
        state = std::make_unique<GameState>();
        state->startUp();
        g_gameState = state.get();
        bytes = continentBytes();
        pool.fill();
    }
    ~Game() { g_gameState = nullptr; }

    bool start(int turn_limit)
    {
        if (!state->loadMapImage(bytes.data(), bytes.size()))
            return false;
        state->mapHeader().data534[2] = uint8_t(turn_limit);
        state->mapHeader().data534[3] = 0;
        for (int c = 0; c < kCountryCount; ++c)
            if (state->country(c).controller != 0)
                state->country(c).controller = 2;
        state->settings().playChime = false;
        state->settings().showIncome = false;
        state->randomPool() = pool;
        startPlay(*state);
        return true;
    }

    std::unique_ptr<GameState> state;
    std::vector<uint8_t> bytes;
    RandomPool pool;
};

void openingTurns(benchmark::State& bench)
{
    Game game;
    double worst = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        if (!game.start(kTurns)) {
            bench.SkipWithError("the continent map did not load");
            break;
        }
        std::atomic<BYTE> stop { 0 };
        for (int c = 0; c < kCountryCount; ++c) {
            if (game.state->country(c).controller == 0)
                continue;
            const auto start = Clock::now();
            bench.ResumeTiming();
            ComputerTurn(*game.state, c, stop).run();
            bench.PauseTiming();
            worst = std::max(worst, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        endPlay(*game.state);
        bench.ResumeTiming();
    }
    bench.counters["worst_turn_ms"] = worst;
}
BENCHMARK(openingTurns)->Unit(benchmark::kMillisecond)->Iterations(5);

void hundredTurnGame(benchmark::State& bench)
{
    Game game;
    TimedPlayer player;
    for (auto _ : bench) {
        bench.PauseTiming();
        if (!game.start(kTurns)) {
            bench.SkipWithError("the continent map did not load");
            break;
        }
        GameThread thread(*game.state, player, StepYield::None);
        bench.ResumeTiming();
        thread.Run();
        bench.PauseTiming();
        endPlay(*game.state);
        bench.ResumeTiming();
    }
    bench.counters["turns"] = player.turns;
    bench.counters["mean_turn_ms"] = player.turns ? player.total / player.turns : 0;
    bench.counters["worst_turn_ms"] = player.worst;
}
BENCHMARK(hundredTurnGame)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
