#pragma once
#include <cstdint>
#include <vector>

#include "engine/tween/Easing.h"
#include "engine/tween/Penner.h"
#include "game/effects/ColourPair.h"

namespace Zelmo {

// One eased move of a value: from, to over duration ms. In colour steps from and to sit in a
// ColourPair.
template <class T>
struct TweenStep {
    T from{};
    T to{};
    float duration = 1.0f;
    Tween::EaseFn easer = Penner::Linear::easeIn;
    float elapsed = 0.0f;
};

using IntStep = TweenStep<int32_t>;
using FloatStep = TweenStep<float>;

// A colour step keeps its two colours in one ColourPair, as beam segments do.
struct ColourStep {
    ColourPair colours;
    float duration = 1.0f;
    Tween::EaseFn easer = Penner::Linear::easeIn;
    float elapsed = 0.0f;
};

// The steps that drive one field, run first to last; target is the field the chain writes.
template <class Step, class Value>
struct TweenChain {
    std::vector<Step> steps;
    Value* target = nullptr;
};

using IntChain = TweenChain<IntStep, int32_t>;
using FloatChain = TweenChain<FloatStep, float>;
using ColourChain = TweenChain<ColourStep, uint32_t>;

// Elapsed time clamped to [0, duration]; callers treat a step of no length as ended.
template <class Step>
float clampedStepTime(const Step& step) {
    if (step.elapsed < 0.0f) return 0.0f;
    return step.elapsed < step.duration ? step.elapsed : step.duration;
}

// The value of a float step at its elapsed time, without advancing it.
float tweenStepValue(const FloatStep& step);

}  // namespace Zelmo
