#pragma once

#include "game/startup/CommandLine.h"

class AppContext;

namespace Zelmo {

// Wires the game to the application context: creates the "out" file, then the action handler,
// the input configurations and the logic states. False fails the start (exit code 1).
bool setUp(const CommandLine& commandLine, AppContext& context);
bool setUpInputAndStates(AppContext& context);

}  // namespace Zelmo
