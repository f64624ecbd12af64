// The whole game's cost of 100 turns on the continent sample, every country played by the computer
// player from a seeded pool with victory off: sight maps, supply lines, threat marks, the phases and
// the computer player, with no pause between steps.
#include "bench/computer_games.h"
#include "bench/short_mode.h"

#include <benchmark/benchmark.h>

namespace {

void hundredTurns(benchmark::State& bench)
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
    bench.counters["turns"] = game.state().turnBlock().turn - 1;
    bench.counters["side_turns"] = player.sideTurns;
}
BENCHMARK(hundredTurns)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->Apply(onceInShortRun);

} // namespace
