#include "engine/devices/MouseStrings.h"

#include <utility>

#include "engine/devices/KeyCodes.h"

namespace Devices {

MouseStrings::MouseStrings() : m_names(0, "INVALID") {
    const std::pair<uint32_t, const char*> sets[] = {{0, "NONE"},
                                                     {MOUSE_LEFT, "LMB"},
                                                     {MOUSE_RIGHT, "RMB"},
                                                     {MOUSE_MIDDLE, "MMB"},
                                                     {MOUSE_LEFT | MOUSE_RIGHT, "LMB+RMB"},
                                                     {MOUSE_LEFT | MOUSE_MIDDLE, "LMB+MMB"},
                                                     {MOUSE_RIGHT | MOUSE_MIDDLE, "RMB+MMB"},
                                                     {MOUSE_LEFT | MOUSE_RIGHT | MOUSE_MIDDLE, "LMB+RMB+MMB"}};
    for (const auto& [code, name] : sets) m_names.add(code, name);
}

}  // namespace Devices
