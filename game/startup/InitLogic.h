#pragma once
#include <string>

#include "engine/shell/LogicState.h"
#include "game/input/InputReloader.h"

class AppContext;

namespace Zelmo {

// Start-up loading, used twice: as PREINIT (tuning table and fonts) and as INIT (the chosen
// input method's inputs, sounds and volumes, the shape library and the colour program).
class InitLogic : public Game::ILogicState, public IInputReloader {
public:
    explicit InitLogic(AppContext& context) : m_context(context) {}

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    // The saved input method when it names one, else "PICK" for the method picker.
    std::string update(float dtMs) override;

    void loadFonts();
    void loadSounds();
    // The chosen input method's controllers.
    void loadInputs();
    // Loads them again, as the controls screen asks when bindings changed.
    void reloadInputs() override { loadInputs(); }

private:
    AppContext& m_context;
};

}  // namespace Zelmo
