#include "game/vector/ShapePolygons.h"

#include <cstring>

#include "data/VectorGraphics_generated.h"

namespace Zelmo {
namespace {

const std::vector<PolyComp> kNoPolygons;

// The four bytes of the stored colour, most significant first, so that reading them back in
// that order gives the stored value.
uint32_t storedBytes(uint32_t stored) {
    const uint8_t bytes[4] = {uint8_t(stored >> 24), uint8_t(stored >> 16), uint8_t(stored >> 8), uint8_t(stored)};
    uint32_t packed;
    std::memcpy(&packed, bytes, sizeof packed);
    return packed;
}

PolyComp polygonFrom(const Vector::Polyline* style) {
    PolyComp polygon;
    polygon.thickness = style->thickness();
    polygon.colour = storedBytes(style->colour());
    return polygon;
}

std::vector<float> pointsOf(const Vector::Polyline* polyline) {
    return std::vector<float>(polyline->points()->begin(), polyline->points()->end());
}

std::vector<PolyComp> buildPolygonsOf(const Vector::ShapeDef* def) {
    std::vector<PolyComp> result;
    const Vector::VectorGraphic* graphic = def->graphic();
    if (def->polygons() != nullptr) {
        for (const Vector::PolygonDef* polygonDef : *def->polygons()) {
            const auto* indices = polygonDef->polylines();
            PolyComp polygon = polygonFrom(graphic->outline()->Get(flatbuffers::uoffset_t(indices->Get(0))));
            for (int index : *indices) {
                polygon.pointLists.push_back(pointsOf(graphic->outline()->Get(flatbuffers::uoffset_t(index))));
            }
            result.push_back(std::move(polygon));
        }
        return result;
    }
    const auto* polylines = graphic->fill() != nullptr ? graphic->fill() : graphic->outline();
    if (polylines != nullptr) {
        for (const Vector::Polyline* polyline : *polylines) {
            PolyComp polygon = polygonFrom(polyline);
            polygon.pointLists.push_back(pointsOf(polyline));
            result.push_back(std::move(polygon));
        }
    }
    return result;
}

}  // namespace

ShapePolygons& ShapePolygons::instance() {
    static ShapePolygons polygons;
    return polygons;
}

void ShapePolygons::build(const GameVectors& library) {
    m_polygons.clear();
    const Vector::VectorGraphicsRoot* shapes = library.shapeData();
    if (shapes == nullptr || shapes->sets() == nullptr || shapes->sets()->size() == 0) return;
    const auto* set0 = shapes->sets()->Get(0)->shapes();
    if (set0 == nullptr) return;
    // A later shape of the same id replaces an earlier one, as it does in the library.
    for (const Vector::ShapeDef* def : *set0) m_polygons[def->id()] = buildPolygonsOf(def);
}

const std::vector<PolyComp>& ShapePolygons::polygons(uint32_t id) const {
    const auto found = m_polygons.find(id);
    return found != m_polygons.end() ? found->second : kNoPolygons;
}

}  // namespace Zelmo
