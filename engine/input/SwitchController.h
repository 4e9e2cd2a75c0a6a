#pragma once
#include <memory>
#include <vector>

#include "engine/input/ActionId.h"
#include "engine/input/IScreenArea.h"
#include "engine/input/Switch.h"
#include "engine/input/TriggerId.h"
#include "engine/util/NonCopyable.h"

namespace Input {

// Owns the switches of one input controller and runs their timing. Every operation appends
// the actions it fires to the caller's list; areas are told apart by name only.
class SwitchController : Util::NonCopyable {
public:
    SwitchController() = default;
    virtual ~SwitchController() = default;

    // Stores a copy; returns the number of switches afterwards.
    virtual int add(const Switch& newSwitch);
    // Positions count from 1. False when there is no such switch.
    virtual bool remove(size_t position);
    // Null when there is no such switch.
    virtual Switch* get(size_t position) const;

    // Advances the timers of the area's switches by the elapsed milliseconds.
    virtual void tick(std::vector<ActionId>& actions, const IScreenArea& area, int ms);
    virtual void leaveArea(std::vector<ActionId>& actions, const IScreenArea& area);
    // Restarts the timers of every switch, whatever its area, so that dwell starts afresh.
    virtual void enterArea(std::vector<ActionId>& actions, const IScreenArea& area);
    // Stops the countdowns of the area's dwell switches until the area is entered again.
    void stopDwell(const IScreenArea& area);
    // A device event, already turned into a trigger of its kind.
    virtual void trigger(std::vector<ActionId>& actions, const IScreenArea& area, const TriggerId& event, bool pressed);
    // The longest debounce time among the switches, of any area, whose trigger the device
    // event fires: a key, button or pad bit is debounced alike on every area of the screen.
    int32_t debounceTime(const TriggerId& event) const;
    // The area's switches, of the type unless it is UNDEF (any type); whether any was found.
    virtual bool findSwitches(std::vector<Switch*>& found, const IScreenArea& area, TriggerType type) const;
    virtual void clear();

private:
    static void fireActions(std::vector<ActionId>& actions, const Switch& source, const std::vector<ActionId>& list);
    static void press(Switch& pressed, std::vector<ActionId>& actions);
    static void release(Switch& released, std::vector<ActionId>& actions);
    static void endPress(Switch& ended, std::vector<ActionId>& actions);
    static void advanceTimers(Switch& ticked, std::vector<ActionId>& actions, int ms);

    std::vector<std::unique_ptr<Switch>> m_switches;
};

}  // namespace Input
