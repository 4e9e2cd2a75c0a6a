#pragma once
#include <string>

#include "engine/tween/Penner.h"

namespace Tween {

// An easing function f(t, b, c, d); null means "no easing" to the callers that accept one.
using EaseFn = float (*)(float t, float b, float c, float d);

struct EaserEntry {
    const char* name;
    EaseFn fn;
};

// The 45 named easers: for each curve "in", "out", "inOut", "outIn", then "Rand".
extern const EaserEntry easerTable[45];

// Null for an empty name; a name not in the table (case-sensitive) is the fatal stop
// "Easer <name> unknown".
EaseFn findEaser(const std::string& name);

// A uniform random value between b and b + c, from a process-wide generator; t and d unused.
float easeRand(float t, float b, float c, float d);

}  // namespace Tween
