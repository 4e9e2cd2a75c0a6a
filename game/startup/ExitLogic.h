#pragma once
#include <string>

#include "engine/shell/LogicState.h"

class AppContext;

namespace Zelmo {

// Saves the settings, with the window size of the moment, and ends the main loop.
class ExitLogic : public Game::ILogicState {
public:
    explicit ExitLogic(AppContext& context) : m_context(context) {}

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float) override { return "EXIT"; }

private:
    AppContext& m_context;
};

}  // namespace Zelmo
