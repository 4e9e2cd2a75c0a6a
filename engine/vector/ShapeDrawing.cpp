// Drawing the library's shapes: outlines on a vector display, fills as triangle strips on a
// renderer view, and outlines revealed up to a sweep line.
#include <cfloat>
#include <cmath>

#include "data/VectorGraphics_generated.h"
#include "engine/gfx/Gfx.h"
#include "engine/gfx/VertexFormats.h"
#include "engine/vector/FillStrip.h"
#include "engine/vector/GameVectors.h"
#include "engine/vector/VectorDisplay.h"
#include "engine/util/Colour.h"

namespace {

constexpr float kDegreesToRadians = -0.017453292f;  // negated: positive angles turn counter-clockwise

const gfx::DrawState FillState =
    gfx::DrawState().with(gfx::Primitive::TriangleStrip).blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha);

// Shape units to display units: scaled, turned by the angle and moved to (x, y).
struct Placement {
    Placement(float x, float y, float scale, float angle)
        : m_x(x),
          m_y(y),
          m_cosS(scale * std::cos(angle * kDegreesToRadians)),
          m_sinS(scale * std::sin(angle * kDegreesToRadians)) {}

    float x(float px, float py) const { return px * m_cosS + m_x - py * m_sinS; }
    float y(float px, float py) const { return py * m_cosS + m_y + px * m_sinS; }

private:
    float m_x, m_y, m_cosS, m_sinS;
};

template <typename Floats>
void drawPoints(VectorDisplay& display, const Floats& points, size_t count, const Placement& at) {
    if (count < 2) {
        return;
    }
    display.beginDraw(at.x(points[0], points[1]), at.y(points[0], points[1]), true);
    for (size_t i = 2; i + 1 < count; i += 2) {
        display.drawTo(at.x(points[i], points[i + 1]), at.y(points[i], points[i + 1]));
    }
    display.endDraw();
}

// fill(corners, vertexAt): a strip submitted at once or an outline added to a batch.
template <typename Floats, typename Fill>
void fillPoints(Fill fill, const Floats& points, size_t count, float z, uint32_t abgr, const Placement& at,
                const VectorDisplay* mirrorOf) {
    float height = 0.0f;
    if (mirrorOf != nullptr) {
        float width;
        mirrorOf->getSize(width, height);
    }
    fill(outlineCorners(points, count), [&](size_t i) {
        const float px = points[2 * i];
        const float py = points[2 * i + 1];
        const float y = at.y(px, py);
        return PosColorVertex{at.x(px, py), mirrorOf != nullptr ? height - y : y, z, abgr};
    });
}

auto stripOn(gfx::ViewId view, gfx::ProgramHandle program) {
    return [view, program](size_t count, auto vertexAt) { submitFillStrip(view, program, FillState, count, vertexAt); };
}

auto batchOf(FillBatch& batch) {
    return [&batch](size_t count, auto vertexAt) { batch.add(count, vertexAt); };
}

bool nearlyEqual(float a, float b) {
    return std::fabs(a - b) <= std::max({1.0f, std::fabs(a), std::fabs(b)}) * FLT_EPSILON;
}

struct Point {
    float x, y;
};

void line(VectorDisplay& display, Point from, Point to) {
    display.beginDraw(from.x, from.y, true);
    display.drawTo(to.x, to.y);
    display.endDraw();
}

// Reveals one segment up to the sweep line; a segment the line crosses gets a beam to the beam
// end, when the crossing lies within the shape's width (lo to hi).
void clipSegment(const ScopeSweep& sweep, VectorDisplay& display, Point a, Point b, float lo, float hi) {
    const bool aFirst = nearlyEqual(a.y, b.y) ? a.x <= b.x : a.y < b.y;
    const Point f = aFirst ? a : b;  // lower end (left end of a level segment)
    const Point s = aFirst ? b : a;
    const float sy = sweep.sweepY;
    if (sweep.upperSide ? f.y > sy : s.y < sy) {
        line(display, f, s);
        return;
    }
    if (sweep.upperSide ? s.y < sy : f.y > sy) {
        return;
    }
    const uint32_t colour = display.getDrawColor();
    const Point beamEnd{sweep.beamEndX, sweep.beamEndY};
    if (nearlyEqual(f.y, s.y)) {
        if (sweep.sweepX > s.x) {
            line(display, f, s);
        } else if (sweep.sweepX >= f.x) {
            line(display, f, Point{sweep.sweepX, sy});
            display.setDrawColor(sweep.beamColour);
            line(display, Point{sweep.sweepX, sy}, beamEnd);
            display.setDrawColor(colour);
        }
        return;
    }
    const float crossX = nearlyEqual(f.x, s.x) ? f.x : a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y);
    const Point crossing{crossX, sy};
    line(display, sweep.upperSide ? s : f, crossing);
    if (crossX >= lo && crossX <= hi) {
        display.setDrawColor(sweep.beamColour);
        line(display, crossing, beamEnd);
        display.setDrawColor(colour);
    }
}

uint32_t resolvedColour(const Vector::ShapeDef* def, uint32_t colour) {
    return colour != 0 ? colour : Util::rgbaToAbgr(def->colour());
}

float resolvedScale(const Vector::ShapeDef* def, float scale) { return scale != 0.0f ? scale : def->scale(); }

}  // namespace

void drawVectorGraphic(VectorDisplay& display, const Vector::VectorGraphic* graphic, float x, float y, float thickness,
                       float scale, const uint32_t& colour, float angle) {
    if (graphic == nullptr || graphic->outline() == nullptr) {
        return;
    }
    const float entryThickness = display.getThickness();
    const Placement at(x, y, scale, angle);
    for (const Vector::Polyline* polyline : *graphic->outline()) {
        display.setDrawColor(polyline->colour() != 0 ? Util::rgbaToAbgr(polyline->colour()) : colour);
        display.setThickness(polyline->thickness() * entryThickness * thickness);
        if (polyline->points() != nullptr) {
            drawPoints(display, *polyline->points(), polyline->points()->size(), at);
        }
    }
    display.setThickness(entryThickness);
}

void drawVectorGraphicClipped(const ScopeSweep& sweep, VectorDisplay& display, const Vector::VectorGraphic* graphic,
                              float x, float y, float thickness, float scale, const uint32_t& colour) {
    if (graphic == nullptr || graphic->outline() == nullptr) {
        return;
    }
    // Beams start only where the line crosses the shape's own width, not its wider strokes.
    const float width =
        graphic->collision_box() != nullptr ? graphic->collision_box()->w() : vectorGraphicBounds(graphic).w;
    const float lo = x - width * 0.5f * scale;
    const float hi = x + width * 0.5f * scale;
    const float entryThickness = display.getThickness();
    for (const Vector::Polyline* polyline : *graphic->outline()) {
        display.setDrawColor(polyline->colour() != 0 ? Util::rgbaToAbgr(polyline->colour()) : colour);
        display.setThickness(polyline->thickness() * entryThickness * thickness);
        const flatbuffers::Vector<float>* points = polyline->points();
        if (points == nullptr) {
            continue;
        }
        for (flatbuffers::uoffset_t i = 0; i + 3 < points->size(); i += 2) {
            const Point a{points->Get(i) * scale + x, points->Get(i + 1) * scale + y};
            const Point b{points->Get(i + 2) * scale + x, points->Get(i + 3) * scale + y};
            clipSegment(sweep, display, a, b, lo, hi);
        }
    }
    display.setThickness(entryThickness);
}

void GameVectors::drawShape(VectorDisplay& display, int set, uint32_t id, float x, float y, float thickness,
                            float scale, const uint32_t& colour, float angle) const {
    const Shape* found = shape(id, set);
    if (found == nullptr) {
        return;
    }
    drawVectorGraphic(display, found->def->graphic(), x, y, thickness, resolvedScale(found->def, scale),
                      resolvedColour(found->def, colour), angle);
}

void GameVectors::drawPolyline(VectorDisplay& display, const std::vector<float>& points, float x, float y,
                               float thickness, float scale, const uint32_t& colour, float angle) const {
    const float entryThickness = display.getThickness();
    display.setDrawColor(colour);
    display.setThickness(entryThickness * thickness);
    drawPoints(display, points, points.size(), Placement(x, y, scale, angle));
    display.setThickness(entryThickness);
}

namespace {

// Each fill polyline of the shape (its outline when it has none) with a colour, given or its own.
template <typename Fill>
void fillShape(Fill fill, const GameVectors::Shape* found, float x, float y, float z, Util::Colour colour, float scale,
               float angle, const VectorDisplay* mirrorOf) {
    if (found == nullptr) {
        return;
    }
    const Vector::VectorGraphic* graphic = found->def->graphic();
    const auto* polylines = graphic->fill() != nullptr ? graphic->fill() : graphic->outline();
    if (polylines == nullptr) {
        return;
    }
    const Placement at(x, y, resolvedScale(found->def, scale), angle);
    const uint32_t given = colour.abgr();
    for (const Vector::Polyline* polyline : *polylines) {
        const uint32_t abgr = given != 0 ? given : polyline->colour();
        if (abgr != 0 && polyline->points() != nullptr) {
            fillPoints(fill, *polyline->points(), polyline->points()->size(), z, abgr, at, mirrorOf);
        }
    }
}

}  // namespace

void GameVectors::drawShapeFilled(gfx::ViewId view, gfx::ProgramHandle program, int set, uint32_t id, float x, float y,
                                  float z, Util::Colour colour, float scale, float angle,
                                  const VectorDisplay* mirrorOf) const {
    fillShape(stripOn(view, program), shape(id, set), x, y, z, colour, scale, angle, mirrorOf);
}

void GameVectors::drawShapeFilled(FillBatch& batch, int set, uint32_t id, float x, float y, float z,
                                  Util::Colour colour, float scale, float angle) const {
    fillShape(batchOf(batch), shape(id, set), x, y, z, colour, scale, angle, nullptr);
}

void GameVectors::drawPolygon(gfx::ViewId view, gfx::ProgramHandle program, const std::vector<float>& points, float x,
                              float y, float z, float scale, Util::Colour colour, float angle,
                              const VectorDisplay* mirrorOf) const {
    fillPoints(stripOn(view, program), points, points.size(), z, colour.abgr(), Placement(x, y, scale, angle),
               mirrorOf);
}

void GameVectors::drawPolygon(FillBatch& batch, const std::vector<float>& points, float x, float y, float z,
                              float scale, Util::Colour colour, float angle) const {
    fillPoints(batchOf(batch), points, points.size(), z, colour.abgr(), Placement(x, y, scale, angle), nullptr);
}

void GameVectors::drawShapeClipped(const ScopeSweep& sweep, VectorDisplay& display, uint32_t id, float x, float y,
                                   float thickness, float scale, const uint32_t& colour) const {
    const Shape* found = shape(id, 0);
    if (found == nullptr) {
        return;
    }
    drawVectorGraphicClipped(sweep, display, found->def->graphic(), x, y, thickness, resolvedScale(found->def, scale),
                             resolvedColour(found->def, colour));
}
