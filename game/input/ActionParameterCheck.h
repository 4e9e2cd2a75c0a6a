#pragma once
#include <string>

#include "engine/input/ActionId.h"

namespace Zelmo {

// What is wrong with an action's parameter that the game reads as a number when the action
// fires ("START_ACTION", "STOP_ACTION", "INTRO_SPEED"), as one line naming the action and the
// parameter; empty when nothing is. The data lint runs it over every action of every input
// file, so that a bad file fails the tests instead of stopping the game at a key press.
std::string actionParameterFault(const Input::ActionId& action);

}  // namespace Zelmo
