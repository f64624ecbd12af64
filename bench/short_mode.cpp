// The suite's short run of a benchmark.
#include "bench/short_mode.h"

#include <cstdlib>

bool benchShortMode()
{
    static const bool short_mode = std::getenv("DERAZODO_BENCH_SHORT") != nullptr;
    return short_mode;
}

void onceInShortRun(benchmark::internal::Benchmark* bench)
{
    if (benchShortMode())
        bench->Iterations(1)->Repetitions(1);
}
