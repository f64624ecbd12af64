// Start-up time: a new GameState through startUp to ready, with the application's services, on a
// copy of the generated program folder (master data and pictures).
#include "app/game_state_services.h"
#include "lib/application.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The generated folder less the executable, removed at exit; the copy's ini has the mode chosen.
std::string g_folder;

void prepareFolder()
{
    std::string pattern = (fs::temp_directory_path() / "derazodo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    g_folder = pattern;
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(g_folder, ignored);
    });
    for (const auto& entry : fs::directory_iterator(DERAZODO_PROGRAM_DIR)) {
        if (entry.path().filename() != "derazodo")
            fs::copy(entry.path(), fs::path(g_folder) / entry.path().filename(), fs::copy_options::recursive);
    }
    platform::setProgramFolder(g_folder + "/");
    theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    makeNamedValue("SimpleMode").profileWriteInt(0);
    setGameStateServices(&appGameStateServices());
}

void startUpToReady(benchmark::State& state)
{
    if (g_folder.empty())
        prepareFolder();
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
