#pragma once
#include <string>

#include "engine/input/InputController.h"
#include "tests/game/world/Hands.h"
#include "tests/game/world/WorldHarness.h"

namespace WorldTest {

// Loads the input method's "GAME" controls into the harness's context, as the game's start-up
// does, with the timing of data/accessibility.json; false when they do not load.
bool loadGameControls(WorldHarness& harness, const std::string& method);

// A person playing with one key, one switch or a head tracker, through nothing but that method's
// "GAME" controls (loaded with loadGameControls). It sees what is lit and where the player faces,
// and reacts no sooner than kReactionMs after what it sees: a box lighting, or what it wants
// changing. A key or switch held for a goal is let go of no sooner than kReactionMs after that
// goal is met. To punch a way the player does not face it first walks that way.
//
// ONEKEY waits for the box it wants to light and holds the key; ONESWITCH taps round to its box
// and holds the switch through the countdown; HEADTRACKER moves the pointer to the band or box
// in kTravelMs and rests there, and back to the still middle to stand.
class SimulatedPlayer : public Hands {
public:
    static constexpr float kReactionMs = 300.0f;
    // A tap on the switch, well short of any hold's countdown, and the least time from letting go
    // to pressing again.
    static constexpr float kTapMs = 120.0f;
    // A head moving the pointer across the screen.
    static constexpr float kTravelMs = 400.0f;

    SimulatedPlayer(WorldHarness& harness, const std::string& method);

    void want(const Intent& intent) override;
    void beforeStep() override;
    bool settled() override;
    int presses() const override { return m_presses; }
    float lagMs() const override;

private:
    // The box or band the player goes for now: "UP", "RIGHT", "DOWN", "LEFT", "PUNCH", or empty
    // to hold nothing.
    std::string goal();
    bool holdsPunch();
    // The pointer's rest on the control before it acts, in milliseconds.
    float dwellOn(const std::string& area);
    Input::InputController& controls();
    void oneKey();
    void oneSwitch();
    void headTracker();
    void press();
    void release();
    void pointAt(float x, float y);
    bool reacted(float since) const { return m_clock >= since + kReactionMs; }

    WorldHarness& m_harness;
    std::string m_method;
    Intent m_intent;
    float m_clock = 0.0f;
    std::string m_goal;
    float m_goalSince = 0.0f;
    // What is lit (the current area) and since when.
    std::string m_lit;
    float m_litSince = 0.0f;
    bool m_down = false;
    bool m_tapping = false;
    float m_downSince = 0.0f;
    float m_releasedAt = -1e9f;
    int m_presses = 0;
    // The head tracker's pointer, in percent of the window, and its way to the goal.
    float m_x = 50.0f, m_y = 50.0f;
    float m_fromX = 50.0f, m_fromY = 50.0f;
    float m_travelSince = -1.0f;
    float m_restSince = 0.0f;
    std::string m_pointedAt;
};

}  // namespace WorldTest
