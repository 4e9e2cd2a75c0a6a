#pragma once

#include <cstdint>

// Colours in the vector data are 0xRRGGBBAA; the display and the vertices take packed ABGR.
inline uint32_t dataColourToAbgr(uint32_t rgba) {
    return (rgba >> 24) | ((rgba >> 8) & 0x0000ff00u) | ((rgba << 8) & 0x00ff0000u) | (rgba << 24);
}
