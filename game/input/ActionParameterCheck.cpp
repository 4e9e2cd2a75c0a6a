#include "game/input/ActionParameterCheck.h"

#include <sstream>

#include "game/input/InputActionHandler.h"

namespace Zelmo {
namespace {

// Stricter than the game's own reading, which takes the number at the front and ignores the
// rest: a parameter such as "1,5" or "2x" reads without complaint but is not what was meant.
template <typename T>
bool readsAsWholeNumber(const std::string& text, T& value) {
    std::istringstream l_stream(text);
    l_stream >> value;
    if (l_stream.fail()) return false;
    l_stream >> std::ws;
    return l_stream.eof();
}

std::string fault(const Input::ActionId& action, const std::string& what) {
    return action.getName() + " \"" + action.getParam() + "\": " + what;
}

std::string buttonFault(const Input::ActionId& action) {
    int l_button = 0;
    if (!readsAsWholeNumber(action.getParam(), l_button)) return fault(action, "not a whole number");
    if (l_button < 0 || l_button >= kPlayerButtonCount) {
        return fault(action, "no player button has this number (0 to " + std::to_string(kPlayerButtonCount - 1) + ")");
    }
    return {};
}

std::string speedFault(const Input::ActionId& action) {
    float l_speed = 0.0f;
    if (!readsAsWholeNumber(action.getParam(), l_speed)) return fault(action, "not a number");
    return {};
}

}  // namespace

std::string actionParameterFault(const Input::ActionId& action) {
    const std::string& l_name = action.getName();
    if (l_name == "START_ACTION" || l_name == "STOP_ACTION") return buttonFault(action);
    if (l_name == "INTRO_SPEED") return speedFault(action);
    return {};
}

}  // namespace Zelmo
