#pragma once
#include "engine/psys/ParticleDef.h"

namespace PSys {

// A live particle. Its whole flight is fixed at birth; afterwards it only ages, and the drawing
// code evaluates where it is from its age.
struct Particle {
    float age = 0.0f;    // ms since birth
    float life = 0.0f;   // ms; it dies when its age reaches this
    float lastX = 0.0f;  // where it was last drawn
    float lastY = 0.0f;
    float startX = 0.0f;
    float startY = 0.0f;
    float endX = 0.0f;
    float endY = 0.0f;
    float size0 = 0.0f;
    float size1 = 0.0f;
    float thickness0 = 0.0f;
    float thickness1 = 0.0f;
    Gradient colours;
};

}  // namespace PSys
