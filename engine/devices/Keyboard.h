#pragma once
#include <array>
#include <cstdint>

#include "engine/devices/KeyCodes.h"

namespace Devices {

// Which keys are down right now, by key code, and which went down since the frame began.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    virtual void reset();

    // Returns the code, so that the caller can pass it straight on.
    KeyCode setKey(KeyCode code, bool down);
    bool isDown(KeyCode code) const { return m_down[code] != 0; }
    // A press that arrived since the last endFrame, even when its release came with it: a tap
    // quicker than a frame is still one press for code that looks once a frame.
    bool wasPressed(KeyCode code) const { return m_pressed[code] != 0; }
    // Called once a frame, after everything that reads the keyboard has had its turn.
    void endFrame() { m_pressed.fill(0); }

private:
    std::array<uint8_t, 256> m_down{};
    std::array<uint8_t, 256> m_pressed{};
};

}  // namespace Devices
