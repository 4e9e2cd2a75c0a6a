#pragma once

// The game's use of the shape library: which data it loads, which of its shapes turn while they
// are drawn, and the polygons built from it.

#include <string>

#include "engine/vector/GameVectors.h"
#include "game/vector/ShapePolygons.h"

namespace Zelmo {

// Loads the library from the files (as GameVectors::init) with the lift as the one turning
// shape, then builds the polygons from it. False when the library refuses the data.
bool loadShapeLibrary(GameVectors& library, ShapePolygons& polygons, const std::string& folder,
                      const std::string& shapeData, const std::string& fontData);

// The process's library and polygons from the shape data and the vector font that the loaded
// configuration's game table names, in the folder "data".
bool initShapeLibrary();

}  // namespace Zelmo
