// Entry of the benchmark executable; the benchmarks live in the other files.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
