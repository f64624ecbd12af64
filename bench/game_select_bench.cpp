// A page fill of the game selection dialog: the folder listed and the fourteen entries' titles read
// header-only from copies of the largest sample map, against reading each whole file as before.
#include "bench/program_folder.h"
#include "dialogs/game_file_list.h"
#include "dialogs/game_preview.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/map_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

// A folder of fourteen copies of the continent map; its game path.
const std::string& pageFolder()
{
    static const std::string folder = [] {
        prepareBenchProgramFolder();
        const std::string game = dataPath("page", kFolderProgram);
        const fs::path host = platform::hostPath(game);
        fs::create_directories(host);
        for (int i = 0; i < 14; ++i)
            fs::copy_file(fs::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "continent.vtm", host / ("m" + std::to_string(100 + i) + ".vtm"),
                fs::copy_options::overwrite_existing);
        return game;
    }();
    return folder;
}

void fillPageHeaderOnly(benchmark::State& state)
{
    const std::string& folder = pageFolder();
    for (auto _ : state) {
        int titles = 0;
        for (const std::string& name : listGameFiles(folder, "*.vtm"))
            titles += readEntryTitle(folderWithSeparator(folder) + name, false).has_value() ? 1 : 0;
        if (titles != 14)
            state.SkipWithError("the page did not fill");
    }
}
BENCHMARK(fillPageHeaderOnly)->Unit(benchmark::kMicrosecond);

void fillPageWholeFiles(benchmark::State& state)
{
    const std::string& folder = pageFolder();
    for (auto _ : state) {
        int titles = 0;
        for (const std::string& name : listGameFiles(folder, "*.vtm")) {
            std::ifstream in(platform::hostPath(folderWithSeparator(folder) + name), std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            ScenarioFile file;
            titles += readScenarioBytes(bytes, file) ? 0 : 1;
        }
        if (titles != 14)
            state.SkipWithError("the page did not fill");
    }
}
BENCHMARK(fillPageWholeFiles)->Unit(benchmark::kMicrosecond);

} // namespace
