#include "game/screens/TitlePulse.h"

#include <cmath>

namespace Zelmo {

float TitlePulse::swing() const {
    const int round = int(elapsed / duration);
    const float t = round % 2 == 1 ? float(round + 1) * duration - elapsed : elapsed - float(round) * duration;
    return easer(t, start, end - start, duration);
}

float TitlePulse::sweep() const {
    float t = std::fmod(elapsed, duration);
    if (t < 0) t += duration;
    return easer(t, start, end - start, duration);
}

}  // namespace Zelmo
