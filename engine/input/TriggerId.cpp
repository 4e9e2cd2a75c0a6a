#include "engine/input/TriggerId.h"

#include "engine/util/Fatal.h"

namespace Input {

TriggerId::IExternals* TriggerId::externals = nullptr;

TriggerId TriggerId::makeKey(KeyCode key, uint32_t modifiers) {
    TriggerId trigger(TriggerType::KEY);
    trigger.m_key = key;
    trigger.m_modifiers = modifiers;
    return trigger;
}

TriggerId TriggerId::makeMouse(uint32_t buttons) {
    TriggerId trigger(TriggerType::MOUSE);
    trigger.m_mouseButtons = buttons;
    return trigger;
}

TriggerId TriggerId::makeJoypad(uint32_t bits) { return makeJoypad(bits, 0, 0); }

TriggerId TriggerId::makeJoypad(uint32_t bits, uint32_t mask, uint32_t value) {
    TriggerId trigger(TriggerType::JPAD);
    trigger.m_jpadBits = bits;
    trigger.m_jpadMask = mask;
    trigger.m_jpadValue = value;
    return trigger;
}

void TriggerId::setTimers(int32_t dwell, int32_t repeat, int32_t hold, int32_t holdRepeat) {
    m_dwell = dwell;
    m_repeat = repeat;
    m_hold = hold;
    m_holdRepeat = holdRepeat;
}

KeyCode TriggerId::getKey() const { return isA(TriggerType::KEY) ? m_key : 0; }
uint32_t TriggerId::getModifiers() const { return isA(TriggerType::KEY) ? m_modifiers : 0; }
uint32_t TriggerId::getMouseButton() const { return isA(TriggerType::MOUSE) ? m_mouseButtons : 0; }
uint32_t TriggerId::getJpadBits() const { return isA(TriggerType::JPAD) ? m_jpadBits : 0; }
uint32_t TriggerId::getJpadMask() const { return isA(TriggerType::JPAD) ? m_jpadMask : 0; }
uint32_t TriggerId::getJpadValue() const { return isA(TriggerType::JPAD) ? m_jpadValue : 0; }

bool TriggerId::matches(const TriggerId& event) const {
    if (m_type != event.m_type) return false;
    switch (m_type) {
        case TriggerType::KEY:
            return m_key == event.m_key && m_modifiers == event.m_modifiers;
        case TriggerType::MOUSE:
            return m_mouseButtons == event.m_mouseButtons;
        case TriggerType::JPAD:
            // The event's value is the whole current bit set; the bits under the mask must equal
            // the value's, so a chord can ask for buttons held as well as for buttons up.
            return m_jpadBits == event.m_jpadBits && (m_jpadMask & event.m_jpadValue) == (m_jpadValue & m_jpadMask);
        case TriggerType::UNDEF:
        case TriggerType::WHEEL_UP:
        case TriggerType::WHEEL_DN:
        case TriggerType::DWELL:
        case TriggerType::ENTERLEAVE:
            return true;
        case TriggerType::EXTERNAL:
            // Loading replaces every EXTERNAL slot, so none may reach a device event.
            Util::fatal("Invalid trigger type found");
    }
    return false;
}

TriggerId TriggerId::create(int type, KeyCode key, uint32_t modifiers, uint32_t mouseButtons, uint32_t joypadBits) {
    switch (static_cast<TriggerType>(type)) {
        case TriggerType::UNDEF:
        case TriggerType::WHEEL_UP:
        case TriggerType::WHEEL_DN:
        case TriggerType::DWELL:
        case TriggerType::ENTERLEAVE:
            return TriggerId(static_cast<TriggerType>(type));
        case TriggerType::KEY:
            return makeKey(key, modifiers);
        case TriggerType::MOUSE:
            return makeMouse(mouseButtons);
        case TriggerType::JPAD:
            return makeJoypad(joypadBits);
        case TriggerType::EXTERNAL:
            if (key == 0 && mouseButtons == 0 && joypadBits == 0) {
                Util::fatal("EEK! Creating EXTERNAL trigger from all nulls");
            }
            if (externals == nullptr) Util::fatal("EEK! No provider for EXTERNAL triggers");
            if (key != 0) return externals->getKeyTrigger(key);
            if (mouseButtons != 0) return externals->getMouseTrigger(mouseButtons);
            return externals->getJoypadTrigger(joypadBits);
    }
    return TriggerId();
}

}  // namespace Input
