#include "engine/tween/Easing.h"

#include <iterator>

#include "engine/util/Fatal.h"
#include "engine/util/Random.h"

namespace Tween {

#define ZELMO_EASER_FORMS(Curve)                                               \
    {"in" #Curve, Penner::Curve::easeIn}, {"out" #Curve, Penner::Curve::easeOut}, \
        {"inOut" #Curve, Penner::Curve::easeInOut},                            \
        {"outIn" #Curve, Penner::easeOutIn<Penner::Curve::easeOut, Penner::Curve::easeIn>}

const EaserEntry easerTable[45] = {
    ZELMO_EASER_FORMS(Back),  ZELMO_EASER_FORMS(Bounce), ZELMO_EASER_FORMS(Circ),   ZELMO_EASER_FORMS(Cubic),
    ZELMO_EASER_FORMS(Elastic), ZELMO_EASER_FORMS(Expo), // One function serves the three plain linear forms.
    {"inLinear", Penner::Linear::easeIn}, {"outLinear", Penner::Linear::easeIn}, {"inOutLinear", Penner::Linear::easeIn},
    {"outInLinear", Penner::easeOutIn<Penner::Linear::easeIn, Penner::Linear::easeIn>}, ZELMO_EASER_FORMS(Quad),
    ZELMO_EASER_FORMS(Quart), ZELMO_EASER_FORMS(Quint),  ZELMO_EASER_FORMS(Sine),   {"Rand", easeRand},
};

#undef ZELMO_EASER_FORMS

EaseFn findEaser(const std::string& name) {
    if (name.empty()) return nullptr;
    for (const auto& entry : easerTable) {
        if (name == entry.name) return entry.fn;
    }
    Util::fatal("Easer " + name + " unknown");
}

float easeRand(float, float b, float c, float) {
    if (c == 0.0f) return b;
    static Util::Random s_random;
    return s_random.nextFloat() * ((b + c) - b) + b;
}

}  // namespace Tween
