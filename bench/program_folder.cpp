// The benchmarks' copy of the generated program folder.
#include "bench/program_folder.h"

#include "app/game_state_services.h"
#include "lib/application.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/game_settings.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

void prepareBenchProgramFolder()
{
    namespace fs = std::filesystem;
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
    installAppGameStateServices(&appGameStateServices());
}

std::unique_ptr<GameState> startBenchGameState()
{
    prepareBenchProgramFolder();
    auto state = std::make_unique<GameState>();
    state->startUp();
    g_gameState = state.get();
    return state;
}
