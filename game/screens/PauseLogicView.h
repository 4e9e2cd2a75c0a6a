#pragma once
#include <string>

#include "game/screens/ScreenFrame.h"

namespace Zelmo {

// The PAUSE state: the pause menu over a cleared picture. "RESUME" goes back to the game where
// it stood; "QUIT" also makes the paused game leave, so that it ends its level before the title.
class PauseLogicView : public ScreenFrame {
public:
    explicit PauseLogicView(AppContext& context);
    ~PauseLogicView() override;

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float dtMs) override;
    void leave(const std::string& reason) override;

private:
    std::string m_pausedState;
};

}  // namespace Zelmo
