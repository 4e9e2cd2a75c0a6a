#include "game/config/SettingChecks.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "engine/input/TriggerId.h"
#include "engine/util/Convert.h"
#include "engine/util/Text.h"
#include "game/config/InputMethods.h"
#include "game/config/SettingKeys.h"

namespace Zelmo {
namespace {

bool isWholeNumberIn(const std::string& value, int lowest, int highest) {
    const std::optional<int> number = Util::wholeNumber(value);
    return number && *number >= lowest && *number <= highest;
}

bool isBindingName(const std::string& name) {
    return Util::startsWith(name, Setting::kKeyBindingPrefix) || Util::startsWith(name, Setting::kMouseBindingPrefix) ||
           Util::startsWith(name, Setting::kJoypadBindingPrefix);
}

}  // namespace

std::string settingFault(const std::string& name, const std::string& value) {
    // A side of 0 is half of 0 x 0, the desktop's size; the pair is checked once both are read.
    if (name == Setting::kScreenWidth || name == Setting::kScreenHeight) {
        return isWholeNumberIn(value, 0, INT_MAX) ? "" : "not a window size";
    }
    if (name == Setting::kScreenFull) return isWholeNumberIn(value, 0, 1) ? "" : "not 0 or 1";
    if (std::find(Setting::kVolumes.begin(), Setting::kVolumes.end(), name) != Setting::kVolumes.end()) {
        return isWholeNumberIn(value, 0, 100) ? "" : "not a volume from 0 to 100";
    }
    // An index past the option's values is put back to its first where the option is read.
    if (Util::startsWith(name, Setting::kOptionPrefix)) {
        return isWholeNumberIn(value, 0, INT_MAX) ? "" : "not an option index";
    }
    if (name == Setting::kInputMethod) {
        return isInputMethod(value) || value == kNoInputMethod ? "" : "not an input method";
    }
    if (isBindingName(name) && !Input::TriggerId::fromBindingText(value)) {
        return "not a binding such as KEY:w, MOUSE:LMB or JPAD: B1";
    }
    return "";
}

}  // namespace Zelmo
