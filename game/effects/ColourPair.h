#pragma once
#include <cstdint>

namespace Zelmo {

// A colour range of the game world: packed ABGR colours (red in the lowest byte) that a value
// moves between.
struct ColourPair {
    uint32_t from = 0;
    uint32_t to = 0;
};

}  // namespace Zelmo
