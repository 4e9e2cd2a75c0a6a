#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

#include "engine/psys/RandMovingPointCircle.h"
#include "engine/psys/SplinePath.h"
#include "engine/psys/System.h"

// Every allocation of the process is counted, so that a frame's allocations can be measured.
namespace {
size_t g_allocations = 0;
}  // namespace

// Kept out of line: inlined into a caller, GCC pairs the malloc with the free and warns.
__attribute__((noinline)) void* operator new(size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
__attribute__((noinline)) void* operator new[](size_t size) { return operator new(size); }
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete[](void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, size_t) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

constexpr int kEmitters = 64;
constexpr int kParticlesEach = 1000;
constexpr float kFrame = 16.666666f;

const float kSplinePoints[] = {0, 120, -40, 100, -53, 47, -17, -13, 0, -103};

// 64 emitters, each holding about 1,000 particles: a thousand a second living a second each,
// with random angles and speeds, two gradients of different lengths and moving spawn points.
struct Scene {
    Util::RandMovingPointCircle spread{0.0f, 30.0f, 0.0f};
    CatmullRomSpline spline{kSplinePoints, 5};
    Tween::SplinePath path{0.0f, 0.0f, false, 560.0f, &spline};
    PSys::System system;

    Scene() {
        PSys::ParticleDef def;
        def.rate = kParticlesEach;
        def.duration = -1.0f;
        def.maxParticles = kParticlesEach;
        def.path = &path;
        def.spread = &spread;
        def.angle = {0.0f, 359.0f, 1.0f, Tween::easeRand};
        def.speed = {2.5f, 7.5f, 1.0f, Tween::easeRand};
        def.life = {kParticlesEach, kParticlesEach, 1.0f, Penner::Linear::easeIn};
        def.size0 = {4.0f, 4.0f, 1.0f, Penner::Linear::easeIn};
        def.thickness0 = {4.0f, 5.0f, 60.0f, Penner::Linear::easeIn};
        def.gradients = {{{0.8f, 0xff49a4feu}, {1.0f, 0xff0508feu}, {1.0f, 0x000508feu}},
                         {{1.0f, 0xffe36dbcu}, {1.0f, 0x00702060u}}};
        system.reserve(kEmitters);
        for (int i = 0; i < kEmitters; ++i) {
            const int id = system.add(100 + 10 * i, 200, def, 0.0f, 1.0f);
            system.findEmitter(id)->prime(kParticlesEach);
        }
        // Reach the steady state: every pool slot has held a particle of each gradient.
        for (int frame = 0; frame < 300; ++frame) system.update(kFrame);
    }

    size_t liveParticles() const {
        size_t live = 0;
        for (const PSys::EmitterEntry& entry : system.getEntries()) live += entry.emitter.liveCount;
        return live;
    }
};

void BM_SystemUpdate64x1000(benchmark::State& state) {
    Scene scene;
    const size_t before = g_allocations;
    for (auto _ : state) {
        scene.system.update(kFrame);
        benchmark::ClobberMemory();
    }
    state.counters["allocs/frame"] =
        static_cast<double>(g_allocations - before) / static_cast<double>(state.iterations());
    state.counters["particles"] = static_cast<double>(scene.liveParticles());
}
BENCHMARK(BM_SystemUpdate64x1000)->Unit(benchmark::kMicrosecond);

}  // namespace
