#pragma once
#include <string>

#include "game/screens/DrawingScreen.h"

namespace Zelmo {

// The INTRO state: the intro drawing with its sound, once after start-up; it ends by itself or
// when the player skips it, and the title follows.
class IntroLogicView : public DrawingScreen {
public:
    explicit IntroLogicView(AppContext& context);

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float dtMs) override;
    void leave(const std::string& reason) override;

private:
    int m_introVoice = 0;
};

}  // namespace Zelmo
