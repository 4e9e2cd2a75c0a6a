#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/devices/KeyCodes.h"
#include "engine/input/TriggerType.h"

namespace Input {

// One thing the user can do with a device, plus the four timing values (milliseconds) that
// govern the switch carrying it: T0 dwell delay, T1 repeat interval, T2 hold delay, T3
// hold-repeat interval, and the debounce time of its presses. Fields a kind does not use are 0.
class TriggerId {
public:
    // Supplies what the user has bound to an EXTERNAL slot of the input configurations.
    class IExternals {
    public:
        virtual ~IExternals() = default;
        virtual TriggerId getKeyTrigger(KeyCode key) = 0;
        virtual TriggerId getMouseTrigger(uint32_t buttons) = 0;
        virtual TriggerId getJoypadTrigger(uint32_t bits) = 0;
    };

    // The provider of EXTERNAL triggers, installed during set-up before any input
    // configuration is loaded; only create() reads it.
    static IExternals* externals;

    TriggerId() = default;
    // For the kinds that carry no data (wheel steps, dwell, enter/leave).
    explicit TriggerId(TriggerType type) : m_type(type) {}
    static TriggerId makeKey(KeyCode key, uint32_t modifiers);
    static TriggerId makeMouse(uint32_t buttons);
    // A switch trigger that fires whenever its bit changes, whatever the other bits.
    static TriggerId makeJoypad(uint32_t bits);
    static TriggerId makeJoypad(uint32_t bits, uint32_t mask, uint32_t value);

    virtual ~TriggerId() = default;
    TriggerId(const TriggerId&) = default;
    TriggerId& operator=(const TriggerId&) = default;

    virtual void setTimers(int32_t dwell, int32_t repeat, int32_t hold, int32_t holdRepeat);
    virtual TriggerType getType() const { return m_type; }
    // Each data getter gives 0 unless the trigger is of the kind that uses the field.
    virtual KeyCode getKey() const;
    virtual uint32_t getModifiers() const;
    virtual uint32_t getMouseButton() const;
    virtual uint32_t getJpadBits() const;
    virtual uint32_t getJpadMask() const;
    virtual uint32_t getJpadValue() const;
    virtual int32_t getDwellTime() const { return m_dwell; }
    virtual int32_t getRepeatTime() const { return m_repeat; }
    virtual int32_t getHoldTime() const { return m_hold; }
    virtual int32_t getHoldRepeatTime() const { return m_holdRepeat; }
    // A press sooner than this after the last release of the same key, button or pad bit is a
    // bounce, which the input handler ignores with its release (0: no debounce).
    void setDebounceTime(int32_t ms) { m_debounce = ms; }
    int32_t getDebounceTime() const { return m_debounce; }

    // Whether the device event's trigger fires this (a switch's) trigger. A joypad event
    // carries the changed bit as bits and the whole current bit set as mask and value; this
    // trigger fires when its bit changes while the current bits under its mask equal its
    // value under its mask (mask and value 0: whatever the other bits).
    bool matches(const TriggerId& event) const;

    // Reads the stored form of a trigger, "TYPE:VALUE" (such as "KEY:CTRL a", "MOUSE:LMB",
    // "JPAD:B1 B2 B2"). Text that names no usable key or joypad chord gives a trigger that
    // matches nothing; an unknown type is a fatal stop.
    static TriggerId fromText(const std::string& text);
    // The same for a user's binding, which must name a key, mouse buttons or joypad bits (a
    // "KEY:", "MOUSE:" or "JPAD:" text that fromText reads as more than nothing); nothing for any
    // other text.
    static std::optional<TriggerId> fromBindingText(const std::string& text);

    // Builds a trigger from the scalar fields of an input configuration table; EXTERNAL is
    // replaced by what the provider of EXTERNAL triggers gives for the first non-zero of key,
    // mouse and joypad.
    static TriggerId create(int type, KeyCode key, uint32_t modifiers, uint32_t mouseButtons, uint32_t joypadBits);

private:
    bool isA(TriggerType type) const { return m_type == type; }

    TriggerType m_type = TriggerType::UNDEF;
    KeyCode m_key = 0;
    uint32_t m_modifiers = 0;
    uint32_t m_mouseButtons = 0;
    uint32_t m_jpadBits = 0;
    uint32_t m_jpadMask = 0;
    uint32_t m_jpadValue = 0;
    int32_t m_dwell = 0;
    int32_t m_repeat = 0;
    int32_t m_hold = 0;
    int32_t m_holdRepeat = 0;
    int32_t m_debounce = 0;
};

}  // namespace Input
