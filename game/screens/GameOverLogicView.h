#pragma once
#include <string>

#include "game/screens/DrawingScreen.h"
#include "game/vector/ShapeIds.h"

namespace Zelmo {

// The GAMEOVER state: the won drawing with the title music, or, for a lost game, one of five
// spoken lines with a face and the trace of the voice, and the lost drawing once the words have
// been said. "DONE" leads to the title.
class GameOverLogicView : public DrawingScreen {
public:
    static constexpr int kLostFace = ShapeIds::kLostFace;

    explicit GameOverLogicView(AppContext& context);

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float dtMs) override;
    void leave(const std::string& reason) override;

    bool won() const { return m_won; }
    int lostVoice() const { return m_lostVoice; }

private:
    void drawOverLayer(int layer, VectorDisplay& display) override;

    bool m_won = false;
    int m_musicHandle = 0;
    int m_lostVoice = 0;
};

}  // namespace Zelmo
