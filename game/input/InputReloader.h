#pragma once

namespace Zelmo {

// The state that loads the input method's controllers; the controls screen asks it to load them
// again, so that changed bindings take effect.
class IInputReloader {
public:
    virtual ~IInputReloader() = default;
    // Loads the input configurations again with the current input method and bindings.
    virtual void reloadInputs() = 0;
};

}  // namespace Zelmo
