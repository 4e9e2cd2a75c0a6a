#include "game/input/ActionParameterCheck.h"

#include <sstream>

#include "game/input/InputActionHandler.h"

namespace Zelmo {
namespace {

// Stricter than the game's own reading, which takes the number at the front and ignores the
// rest: a parameter such as "1,5" or "2x" reads without complaint but is not what was meant.
template <typename T>
bool readsAsWholeNumber(const std::string& text, T& value) {
    std::istringstream stream(text);
    stream >> value;
    if (stream.fail()) return false;
    stream >> std::ws;
    return stream.eof();
}

std::string fault(const Input::ActionId& action, const std::string& what) {
    return action.getName() + " \"" + action.getParam() + "\": " + what;
}

std::string buttonFault(const Input::ActionId& action) {
    int button = 0;
    if (!readsAsWholeNumber(action.getParam(), button)) return fault(action, "not a whole number");
    if (button < 0 || button >= kPlayerButtonCount) {
        return fault(action, "no player button has this number (0 to " + std::to_string(kPlayerButtonCount - 1) + ")");
    }
    return {};
}

std::string speedFault(const Input::ActionId& action) {
    float speed = 0.0f;
    if (!readsAsWholeNumber(action.getParam(), speed)) return fault(action, "not a number");
    return {};
}

}  // namespace

std::string actionParameterFault(const Input::ActionId& action) {
    const std::string& name = action.getName();
    if (name == "START_ACTION" || name == "STOP_ACTION") return buttonFault(action);
    if (name == "INTRO_SPEED") return speedFault(action);
    return {};
}

}  // namespace Zelmo
