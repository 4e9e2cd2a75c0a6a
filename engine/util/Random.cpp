#include "engine/util/Random.h"

#include <random>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#else
#include <chrono>
#endif

#include "engine/util/Fatal.h"

namespace Util {

Random::Random() {
    std::random_device l_device;
    auto l_draw64 = [&l_device] { return (uint64_t(l_device()) << 32) | l_device(); };
    const uint64_t l_stream = l_draw64();
    const uint64_t l_state = l_draw64();
    seed(l_state, l_stream);
}

Random::Random(uint64_t stream) : m_engine(0u, streamOrCounter(stream)) {}

void Random::seed(uint64_t initState, uint64_t stream) {
    m_engine.seed(initState, streamOrCounter(stream));
}

uint32_t Random::next() { return m_engine(); }

uint32_t Random::nextInt(uint32_t bound) {
    if (bound == 0) fatal("Random::nextInt called with a bound of 0");
    return m_engine(bound);
}

float Random::nextFloat() {
    const double l_value = 1.0 + double(next()) * (1.0 / 4294967296.0);
    return float(l_value - 1.0);
}

uint64_t Random::timeStampCounter() {
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

uint64_t Random::streamOrCounter(uint64_t stream) { return stream == 0 ? timeStampCounter() : stream; }

}  // namespace Util
