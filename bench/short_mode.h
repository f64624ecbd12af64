// The suite's short run of a benchmark: once, to prove it still runs, not for its figures.
#pragma once

#include <benchmark/benchmark.h>

// DERAZODO_BENCH_SHORT is set in the environment.
bool benchShortMode();
// Last in a benchmark's registration (->Apply): its own iterations, repetitions or time stand by
// hand; the short run makes one iteration of it.
void onceInShortRun(benchmark::internal::Benchmark* bench);
