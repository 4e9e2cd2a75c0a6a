#pragma once

// The pieces each shape of the shape library breaks into, built once the library has loaded:
// per shape of the shape data's set 0 (not the font's), one polygon per entry of its polygon
// list, else one per fill outline, else one per outline polyline.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/vector/GameVectors.h"
#include "game/vector/PolyComp.h"

namespace Zelmo {

class ShapePolygons {
public:
    // The process's pieces, those of GameVectors::instance once the game has loaded it.
    static ShapePolygons& instance();

    // Replaces the pieces by those of every shape of the library's shape data's set 0.
    void build(const GameVectors& library);

    // The pieces of the shape with the id; none for other ids.
    const std::vector<PolyComp>& polygons(uint32_t id) const;

private:
    std::unordered_map<uint32_t, std::vector<PolyComp>> m_polygons;
};

}  // namespace Zelmo
