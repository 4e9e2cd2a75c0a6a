#include <benchmark/benchmark.h>

#include <string>

#include "engine/tween/Easing.h"

namespace {

// Lookups happen when data is loaded; the last name in the table is the slowest to find.
void BM_FindEaser(benchmark::State& state) {
    const std::string names[] = {"inBack", "inOutQuad", "outInSine", "Rand"};
    const std::string& name = names[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(Tween::findEaser(name));
    state.SetLabel(name);
}
BENCHMARK(BM_FindEaser)->DenseRange(0, 3);

void BM_EaseOutElastic(benchmark::State& state) {
    float t = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Penner::Elastic::easeOut(t, 0.0f, 1.0f, 1.0f));
        t = t > 1.0f ? 0.0f : t + 0.001f;
    }
}
BENCHMARK(BM_EaseOutElastic);

}  // namespace
