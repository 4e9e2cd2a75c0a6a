#include <benchmark/benchmark.h>

#include "engine/util/Random.h"

namespace {

void BM_RandomNext(benchmark::State& state) {
    Util::Random random(42);
    for (auto _ : state) benchmark::DoNotOptimize(random.next());
}
BENCHMARK(BM_RandomNext);

void BM_RandomNextInt(benchmark::State& state) {
    Util::Random random(42);
    for (auto _ : state) benchmark::DoNotOptimize(random.nextInt(1000));
}
BENCHMARK(BM_RandomNextInt);

void BM_RandomNextFloat(benchmark::State& state) {
    Util::Random random(42);
    for (auto _ : state) benchmark::DoNotOptimize(random.nextFloat());
}
BENCHMARK(BM_RandomNextFloat);

}  // namespace
