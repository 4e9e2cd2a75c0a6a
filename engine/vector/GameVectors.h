#pragma once

// A library of vector shapes: every drawing, and the glyphs of the vector font, is a shape with a
// 32-bit id. Loaded once from the shape data and the font data (schema "VectorGraphics.fbs") and
// read in place from then on; per shape it keeps a bounding, collision and hit box and the four
// lists of wall probes. Shapes come in sets; the font's sets are laid over the shape data's.
//
// Drawing happens between a VectorDisplay's beginFrame and endFrame: outlines as glowing lines,
// fills as triangle strips on a renderer view, and outlines revealed up to a sweep line.

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/data/Info.h"
#include "engine/gfx/Handles.h"
#include "engine/util/Colour.h"
#include "engine/vector/ScopeSweep.h"
#include "engine/vector/ShapeGeometry.h"

class FillBatch;
class VectorDisplay;

namespace Vector {
struct ShapeDef;
struct VectorGraphic;
struct AnimationDef;
struct VectorGraphicsRoot;
}  // namespace Vector

class GameVectors {
public:
    struct Shape {
        const Vector::ShapeDef* def = nullptr;
        std::array<std::vector<float>, 4> probes;  // sides 0 to 3, x, y pairs
        FloatBox bbox;
        FloatBox cbox;
        FloatBox hbox;
    };

    struct Glyph {
        uint32_t shape = 0;
        float x = 0.0f;  // the shape's bounding box
        float y = 0.0f;
        float w = 0.0f;
        float h = 0.0f;
    };

    // From the glyph of 'A': the gap between glyphs, the distance between lines and the width
    // of a glyph, in shape units.
    struct FontMetrics {
        int spacing = 0;
        int lineStep = 0;
        int glyphSize = 0;
    };

    // The process's library, created on first use.
    static GameVectors& instance();

    GameVectors() = default;
    GameVectors(const GameVectors&) = delete;
    GameVectors& operator=(const GameVectors&) = delete;

    // Loads "<folder>/VectorGraphics.fbs" and the two data files (named by the data name rule).
    // False, after a line on standard error naming the file and the fault, when the schema or
    // the data does not parse or the data is unusable (a shape without a graphic, a polyline
    // without points, polygons naming missing polylines, a font without 'A' or with more sets
    // than the shapes, a glyph without a collision box). An unreadable file stops the process.
    // The shapes with the ids in turningShapes turn while they are drawn: their bounding box is
    // a square around the origin that holds them at any angle.
    bool init(const std::string& folder, const std::string& shapeData, const std::string& fontData,
              const std::vector<uint32_t>& turningShapes = {});

    // Null when the set has no such shape.
    const Vector::ShapeDef* shapeTable(uint32_t id, int set) const;
    const Shape* shape(uint32_t id, int set) const;
    // Boxes and probes of set 0; an id it does not hold gives an empty box and no probes.
    IntBox bbox(uint32_t id, float factor) const;
    IntBox cbox(uint32_t id, float factor) const;
    IntBox hbox(uint32_t id, float factor) const;
    const std::vector<float>& probes(uint32_t id, int side) const;
    // The shape data as loaded, without the font laid over it; null before a load succeeded.
    const Vector::VectorGraphicsRoot* shapeData() const;
    const Vector::AnimationDef* animation(uint32_t id) const;
    // Null for a character the font has no glyph for.
    const Glyph* glyph(char c) const;
    const FontMetrics& fontMetrics() const { return m_fontMetrics; }
    int gridShift() const { return m_gridShift; }
    int setCount() const { return int(m_sets.size()); }

    // The shape's outline with its own colour when colour is 0 and its own scale when scale is
    // 0; angle in degrees, clockwise on screen (y upward). Nothing when the set has no such shape.
    void drawShape(VectorDisplay& display, int set, uint32_t id, float x, float y, float thickness, float scale,
                   const uint32_t& colour, float angle) const;
    // One point list drawn like a polyline of a shape, in the caller's colour.
    void drawPolyline(VectorDisplay& display, const std::vector<float>& points, float x, float y, float thickness,
                      float scale, const uint32_t& colour, float angle) const;

    // Fills as triangle strips on a view, which must draw y upward unless mirrorOf names the
    // display whose first view it is (fills then mirror y over its height as its lines do). A
    // colour of all zeros means each polyline's own fill colour, and polylines without one are not filled. Outlines should
    // be convex. Running out of transient buffers stops the process.
    void drawShapeFilled(gfx::ViewId view, gfx::ProgramHandle program, int set, uint32_t id, float x, float y, float z,
                         Util::Colour colour, float scale, float angle,
                         const VectorDisplay* mirrorOf = nullptr) const;
    void drawPolygon(gfx::ViewId view, gfx::ProgramHandle program, const std::vector<float>& points, float x, float y,
                     float z, float scale, Util::Colour colour, float angle,
                     const VectorDisplay* mirrorOf = nullptr) const;
    // The same fills gathered into a batch, to be drawn in one go (y upward).
    void drawShapeFilled(FillBatch& batch, int set, uint32_t id, float x, float y, float z, Util::Colour colour,
                         float scale, float angle) const;
    void drawPolygon(FillBatch& batch, const std::vector<float>& points, float x, float y, float z, float scale,
                     Util::Colour colour, float angle) const;

    // The set-0 shape's outline revealed up to the sweep line, unrotated.
    void drawShapeClipped(const ScopeSweep& sweep, VectorDisplay& display, uint32_t id, float x, float y,
                          float thickness, float scale, const uint32_t& colour) const;

private:
    bool loadShapes(const std::string& name);
    bool loadFont(const std::string& name);
    Shape makeShape(const Vector::ShapeDef* def) const;

    Game::Info m_shapeInfo;
    Game::Info m_fontInfo;
    int m_gridShift = 0;
    std::unordered_map<uint32_t, const Vector::AnimationDef*> m_animations;
    std::vector<std::unordered_map<uint32_t, Shape>> m_sets;
    std::vector<uint32_t> m_turningShapes;
    // By character code + 128: the codes a char can have.
    std::array<Glyph, 256> m_glyphs{};
    std::array<bool, 256> m_hasGlyph{};
    FontMetrics m_fontMetrics;
};

// Outline drawing of a graphic (see GameVectors::drawShape).
void drawVectorGraphic(VectorDisplay& display, const Vector::VectorGraphic* graphic, float x, float y, float thickness,
                       float scale, const uint32_t& colour, float angle);
// Outline drawing revealed up to the sweep line (see GameVectors::drawShapeClipped).
void drawVectorGraphicClipped(const ScopeSweep& sweep, VectorDisplay& display, const Vector::VectorGraphic* graphic,
                              float x, float y, float thickness, float scale, const uint32_t& colour);
