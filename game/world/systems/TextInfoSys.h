#pragma once
#include <cstdint>
#include <string>

#include "engine/ecs/System.h"
#include "game/world/DisplayComps.h"

namespace Zelmo {

class GameLogic;

// The game's short messages over the play field: the level number, the goal of the first and of
// the boss level, and the prisoner counts. Each is a text that lives five seconds and fades.
// Two slots keep the prisoner messages from piling up: the latest goal or prisoner message, and
// the first level's door message.
class TextInfoSys : public ecs::System {
public:
    TextInfoSys() : System(ecs::componentMask<TextComp>()) {}
    void init(GameLogic& logic);
    void update(float) {}

    // Centred at (x, y) percent of the window from its bottom-left corner; colour packed ABGR.
    ecs::Entity showMessage(const std::string& text, float xPercent, float yPercent, uint32_t colour, float scale);
    // Levels count down to 0, the boss level; lastLevel is the first one a game plays.
    void showLevelStart(int level, int lastLevel);
    // After a rescue, with the prisoners still to free.
    void showPrisonersLeft(int left);
    // The player is at the lift while prisoners are still to free.
    void showRescued(int left);

    ecs::Entity goalSlot() const { return m_goalSlot; }
    ecs::Entity doorSlot() const { return m_doorSlot; }

private:
    GameLogic* m_logic = nullptr;
    ecs::Entity m_goalSlot;
    ecs::Entity m_doorSlot;
};

}  // namespace Zelmo
