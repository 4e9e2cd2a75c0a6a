#include "game/world/ProfileTimer.h"

#include "engine/util/Random.h"

namespace Zelmo {

void ProfileTimer::start() { m_start = Util::Random::timeStampCounter(); }

void ProfileTimer::stop() {
    m_sum += Util::Random::timeStampCounter() - m_start;
    if (++m_count < m_samplesPerAverage) return;
    const uint64_t average = m_sum / uint64_t(m_count);
    if (m_averages.size() < kAverageWindow) {
        m_averages.push_back(average);
    } else {
        m_averages[m_nextAverage] = average;
    }
    m_nextAverage = (m_nextAverage + 1) % kAverageWindow;
    m_sum = 0;
    m_count = 0;
}

std::vector<uint64_t> ProfileTimer::averages() const {
    if (m_averages.size() < kAverageWindow) return m_averages;
    std::vector<uint64_t> ordered(m_averages.begin() + long(m_nextAverage), m_averages.end());
    ordered.insert(ordered.end(), m_averages.begin(), m_averages.begin() + long(m_nextAverage));
    return ordered;
}

}  // namespace Zelmo
