#include "engine/input/SwitchController.h"

#include <algorithm>

#include "engine/util/Text.h"

namespace Input {

int SwitchController::add(const Switch& newSwitch) {
    m_switches.push_back(std::make_unique<Switch>(newSwitch));
    return static_cast<int>(m_switches.size());
}

bool SwitchController::remove(size_t position) {
    if (position == 0 || position > m_switches.size()) return false;
    m_switches.erase(m_switches.begin() + static_cast<std::ptrdiff_t>(position - 1));
    return true;
}

Switch* SwitchController::get(size_t position) const {
    if (position == 0 || position > m_switches.size()) return nullptr;
    return m_switches[position - 1].get();
}

void SwitchController::clear() { m_switches.clear(); }

bool SwitchController::findSwitches(std::vector<Switch*>& found, const IScreenArea& area, TriggerType type) const {
    for (const auto& candidate : m_switches) {
        if (candidate->getAreaName() != area.getName()) continue;
        if (type != TriggerType::UNDEF && candidate->getTrigger().getType() != type) continue;
        found.push_back(candidate.get());
    }
    return !found.empty();
}

int32_t SwitchController::debounceTime(const TriggerId& event) const {
    int32_t longest = 0;
    for (const auto& candidate : m_switches) {
        const TriggerId& trigger = candidate->getTrigger();
        if (trigger.getType() == event.getType() && trigger.matches(event)) {
            longest = std::max(longest, trigger.getDebounceTime());
        }
    }
    return longest;
}

void SwitchController::enterArea(std::vector<ActionId>& actions, const IScreenArea& area) {
    for (const auto& each : m_switches) {
        const TriggerId& trigger = each->getTrigger();
        each->repeatCountdown().start(trigger.getType() == TriggerType::DWELL ? trigger.getDwellTime() : 0);
        each->holdCountdown().start(0);
        each->afterHoldCountdown().start(0);
        each->setHeld(false);
        each->setHoldCycle(false);
    }
    std::vector<Switch*> entered;
    findSwitches(entered, area, TriggerType::ENTERLEAVE);
    for (Switch* each : entered) fireActions(actions, *each, each->getActions().press);
}

void SwitchController::stopDwell(const IScreenArea& area) {
    std::vector<Switch*> dwelling;
    findSwitches(dwelling, area, TriggerType::DWELL);
    for (Switch* each : dwelling) each->repeatCountdown().start(0);
}

void SwitchController::leaveArea(std::vector<ActionId>& actions, const IScreenArea& area) {
    std::vector<Switch*> left;
    findSwitches(left, area, TriggerType::ENTERLEAVE);
    for (Switch* each : left) fireActions(actions, *each, each->getActions().release);
}

void SwitchController::trigger(std::vector<ActionId>& actions, const IScreenArea& area, const TriggerId& event,
                               bool pressed) {
    std::vector<Switch*> candidates;
    findSwitches(candidates, area, event.getType());
    for (Switch* each : candidates) {
        if (!each->getTrigger().matches(event)) continue;
        if (pressed) {
            press(*each, actions);
            each->setPressedSinceTick(true);
        } else {
            release(*each, actions);
        }
    }
}

void SwitchController::tick(std::vector<ActionId>& actions, const IScreenArea& area, int ms) {
    std::vector<Switch*> ticked;
    findSwitches(ticked, area, TriggerType::UNDEF);
    for (Switch* each : ticked) advanceTimers(*each, actions, ms);
}

// A press, or a repeat standing in for one: the hold delay, when there is one, takes over from
// the repeat.
void SwitchController::press(Switch& pressed, std::vector<ActionId>& actions) {
    fireActions(actions, pressed, pressed.getActions().press);
    const TriggerId& trigger = pressed.getTrigger();
    pressed.holdCountdown().start(trigger.getHoldTime());
    pressed.repeatCountdown().start(pressed.holdCountdown().isRunning() ? 0 : trigger.getRepeatTime());
}

// Letting go ends every timer, so nothing fires after the switch is released; a hold in
// progress gets its held-release once.
void SwitchController::release(Switch& released, std::vector<ActionId>& actions) {
    const bool wasHeld = released.isHeld();
    released.repeatCountdown().start(0);
    released.holdCountdown().start(0);
    released.afterHoldCountdown().start(0);
    released.setHeld(false);
    released.setHoldCycle(false);
    const SwitchActions& lists = released.getActions();
    fireActions(actions, released, wasHeld ? lists.heldRelease : lists.release);
}

void SwitchController::endPress(Switch& ended, std::vector<ActionId>& actions) {
    ended.afterHoldCountdown().start(0);
    if (!ended.isHeld()) {
        fireActions(actions, ended, ended.getActions().release);
        return;
    }
    fireActions(actions, ended, ended.getActions().heldRelease);
    const TriggerId& trigger = ended.getTrigger();
    if (ended.isHoldCycle()) {
        ended.holdCountdown().start(trigger.getHoldRepeatTime());
    } else {
        ended.setHeld(false);
        ended.repeatCountdown().start(trigger.getRepeatTime());
    }
}

// Only the first running timer of repeat, hold and after-hold moves; one that runs out fires
// once however far the tick overshoots it.
void SwitchController::advanceTimers(Switch& ticked, std::vector<ActionId>& actions, int ms) {
    if (ticked.isPressedSinceTick()) {
        // A slow frame drawn before the press was seen would otherwise turn a tap into a hold.
        ticked.setPressedSinceTick(false);
        return;
    }
    Countdown& repeat = ticked.repeatCountdown();
    Countdown& hold = ticked.holdCountdown();
    Countdown& afterHold = ticked.afterHoldCountdown();
    if (repeat.isRunning()) {
        if (repeat.getRemaining() - ms > 0) {
            repeat.countDownTo(repeat.getRemaining() - ms);
        } else {
            press(ticked, actions);
        }
    } else if (hold.isRunning()) {
        if (hold.getRemaining() - ms < 1) {
            fireActions(actions, ticked, ticked.getActions().hold);
            ticked.setHeld(true);
            ticked.setHoldCycle(true);
            afterHold.start(ticked.getTrigger().getHoldRepeatTime());
            hold.start(0);
        } else {
            hold.countDownTo(hold.getRemaining() - ms);
        }
    } else if (afterHold.isRunning()) {
        if (afterHold.getRemaining() - ms < 1) {
            endPress(ticked, actions);
        } else {
            afterHold.countDownTo(afterHold.getRemaining() - ms);
        }
    }
}

void SwitchController::fireActions(std::vector<ActionId>& actions, const Switch& source,
                                   const std::vector<ActionId>& list) {
    for (const ActionId& action : list) {
        std::string param = Util::replaceAll(action.getParam(), "[AREA_NAME]", source.getAreaName());
        param = Util::replaceAll(param, "[NEXT_AREA]", source.getNextAreaName());
        param = Util::replaceAll(param, "[PREV_AREA]", source.getPrevAreaName());
        actions.emplace_back(action.getName(), param);
    }
}

}  // namespace Input
