#include "game/world/GameViewRenderer.h"

#include <algorithm>
#include <array>

#include "data/Globals_generated.h"
#include "engine/data/Globals.h"
#include "engine/gfx/Gfx.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/shell/AppContext.h"
#include "engine/vg/Context.h"
#include "game/config/ConfigReaders.h"
#include "game/config/Settings.h"
#include "game/effects/BeamDrawing.h"
#include "game/vector/ShapeIds.h"
#include "game/world/FloorLines.h"
#include "game/world/GameLogic.h"
#include "game/world/ParticleDrawing.h"
#include "game/world/PlayerComps.h"

namespace Zelmo {
namespace {

constexpr int kLifeIcon = ShapeIds::kLivesIcon;
constexpr int kPowerPunchIcon = ShapeIds::kPowerPunchIcon;
constexpr uint32_t kIconFill = 0xafb31c1c;
constexpr float kFillDepth = -1.0f;
constexpr uint8_t kMapStage = 0;
// The floor's clock runs 0.01 in a sixtieth of a second of the game.
constexpr float kFloorClockPerMs = 0.01f / (1000.0f / 60.0f);

// Fills add their colour to the scene, over its lines as under them; its alpha keeps how much of
// the floor they cover, premultiplied as one fill over another.
const gfx::DrawState kFillState = gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::One,
                                                         gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha);

// Packed ABGR to the fill colour of the shape drawing, which reads the packed value's bytes from
// the most significant one as red, green, blue and alpha.
Util::Colour fillColour(uint32_t colour) { return Util::Colour::fromRgba(colour); }

void destroyValid(gfx::ProgramHandle& program) {
    gfx::destroy(program);
    program = gfx::ProgramHandle();
}

void destroyValid(gfx::UniformHandle& uniform) {
    gfx::destroy(uniform);
    uniform = gfx::UniformHandle();
}

}  // namespace

GameViewRenderer::GameViewRenderer(GameLogic& owner, GameView& view) : m_owner(owner), m_view(view) {}

GameViewRenderer::~GameViewRenderer() { releaseGpu(); }

void GameViewRenderer::init(AppContext& context, Map::MapView& mapView, int level) {
    releaseGpu();
    m_context = &context;
    m_mapView = &mapView;
    m_halfTexel = gfx::caps().halfTexel;

    m_mapSampler = gfx::createUniform("s_map", gfx::UniformType::Sampler);
    m_textureSampler = gfx::createUniform("s_texColor", gfx::UniformType::Sampler);
    m_lineVec = gfx::createUniform("u_lineVec", gfx::UniformType::Vec4);
    m_mapRect = gfx::createUniform("u_mapRect", gfx::UniformType::Vec4);
    m_paramVec = gfx::createUniform("u_paramVec", gfx::UniformType::Vec4);
    m_param2Vec = gfx::createUniform("u_param2Vec", gfx::UniformType::Vec4);
    m_colour = gfx::createUniform("u_color", gfx::UniformType::Vec4);
    m_resolution = gfx::createUniform("u_resolution", gfx::UniformType::Vec4);
    m_time = gfx::createUniform("u_time", gfx::UniformType::Vec4);
    m_shapeProgram = Game::loadShaderProgram("vtx-color", "vtx-color");
    m_mazeProgram = Game::loadShaderProgram("texture", "copy");
    m_floorProgram = Game::loadShaderProgram("texture", "floor-and-maze");
    m_floorLinesProgram = Game::loadShaderProgram("texture", "floor-lines");

    const int setting = int(getOptionValue("VECTOR_SETTINGS"));
    const int windowWidth = m_view.windowWidth();
    const int windowHeight = m_view.windowHeight();
    m_display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, m_halfTexel ? 0.5f : 0.0f);
    m_display->init(uint16_t(m_view.zoom()), uint16_t(windowWidth), uint16_t(windowHeight),
                    kDisplayViewsPerSetting * setting + kFirstDisplayView, 0);
    m_display->setThicknessScale(float(windowWidth) / float(m_view.designWidth()));
    const std::vector<const DisplaySetting*> rows = Globals::tables<DisplaySetting>("VDSETTINGS");
    if (setting >= 0 && size_t(setting) < rows.size()) {
        const DisplaySetting* row = rows[size_t(setting)];
        m_display->setThickness(float(row->thickness()));
        m_display->setBrightness(row->brightness());
        m_display->setDecaySteps(row->decay_steps());
        m_display->setDecayStart(row->decay_start());
    }
    resize(windowWidth, windowHeight);

    const LevelEntry entry = readLevel(level);
    m_floorColour = entry.floorColour;
    m_floorOn = entry.floorOn;
    m_floorScale = entry.floorScale * m_view.zoom();
    m_floorParams = entry.floorParams;
}

void GameViewRenderer::releaseGpu() {
    destroyValid(m_shapeProgram);
    destroyValid(m_mazeProgram);
    destroyValid(m_floorProgram);
    destroyValid(m_floorLinesProgram);
    for (gfx::UniformHandle* uniform : {&m_mapSampler, &m_textureSampler, &m_mapRect, &m_paramVec, &m_param2Vec,
                                        &m_colour, &m_resolution, &m_time, &m_lineVec}) {
        destroyValid(*uniform);
    }
    m_display.reset();
}

void GameViewRenderer::resize(int windowWidth, int windowHeight) {
    m_view.resize(windowWidth, windowHeight);
    if (m_display) {
        m_display->resize(uint16_t(windowWidth), uint16_t(windowHeight));
        m_display->setThicknessScale(float(windowWidth) / float(m_view.designWidth()));
    }
}

void GameViewRenderer::render(const Util::FrameGeometry& frame) {
    if (!m_display || !m_mapView) return;
    if (frame.windowWidth != m_view.windowWidth() || frame.windowHeight != m_view.windowHeight()) {
        resize(frame.windowWidth, frame.windowHeight);
    }
    entityPass();
    m_owner.mazeMapDisplaySys().draw(frame.windowWidth, frame.windowHeight, frame.designWidth, frame.designHeight);
    healthBar();
}

namespace {

// Two triangles over the window's unit square (y down), with texture coordinates from (u0, v0) at
// the bottom left to (u1, v1) at the top right; false when the frame has no room for them.
bool windowQuad(float u0, float v0, float u1, float v1) {
    if (gfx::availableTransientVertices(6, PosTexCoordVertex::layout) != 6) return false;
    gfx::TransientVertexBuffer buffer;
    gfx::allocTransientVertexBuffer(&buffer, 6, PosTexCoordVertex::layout);
    PosTexCoordVertex* vertex = buffer.vertices<PosTexCoordVertex>();
    const PosTexCoordVertex topLeft{0, 0, 0, u0, v1}, topRight{1, 0, 0, u1, v1};
    const PosTexCoordVertex bottomRight{1, 1, 0, u1, v0}, bottomLeft{0, 1, 0, u0, v0};
    for (const PosTexCoordVertex& corner : {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft}) {
        *vertex++ = corner;
    }
    gfx::setVertexBuffer(buffer);
    return true;
}

}  // namespace

// Called by the display before its picture goes over the window: the map view's texture where
// the camera shows it, and the floor's light over it. Where the floor's only light is its grid's
// lines (most of the window stays dark), the maze is copied and the light drawn on bands along
// the lines alone; a floor lit all over is drawn with the maze in one pass.
void GameViewRenderer::submitGround(gfx::ViewId view) {
    const float zoom = m_view.zoom();
    PosTexCoordVertex quad[4];
    m_mapView->buildQuad(quad, int(float(m_view.designWidth()) * zoom), int(float(m_view.designHeight()) * zoom),
                         m_halfTexel);
    // Bottom left, then top right, as the window's texture coordinates run.
    const float mapRect[4] = {quad[1].u, quad[1].v, quad[2].u, quad[2].v};
    const gfx::TextureHandle map = m_mapView->getTexture().handle;
    auto copyMaze = [&] {
        if (!windowQuad(mapRect[0], mapRect[1], mapRect[2], mapRect[3])) return;
        gfx::setTexture(kMapStage, m_textureSampler, map);
        gfx::setState(gfx::DrawState());
        gfx::submit(view, m_mazeProgram);
    };
    if (getOptionValue("FLOOR_ON") == 0.0f) {
        copyMaze();
        return;
    }

    int centreX = 0, centreY = 0;
    m_mapView->getCentre(centreX, centreY);
    const int windowWidth = m_view.windowWidth();
    const int windowHeight = m_view.windowHeight();
    const float scale = std::max(m_view.scaleX(), m_view.scaleY());
    const float k = m_floorOn ? 0.05f / scale * m_floorScale : m_floorScale * 36.920403f;
    const float resolution[4] = {float(windowWidth), float(windowHeight), -0.0182f, -0.0248f};
    const float params[4] = {float(centreX) * float(windowWidth) / float(m_view.designWidth()) / zoom,
                             float(centreY) * float(windowHeight) / float(m_view.designHeight()) / zoom, k,
                             m_floorOn ? 0.0f : 0.7f};
    gfx::setUniform(m_mapRect, mapRect);
    gfx::setUniform(m_resolution, resolution);
    // The floor breathes by the game's time, as fast at any frame rate.
    const float time[4] = {m_owner.elapsed() * kFloorClockPerMs, 0.0f, 0.0f, 0.0f};
    gfx::setUniform(m_time, time);
    gfx::setUniform(m_paramVec, params);
    gfx::setUniform(m_param2Vec, m_floorParams.data());
    gfx::setUniform(m_colour, m_floorColour.data());

    // Without its grid the level's floor has a light of its own everywhere.
    const FloorLines lines(
        m_floorOn ? FloorGrid{params[0], params[1], k, std::max(m_floorParams[2] * 0.1f, 0.005f)} : FloorGrid{},
        windowWidth, windowHeight);
    const uint32_t count = uint32_t(lines.bands().size());
    // Room for the maze's quad too.
    if (count > 0 && gfx::availableTransientVertices(count + 6, PosTexCoordVertex::layout) == count + 6) {
        copyMaze();
        gfx::TransientVertexBuffer buffer;
        gfx::allocTransientVertexBuffer(&buffer, count, PosTexCoordVertex::layout);
        std::copy(lines.bands().begin(), lines.bands().end(), buffer.vertices<PosTexCoordVertex>());
        const float split[4] = {lines.split(), 0.0f, 0.0f, 0.0f};
        gfx::setUniform(m_lineVec, split);
        gfx::setVertexBuffer(buffer);
        gfx::setTexture(kMapStage, m_mapSampler, map);
        gfx::setState(gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::One));
        gfx::submit(view, m_floorLinesProgram);
    } else if (windowQuad(0.0f, 0.0f, 1.0f, 1.0f)) {
        gfx::setTexture(kMapStage, m_mapSampler, map);
        gfx::setState(gfx::DrawState());
        gfx::submit(view, m_floorProgram);
    }
}

void GameViewRenderer::submitFills(gfx::ViewId view) {
    float left = 0, right = 0, bottom = 0, top = 0;
    m_view.screenProjection(left, right, bottom, top);
    gfx::setViewTransform(view, gfx::ortho(left, right, bottom, top, -1.0f, 100.0f, gfx::caps().homogeneousDepth));
    m_fills.submit(view, m_shapeProgram, kFillState);
}

void GameViewRenderer::entityPass() {
    const GameVectors& library = m_view.library();
    const float scaleX = m_view.scaleX();
    for (const VectorComp& shape : m_view.shapeDraws()) {
        if (!shape.filled) continue;
        library.drawShapeFilled(m_fills, shape.shapeSet, uint32_t(shape.shape), float(shape.screenX),
                                float(shape.screenY), kFillDepth, fillColour(shape.colour), shape.scale * scaleX,
                                shape.angle);
    }
    for (const PolyComp& poly : m_view.polyDraws()) {
        if (!poly.filled) continue;
        for (const std::vector<float>& points : poly.pointLists) {
            library.drawPolygon(m_fills, points, float(poly.x), float(poly.y), kFillDepth, poly.scale * scaleX,
                                fillColour(poly.colour), poly.angle);
        }
    }
    for (const BeamComp& beam : m_view.beamDraws()) {
        for (const BeamSegment& segment : beam.segments) {
            if (!segment.filled) continue;
            drawBeamSegmentFilled(m_fills, float(beam.screenX), float(beam.screenY), kFillDepth, scaleX, beam.angle,
                                  beam.length, segment);
        }
    }

    VectorDisplay& display = *m_display;
    display.beginFrame();
    for (const ClippedGlyphDraw& glyph : m_view.glyphDraws()) {
        library.drawShapeClipped(glyph.sweep, display, uint32_t(glyph.glyph.shape), float(glyph.glyph.screenX),
                                 float(glyph.glyph.screenY), 1.0f, glyph.glyph.scale * scaleX, glyph.glyph.colour);
    }
    for (const VectorComp& shape : m_view.shapeDraws()) {
        library.drawShape(display, shape.shapeSet, uint32_t(shape.shape), float(shape.screenX), float(shape.screenY),
                          shape.thickness, shape.scale * scaleX, shape.colour, shape.angle);
    }
    for (const PolyComp& poly : m_view.polyDraws()) {
        for (int pass = 0; pass < poly.passCount; ++pass) {
            for (const std::vector<float>& points : poly.pointLists) {
                library.drawPolyline(display, points, float(poly.x), float(poly.y), poly.thickness, poly.scale * scaleX,
                                     poly.colour, poly.angle);
            }
        }
    }
    for (const BeamComp& beam : m_view.beamDraws()) {
        drawBeamSegments(display, float(beam.screenX), float(beam.screenY), beam.angle, beam.length * scaleX, scaleX,
                         beam.segments);
    }
    drawParticles(display, m_view.camera(), m_view.scaleX(), m_view.scaleY());
    statusIcons();
    // The fills light the display's tiles they lie in, as its lines do.
    float left = 0, right = 0, bottom = 0, top = 0;
    m_view.screenProjection(left, right, bottom, top);
    const float toX = float(m_view.windowWidth()) / (right - left);
    const float toY = float(m_view.windowHeight()) / (top - bottom);
    for (const FillBatch::Bounds& fill : m_fills.bounds()) {
        display.markLit((fill.x0 - left) * toX, (top - fill.y1) * toY, (fill.x1 - left) * toX, (top - fill.y0) * toY);
    }
    display.setUnderlay(
        {[this](gfx::ViewId view) { submitGround(view); }, [this](gfx::ViewId view) { submitFills(view); }});
    // The lists stay: a frame drawn before the game's next step shows the same picture.
    m_nextFreeView = display.endFrame(true);
}

// Lives to spare along the top left, power punches along the top right, each a faint fill under
// its outline; placed by fractions of the window so that they stay in its corners at any zoom.
void GameViewRenderer::statusIcons() {
    const GameVectors& library = m_view.library();
    const float zoom = m_view.zoom();
    const float scaleX = m_view.scaleX();
    auto icon = [&](int shape, double fractionX, double fractionY, float scale) {
        const float x = m_view.windowFractionX(fractionX);
        const float y = m_view.windowFractionY(fractionY);
        library.drawShapeFilled(m_fills, 0, uint32_t(shape), x, y, kFillDepth, fillColour(kIconFill), scale, 0.0f);
        library.drawShape(*m_display, 0, uint32_t(shape), x, y, 1.0f, scale, 0, 0.0f);
    };
    for (int i = 0; i < m_owner.lives() - 1; ++i) icon(kLifeIcon, 0.02 + 0.04 * i, 0.94, scaleX * 0.25f * zoom);
    const ecs::Entity player = m_owner.player();
    if (!player.isValid() || !player.has<PlayerComp>()) return;
    for (int i = 0; i < player.get<PlayerComp>().powerPunches; ++i) {
        icon(kPowerPunchIcon, 0.97 - 0.05 * i, 0.95, scaleX * 0.75f * zoom);
    }
}

OverlayRect healthBarRect(const GameView& view, float playerX, float playerY) {
    int sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0;
    view.worldToScreen(int(playerX - 30.0f), int(playerY + 120.0f), sx1, sy1);
    view.worldToScreen(int(playerX + 30.0f), int(playerY + 100.0f), sx2, sy2);
    OverlayRect rect;
    float right = 0, bottom = 0;
    view.screenToOverlay(float(sx1), float(sy1), rect.x, rect.y);
    view.screenToOverlay(float(sx2), float(sy2), right, bottom);
    rect.w = right - rect.x;
    rect.h = bottom - rect.y;
    return rect;
}

// Shown only while the player's health is not full: blue behind, green for what is left, a red
// rim.
void GameViewRenderer::healthBar() {
    vg::Context* overlay = m_context ? m_context->overlay() : nullptr;
    const ecs::Entity player = m_owner.player();
    if (!overlay || !player.isValid() || !player.has<PlayerComp>() || !player.has<PVAComp>()) return;
    const PlayerComp& state = player.get<PlayerComp>();
    if (state.health == state.maxHealth) return;
    const PVAComp& pva = player.get<PVAComp>();
    const OverlayRect bar = healthBarRect(m_view, pva.x, pva.y);
    const float percent = std::max(0.0f, state.health) * 100.0f / state.maxHealth;
    overlay->beginPath();
    overlay->roundedRect(bar.x, bar.y, bar.w, bar.h, 4.0f);
    overlay->fillColor(vg::rgba(0, 0, 255, 255));
    overlay->fill();
    overlay->beginPath();
    overlay->roundedRect(bar.x, bar.y, float(int(bar.w * percent / 100.0f)), bar.h, 4.0f);
    overlay->fillColor(vg::rgba(0, 255, 0, 255));
    overlay->fill();
    overlay->beginPath();
    overlay->roundedRect(bar.x, bar.y, bar.w, bar.h, 4.0f);
    overlay->strokeColor(vg::rgba(255, 0, 0, 255));
    overlay->stroke();
}

}  // namespace Zelmo
