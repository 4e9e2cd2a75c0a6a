#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "engine/data/Info.h"
#include "engine/input/IActionHandler.h"
#include "engine/input/InputController.h"

namespace Input {

// Every input controller of the program by name, the schema their files are read against, and
// which one is current: device events and frame time go to the current one only.
class InputControllers {
public:
    InputControllers() = default;
    virtual ~InputControllers() = default;
    InputControllers(const InputControllers&) = delete;
    InputControllers& operator=(const InputControllers&) = delete;

    // The input configuration schema; an unreadable file is a fatal stop.
    bool loadSchema(const std::string& path);
    // Controllers loaded afterwards send their actions to it.
    void setActionHandler(std::shared_ptr<IActionHandler> handler) { m_actionHandler = std::move(handler); }
    const std::shared_ptr<IActionHandler>& getActionHandler() const { return m_actionHandler; }

    // Reads the data file against the schema and registers a controller made from it under
    // the name, replacing any of that name. False, with the reason in loadError, when the file
    // does not parse or the controller cannot be made of it; an unreadable file is a fatal
    // stop. The references need to live only until this returns.
    bool load(const std::string& name, const std::string& path, InputController::IRefs* refs);
    // Why the last load failed, as one line: "Failed to create input <name> from: " followed by
    // the parser's message (file, line, column and fault) or by the path and the field at fault.
    const std::string& loadError() const { return m_loadError; }
    // Replaces (and destroys) any controller of that name.
    void add(const std::string& name, std::unique_ptr<InputController> controller);
    // Null when none is registered under the name.
    InputController* find(const std::string& name) const;

    // Null when no controller is registered under the current name.
    InputController* getCurrent() const { return find(m_currentName); }
    std::string getCurrentName() const { return m_currentName; }
    // Empty when there is no current controller or it has no current area.
    std::string getCurrentAreaName() const;
    // The selection moves to the area of the same name in the new controller when it has one,
    // else to "ANYWHERE". Making the current controller current again re-enters its area. The
    // pointer chooses nothing on the new screen until it moves from where it was last reported
    // (to this controller or the one before); its first move there counts.
    void setCurrent(const std::string& name);

private:
    Game::Info m_schema;
    std::string m_currentName;
    std::string m_loadError;
    std::map<std::string, std::unique_ptr<InputController>> m_controllers;
    std::shared_ptr<IActionHandler> m_actionHandler;
    // Where the pointer was last reported to a controller, as far as is known.
    std::optional<InputHandler::PointerAt> m_pointerAt;
};

}  // namespace Input
