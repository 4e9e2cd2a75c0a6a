#include "engine/devices/Keyboard.h"

namespace Devices {

void Keyboard::reset() {
    m_down.fill(0);
    m_pressed.fill(0);
}

KeyCode Keyboard::setKey(KeyCode code, bool down) {
    m_down[code] = down ? 1 : 0;
    if (down) m_pressed[code] = 1;
    return code;
}

}  // namespace Devices
