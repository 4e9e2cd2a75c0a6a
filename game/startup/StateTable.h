#pragma once

class AppContext;

namespace Zelmo {

// Registers the program's twelve logic states, in order, with their transitions.
void registerStates(AppContext& context);

}  // namespace Zelmo
