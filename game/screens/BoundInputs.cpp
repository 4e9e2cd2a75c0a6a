#include "game/screens/BoundInputs.h"

#include <cctype>
#include <optional>
#include <vector>

#include "engine/devices/JoypadStrings.h"
#include "engine/devices/KeyboardStrings.h"
#include "engine/devices/MouseStrings.h"
#include "engine/input/TriggerId.h"
#include "engine/input/TriggerType.h"
#include "engine/util/Text.h"
#include "game/config/Settings.h"
#include "game/input/GetExternalTrigger.h"

namespace Zelmo {
namespace {

using Input::TriggerId;
using Input::TriggerType;

// The vector font has capitals only: a lower-case letter would not be drawn at all.
std::string shownKeyName(KeyCode key) {
    std::string name = Devices::KeyboardStrings::instance().getKeyNames().nameOf(key);
    if (name.size() == 1) name[0] = char(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

std::optional<std::string> nameOf(const TriggerId& trigger) {
    switch (trigger.getType()) {
        case TriggerType::KEY:
            return "KEY:" + shownKeyName(trigger.getKey());
        case TriggerType::MOUSE:
            return Devices::MouseStrings::instance().getNames().nameOf(trigger.getMouseButton());
        case TriggerType::JPAD:
            return "JPAD:" + Devices::JoypadStrings::instance().getNames().nameOf(trigger.getJpadBits());
        default:
            return std::nullopt;
    }
}

std::optional<std::string> boundInputName(const std::string& token) {
    // Only a key, button or pad bit can have a binding slot; reading any other text as a trigger
    // could be a fatal stop, and a help text's own bracketed words are no reason for one.
    const std::optional<TriggerId> written = TriggerId::fromBindingText(token);
    if (!written) return std::nullopt;
    const KeyCode key = written->getKey();
    const uint32_t mouse = written->getMouseButton();
    const uint32_t joypad = written->getJpadBits();
    // Keys without a slot (escape, the arrows) cannot be rebound: they stand for themselves.
    if (getPref(bindingSettingOf(key, mouse, joypad)).empty()) return nameOf(*written);
    return nameOf(TriggerId::create(int(TriggerType::EXTERNAL), key, written->getModifiers(), mouse, joypad));
}

}  // namespace

std::string fillBoundInputs(const std::string& text) {
    std::vector<std::string> tokens;
    Util::extractBetween(text, '[', ']', tokens);
    std::string filled = text;
    for (const std::string& token : tokens) {
        if (const std::optional<std::string> name = boundInputName(token)) {
            filled = Util::replaceAll(filled, "[" + token + "]", *name);
        }
    }
    return filled;
}

}  // namespace Zelmo
