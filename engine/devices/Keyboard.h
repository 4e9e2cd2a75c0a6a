#pragma once
#include <array>
#include <cstdint>

#include "engine/devices/KeyCodes.h"

namespace Devices {

// Which keys are down right now, by key code.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual void reset();

    // Returns the code, so that the caller can pass it straight on.
    KeyCode setKey(KeyCode code, bool down);
    bool isDown(KeyCode code) const { return m_down[code] != 0; }

private:
    std::array<uint8_t, 256> m_down{};
};

}  // namespace Devices
