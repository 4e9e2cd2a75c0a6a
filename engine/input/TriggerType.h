#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace Input {

// What kind of device input a trigger names. The values are those of the input
// configuration files.
enum class TriggerType : int32_t {
    UNDEF = 0,
    KEY = 1,
    MOUSE = 2,
    WHEEL_UP = 3,
    WHEEL_DN = 4,
    DWELL = 5,
    ENTERLEAVE = 6,
    JPAD = 7,
    EXTERNAL = 8,
};

// Looks the type up by its exact name ("KEY", "WHEEL_DN" ...).
std::optional<TriggerType> triggerTypeOfName(const std::string& name);

}  // namespace Input
