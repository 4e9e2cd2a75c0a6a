#include "engine/devices/JoypadStrings.h"

#include <string>

namespace Devices {

JoypadStrings::JoypadStrings() : m_names(0, "NONE") {
    const char* const bitNames[12] = {"UP",      "DN",      "LF", "RT", "DPAD_UP", "DPAD_DN",
                                      "DPAD_LF", "DPAD_RT", "B1", "B2", "B3",      "B4"};
    for (uint32_t bits = 1; bits < (1u << 12); ++bits) {
        std::string name;
        for (int bit = 0; bit < 12; ++bit) {
            if (bits & (1u << bit)) {
                if (!name.empty()) name += '+';
                name += bitNames[bit];
            }
        }
        m_names.add(bits, name);
    }
}

}  // namespace Devices
