#include "game/effects/BeamDrawing.h"

#include <cmath>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/VertexFormats.h"
#include "engine/util/Colour.h"
#include "engine/vector/FillStrip.h"
#include "engine/vector/VectorDisplay.h"

namespace Zelmo {
namespace {

constexpr float kDegreesToRadians = 0.017453292f;

const gfx::DrawState kFillState =
    gfx::DrawState().with(gfx::Primitive::TriangleStrip).blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha);

// Beam-local points to display points: scaled, offset, turned by the beam's and the segment's
// angle and moved to the beam's origin.
class Placement {
public:
    Placement(const BeamSegment& segment, float x, float y, float beamAngle, float zoom, float alongScale)
        : m_segment(segment), m_x(x), m_y(y), m_zoom(zoom), m_alongScale(alongScale) {
        const float angle = (-segment.angle - beamAngle) * kDegreesToRadians;
        m_cos = std::cos(angle);
        m_sin = std::sin(angle);
    }

    void at(float px, float py, float& outX, float& outY) const {
        const float ox = m_segment.mirror && px < 0.0f ? -m_segment.offsetX : m_segment.offsetX;
        const float u = (px * m_segment.scale + ox) * m_zoom;
        const float v = (py * m_segment.scale + m_segment.offsetY) * m_alongScale;
        outX = m_x + u * m_cos - v * m_sin;
        outY = m_y + v * m_cos + u * m_sin;
    }

private:
    const BeamSegment& m_segment;
    float m_x, m_y, m_zoom, m_alongScale;
    float m_cos = 1.0f;
    float m_sin = 0.0f;
};

void drawPolyline(VectorDisplay& display, const Polyline& points, const Placement& place) {
    const size_t wholePairs = points.size() / 2;
    if (wholePairs == 0) {
        return;
    }
    float x = 0.0f;
    float y = 0.0f;
    place.at(points[0], points[1], x, y);
    display.beginDraw(x, y, true);
    for (size_t i = 1; i < wholePairs; ++i) {
        place.at(points[2 * i], points[2 * i + 1], x, y);
        display.drawTo(x, y);
    }
    display.endDraw();
}

}  // namespace

void drawBeamSegments(VectorDisplay& display, float x, float y, float beamAngle, float alongScale, float zoom,
                      const std::vector<BeamSegment>& segments) {
    const float entryThickness = display.getThickness();
    for (const BeamSegment& segment : segments) {
        display.setThickness(segment.thickness * entryThickness);
        display.setDrawColor(segment.colour);
        const Placement place(segment, x, y, beamAngle, zoom, segment.stretch ? alongScale : zoom);
        // Strokes drawn over each other brighten the glow.
        for (int32_t pass = 0; pass < segment.count; ++pass) {
            for (const Polyline& polyline : segment.polylines) {
                drawPolyline(display, polyline, place);
            }
        }
    }
    display.setThickness(entryThickness);
}

void drawBeamSegmentFilled(gfx::ViewId view, gfx::ProgramHandle program, float x, float y, float z, float zoom,
                           float beamAngle, float length, const BeamSegment& segment) {
    const Placement place(segment, x, y, beamAngle, zoom, zoom * length);
    // The segment's colour is packed; these vertices take it in the written byte order, which the
    // same end-for-end conversion gives back.
    const uint32_t colour = Util::rgbaToAbgr(segment.colour);
    for (const Polyline& polyline : segment.polylines) {
        const size_t corners = outlineCorners(polyline, polyline.size());
        if (corners < 3 || gfx::availableTransientVertices(uint32_t(corners), PosColorVertex::layout) < corners ||
            gfx::availableTransientIndices(uint32_t(corners)) < corners) {
            continue;
        }
        submitFillStrip(view, program, kFillState, corners, [&](size_t i) {
            PosColorVertex vertex{0.0f, 0.0f, z, colour};
            place.at(polyline[2 * i], polyline[2 * i + 1], vertex.x, vertex.y);
            return vertex;
        });
    }
}

void drawBeamSegmentFilled(FillBatch& batch, float x, float y, float z, float zoom, float beamAngle, float length,
                           const BeamSegment& segment) {
    const Placement place(segment, x, y, beamAngle, zoom, zoom * length);
    const uint32_t colour = Util::rgbaToAbgr(segment.colour);
    for (const Polyline& polyline : segment.polylines) {
        batch.add(outlineCorners(polyline, polyline.size()), [&](size_t i) {
            PosColorVertex vertex{0.0f, 0.0f, z, colour};
            place.at(polyline[2 * i], polyline[2 * i + 1], vertex.x, vertex.y);
            return vertex;
        });
    }
}

}  // namespace Zelmo
