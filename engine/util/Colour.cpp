#include "engine/util/Colour.h"

namespace Util {

void lerpColour(uint32_t& colour, uint32_t target, float f) {
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int from = int((colour >> shift) & 0xFFu);
        const int to = int((target >> shift) & 0xFFu);
        const int byte = to > from ? int(float(from) + float(to - from) * f) : int(float(from) - float(from - to) * f);
        result |= uint32_t(byte & 0xFF) << shift;
    }
    colour = result;
}

}  // namespace Util
