#include "game/world/systems/TextInfoSys.h"

#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/factories/CubicFades.h"

namespace Zelmo {
namespace {

constexpr float kMessageMs = 5000.0f;
constexpr uint32_t kWhite = 0xffffffff;
constexpr uint32_t kDimGreen = 0x7f00af00;

std::string prisoners(int count) { return std::to_string(count) + (count == 1 ? " PRISONER" : " PRISONERS"); }

}  // namespace

void TextInfoSys::init(GameLogic& logic) {
    m_logic = &logic;
    m_goalSlot = {};
    m_doorSlot = {};
}

ecs::Entity TextInfoSys::showMessage(const std::string& text, float xPercent, float yPercent, uint32_t colour,
                                     float scale) {
    ecs::Entity message = m_logic->createText(xPercent, yPercent, text, colour, true, scale, kMessageMs, true, false);
    VectorComp& look = message.get<VectorComp>();
    fadeOut(message.add<FXsComp>(), look.colour, look.lifetime);
    return message;
}

void TextInfoSys::showLevelStart(int level, int lastLevel) {
    m_goalSlot = {};
    m_doorSlot = {};
    showMessage("LEVEL\n  " + std::to_string(level), 90.0f, 60.0f, kWhite, 1.0f);
    if (level == lastLevel) {
        m_doorSlot = showMessage("PUNCH DOOR TO BREAK OUT", 50.0f, 30.0f, kDimGreen, 0.5f);
    } else if (level == 0) {
        m_goalSlot = showMessage("DEFEAT ORAC", 50.0f, 5.0f, kWhite, 1.0f);
    }
}

void TextInfoSys::showPrisonersLeft(int left) {
    if (left == 0 || m_goalSlot.isValid()) return;
    m_goalSlot = showMessage(prisoners(left) + " LEFT", 50.0f, 30.0f, kDimGreen, 0.5f);
}

void TextInfoSys::showRescued(int left) {
    if (left == 0 || m_goalSlot.isValid() || m_doorSlot.isValid()) return;
    m_goalSlot = showMessage("RESCUE " + prisoners(left), 50.0f, 30.0f, kDimGreen, 0.5f);
}

}  // namespace Zelmo
