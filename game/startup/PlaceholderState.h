#pragma once
#include <string>

#include "engine/devices/KeyCodes.h"
#include "engine/shell/AppContext.h"
#include "engine/shell/LogicState.h"

namespace Zelmo {

// Stands in for a screen that is not part of the game yet: it answers a fixed command at once
// (empty to stay), and another one when Escape is pressed, so the table can still be walked.
// A press counts once, however long it is held and however quickly it is let go.
class PlaceholderState : public Game::ILogicState {
public:
    PlaceholderState(AppContext& context, std::string command, std::string onEscape)
        : m_context(context), m_command(std::move(command)), m_onEscape(std::move(onEscape)) {}

    void enter(const Game::LogicEntry&, const std::string&) override {}
    std::string update(float) override {
        if (!m_onEscape.empty() && m_context.keyboard().wasPressed(Devices::KEY_ESCAPE)) return m_onEscape;
        return m_command;
    }

private:
    AppContext& m_context;
    std::string m_command;
    std::string m_onEscape;
};

}  // namespace Zelmo
