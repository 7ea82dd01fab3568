// One main for every benchmark program file.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
