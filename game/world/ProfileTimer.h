#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Zelmo {

// Time-stamp-counter cost of a piece of work, averaged over a number of runs. Only the latest
// averages are kept, so a long game does not grow the timer.
class ProfileTimer {
public:
    static constexpr size_t kAverageWindow = 1000;

    explicit ProfileTimer(int samplesPerAverage = 1) : m_samplesPerAverage(samplesPerAverage) {}

    void start();
    void stop();

    // Oldest first.
    std::vector<uint64_t> averages() const;

private:
    uint64_t m_start = 0;
    int m_samplesPerAverage;
    uint64_t m_sum = 0;
    int m_count = 0;
    std::vector<uint64_t> m_averages;  // a ring once full
    size_t m_nextAverage = 0;
};

}  // namespace Zelmo
