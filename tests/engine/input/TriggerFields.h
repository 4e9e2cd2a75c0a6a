#pragma once
#include <cstdint>
#include <ostream>

#include "engine/input/TriggerId.h"

// A trigger's data fields as the getters report them, comparable in one expectation.
struct TriggerFields {
    Input::TriggerType type;
    uint32_t key = 0;
    uint32_t modifiers = 0;
    uint32_t mouse = 0;
    uint32_t bits = 0;
    uint32_t mask = 0;
    uint32_t value = 0;

    static TriggerFields of(const Input::TriggerId& trigger) {
        return {trigger.getType(),     trigger.getKey(),      trigger.getModifiers(), trigger.getMouseButton(),
                trigger.getJpadBits(), trigger.getJpadMask(), trigger.getJpadValue()};
    }
    bool operator==(const TriggerFields& other) const {
        return type == other.type && key == other.key && modifiers == other.modifiers && mouse == other.mouse &&
               bits == other.bits && mask == other.mask && value == other.value;
    }
};

inline std::ostream& operator<<(std::ostream& out, const TriggerFields& f) {
    return out << "{type " << static_cast<int>(f.type) << ", key " << f.key << ", mods " << f.modifiers << ", mouse "
               << f.mouse << ", jpad " << f.bits << "/" << f.mask << "/" << f.value << "}";
}
