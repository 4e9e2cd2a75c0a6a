#pragma once
#include "engine/tween/Easing.h"

namespace Zelmo {

// An eased clock of the title picture: elapsed time runs on for ever and the value is read from
// it through the easer, between start and end over the duration.
struct TitlePulse {
    float start = 0.0f;
    float end = 0.0f;
    float duration = 1.0f;
    Tween::EaseFn easer = nullptr;
    float elapsed = 0.0f;

    // Forwards over one duration, backwards over the next, and so on.
    float swing() const;
    // Forwards over each duration, starting again at the start.
    float sweep() const;
};

}  // namespace Zelmo
