#include "game/screens/OptionChoices.h"

#include "data/Globals_generated.h"
#include "engine/data/Globals.h"
#include "engine/util/Convert.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/screens/MenuPages.h"

namespace Zelmo {
namespace {

const std::string kOptionList = "OPTIONVALUES";

int valueCount(const OptionTable& option) { return option.values() ? int(option.values()->size()) : 0; }

const OptionTable* findOption(const std::string& setting) {
    for (const OptionTable* option : Globals::tables<OptionTable>(kOptionList)) {
        if (Util::toStdString(option->name()) == setting) return option;
    }
    return nullptr;
}

}  // namespace

std::string optionSettingOfArea(const std::string& areaName, int page) {
    return Util::replaceAll(areaName, pagePrefix(page) + "_VAL_", Setting::kOptionPrefix);
}

bool stepOption(const std::string& setting, bool forward) {
    const OptionTable* option = findOption(setting);
    const int count = option ? valueCount(*option) : 0;
    if (count == 0) return false;
    int index = getPrefInt(setting) + (forward ? 1 : -1);
    if (index < 0) index = count - 1;
    if (index > count - 1) index = 0;
    setPref(setting, Util::intToString(index));
    return true;
}

std::string fillOptionLabels(const std::string& text) {
    std::string filled = text;
    for (const OptionTable* option : Globals::tables<OptionTable>(kOptionList)) {
        const int count = valueCount(*option);
        if (count == 0) continue;
        const std::string setting = Util::toStdString(option->name());
        int index = getPrefInt(setting);
        if (index < 0 || index >= count) {
            setPref(setting, Setting::kFirstOptionValue);
            index = 0;
        }
        const std::string label = Util::toStdString(option->values()->Get(flatbuffers::uoffset_t(index))->label());
        filled = Util::replaceAll(filled, "[" + setting + "]", label);
    }
    return filled;
}

}  // namespace Zelmo
