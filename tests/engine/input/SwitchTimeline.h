#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "engine/input/ScreenArea.h"
#include "engine/input/SwitchController.h"

// Drives one switch controller through a script and lists what fired, each action name with
// the time it fired at ("press@0 press@200 release@450").
//
// Script tokens, blank-separated: "E" enters the area, "L" leaves it, "P" presses and "R"
// releases the key 'k', "T<ms>" ticks once and "T<ms>x<n>" ticks n times.
class SwitchTimeline {
public:
    SwitchTimeline(Input::SwitchController& controller, const Input::IScreenArea& area)
        : m_controller(controller), m_area(area) {}

    std::string run(const std::string& script) {
        std::istringstream tokens(script);
        std::string token;
        while (tokens >> token) step(token);
        return fired();
    }

    int now() const { return m_now; }

private:
    void step(const std::string& token) {
        if (token == "E") {
            m_controller.enterArea(m_actions, m_area);
        } else if (token == "L") {
            m_controller.leaveArea(m_actions, m_area);
        } else if (token == "P" || token == "R") {
            m_controller.trigger(m_actions, m_area, Input::TriggerId::makeKey('k', 0), token == "P");
            // The frame that sees a press ticks with time that ran before it; a script's ticks
            // are time after the press, so that frame passes at once.
            if (token == "P") m_controller.tick(m_actions, m_area, 0);
        } else if (token[0] == 'T') {
            const size_t times = token.find('x');
            const int ms = std::stoi(token.substr(1, times == std::string::npos ? std::string::npos : times - 1));
            const int count = times == std::string::npos ? 1 : std::stoi(token.substr(times + 1));
            for (int i = 0; i < count; ++i) {
                m_now += ms;
                m_controller.tick(m_actions, m_area, ms);
                note();
            }
            return;
        }
        note();
    }

    // Stamps the actions fired since the last step with the current time.
    void note() {
        for (const auto& action : m_actions) {
            if (!m_log.empty()) m_log += ' ';
            m_log += action.getName() + "@" + std::to_string(m_now);
        }
        m_actions.clear();
    }

    std::string fired() const { return m_log; }

    Input::SwitchController& m_controller;
    const Input::IScreenArea& m_area;
    std::vector<Input::ActionId> m_actions;
    std::string m_log;
    int m_now = 0;
};

// A switch on the area whose four lists each fire one action named after the list.
inline Input::Switch namedListsSwitch(const std::string& area, const Input::TriggerId& trigger) {
    Input::Switch made;
    made.setAreaFromList(0, {area});
    made.setTrigger(trigger);
    made.setActions({{{"press", ""}}, {{"release", ""}}, {{"hold", ""}}, {{"heldrelease", ""}}});
    return made;
}
