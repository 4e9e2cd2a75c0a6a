#include "game/world/factories/CubicFades.h"

namespace Zelmo {

void fadeOut(FXsComp& effects, uint32_t& colour, float durationMs) {
    ColourChain chain;
    chain.target = &colour;
    chain.steps.push_back({{colour, colour & 0x00ffffffu}, durationMs, Penner::Cubic::easeIn, 0.0f});
    effects.setColourTweenChain(chain);
}

void easeTo(FXsComp& effects, float& field, float to, float durationMs) {
    FloatChain chain;
    chain.target = &field;
    chain.steps.push_back({field, to, durationMs, Penner::Cubic::easeIn, 0.0f});
    effects.setTweenChain(chain);
}

}  // namespace Zelmo
