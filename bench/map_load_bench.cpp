// Map load time: the continent sample read, checked and committed into a started GameState, and
// the reader alone on the same bytes.
#include "bench/program_folder.h"
#include "state/game_state.h"
#include "state/map_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> continentBytes()
{
    std::ifstream in(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "continent.vtm", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void loadContinentMap(benchmark::State& state)
{
    prepareBenchProgramFolder();
    auto game = std::make_unique<GameState>();
    game->startUp();
    std::vector<uint8_t> bytes = continentBytes();
    for (auto _ : state) {
        if (!game->loadMapImage(bytes.data(), bytes.size()))
            state.SkipWithError("the continent map did not load");
        benchmark::DoNotOptimize(game->buildingCount());
    }
}
BENCHMARK(loadContinentMap)->Unit(benchmark::kMicrosecond);

void readContinentMap(benchmark::State& state)
{
    std::vector<uint8_t> bytes = continentBytes();
    ScenarioFile file;
    for (auto _ : state)
        benchmark::DoNotOptimize(readScenarioBytes(bytes, file).what.size());
}
BENCHMARK(readContinentMap)->Unit(benchmark::kMicrosecond);

}
