#include "engine/vector/GameVectors.h"

#include <flatbuffers/idl.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "data/VectorGraphics_generated.h"

namespace {

const char* const SchemaName = "VectorGraphics.fbs";
constexpr int kGlyphCodeOffset = 128;  // chars widen with their sign to -128 ... 127

const std::vector<float> NoProbes;

void complain(const std::string& file, const std::string& fault) { std::cerr << file << ": " << fault << std::endl; }

FloatBox boxFrom(const Vector::BoxDef& box) {
    return box.centred() ? FloatBox{box.x() - box.w() / 2.0f, box.y() - box.h() / 2.0f, box.w(), box.h()}
                         : FloatBox{box.x(), box.y(), box.w(), box.h()};
}

// A fault that would make drawing or the boxes read outside the data, or "" for none.
std::string shapeFault(const Vector::ShapeDef* def) {
    const std::string name = "shape " + std::to_string(def->id());
    const Vector::VectorGraphic* graphic = def->graphic();
    if (graphic == nullptr) {
        return name + " has no graphic";
    }
    for (const auto* polylines : {graphic->outline(), graphic->fill()}) {
        if (polylines == nullptr) {
            continue;
        }
        for (const Vector::Polyline* polyline : *polylines) {
            const flatbuffers::Vector<float>* points = polyline->points();
            if (points == nullptr || points->size() < 2 || points->size() % 2 != 0) {
                return name + " has a polyline without whole x, y points";
            }
        }
    }
    if (def->polygons() != nullptr) {
        const flatbuffers::uoffset_t outlines = graphic->outline() ? graphic->outline()->size() : 0;
        for (const Vector::PolygonDef* polygon : *def->polygons()) {
            if (polygon->polylines() == nullptr || polygon->polylines()->size() == 0) {
                return name + " has a polygon without polylines";
            }
            for (int index : *polygon->polylines()) {
                if (index < 0 || flatbuffers::uoffset_t(index) >= outlines) {
                    return name + " has a polygon naming outline polyline " + std::to_string(index) + " of " +
                           std::to_string(outlines);
                }
            }
        }
    }
    return "";
}

}  // namespace

GameVectors& GameVectors::instance() {
    static GameVectors library;
    return library;
}

bool GameVectors::init(const std::string& folder, const std::string& shapeData, const std::string& fontData,
                       const std::vector<uint32_t>& turningShapes) {
    m_gridShift = 0;
    m_animations.clear();
    m_sets.clear();
    m_turningShapes = turningShapes;
    m_glyphs = {};
    m_hasGlyph = {};
    m_fontMetrics = FontMetrics();
    const std::string schema = folder + "/" + SchemaName;
    for (Game::Info* info : {&m_shapeInfo, &m_fontInfo}) {
        if (!info->loadSchema(schema, {folder})) {
            complain(schema, info->getParser()->error_);
            return false;
        }
    }
    return loadShapes(shapeData) && loadFont(fontData);
}

bool GameVectors::loadShapes(const std::string& name) {
    const std::string file = Game::resolveDataName(name);
    if (m_shapeInfo.loadData(name) == nullptr) {
        complain(file, m_shapeInfo.getParser()->error_);
        return false;
    }
    const Vector::VectorGraphicsRoot* root = Vector::GetVectorGraphicsRoot(m_shapeInfo.data());
    float largestExtent = 0.0f;
    if (root->sets() != nullptr) {
        for (const Vector::ShapeSet* set : *root->sets()) {
            m_sets.emplace_back();
            if (set->shapes() == nullptr) {
                continue;
            }
            for (const Vector::ShapeDef* def : *set->shapes()) {
                const std::string fault = shapeFault(def);
                if (!fault.empty()) {
                    complain(file, "set " + std::to_string(m_sets.size() - 1) + ": " + fault);
                    return false;
                }
                const Shape& shape = m_sets.back()[def->id()] = makeShape(def);
                largestExtent = std::max({largestExtent, shape.bbox.w, shape.bbox.h});
            }
        }
    }
    m_gridShift = root->grid_shift() != 0 ? int(root->grid_shift()) : gridShiftFor(largestExtent);
    if (root->animations() != nullptr) {
        for (const Vector::AnimationDef* animation : *root->animations()) {
            m_animations[animation->id()] = animation;
        }
    }
    return true;
}

GameVectors::Shape GameVectors::makeShape(const Vector::ShapeDef* def) const {
    Shape shape;
    shape.def = def;
    const Vector::VectorGraphic* graphic = def->graphic();
    shape.bbox = vectorGraphicBounds(graphic);
    shape.cbox = shape.bbox;
    shape.hbox = shape.bbox;
    if (std::find(m_turningShapes.begin(), m_turningShapes.end(), def->id()) != m_turningShapes.end()) {
        // Whatever its angle, the shape must stay inside its box.
        const FloatBox& b = shape.bbox;
        const float m = std::max({std::fabs(b.x), std::fabs(b.x + b.w), std::fabs(b.y), std::fabs(b.y + b.h)});
        shape.bbox = FloatBox{-m, -m, 2.0f * m, 2.0f * m};
    }
    if (graphic->collision_box() != nullptr) {
        shape.cbox = boxFrom(*graphic->collision_box());
    }
    if (graphic->hit_box() != nullptr) {
        shape.hbox = boxFrom(*graphic->hit_box());
    }
    const Vector::EdgeProbes* given = graphic->probes();
    for (int side = 0; side < 4; ++side) {
        const flatbuffers::Vector<float>* list = nullptr;
        if (given != nullptr) {
            list = side == 0 ? given->up() : side == 1 ? given->down() : side == 2 ? given->left() : given->right();
        }
        if (list != nullptr) {
            shape.probes[side].assign(list->begin(), list->end());
        } else {
            makeEdgeProbes(side, shape.cbox, shape.probes[side]);
        }
    }
    return shape;
}

bool GameVectors::loadFont(const std::string& name) {
    const std::string file = Game::resolveDataName(name);
    if (m_fontInfo.loadData(name) == nullptr) {
        complain(file, m_fontInfo.getParser()->error_);
        return false;
    }
    const Vector::VectorGraphicsRoot* root = Vector::GetVectorGraphicsRoot(m_fontInfo.data());
    const flatbuffers::uoffset_t fontSets = root->sets() != nullptr ? root->sets()->size() : 0;
    if (fontSets > m_sets.size()) {
        complain(file, "holds " + std::to_string(fontSets) + " shape sets, the shape data only " +
                           std::to_string(m_sets.size()));
        return false;
    }
    for (flatbuffers::uoffset_t k = 0; k < fontSets; ++k) {
        const Vector::ShapeSet* set = root->sets()->Get(k);
        if (set->shapes() == nullptr) {
            continue;
        }
        for (const Vector::ShapeDef* def : *set->shapes()) {
            std::string fault = shapeFault(def);
            if (fault.empty() && def->graphic()->collision_box() == nullptr) {
                fault = "shape " + std::to_string(def->id()) + " has no collision box to sweep its glyph by";
            }
            if (!fault.empty()) {
                complain(file, "set " + std::to_string(k) + ": " + fault);
                return false;
            }
            m_sets[k][def->id()] = makeShape(def);
        }
    }
    if (root->glyphs() != nullptr) {
        for (const Vector::GlyphDef* glyphDef : *root->glyphs()) {
            const int slot = glyphDef->code() + kGlyphCodeOffset;
            if (slot < 0 || slot >= int(m_glyphs.size())) {
                continue;  // no char has this code
            }
            const Shape* drawn = shape(glyphDef->shape(), 0);
            const FloatBox box = drawn != nullptr ? drawn->bbox : FloatBox{};
            m_glyphs[size_t(slot)] = Glyph{glyphDef->shape(), box.x, box.y, box.w, box.h};
            m_hasGlyph[size_t(slot)] = true;
        }
    }
    const Glyph* a = glyph('A');
    if (a == nullptr) {
        complain(file, "has no glyph for 'A', which sets the spacing of the font");
        return false;
    }
    m_fontMetrics.spacing = int(double(a->w) * 0.2);
    m_fontMetrics.glyphSize = int(a->w);
    m_fontMetrics.lineStep = int(float(m_fontMetrics.spacing) + a->h);
    return true;
}

const Vector::ShapeDef* GameVectors::shapeTable(uint32_t id, int set) const {
    const Shape* found = shape(id, set);
    return found != nullptr ? found->def : nullptr;
}

const GameVectors::Shape* GameVectors::shape(uint32_t id, int set) const {
    if (set < 0 || size_t(set) >= m_sets.size()) {
        return nullptr;
    }
    const auto found = m_sets[size_t(set)].find(id);
    return found != m_sets[size_t(set)].end() ? &found->second : nullptr;
}

IntBox GameVectors::bbox(uint32_t id, float factor) const {
    const Shape* found = shape(id, 0);
    return found != nullptr ? scaleBox(found->bbox, factor) : IntBox{};
}

IntBox GameVectors::cbox(uint32_t id, float factor) const {
    const Shape* found = shape(id, 0);
    return found != nullptr ? scaleBox(found->cbox, factor) : IntBox{};
}

IntBox GameVectors::hbox(uint32_t id, float factor) const {
    const Shape* found = shape(id, 0);
    return found != nullptr ? scaleBox(found->hbox, factor) : IntBox{};
}

const std::vector<float>& GameVectors::probes(uint32_t id, int side) const {
    const Shape* found = shape(id, 0);
    return found != nullptr && side >= 0 && side < 4 ? found->probes[size_t(side)] : NoProbes;
}

const Vector::VectorGraphicsRoot* GameVectors::shapeData() const {
    return m_shapeInfo.data() != nullptr ? Vector::GetVectorGraphicsRoot(m_shapeInfo.data()) : nullptr;
}

const Vector::AnimationDef* GameVectors::animation(uint32_t id) const {
    const auto found = m_animations.find(id);
    return found != m_animations.end() ? found->second : nullptr;
}

const GameVectors::Glyph* GameVectors::glyph(char c) const {
    const size_t slot = size_t(int(c) + kGlyphCodeOffset);
    return m_hasGlyph[slot] ? &m_glyphs[slot] : nullptr;
}
