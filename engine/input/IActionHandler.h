#pragma once
#include "engine/input/ActionId.h"

namespace Input {

// Receives every action that the current controller's switches fire, in the order fired.
class IActionHandler {
public:
    virtual ~IActionHandler() = default;
    virtual void handleAction(const ActionId& action) = 0;
};

}  // namespace Input
