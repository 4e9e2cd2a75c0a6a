#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/X11Window.h"

namespace E2E {

// The steps a player takes through the real binary, each in the way one input method allows (a
// key tapped or held, a choice waited for, the pointer rested), each waiting to see what a
// player would see. The walks through the running game share them. The picture that showed each
// step is kept for a person to look at, named after the walk, the method and the step.
class PlayerSteps : public ::testing::Test {
protected:
    static constexpr int kStepTimeoutMs = kSeeTimeoutMs;
    static constexpr int kWalkTimeoutMs = 2 * kSeeTimeoutMs;  // a walk across a room on a busy machine

    // walk: the first word of the kept pictures' names.
    explicit PlayerSteps(std::string walk) : m_walk(std::move(walk)) {}
    void SetUp() override;
    void TearDown() override { game.reset(); }

    // The method the pictures kept from now on are named after.
    void playWith(const std::string& method) { m_method = method; }
    const std::string& method() const { return m_method; }

    // Waits to see what the test looks for, and keeps the picture that showed it (or the last).
    bool see(const std::function<bool(const Picture&)>& seen, const std::string& name, int timeoutMs = kStepTimeoutMs);
    // Holds the keys until the test sees what it looks for, keeping the picture, then lets go.
    bool holdUntil(const std::string& keys, const std::function<bool(const Picture&)>& seen, const std::string& name,
                   int timeoutMs = kStepTimeoutMs);
    void keep(const Picture& picture, const std::string& name) const;
    void tap(const std::string& key);

    // The choice of the page lit in the picture; for the running game's on-screen controls
    // (`controls`), the control lit.
    std::string lightOn(const PickerPage& page, const Picture& picture) const;
    bool lit(const PickerPage& page, const std::string& choice, int timeoutMs = kStepTimeoutMs);
    // The choice lights again as the scan comes round to it: a one-key player presses as soon as
    // it does, with the whole time it stays lit ahead.
    bool litAfresh(const PickerPage& page, const std::string& choice);
    // Holds the one key on a control of the running game until the goal shows. A press that
    // comes as the light moves on takes the next control, which stays lit while held: the
    // player lets go and waits for the control to come round again.
    bool holdControl(const std::string& control, const std::function<bool(const Picture&)>& goal,
                     const std::string& name);
    // One key taps the light on to the choice (each tap waits to see the light move), or waits
    // for the page to light it, then holds the key until the test sees what taking it shows; in
    // the running game, again while another control is seen lit instead.
    bool takeWithOneKey(const PickerPage& page, const std::string& choice, bool tapToMoveOn,
                        const std::function<bool(const Picture&)>& taken, const std::string& name);
    void restOn(const PickerPage& page, const std::string& area);
    // Rests the pointer on an area until the goal shows, keeping the picture.
    bool restUntil(const PickerPage& page, const std::string& area, const std::function<bool(const Picture&)>& goal,
                   const std::string& name, int timeoutMs = kStepTimeoutMs);

    std::unique_ptr<X11Window> window;
    std::unique_ptr<GameProcess> game;
    std::unique_ptr<PickerPage> controls;  // the running game's on-screen controls, when it has them

private:
    // Tries at a control of the running game before a walk gives up on it.
    static constexpr int kHoldTries = 3;
    // Holds the key until the goal shows and says whether it did; on the running game's controls
    // it lets go as soon as another control shows lit, which a hold that came as the light moved
    // on has taken.
    bool holdWhileLit(const PickerPage& page, const std::string& choice,
                      const std::function<bool(const Picture&)>& goal, const std::string& name, int timeoutMs);

    std::string m_walk;
    std::string m_method;
};

}  // namespace E2E
