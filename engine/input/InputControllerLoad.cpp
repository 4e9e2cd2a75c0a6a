// Building an input controller from a parsed configuration file.
#include <cmath>

#include "data/InputConfig_generated.h"
#include "engine/input/ActionNames.h"
#include "engine/input/InputConfigReaders.h"
#include "engine/input/InputController.h"
#include "engine/input/ScreenArea.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"

namespace Input {
namespace {

const std::string kRefPrefix = "REF:";
// A cool-down or timing this long already stops a screen from answering for a minute.
constexpr float kMostCoolDownMs = 60000.0f;
constexpr int kMostTimingMs = 60000;
// Percentages written with decimals may add up to a hair above 100.
constexpr float kWindowSlack = 0.01f;

// What is wrong with an area's rectangle, in percent of the window, or "" when it lies within it.
std::string rectFault(const Config::RectDef& rect, bool centred) {
    const std::pair<const char*, float> sides[] = {
        {"x", rect.x()}, {"y", rect.y()}, {"width", rect.width()}, {"height", rect.height()}};
    for (const auto& [field, value] : sides) {
        if (!std::isfinite(value)) return std::string("field rect.") + field + ": must be a finite number";
    }
    if (!(rect.width() > 0.0f)) return "field rect.width: must be above 0";
    if (!(rect.height() > 0.0f)) return "field rect.height: must be above 0";
    const float left = centred ? rect.x() - rect.width() / 2 : rect.x();
    const float top = centred ? rect.y() - rect.height() / 2 : rect.y();
    if (left < -kWindowSlack || top < -kWindowSlack || left + rect.width() > 100.0f + kWindowSlack ||
        top + rect.height() > 100.0f + kWindowSlack) {
        return "field rect: must lie within the window, 0 to 100 percent";
    }
    return "";
}

// What is wrong with a timing table, or "" when each time is 0 (none) to kMostTimingMs.
std::string timingFault(const Config::TimingDef* timing) {
    if (timing == nullptr) return "";
    const std::pair<const char*, int> times[] = {{"dwell", timing->dwell()},
                                                 {"repeat", timing->repeat()},
                                                 {"hold", timing->hold()},
                                                 {"hold_repeat", timing->hold_repeat()},
                                                 {"debounce", timing->debounce()}};
    for (const auto& [field, value] : times) {
        if (value < 0 || value > kMostTimingMs) {
            return std::string("timing ") + field + ": must be 0 to " + std::to_string(kMostTimingMs);
        }
    }
    return "";
}

}  // namespace

bool InputController::load(const Config::InputConfig& root) {
    m_loadError.clear();
    m_coolDown = root.cool_down();
    m_coolDownRemaining = 0;
    // A cool-down that is not a number never runs out: the screen would drop every press.
    if (!(m_coolDown >= 0.0f && m_coolDown <= kMostCoolDownMs)) {
        m_loadError = "field cool_down: must be 0 to " + std::to_string(int(kMostCoolDownMs));
    }
    std::vector<std::string> areaNames;
    size_t index = 0;
    for (const Config::AreaDef* area : toTableList(root.areas())) {
        if (!m_loadError.empty()) break;
        areaNames.push_back(Util::toStdString(area->name()));
        loadArea(*area, index++);
    }
    index = 0;
    for (const Config::SwitchDef* table : toTableList(root.switches())) {
        if (!m_loadError.empty()) break;
        loadSwitch(*table, areaNames, index++);
    }
    // The references live only as long as the load.
    m_refs = nullptr;
    return m_loadError.empty();
}

// An area drawn from a rectangle that is not a number, or off the window, would bring down the
// overlay's tessellator or be a choice that no pointer can reach.
void InputController::loadArea(const Config::AreaDef& table, size_t index) {
    auto area = std::make_unique<ScreenArea>(Util::toStdString(table.name()));
    area->setMode(1);
    area->setVisible(table.visible());
    if (const Config::RectDef* rect = table.rect()) {
        const bool centred = table.centred();
        const std::string fault = rectFault(*rect, centred);
        if (!fault.empty()) {
            m_loadError = "area " + std::to_string(index) + " " + area->getName() + " " + fault;
            return;
        }
        area->setRect(centred ? rect->x() - rect->width() / 2 : rect->x(),
                      centred ? rect->y() - rect->height() / 2 : rect->y(), rect->width(), rect->height());
    }
    area->setColour(resolveRef(table.colour()));
    area->setSelColour(resolveRef(table.sel_colour()));
    const std::string label = resolveRef(table.label());
    const std::string selLabel = resolveRef(table.sel_label());
    area->setLabel(label);
    area->setSelLabel(selLabel.empty() ? label : selLabel);
    const std::string style = resolveRef(table.style());
    const std::string selStyle = resolveRef(table.sel_style());
    area->setStyle(style);
    area->setSelStyle(selStyle.empty() ? style : selStyle);
    area->setGroups(Util::toStringVector(table.groups()));
    area->setOnTop(false);
    m_areas->add(std::move(area));
}

// Adds one switch per trigger and area: ordered by trigger, and within a trigger by area.
bool InputController::loadSwitch(const Config::SwitchDef& table, const std::vector<std::string>& fileAreaNames,
                                 size_t index) {
    const auto fail = [&](const std::string& reason) {
        m_loadError = "switch " + std::to_string(index) + ": " + reason;
        return false;
    };
    std::vector<std::string> areaNames = Util::toStringVector(table.areas());
    if (areaNames.size() == 1 && areaNames[0] == kAllAreas) areaNames = fileAreaNames;
    if (areaNames.empty()) return fail("no areas");
    const int count = getTriggerCount(table);
    if (count <= 0) return fail("no triggers");

    Switch made;
    for (int i = 0; i < count; ++i) {
        const Config::TriggerDef* triggerTable = getTriggerTable(table, i);
        if (triggerTable == nullptr) return fail("trigger " + std::to_string(i) + " missing");
        for (const flatbuffers::String* timingName : {triggerTable->timing_name(), table.timing_name()}) {
            // A misspelt record would silently leave the switch without repeat or hold.
            if (timingName != nullptr && (m_refs == nullptr || m_refs->getRepeat(timingName->str()) == nullptr)) {
                return fail("unknown timing " + timingName->str());
            }
        }
        const Config::TimingDef* timing = findTiming(*triggerTable, table);
        const std::string timingError = timingFault(timing);
        if (!timingError.empty()) return fail("trigger " + std::to_string(i) + " " + timingError);
        TriggerId trigger = triggerFromTable(*triggerTable);
        readTriggerTiming(trigger, timing);
        made.setTrigger(trigger);
        readSwitchActions(made, triggerTable->actions() != nullptr ? triggerTable->actions() : table.actions());
        readSwitchColours(made, triggerTable->colours() != nullptr ? triggerTable->colours() : table.colours());
        for (size_t area = 0; area < areaNames.size(); ++area) {
            made.setAreaFromList(area, areaNames);
            m_switches->add(made);
        }
    }
    return true;
}

std::string InputController::resolveRef(const flatbuffers::String* text) const {
    const std::string written = Util::toStdString(text);
    if (!Util::startsWith(written, kRefPrefix)) return written;
    const std::string key = Util::trim(Util::textAfter(written, ':'));
    return m_refs != nullptr ? m_refs->getString(key) : key;
}

const Config::TimingDef* InputController::findTiming(const Config::TriggerDef& trigger,
                                                     const Config::SwitchDef& owner) const {
    if (m_refs != nullptr && trigger.timing_name() != nullptr) {
        if (const Config::TimingDef* named = m_refs->getRepeat(trigger.timing_name()->str())) return named;
    }
    if (trigger.timing() != nullptr) return trigger.timing();
    if (m_refs != nullptr && owner.timing_name() != nullptr) {
        if (const Config::TimingDef* named = m_refs->getRepeat(owner.timing_name()->str())) return named;
    }
    return owner.timing();
}

int InputController::getTriggerCount(const Config::SwitchDef& owner) const {
    if (owner.trigger_list() != nullptr) {
        return m_refs != nullptr ? m_refs->getListSize(owner.trigger_list()->str()) : 0;
    }
    return owner.triggers() != nullptr ? static_cast<int>(owner.triggers()->size()) : 0;
}

const Config::TriggerDef* InputController::getTriggerTable(const Config::SwitchDef& owner, int index) const {
    if (owner.trigger_list() != nullptr) {
        return m_refs != nullptr ? m_refs->getListItem(owner.trigger_list()->str(), index) : nullptr;
    }
    const auto* triggers = owner.triggers();
    if (triggers == nullptr || index < 0 || static_cast<flatbuffers::uoffset_t>(index) >= triggers->size()) {
        return nullptr;
    }
    return triggers->Get(static_cast<flatbuffers::uoffset_t>(index));
}

}  // namespace Input
