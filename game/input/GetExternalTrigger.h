#pragma once
#include <string>

#include "engine/input/TriggerId.h"

namespace Zelmo {

// The user's key bindings as the provider of EXTERNAL triggers. A slot of an input configuration
// (a key, mouse or joypad code) only chooses the setting to read, the binding prefix of its kind
// (SettingKeys.h) followed by the code's display name; the trigger text stored there decides
// what fires, whatever its kind. Bindings are read when a configuration loads, so a changed
// binding takes effect at the next load.
class GetExternalTrigger : public Input::TriggerId::IExternals {
public:
    Input::TriggerId getKeyTrigger(KeyCode key) override;
    Input::TriggerId getMouseTrigger(uint32_t buttons) override;
    Input::TriggerId getJoypadTrigger(uint32_t bits) override;
};

// The setting that holds the player's binding of the first non-zero of key, mouse buttons and
// joypad bits, as an EXTERNAL slot reads them; empty when all three are 0.
std::string bindingSettingOf(KeyCode key, uint32_t mouseButtons, uint32_t joypadBits);

// Makes the one process-wide GetExternalTrigger the provider of EXTERNAL triggers; set-up calls
// it before the first input configuration loads.
void installKeyBindings();

}  // namespace Zelmo
