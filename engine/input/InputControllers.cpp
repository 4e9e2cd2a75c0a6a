#include "engine/input/InputControllers.h"

#include "data/InputConfig_generated.h"

namespace Input {

bool InputControllers::loadSchema(const std::string& path) { return m_schema.loadSchema(path); }

bool InputControllers::load(const std::string& name, const std::string& path, InputController::IRefs* refs) {
    const std::string failed = "Failed to create input " + name + " from: ";
    m_loadError.clear();
    const uint8_t* data = m_schema.loadData(path);
    if (data == nullptr) {
        // The parser's message names the file, the line and the column.
        m_loadError = failed + m_schema.parseError();
        return false;
    }
    auto controller = std::make_unique<InputController>(name, m_actionHandler.get(), refs);
    if (!controller->load(*flatbuffers::GetRoot<Config::InputConfig>(data))) {
        m_loadError = failed + path + ": " + controller->loadError();
        return false;
    }
    add(name, std::move(controller));
    return true;
}

void InputControllers::add(const std::string& name, std::unique_ptr<InputController> controller) {
    m_controllers[name] = std::move(controller);
}

InputController* InputControllers::find(const std::string& name) const {
    const auto found = m_controllers.find(name);
    return found != m_controllers.end() ? found->second.get() : nullptr;
}

std::string InputControllers::getCurrentAreaName() const {
    const InputController* current = getCurrent();
    return current != nullptr ? current->getCurrentAreaName() : std::string();
}

void InputControllers::setCurrent(const std::string& name) {
    const std::string areaName = getCurrentAreaName();
    if (const InputController* previous = getCurrent(); previous != nullptr && previous->pointerAt()) {
        m_pointerAt = previous->pointerAt();
    }
    m_currentName = name;
    if (InputController* next = getCurrent()) {
        next->restPointer(m_pointerAt);
        next->gotoArea(areaName);
    }
}

}  // namespace Input
