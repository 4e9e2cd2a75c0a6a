#include "engine/util/Colour.h"

namespace Util {

void lerpColour(uint32_t& colour, uint32_t target, float f) {
    uint32_t l_result = 0;
    for (int l_shift = 0; l_shift < 32; l_shift += 8) {
        const int l_from = int((colour >> l_shift) & 0xFFu);
        const int l_to = int((target >> l_shift) & 0xFFu);
        const int l_byte = l_to > l_from ? int(float(l_from) + float(l_to - l_from) * f)
                                         : int(float(l_from) - float(l_from - l_to) * f);
        l_result |= uint32_t(l_byte & 0xFF) << l_shift;
    }
    colour = l_result;
}

}  // namespace Util
