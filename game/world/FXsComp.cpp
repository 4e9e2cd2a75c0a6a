#include "game/world/FXsComp.h"

#include <algorithm>
#include <cstdint>

#include "engine/util/Colour.h"

namespace Zelmo {
namespace {

template <class Chain>
void dropTargetsIn(std::vector<Chain>& chains, const void* begin, const void* end) {
    const auto* first = static_cast<const unsigned char*>(begin);
    const auto* last = static_cast<const unsigned char*>(end);
    chains.erase(std::remove_if(chains.begin(), chains.end(),
                                [&](const Chain& chain) {
                                    const auto* target = reinterpret_cast<const unsigned char*>(chain.target);
                                    return target >= first && target < last;
                                }),
                 chains.end());
}

template <class Chain>
void dropFinished(std::vector<Chain>& chains) {
    chains.erase(std::remove_if(chains.begin(), chains.end(), [](const Chain& chain) { return chain.steps.empty(); }),
                 chains.end());
}

template <class Step>
bool finishStep(std::vector<Step>& steps) {
    const Step& step = steps.front();
    if (step.duration > 0.0f && step.elapsed < step.duration) return false;
    steps.erase(steps.begin());
    return true;
}

void startFrom(IntChain& chain) { chain.steps.front().from = *chain.target; }
void startFrom(FloatChain& chain) { chain.steps.front().from = *chain.target; }
void startFrom(ColourChain& chain) { chain.steps.front().colours.from = *chain.target; }

}  // namespace

float tweenStepValue(const FloatStep& step) {
    if (step.duration <= 0.0f) return step.to;
    return step.easer(clampedStepTime(step), step.from, step.to - step.from, step.duration);
}

template <class Chain>
void setChain(const Chain& chain, std::vector<Chain>& chains) {
    const auto found = std::find_if(chains.begin(), chains.end(),
                                    [&](const Chain& held) { return held.target == chain.target; });
    if (found == chains.end()) {
        chains.insert(chains.begin(), chain);
        return;
    }
    // A replaced chain carries on from wherever the field is now.
    found->steps = chain.steps;
    if (!found->steps.empty()) startFrom(*found);
}

void FXsComp::setTweenChain(const IntChain& chain) { setChain(chain, intChains); }
void FXsComp::setTweenChain(const FloatChain& chain) { setChain(chain, floatChains); }
void FXsComp::setColourTweenChain(const ColourChain& chain) { setChain(chain, colourChains); }

void FXsComp::removeTargetsIn(const void* begin, const void* end) {
    dropTargetsIn(intChains, begin, end);
    dropTargetsIn(floatChains, begin, end);
    dropTargetsIn(colourChains, begin, end);
}

void FXsComp::advance(float dt) {
    for (IntChain& chain : intChains) {
        if (chain.steps.empty()) continue;
        IntStep& step = chain.steps.front();
        step.elapsed += dt;
        if (step.duration <= 0.0f) {
            *chain.target = step.to;
        } else {
            const float value = step.easer(clampedStepTime(step), float(step.from),
                                           float(int64_t(step.to) - int64_t(step.from)), step.duration);
            *chain.target = int32_t(value);
        }
        finishStep(chain.steps);
    }
    for (FloatChain& chain : floatChains) {
        if (chain.steps.empty()) continue;
        FloatStep& step = chain.steps.front();
        step.elapsed += dt;
        *chain.target = tweenStepValue(step);
        finishStep(chain.steps);
    }
    for (ColourChain& chain : colourChains) {
        if (chain.steps.empty()) continue;
        ColourStep& step = chain.steps.front();
        step.elapsed += dt;
        const float f = step.duration <= 0.0f ? 1.0f : step.easer(clampedStepTime(step), 0.0f, 1.0f, step.duration);
        uint32_t colour = step.colours.from;
        Util::lerpColour(colour, step.colours.to, f);
        *chain.target = colour;
        finishStep(chain.steps);
    }
    dropFinished(intChains);
    dropFinished(floatChains);
    dropFinished(colourChains);
}

}  // namespace Zelmo
