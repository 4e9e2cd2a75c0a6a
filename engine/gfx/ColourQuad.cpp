#include "engine/gfx/ColourQuad.h"

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/gfx/VertexFormats.h"

namespace Game {
namespace {

gfx::ProgramHandle colourProgram;

}  // namespace

void createColourProgram() { colourProgram = loadShaderProgram("vtx-color", "vtx-color"); }

void destroyColourProgram() {
    gfx::destroy(colourProgram);
    colourProgram = gfx::ProgramHandle();
}

void drawColourQuad(gfx::ViewId view, int width, int height, float x0, float y0, float x1, float y1, uint32_t abgr) {
    gfx::TransientVertexBuffer buffer;
    if (!gfx::allocTransientVertexBuffer(&buffer, 4, PosColorVertex::layout)) {
        return;
    }
    PosColorVertex* vertex = buffer.vertices<PosColorVertex>();
    vertex[0] = PosColorVertex{x0, y0, 0.0f, abgr};
    vertex[1] = PosColorVertex{x0, y1, 0.0f, abgr};
    vertex[2] = PosColorVertex{x1, y0, 0.0f, abgr};
    vertex[3] = PosColorVertex{x1, y1, 0.0f, abgr};
    gfx::setViewTransform(
        view, gfx::ortho(0.0f, float(width), 0.0f, float(height), -1.0f, 100.0f, gfx::caps().homogeneousDepth));
    gfx::setViewRect(view, 0, 0, uint16_t(width), uint16_t(height));
    gfx::setVertexBuffer(buffer);
    gfx::setState(gfx::DrawState().with(gfx::Primitive::TriangleStrip));
    gfx::submit(view, colourProgram);
}

void drawColourRect(gfx::ViewId view, int width, int height, uint32_t abgr, const PercentRect& rect) {
    double w = width;
    double h = height;
    float x0 = float(int(rect.x * w / 100));
    float y0 = float(int((100 - rect.height - rect.y) * h / 100));
    float x1 = float(int((rect.x + rect.width) * w / 100));
    float y1 = float(int((100 - rect.y) * h / 100));
    drawColourQuad(view, width, height, x0, y0, x1, y1, abgr);
}

}  // namespace Game
