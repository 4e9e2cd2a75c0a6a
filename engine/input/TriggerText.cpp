// Reading the stored form of a user's binding, "TYPE:VALUE".
#include <vector>

#include "engine/devices/JoypadStrings.h"
#include "engine/devices/KeyboardStrings.h"
#include "engine/devices/MouseStrings.h"
#include "engine/input/TriggerId.h"
#include "engine/util/Fatal.h"
#include "engine/util/Text.h"

namespace Input {
namespace {

// What a binding that names nothing usable becomes: EXTERNAL never reaches a device event,
// so it fires nothing.
TriggerId inertTrigger() { return TriggerId(TriggerType::EXTERNAL); }

std::vector<std::string> blankSeparatedPieces(const std::string& value) {
    std::vector<std::string> pieces;
    Util::split(value, " ", pieces);
    return pieces;
}

// Key names with a blank ("PAGE UP", "KP RET") are written with '_' for the blank, so that
// the name stays one piece.
KeyCode keyCodeOfPiece(const std::string& piece) {
    const auto code = Devices::KeyboardStrings::instance().getKeyNames().codeOf(Util::replaceAll(piece, "_", " "));
    return static_cast<KeyCode>(code);
}

TriggerId keyTriggerOf(const std::string& value) {
    const std::vector<std::string> pieces = blankSeparatedPieces(value);
    uint32_t modifiers = 0;
    KeyCode key = 0;
    if (pieces.size() == 1) {
        key = keyCodeOfPiece(pieces[0]);
    } else if (pieces.size() == 2) {
        modifiers = Devices::KeyboardStrings::instance().getModifierNames().codeOf(pieces[0]);
        key = keyCodeOfPiece(pieces[1]);
    }
    if (key == 0) return inertTrigger();
    return TriggerId::makeKey(key, modifiers);
}

TriggerId joypadTriggerOf(const std::string& value) {
    const std::vector<std::string> pieces = blankSeparatedPieces(value);
    const Devices::NameTable& names = Devices::JoypadStrings::instance().getNames();
    if (pieces.size() == 1) return TriggerId::makeJoypad(names.codeOf(pieces[0]));
    if (pieces.size() == 3) {
        return TriggerId::makeJoypad(names.codeOf(pieces[0]), names.codeOf(pieces[1]), names.codeOf(pieces[2]));
    }
    return inertTrigger();
}

}  // namespace

TriggerId TriggerId::fromText(const std::string& text) {
    const std::string typeText = Util::textBefore(text, ':');
    const std::string value = Util::trim(Util::textAfter(text, ':'));
    const std::optional<TriggerType> type = triggerTypeOfName(typeText);
    if (!type || *type == TriggerType::UNDEF || *type == TriggerType::EXTERNAL) {
        Util::fatal("Unknown Trigger Type: " + typeText);
    }
    switch (*type) {
        case TriggerType::KEY:
            return keyTriggerOf(value);
        case TriggerType::MOUSE:
            return makeMouse(Devices::MouseStrings::instance().getNames().codeOf(value));
        case TriggerType::JPAD:
            return joypadTriggerOf(value);
        default:
            return TriggerId(*type);
    }
}

std::optional<TriggerId> TriggerId::fromBindingText(const std::string& text) {
    const std::optional<TriggerType> type = triggerTypeOfName(Util::textBefore(text, ':'));
    const bool ofADevice = type == TriggerType::KEY || type == TriggerType::MOUSE || type == TriggerType::JPAD;
    if (text.find(':') == std::string::npos || !ofADevice) return std::nullopt;
    const TriggerId trigger = fromText(text);
    if (trigger.getKey() == 0 && trigger.getMouseButton() == 0 && trigger.getJpadBits() == 0) return std::nullopt;
    return trigger;
}

}  // namespace Input
