#pragma once
#include <cstdint>

#include <pcg_random.hpp>

namespace Util {

// The random-number generator: PCG32 (XSH RR, 64-bit state, 32-bit output).
// A stream of 0 in any seeding form stands for the processor's time-stamp counter.
class Random {
public:
    // Seeded from the system's random device (stream and initial state both drawn from it).
    Random();
    // The published seeding with an initial state of 0.
    explicit Random(uint64_t stream);

    // The published seeding: (initState + inc) * multiplier + inc.
    void seed(uint64_t initState, uint64_t stream);

    uint32_t next();
    // Unbiased integer in [0, bound); a bound of 0 is a fatal stop.
    uint32_t nextInt(uint32_t bound);
    // (1.0 + r * 2^-32) - 1.0 as float: [0, 1], exactly 1.0 for the 128 largest draws.
    float nextFloat();

    static uint64_t timeStampCounter();

private:
    static uint64_t streamOrCounter(uint64_t stream);

    pcg32 m_engine;
};

}  // namespace Util
