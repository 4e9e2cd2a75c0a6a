#include <benchmark/benchmark.h>

#include <string>

#include "engine/tween/Easing.h"

namespace {

// Lookups happen when data is loaded; the last name in the table is the slowest to find.
void BM_FindEaser(benchmark::State& state) {
    const std::string l_names[] = {"inBack", "inOutQuad", "outInSine", "Rand"};
    const std::string& l_name = l_names[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(Tween::findEaser(l_name));
    state.SetLabel(l_name);
}
BENCHMARK(BM_FindEaser)->DenseRange(0, 3);

void BM_EaseOutElastic(benchmark::State& state) {
    float l_t = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Penner::Elastic::easeOut(l_t, 0.0f, 1.0f, 1.0f));
        l_t = l_t > 1.0f ? 0.0f : l_t + 0.001f;
    }
}
BENCHMARK(BM_EaseOutElastic);

}  // namespace
