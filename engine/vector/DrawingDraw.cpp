// Drawing one layer of a drawing: filled polygon groups, glowing line groups, and texts written
// normally or revealed by a sweep that moves on every frame.
#include "engine/vector/DrawingLibrary.h"
#include "engine/vector/FillStrip.h"
#include "engine/vector/IDrawVectorText.h"
#include "engine/vector/VectorDisplay.h"
#include "engine/util/Colour.h"

namespace {

const char* const ScopeDone = "SCOPEDONE";

// Polygon groups are opaque: their colour replaces what lies under them.
const gfx::DrawState PolygonState = gfx::DrawState().with(gfx::Primitive::TriangleStrip);

// A group's points as the flat x, y list the outline helpers read.
struct PointCoordinates {
    const std::vector<std::unique_ptr<DrawingPoint>>& points;
    float operator[](size_t i) const { return i % 2 == 0 ? points[i / 2]->x : points[i / 2]->y; }
};

// Drawing percent to display units, y upward as the lines are drawn.
struct Placement {
    float ox, oy;  // the object's origin, percent
    float sx, sy;  // display units per percent
    float height;  // display height, to turn y upward on the fill view

    float x(float px) const { return (px + ox) * sx; }
    float y(float py) const { return (py + oy) * sy; }
};

void fillGroup(const DrawingGroup& group, const Placement& at, gfx::ViewId view, gfx::ProgramHandle program) {
    const PointCoordinates coordinates{group.points};
    submitFillStrip(view, program, PolygonState, outlineCorners(coordinates, group.points.size() * 2), [&](size_t i) {
        const DrawingPoint& p = *group.points[i];
        return PosColorVertex{at.x(p.x), at.height - at.y(p.y), 0.0f, group.colour};
    });
}

void drawLines(const DrawingGroup& group, const Placement& at, VectorDisplay& display, float entryThickness) {
    if (group.points.size() < 2) {
        return;
    }
    display.setThickness(group.thickness * entryThickness);
    display.setDrawColor(Util::rgbaToAbgr(group.colour));
    const DrawingPoint& first = *group.points.front();
    display.beginDraw(at.x(first.x), at.y(first.y), true);
    for (size_t i = 1; i < group.points.size(); ++i) {
        display.drawTo(at.x(group.points[i]->x), at.y(group.points[i]->y));
    }
    display.endDraw();
}

}  // namespace

void DrawingLibrary::draw(int layer, VectorDisplay& display, gfx::ProgramHandle fillProgram,
                          Vector::IDrawVectorText* text, float sweepFactor) {
    float width;
    float height;
    display.getSize(width, height);
    m_scaleX = width * 0.01f;
    m_scaleY = height * 0.01f;
    const float entryThickness = display.getThickness();
    const gfx::ViewId fillView = gfx::ViewId(display.getFirstView());
    for (const auto& object : m_objects) {
        if (!object->visible() || object->layer() != layer) {
            continue;
        }
        const DrawingPoint& origin = object->origin();
        const Placement at{origin.x, origin.y, m_scaleX, m_scaleY, height};
        for (const auto& group : object->polygonGroups()) {
            if (group->visible) {
                fillGroup(*group, at, fillView, fillProgram);
            }
        }
        for (const auto& group : object->lineGroups()) {
            if (group->visible) {
                drawLines(*group, at, display, entryThickness);
            }
        }
        if (text == nullptr) {
            continue;
        }
        for (const auto& drawingText : object->texts()) {
            if (drawingText->visible) {
                drawingText->pendingEvent =
                    updateText(*drawingText, origin.x, origin.y, *text, display, fillProgram, sweepFactor);
            }
        }
    }
    display.setThickness(entryThickness);
}

std::string DrawingLibrary::updateText(DrawingText& text, float ox, float oy, Vector::IDrawVectorText& writer,
                                       VectorDisplay& display, gfx::ProgramHandle fillProgram, float sweepFactor) {
    Vector::VectorTextStyle& style = text.style;
    const Vector::TextRect& rect = text.rect;
    if (text.needsMeasure) {
        text.needsMeasure = false;
        style.x = int(text.x * m_scaleX);
        style.y = int(text.y * m_scaleY);
        writer.measure(text.rect, style, text.text);
        text.measuredX = style.x;
        text.measuredY = style.y;
        if (text.sweepMode) {
            const bool downward = text.sweep.upperSide;
            text.stepX = float(rect.w) / text.sweepSpeed;
            text.stepY = float(rect.h) / text.sweepRate * (downward ? 1.0f : -1.0f);
            text.sweep.sweepX = float(rect.x);
            text.sweep.sweepY = float(downward ? rect.y + rect.h : rect.y);
            text.sweep.beamEndX = text.beamEndX * m_scaleX;
            text.sweep.beamEndY = text.beamEndY * m_scaleY;
        }
    }
    style.x = int((text.x + ox) * m_scaleX);
    style.y = int((text.y + oy) * m_scaleY);
    Vector::TextRect drawn;
    if (!text.sweepMode) {
        writer.draw(drawn, &display, style, text.text, nullptr, fillProgram);
        return "";
    }
    // The sweep was laid over the text where it was measured; it moves with the text.
    ScopeSweep sweep = text.sweep;
    sweep.sweepX += float(style.x - text.measuredX);
    sweep.sweepY += float(style.y - text.measuredY);
    writer.draw(drawn, &display, style, text.text, &sweep, fillProgram);
    text.sweep.sweepX += text.stepX;
    if (text.sweep.sweepX > float(rect.x + rect.w)) {
        text.sweep.sweepX -= float(rect.w);
        text.sweep.sweepY -= text.stepY * sweepFactor;
        if (text.sweep.sweepY < float(rect.y)) {
            text.sweep.sweepY = float(rect.y + rect.h);
            return ScopeDone;
        }
        if (text.sweep.sweepY > float(rect.y + rect.h)) {
            text.sweep.sweepY = float(rect.y);
            return ScopeDone;
        }
    }
    return "";
}
