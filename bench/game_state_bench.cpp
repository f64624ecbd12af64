// Start-up time: a new GameState through startUp to ready, with the application's services, on a
// copy of the generated program folder (master data and pictures).
#include "bench/program_folder.h"
#include "state/game_state.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void startUpToReady(benchmark::State& state)
{
    prepareBenchProgramFolder();
    for (auto _ : state) {
        auto game = std::make_unique<GameState>();
        game->startUp();
        benchmark::DoNotOptimize(game->modalIdle());
        state.PauseTiming();
        game.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(startUpToReady)->Unit(benchmark::kMillisecond);

} // namespace
