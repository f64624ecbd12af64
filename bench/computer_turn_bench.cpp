// The computer's side turns: on generated worlds of eight countries at 64², 128² and 256² with
// armies growing with the area (18, 75, 300 units a side) or fixed at 40, and on the continent sample
// (its opening turns, and a 100-turn game). Victory is off and the pool is seeded, so every run plays
// the same turns. side_turn_ms is a whole side turn (the engine's phases, analysis, action and
// production: the game's time over its side turns); player_ms is the computer player's share. Each
// is run five times; besides the median, "min" gives the fastest run.
#include "ai/computer_turn.h"
#include "bench/computer_games.h"
#include "tests/ai/seeded_worlds.h"

#include "bench/short_mode.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>

namespace {

// On a shared machine the fastest of the repeated runs is the one least disturbed by other work.
double fastest(const std::vector<double>& runs) { return runs.empty() ? 0.0 : *std::min_element(runs.begin(), runs.end()); }

void report(benchmark::State& bench, const BenchGame& game, const TimedComputerPlayer& player)
{
    const double turns = std::max(1, player.sideTurns);
    bench.counters["side_turns"] = player.sideTurns;
    bench.counters["side_turn_ms"] = game.lastGameMs / turns;
    bench.counters["player_ms"] = player.playerMs / turns;
    bench.counters["worst_action_ms"] = player.worstActionMs;
}

// Args: map size, units per side, turns played, the world's seed. The 256² world with 300 units a
// side is also played for four turns, as the 128² one is: its armies meet later, so its first two
// turns are its cheapest; those four turns are played on four worlds, for the worst of them.
void generatedWorldTurns(benchmark::State& bench)
{
    const int size = int(bench.range(0));
    const testing_ai::LargeWorldShape shape { size, 8, int(bench.range(1)), unsigned(bench.range(3)) };
    const int turns = int(bench.range(2));
    BenchGame game(testing_ai::largeWorldBytes(shape, turns));
    TimedComputerPlayer player;
    for (auto _ : bench) {
        player = TimedComputerPlayer();
        if (!game.play(turns, 1, player)) {
            bench.SkipWithError("the generated world did not load");
            break;
        }
    }
    report(bench, game, player);
}
BENCHMARK(generatedWorldTurns)
    ->Args({ 64, 18, 8, 3 })
    ->Args({ 128, 75, 4, 3 })
    ->Args({ 256, 300, 2, 3 })
    ->Args({ 256, 300, 4, 3 })
    ->Args({ 256, 300, 4, 4 })
    ->Args({ 256, 300, 4, 5 })
    ->Args({ 256, 300, 4, 6 })
    ->Args({ 64, 40, 8, 3 })
    ->Args({ 128, 40, 4, 3 })
    ->Args({ 256, 40, 2, 3 })
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", fastest)
    ->Apply(onceInShortRun);

void continentOpeningTurns(benchmark::State& bench)
{
    BenchGame game(sampleMapImage("continent.vtm"));
    double worst = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        if (!game.start(100, 1)) {
            bench.SkipWithError("the continent map did not load");
            break;
        }
        std::atomic<BYTE> stop { 0 };
        for (int c = 0; c < kCountryCount; ++c) {
            if (game.state().country(c).controller == 0)
                continue;
            const auto start = std::chrono::steady_clock::now();
            bench.ResumeTiming();
            ComputerTurn(game.state(), c, stop).run();
            bench.PauseTiming();
            worst = std::max(worst, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        game.endPlay();
        bench.ResumeTiming();
    }
    bench.counters["worst_turn_ms"] = worst;
}
BENCHMARK(continentOpeningTurns)->Unit(benchmark::kMillisecond)->Iterations(5)->Apply(onceInShortRun);

void continentHundredTurns(benchmark::State& bench)
{
    BenchGame game(sampleMapImage("continent.vtm"));
    TimedComputerPlayer player;
    for (auto _ : bench) {
        player = TimedComputerPlayer();
        if (!game.play(100, 1, player)) {
            bench.SkipWithError("the continent map did not load");
            break;
        }
    }
    report(bench, game, player);
}
BENCHMARK(continentHundredTurns)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ComputeStatistics("min", fastest)->Apply(onceInShortRun);

} // namespace
