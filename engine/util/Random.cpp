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
    std::random_device device;
    auto draw64 = [&device] { return (uint64_t(device()) << 32) | device(); };
    const uint64_t stream = draw64();
    const uint64_t state = draw64();
    seed(state, stream);
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
    const double value = 1.0 + double(next()) * (1.0 / 4294967296.0);
    return float(value - 1.0);
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
