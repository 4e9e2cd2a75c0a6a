#pragma once
#include <cstdint>

namespace Input {

// Remaining milliseconds of one switch timer, with the value it was last started with so that
// its progress can be shown. Not running at 0.
class Countdown {
public:
    void start(int32_t ms) {
        m_remaining = ms;
        m_total = ms;
    }
    void countDownTo(int32_t ms) { m_remaining = ms; }
    // Negative timings from data count as off.
    bool isRunning() const { return m_remaining > 0; }
    int32_t getRemaining() const { return m_remaining; }
    int32_t getTotal() const { return m_total; }

private:
    int32_t m_remaining = 0;
    int32_t m_total = 0;
};

}  // namespace Input
