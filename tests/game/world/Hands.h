#pragma once
#include <string>

#include "tests/game/world/WorldHarness.h"

namespace WorldTest {

// What the autopilot wants of the player's controls: a way to walk (or none) and the punch held
// or not. Keyboard hands give it at once; a simulated player of another way to play gets there
// in its own time, through that way's controls.
struct Intent {
    // "UP", "DN", "LF", "RT", or null to stand.
    const char* direction = nullptr;
    bool punch = false;
    bool operator==(const Intent& other) const { return direction == other.direction && punch == other.punch; }
};

class Hands {
public:
    virtual ~Hands() = default;
    // Replaces what is wanted from now on.
    virtual void want(const Intent& intent) = 0;
    // Runs once before every update of the game: the hands' own time passes.
    virtual void beforeStep() {}
    // The player now does what is wanted.
    virtual bool settled() = 0;
    // Presses of the key or switch, or the pointer's moves onto a control.
    virtual int presses() const = 0;
    // From the autopilot letting go of a walk until the player's walk ends, in milliseconds.
    virtual float lagMs() const = 0;
};

// A keyboard player: every change of intent is a key pressed or let go of at once.
class KeyboardHands : public Hands {
public:
    explicit KeyboardHands(WorldHarness& harness) : m_harness(harness) {}
    void want(const Intent& intent) override;
    bool settled() override { return true; }
    int presses() const override { return m_presses; }
    float lagMs() const override { return 0.0f; }

private:
    WorldHarness& m_harness;
    Intent m_held;
    int m_presses = 0;
};

}  // namespace WorldTest
