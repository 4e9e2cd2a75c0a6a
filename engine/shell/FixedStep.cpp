#include "engine/shell/FixedStep.h"

#include <algorithm>
#include <cmath>

namespace Game {

// The pending time starts, and starts again after a stall, at half a step: a pass at the step
// rate (a display refreshing 60 times a second) then finds its step due half a step before the
// next would be, and a frame a few milliseconds early or late still runs exactly one, instead of
// none and then two whenever the clock's jitter crosses a step's end.
FixedStep::FixedStep(double stepMs, int maxSteps)
    : m_stepMs(stepMs > 0.0 && std::isfinite(stepMs) ? stepMs : 1000.0 / 60.0),
      m_maxSteps(std::max(maxSteps, 1)),
      m_pendingMs(m_stepMs / 2) {}

int FixedStep::advance(double realMs) {
    if (realMs > 0.0 && std::isfinite(realMs)) m_pendingMs += realMs;
    const double due = std::floor(m_pendingMs / m_stepMs);
    if (due > double(m_maxSteps)) {
        const double kept = double(m_maxSteps) * m_stepMs + m_stepMs / 2;
        m_droppedMs += m_pendingMs - kept;
        m_pendingMs = m_stepMs / 2;
        return m_maxSteps;
    }
    const int steps = int(due);
    m_pendingMs -= double(steps) * m_stepMs;
    // Rounding may leave a hair below zero.
    m_pendingMs = std::max(m_pendingMs, 0.0);
    return steps;
}

int FixedStep::maxStepsFor(double stepMs) {
    if (!(stepMs > 0.0) || !std::isfinite(stepMs)) return 1;
    // Rounded: a step of float milliseconds divides the quarter second a hair off a whole number.
    return std::max(1, int(std::lround(kMostCatchUpMs / stepMs)));
}

}  // namespace Game
