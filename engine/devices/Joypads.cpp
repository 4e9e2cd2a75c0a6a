#include "engine/devices/Joypads.h"

#include <algorithm>

#include "engine/devices/KeyCodes.h"

namespace Devices {
namespace {

bool isKnownPad(int pad) { return pad >= 0 && pad < Joypads::kPads; }

bool buttonDown(const std::vector<int>& buttons, size_t index) { return index < buttons.size() && buttons[index] != 0; }

}  // namespace

void Joypads::setState(int pad, int x, int y, const std::vector<int>& buttons) {
    if (!isKnownPad(pad)) return;
    Pad& state = m_pads[pad];
    state.x = x;
    state.y = y;
    // Buttons the list does not reach keep what they were.
    const size_t given = std::min(buttons.size(), static_cast<size_t>(kButtons));
    for (size_t i = 0; i < given; ++i) state.buttons[i] = buttons[i] != 0;
    state.dpadUp = buttonDown(buttons, 10);
    state.dpadRight = buttonDown(buttons, 11);
    state.dpadDown = buttonDown(buttons, 12);
    state.dpadLeft = buttonDown(buttons, 13);
}

uint32_t Joypads::getState(int pad) const {
    if (!isKnownPad(pad)) return 0;
    const Pad& state = m_pads[pad];
    uint32_t bits = 0;
    if (state.y > 0) bits |= JPAD_UP;
    if (state.y < 0) bits |= JPAD_DN;
    if (state.x < 0) bits |= JPAD_LF;
    if (state.x > 0) bits |= JPAD_RT;
    if (state.dpadUp) bits |= JPAD_DPAD_UP;
    if (state.dpadDown) bits |= JPAD_DPAD_DN;
    if (state.dpadLeft) bits |= JPAD_DPAD_LF;
    if (state.dpadRight) bits |= JPAD_DPAD_RT;
    const uint32_t buttonBits[] = {JPAD_B1, JPAD_B2, JPAD_B3, JPAD_B4};
    for (int i = 0; i < 4; ++i) {
        if (state.buttons[i]) bits |= buttonBits[i];
    }
    return bits;
}

}  // namespace Devices
