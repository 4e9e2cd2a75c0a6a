#include "game/vector/ShapeLibrary.h"

#include <iostream>

#include "data/VectorGraphics_generated.h"
#include "game/config/ConfigReaders.h"
#include "game/vector/AnimId.h"

namespace Zelmo {
namespace {

std::string animationName(uint32_t id) {
    const char* name = animIdName(id);
    return name ? name : std::to_string(id);
}

// Entities hand over to an animation's follow-on without looking, so each must exist.
bool followOnsExist(const GameVectors& library, const std::string& shapeData) {
    const Vector::VectorGraphicsRoot* root = library.shapeData();
    if (!root || !root->animations()) return true;
    for (const Vector::AnimationDef* animation : *root->animations()) {
        if (library.animation(animation->next())) continue;
        std::cerr << shapeData << ": animation " << animationName(animation->id()) << " follows on to "
                  << animationName(animation->next()) << ", which is not an animation\n";
        return false;
    }
    return true;
}

}  // namespace

bool loadShapeLibrary(GameVectors& library, ShapePolygons& polygons, const std::string& folder,
                      const std::string& shapeData, const std::string& fontData) {
    if (!library.init(folder, shapeData, fontData, {AnimId::LIFT_NODE})) return false;
    if (!followOnsExist(library, shapeData)) return false;
    polygons.build(library);
    return true;
}

bool initShapeLibrary() {
    const GameTable game = readGameTable();
    return loadShapeLibrary(GameVectors::instance(), ShapePolygons::instance(), "data", "data/" + game.shapeData,
                            "data/" + game.vectorFont);
}

}  // namespace Zelmo
