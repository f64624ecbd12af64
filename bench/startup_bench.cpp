// The program started afresh on the headless desktop and closed as soon as its main window waits
// for a person: the whole process's wall time, processor time and peak memory.
#include "bench/short_mode.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A copy of the program folder, the program itself included: the run writes its settings there.
// Never destroyed: the exit handler that removes the copy reads it after the statics are gone.
const fs::path& programCopy()
{
    static const fs::path* folder = [] {
        std::string pattern = (fs::temp_directory_path() / "derazodo-startup-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        fs::copy(DERAZODO_PROGRAM_DIR, pattern, fs::copy_options::recursive);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(programCopy(), ignored);
        });
        return new fs::path(pattern);
    }();
    return *folder;
}

void startAndClose(benchmark::State& state)
{
    const std::string program = (programCopy() / "derazodo").string();
    std::vector<std::string> variables;
    for (char** e = environ; *e; ++e)
        variables.emplace_back(*e);
    // The run ends at the first turn of its message loop.
    variables.emplace_back("DERAZODO_HEADLESS=1");
    variables.emplace_back("DERAZODO_EXIT_AFTER_MS=1");
    std::vector<char*> env;
    for (std::string& v : variables)
        env.push_back(v.data());
    env.push_back(nullptr);
    char* argv[] = { const_cast<char*>(program.c_str()), nullptr };
    double cpu = 0, peak = 0, fastest = 1e9;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, env.data()) != 0) {
            state.SkipWithError("the program could not be started");
            break;
        }
        int status = 0;
        rusage usage {};
        wait4(child, &status, 0, &usage);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        fastest = std::min(fastest, seconds * 1e3);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program did not end cleanly");
            break;
        }
        cpu += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        peak = std::max(peak, double(usage.ru_maxrss) / 1024.0);
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
    state.counters["peak_MiB"] = peak;
    // The machine is shared: the fastest run is the one least held up by others.
    state.counters["fastest_ms"] = fastest;
}
// Two seconds of runs by hand; the suite's short run starts the program once.
void twoSecondsByHand(benchmark::internal::Benchmark* bench)
{
    if (!benchShortMode())
        bench->MinTime(2);
}
BENCHMARK(startAndClose)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(twoSecondsByHand);

} // namespace
