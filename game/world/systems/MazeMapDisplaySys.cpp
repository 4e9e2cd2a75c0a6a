#include "game/world/systems/MazeMapDisplaySys.h"

#include <algorithm>
#include <cmath>

#include "data/VectorGraphics_generated.h"
#include "engine/shell/AppContext.h"
#include "engine/tween/Penner.h"
#include "engine/vector/GameVectors.h"
#include "engine/vg/Context.h"
#include "game/config/Settings.h"
#include "game/world/GameLogic.h"

namespace Zelmo {
namespace {

// Just under half a second, however the float rounds.
constexpr float kZoomMs = 499.99997f;
constexpr float kRingMs = 1000.0f;
constexpr int kMinimapShapeSet = 2;
constexpr uint32_t kWallColour = vg::rgba(0, 255, 0, 255);
constexpr uint32_t kExcludedColour = vg::rgba(175, 0, 0, 255);
constexpr uint32_t kRingColour = vg::rgba(255, 255, 255, 255);

// A data colour, 0xRRGGBBAA, for the overlay.
uint32_t overlayColour(uint32_t rgba) {
    return vg::rgba(uint8_t(rgba >> 24), uint8_t(rgba >> 16), uint8_t(rgba >> 8), uint8_t(rgba));
}

// Map coordinates run y upward from the window's bottom edge; the overlay's y runs downward.
struct MapPen {
    vg::Context& overlay;
    float windowHeight;

    void segment(float x0, float y0, float x1, float y1) const {
        overlay.beginPath();
        overlay.moveTo(x0, windowHeight - y0);
        overlay.lineTo(x1, windowHeight - y1);
        overlay.stroke();
    }

    // One path through the polyline's points, placed at (x, y) and scaled.
    void polyline(const Vector::Polyline& line, float x, float y, float scaleX, float scaleY) const {
        overlay.beginPath();
        const auto* points = line.points();
        if (!points) return;
        for (flatbuffers::uoffset_t i = 0; i + 1 < points->size(); i += 2) {
            const float px = x + points->Get(i) * scaleX;
            const float py = windowHeight - (y + points->Get(i + 1) * scaleY);
            if (i == 0) {
                overlay.moveTo(px, py);
            } else {
                overlay.lineTo(px, py);
            }
        }
    }
};

}  // namespace

void MazeMapDisplaySys::init(AppContext* context, GameLogic& logic) {
    m_context = context;
    m_logic = &logic;
    m_zoom = Zoom{};
    m_zoom.elapsed = kZoomMs;
    m_shown = false;
    m_drawing = false;
    m_holdTime = 0.0f;
    m_nodes.clear();
    Maze::collectNodes(logic.mazeData().getStartNode(), m_nodes);
}

void MazeMapDisplaySys::setShown(bool on) {
    if (on == m_shown) return;
    m_shown = on;
    std::swap(m_zoom.from, m_zoom.to);
    m_zoom.elapsed = 0.0f;
}

void MazeMapDisplaySys::update(float dt) {
    m_drawing = m_shown;
    m_holdTime = m_shown && m_zoom.elapsed == kZoomMs ? m_holdTime + dt : 0.0f;
    if (m_zoom.elapsed < kZoomMs) {
        m_drawing = true;
        m_zoom.elapsed = std::min(m_zoom.elapsed + dt, kZoomMs);
    }
}

void MazeMapDisplaySys::draw(int windowWidth, int windowHeight, int designWidth, int designHeight) {
    vg::Context* overlay = m_context ? m_context->overlay() : nullptr;
    if (overlay) draw(*overlay, windowWidth, windowHeight, designWidth, designHeight);
}

void MazeMapDisplaySys::draw(vg::Context& overlay, int windowWidth, int windowHeight, int designWidth,
                             int designHeight) {
    if (!m_drawing || !m_logic) return;
    const float w = float(windowWidth), h = float(windowHeight);
    const float change = m_zoom.to - m_zoom.from;
    const float margin =
        Penner::Cubic::easeOut(std::clamp(m_zoom.elapsed, 0.0f, kZoomMs), m_zoom.from, change, kZoomMs);
    const float marginX = float(double(windowWidth) * double(margin) / 100.0);
    const float marginY = float(double(windowHeight) * double(margin) / 100.0);
    // How far the current opening or closing has come, 0 to 1 either way.
    const float progress = (margin - m_zoom.from) / change;

    const int frame = windowWidth * 3 / 100;
    const float radius = float(frame / 2);
    const int opacity = int(getOptionValue("MAP_OPACITY"));
    overlay.beginPath();
    overlay.roundedRect(marginX * 0.5f - radius, marginY * 0.5f - radius, w - marginX + float(frame),
                        h - marginY + float(frame), radius);
    overlay.fillColor(vg::rgba(128, 128, 128, uint8_t(int(double(opacity) * 255.0 / 100.0))));
    overlay.fill();

    const Maze::LevelParams& params = m_logic->params();
    overlay.strokeColor(kWallColour);
    overlay.strokeWidth(3.0f * progress);
    overlay.lineCap(vg::LineCap::Round);
    Extent extent;
    drawWalls(overlay, h, (w - marginX) / float(params.cellsWide), (h - marginY) / float(params.cellsHigh),
              marginX * 0.5f, marginY * 0.5f, extent);

    const float scaleX = w / float(designWidth) * progress;
    const float scaleY = h / float(designHeight) * progress;
    drawEntities(overlay, h, extent, scaleX, scaleY, std::max(2.0f, 2.0f * scaleX));
}

void MazeMapDisplaySys::drawWalls(vg::Context& overlay, float windowHeight, float cellWidth, float cellHeight,
                                  float left, float bottom, Extent& extent) const {
    const MapPen pen{overlay, windowHeight};
    auto wall = [&](float x0, float y0, float x1, float y1) {
        const float sx = x0 * cellWidth + left, sy = y0 * cellHeight + bottom;
        const float ex = x1 * cellWidth + left, ey = y1 * cellHeight + bottom;
        pen.segment(sx, sy, ex, ey);
        extent.minX = std::min(extent.minX, sx);
        extent.minY = std::min(extent.minY, sy);
        extent.width = std::max(extent.width, ex - extent.minX);
        extent.height = std::max(extent.height, ey - extent.minY);
    };
    const Maze::LevelParams& params = m_logic->params();
    const float across = float(params.cellsWide), down = float(params.cellsHigh);
    for (int i = 0; i < params.cellsWide; ++i) wall(float(i), down, float(i + 1), down);
    for (int j = 0; j < params.cellsHigh; ++j) wall(across, float(j), across, float(j + 1));
    for (const Maze::Node* node : m_nodes) {
        const float x = float(node->getPosition()[0]), y = float(node->getPosition()[1]);
        if (node->isExitClosed(0)) wall(x, y, x + 1.0f, y);
        if (node->isExitClosed(3)) wall(x, y, x, y + 1.0f);
    }
    overlay.strokeColor(kExcludedColour);
    for (const Maze::Position& cell : m_logic->mazeData().getExcludedCells()) {
        const float x = float(cell[0]), y = float(cell[1]);
        wall(x, y, x + 1.0f, y);
        wall(x, y, x, y + 1.0f);
        wall(x, y + 1.0f, x + 1.0f, y + 1.0f);
        wall(x + 1.0f, y, x + 1.0f, y + 1.0f);
    }
    overlay.strokeColor(kWallColour);
}

void MazeMapDisplaySys::drawEntities(vg::Context& overlay, float windowHeight, const Extent& extent, float scaleX,
                                     float scaleY, float strokeWidth) const {
    const Maze::LevelParams& params = m_logic->params();
    int x0 = 0, y0 = 0, x1 = params.cellsWide, y1 = params.cellsHigh;
    m_logic->cellToWorld(x0, y0, -0.5f, -0.5f);
    m_logic->cellToWorld(x1, y1, -0.5f, -0.5f);
    const float toMapX = extent.width / float(x1 - x0);
    const float toMapY = extent.height / float(y1 - y0);
    auto mapped = [&](const PVAComp& at, float& x, float& y) {
        x = (at.x - float(x0)) * toMapX + extent.minX;
        y = (at.y - float(y0)) * toMapY + extent.minY;
    };

    const MapPen pen{overlay, windowHeight};
    overlay.strokeWidth(strokeWidth);
    const GameVectors& library = GameVectors::instance();
    for (const ecs::Entity& entity : entities()) {
        const Vector::ShapeDef* shape =
            library.shapeTable(uint32_t(entity.get<MazeMapDisplayComp>().shape), kMinimapShapeSet);
        if (!shape || !shape->graphic()) continue;
        float x = 0.0f, y = 0.0f;
        mapped(entity.get<PVAComp>(), x, y);
        const uint32_t own = shape->colour() ? shape->colour() : 0xffffffffu;
        if (const auto* fills = shape->graphic()->fill()) {
            for (const Vector::Polyline* fill : *fills) {
                pen.polyline(*fill, x, y, scaleX, scaleY);
                overlay.fillColor(overlayColour(fill->colour() ? fill->colour() : own));
                overlay.fill();
            }
        }
        if (const auto* outlines = shape->graphic()->outline()) {
            for (const Vector::Polyline* outline : *outlines) {
                pen.polyline(*outline, x, y, scaleX, scaleY);
                overlay.strokeColor(overlayColour(outline->colour() ? outline->colour() : own));
                overlay.stroke();
            }
        }
    }

    const ecs::Entity player = m_logic->player();
    if (m_holdTime == 0.0f || !player.isValid()) return;
    const float pulse = std::fmod(m_holdTime, kRingMs);
    const float ring = Penner::Linear::easeIn(pulse < 0.0f ? pulse + kRingMs : pulse, 1.0f, -1.0f, kRingMs);
    float x = 0.0f, y = 0.0f;
    mapped(player.get<PVAComp>(), x, y);
    overlay.beginPath();
    overlay.circle(x, windowHeight - y, ring * 19.0f * scaleX + 1.0f);
    overlay.strokeColor(kRingColour);
    overlay.stroke();
}

}  // namespace Zelmo
