#pragma once

namespace Game {

// The game's clock: real time in, whole logic steps of one fixed length out, so that the game
// moves the same distance and runs its timers the same time in a real second whatever the frame
// rate. Each pass of the main loop hands over the time that passed since the last and runs as
// many steps as that calls for; the rest waits for the next pass. After a stall (a level being
// built, a dragged window, a debugger's break) at most maxSteps steps catch up and the time
// beyond them is dropped: the game neither races through the stall at once nor, on a machine too
// slow for it, falls ever further behind.
class FixedStep {
public:
    // The catch-up allowed after a stall, in real time; maxStepsFor turns it into steps.
    static constexpr double kMostCatchUpMs = 250.0;

    // stepMs > 0 and maxSteps >= 1; other values are taken as 1000 / 60 and 1.
    FixedStep(double stepMs, int maxSteps);

    // The steps due now that realMs more have passed (negative or not a number counts as 0),
    // at most maxSteps.
    int advance(double realMs);

    double stepMs() const { return m_stepMs; }
    int maxSteps() const { return m_maxSteps; }
    // Time taken in but not yet stepped: from 0 up to one step.
    double pendingMs() const { return m_pendingMs; }
    // All the time dropped after stalls.
    double droppedMs() const { return m_droppedMs; }

    // kMostCatchUpMs in steps of stepMs, to the nearest whole step, at least 1.
    static int maxStepsFor(double stepMs);

private:
    double m_stepMs;
    int m_maxSteps;
    double m_pendingMs;
    double m_droppedMs = 0.0;
};

}  // namespace Game
