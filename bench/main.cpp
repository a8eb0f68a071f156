// One entry point for all the benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
