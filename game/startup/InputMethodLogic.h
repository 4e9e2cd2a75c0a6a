#pragma once
#include <string>

#include "data/Events_generated.h"
#include "engine/events/EventReceiver.h"
#include "engine/input/InputControllers.h"
#include "engine/shell/LogicState.h"
#include "game/config/Preferences.h"

namespace Game {

// The method picker: the player answers up to three questions, each an input controller loaded
// at set-up, and the command of the last answer ends the state. "PICK" and "PICK-SWITCH" open
// the next question; an input method's name leads on to loading that method, anything else to
// the end of the program.
class InputMethodLogic : public ILogicState, public EVT::EventReceiver<Zelmo::LogicReturnEvent> {
public:
    // A chosen method is saved to the preferences file at the path.
    explicit InputMethodLogic(Input::InputControllers& controllers,
                              std::string preferencesPath = Zelmo::kPreferencesFile)
        : m_controllers(controllers), m_preferencesPath(std::move(preferencesPath)) {}

    // Taken whether or not the state is active; acted on at the next update.
    void receive(const Zelmo::LogicReturnEvent& event) override;
    void enter(const LogicEntry& previous, const std::string& command) override;
    std::string update(float dtMs) override;
    // Takes the picker's areas off the screen: what follows brings its own input.
    void leave(const std::string& reason) override;

private:
    Input::InputControllers& m_controllers;
    std::string m_preferencesPath;
    std::string m_pending;
};

}  // namespace Game
