#include "game/vector/ShapeLibrary.h"

#include "game/config/ConfigReaders.h"
#include "game/vector/AnimId.h"

namespace Zelmo {

bool loadShapeLibrary(GameVectors& library, ShapePolygons& polygons, const std::string& folder,
                      const std::string& shapeData, const std::string& fontData) {
    if (!library.init(folder, shapeData, fontData, {AnimId::LIFT_NODE})) return false;
    polygons.build(library);
    return true;
}

bool initShapeLibrary() {
    const GameTable game = readGameTable();
    return loadShapeLibrary(GameVectors::instance(), ShapePolygons::instance(), "data", "data/" + game.shapeData,
                            "data/" + game.vectorFont);
}

}  // namespace Zelmo
