#include "engine/input/TriggerType.h"

#include <utility>

namespace Input {

std::optional<TriggerType> triggerTypeOfName(const std::string& name) {
    static const std::pair<const char*, TriggerType> kNames[] = {
        {"UNDEF", TriggerType::UNDEF},           {"KEY", TriggerType::KEY},
        {"MOUSE", TriggerType::MOUSE},           {"WHEEL_UP", TriggerType::WHEEL_UP},
        {"WHEEL_DN", TriggerType::WHEEL_DN},     {"DWELL", TriggerType::DWELL},
        {"ENTERLEAVE", TriggerType::ENTERLEAVE}, {"JPAD", TriggerType::JPAD},
        {"EXTERNAL", TriggerType::EXTERNAL}};
    for (const auto& [text, type] : kNames) {
        if (name == text) return type;
    }
    return std::nullopt;
}

}  // namespace Input
