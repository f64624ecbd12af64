// Map load time: the continent sample read, checked and committed into a started GameState, and
// the reader alone on the same bytes.
#include "app/game_state_services.h"
#include "lib/application.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/map_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> continentBytes()
{
    std::ifstream in(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "continent.vtm", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A copy of the generated folder, made once and removed at exit.
void prepareFolder()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    std::string pattern = (fs::temp_directory_path() / "derazodo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    static std::string folder = pattern;
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    });
    for (const auto& entry : fs::directory_iterator(DERAZODO_PROGRAM_DIR))
        if (entry.path().filename() != "derazodo")
            fs::copy(entry.path(), fs::path(folder) / entry.path().filename(), fs::copy_options::recursive);
    platform::setProgramFolder(folder + "/");
    theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    makeNamedValue("SimpleMode").profileWriteInt(0);
    setGameStateServices(&appGameStateServices());
}

void loadContinentMap(benchmark::State& state)
{
    prepareFolder();
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
