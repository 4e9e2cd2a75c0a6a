#pragma once
#include "engine/tween/Easing.h"

namespace PSys {

// A spawn-time property of a particle definition: at emitter time t the value sweeps from min
// to max and back, each way over period milliseconds, along the easer. With the "Rand" easer it
// is a uniform draw between min and max whatever the time.
struct PropertyRange {
    float min = 0.0f;
    float max = 0.0f;
    float period = 1.0f;
    Tween::EaseFn easer = Penner::Linear::easeIn;

    float valueAt(float t) const;
};

// t folded back and forth into [0, p]: 0 → p over the first p ms, p → 0 over the next, ...
float pingPong(float t, float p);

}  // namespace PSys
