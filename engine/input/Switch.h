#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/input/ActionId.h"
#include "engine/input/Countdown.h"
#include "engine/input/TriggerId.h"

namespace Input {

// The four lists of actions a switch fires.
struct SwitchActions {
    std::vector<ActionId> press;
    std::vector<ActionId> release;
    std::vector<ActionId> hold;         // when the hold delay runs out while pressed
    std::vector<ActionId> heldRelease;  // the end of a hold
};

// Colours (0xRRGGBBAA) that show how far a countdown has run; 0 hides it.
struct SwitchColours {
    uint32_t repeat = 0;
    uint32_t hold = 0;
    uint32_t afterHold = 0;
};

// Binds one trigger to one named screen area, with the actions it fires and the state of its
// repeat, hold and after-hold timers. Copied member by member.
class Switch {
public:
    Switch() = default;
    virtual ~Switch() = default;
    Switch(const Switch&) = default;
    Switch& operator=(const Switch&) = default;

    // Takes the area at position i of the list and its neighbours, the list wrapping round at
    // both ends, so that "[PREV_AREA]" and "[NEXT_AREA]" step through the list.
    void setAreaFromList(size_t i, const std::vector<std::string>& names);
    const std::string& getAreaName() const { return m_areaName; }
    const std::string& getPrevAreaName() const { return m_prevAreaName; }
    const std::string& getNextAreaName() const { return m_nextAreaName; }

    void setTrigger(const TriggerId& trigger) { m_trigger = trigger; }
    const TriggerId& getTrigger() const { return m_trigger; }

    void setActions(const SwitchActions& actions) { m_actions = actions; }
    const SwitchActions& getActions() const { return m_actions; }

    void setColours(const SwitchColours& colours) { m_colours = colours; }
    const SwitchColours& getColours() const { return m_colours; }

    Countdown& repeatCountdown() { return m_repeat; }
    Countdown& holdCountdown() { return m_hold; }
    Countdown& afterHoldCountdown() { return m_afterHold; }
    const Countdown& repeatCountdown() const { return m_repeat; }
    const Countdown& holdCountdown() const { return m_hold; }
    const Countdown& afterHoldCountdown() const { return m_afterHold; }

    // The hold list has fired and its held-release is still due.
    bool isHeld() const { return m_held; }
    void setHeld(bool held) { m_held = held; }
    // The switch is cycling between hold and held-release.
    bool isHoldCycle() const { return m_holdCycle; }
    void setHoldCycle(bool cycling) { m_holdCycle = cycling; }
    // Pressed since the timers last moved. The next tick's time ran mostly before the press was
    // seen (events arrive after a frame is drawn), so it must not count towards a hold.
    bool isPressedSinceTick() const { return m_pressedSinceTick; }
    void setPressedSinceTick(bool pressed) { m_pressedSinceTick = pressed; }

private:
    std::string m_areaName;
    std::string m_prevAreaName;
    std::string m_nextAreaName;
    TriggerId m_trigger;
    SwitchActions m_actions;
    SwitchColours m_colours;
    Countdown m_repeat;
    Countdown m_hold;
    Countdown m_afterHold;
    bool m_held = false;
    bool m_holdCycle = false;
    bool m_pressedSinceTick = false;
};

}  // namespace Input
