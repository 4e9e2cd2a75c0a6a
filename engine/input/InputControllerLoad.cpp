// Building an input controller from a parsed configuration file.
#include <iostream>

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

}  // namespace

bool InputController::load(const Config::InputConfig& root) {
    m_coolDown = root.cool_down();
    m_coolDownRemaining = 0;
    std::vector<std::string> areaNames;
    for (const Config::AreaDef* area : toTableList(root.areas())) {
        areaNames.push_back(Util::toStdString(area->name()));
        loadArea(*area);
    }
    bool loaded = true;
    size_t index = 0;
    for (const Config::SwitchDef* table : toTableList(root.switches())) {
        loaded = loadSwitch(*table, areaNames, index++);
        if (!loaded) break;
    }
    // The references live only as long as the load.
    m_refs = nullptr;
    return loaded;
}

void InputController::loadArea(const Config::AreaDef& table) {
    auto area = std::make_unique<ScreenArea>(Util::toStdString(table.name()));
    area->setMode(1);
    area->setVisible(table.visible());
    if (const Config::RectDef* rect = table.rect()) {
        const bool centred = table.centred();
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
        std::cerr << "Input " << getName() << ", switch " << index << ": " << reason << std::endl;
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
        TriggerId trigger = triggerFromTable(*triggerTable);
        readTriggerTiming(trigger, findTiming(*triggerTable, table));
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
