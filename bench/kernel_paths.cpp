// Code page conversion and game path resolution, on every file the game opens.
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>

static void BM_Cp932ToUtf8(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < 64; ++i)
        text += "\x90\xED\x8E\xD4" "ABC" "\xB7\xAC";
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::cp932ToUtf8(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_Cp932ToUtf8);

// A path whose components differ in case from the disk, so each one needs a folder scan.
static void BM_HostPathCaseFolded(benchmark::State& state)
{
    std::filesystem::path root = std::filesystem::temp_directory_path() / "kernel-bench";
    std::filesystem::create_directories(root / "TkMap");
    for (int i = 0; i < 200; ++i)
        std::ofstream(root / "TkMap" / ("Map" + std::to_string(i) + ".DAT"));
    platform::setProgramFolder(root.string());
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::hostPath("tkmap\\map150.dat"));
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_HostPathCaseFolded);
