// The engine's own cost of 100 turns on the continent sample, every country played by the computer
// player: sight maps, supply lines, threat marks and the phases, with no pause between steps.
#include "ai/computer_players.h"
#include "bench/program_folder.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "state/game_state.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr int kTurns = 100;

std::vector<uint8_t> continentBytes()
{
    std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "continent.vtm", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void hundredTurns(benchmark::State& bench)
{
    prepareBenchProgramFolder();
    auto game = std::make_unique<GameState>();
    game->startUp();
    g_gameState = game.get();
    std::vector<uint8_t> bytes = continentBytes();
    RandomPool pool;
    pool.fill();
    AiComputerPlayer player;
    int turns = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        if (!game->loadMapImage(bytes.data(), bytes.size())) {
            bench.SkipWithError("the continent map did not load");
            break;
        }
        game->mapHeader().data534[2] = uint8_t(kTurns);
        game->mapHeader().data534[3] = 0;
        for (int c = 0; c < kCountryCount; ++c)
            if (game->country(c).controller != 0)
                game->country(c).controller = 2;
        game->settings().playChime = false;
        game->settings().showIncome = false;
        game->randomPool() = pool;
        startPlay(*game);
        GameThread thread(*game, player, StepYield::None);
        bench.ResumeTiming();

        thread.Run();

        bench.PauseTiming();
        turns = game->turnBlock().turn - 1;
        endPlay(*game);
        bench.ResumeTiming();
    }
    bench.counters["turns"] = turns;
    g_gameState = nullptr;
}
BENCHMARK(hundredTurns)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
