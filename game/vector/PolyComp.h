#pragma once

// Free polygons of the game world: point lists drawn as outlines and, when filled, as filled
// strips. ShapePolygons pre-builds them for every shape, ready to break a shape into pieces.

#include <cstdint>
#include <vector>

namespace Zelmo {

struct PolyComp {
    int32_t x = 0;  // screen position
    int32_t y = 0;
    float scale = 1.0f;
    float thickness = 1.0f;
    int32_t passCount = 1;  // how many times each outline is drawn
    // Packed ABGR for the outlines. Its four bytes in memory, read most significant first, are
    // the fill colour handed to GameVectors::drawPolygon.
    uint32_t colour = 0;
    float angle = 0.0f;
    bool filled = true;
    float lifetime = 0.0f;  // ms, 0 = unlimited
    // Each list x, y alternating, relative to the position.
    std::vector<std::vector<float>> pointLists;
};

}  // namespace Zelmo
