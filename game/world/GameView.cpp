#include "game/world/GameView.h"

#include <algorithm>
#include <cmath>

namespace Zelmo {

void GameView::startLevel(const Util::FrameGeometry& frame, float zoom, const Map::MapView& mapView) {
    m_zoom = std::max(zoom, 1.0f);
    m_mapView = &mapView;
    setDesignSize(frame.designWidth, frame.designHeight);
    resize(frame.windowWidth, frame.windowHeight);
    clearDraws();
    m_glyphDraws.clear();
}

void GameView::setDesignSize(int designWidth, int designHeight) {
    m_designWidth = std::max(designWidth, 1);
    m_designHeight = std::max(designHeight, 1);
    m_scaleX = float(m_windowWidth) / float(m_designWidth);
    m_scaleY = float(m_windowHeight) / float(m_designHeight);
}

void GameView::resize(int windowWidth, int windowHeight) {
    m_windowWidth = windowWidth;
    m_windowHeight = windowHeight;
    m_scaleX = float(windowWidth) / float(m_designWidth);
    m_scaleY = float(windowHeight) / float(m_designHeight);
    cameraRect();
}

IntBox GameView::cameraRect() {
    int cx = 0, cy = 0;
    if (m_mapView) m_mapView->getCentre(cx, cy);
    m_camera.w = int(float(m_designWidth) * m_zoom);
    m_camera.h = int(float(m_designHeight) * m_zoom);
    m_camera.x = cx - m_camera.w / 2;
    m_camera.y = cy - m_camera.h / 2;
    return m_camera;
}

void GameView::worldToScreen(int wx, int wy, int& sx, int& sy) const {
    sx = int(std::nearbyint(double(wx - m_camera.w / 2 - m_camera.x) * m_scaleX + m_windowWidth * 0.5));
    sy = int(std::nearbyint(double(wy - m_camera.h / 2 - m_camera.y) * m_scaleY + m_windowHeight * 0.5));
}

void GameView::screenProjection(float& left, float& right, float& bottom, float& top) const {
    const float halfW = float(m_windowWidth) * 0.5f;
    const float halfH = float(m_windowHeight) * 0.5f;
    left = halfW - halfW * m_zoom;
    right = halfW + halfW * m_zoom;
    bottom = halfH - halfH * m_zoom;
    top = halfH + halfH * m_zoom;
}

void GameView::screenToOverlay(float sx, float sy, float& ox, float& oy) const {
    float left = 0, right = 0, bottom = 0, top = 0;
    screenProjection(left, right, bottom, top);
    ox = (sx - left) / m_zoom;
    oy = float(m_windowHeight) - (sy - bottom) / m_zoom;
}

float GameView::windowFractionX(double fraction) const {
    float left = 0, right = 0, bottom = 0, top = 0;
    screenProjection(left, right, bottom, top);
    return float(left + fraction * (right - left));
}

float GameView::windowFractionY(double fraction) const {
    float left = 0, right = 0, bottom = 0, top = 0;
    screenProjection(left, right, bottom, top);
    return float(bottom + fraction * (top - bottom));
}

void GameView::clearDraws() {
    m_shapeDraws.clear();
    m_polyDraws.clear();
    m_beamDraws.clear();
    m_glyphDraws.clear();
}

IntBox GameView::addTextDraw(const VectorComp& style, const std::string& text, const ScopeSweep* clip) {
    return layOutText(style, text, clip, true);
}

IntBox GameView::textBounds(const VectorComp& style, const std::string& text) {
    return layOutText(style, text, nullptr, false);
}

// The arithmetic keeps the renderer's own truncations, so texts land on the same pixels as the
// bounds the factories measured.
IntBox GameView::layOutText(const VectorComp& style, const std::string& text, const ScopeSweep* clip, bool queue) {
    const GameVectors::FontMetrics& font = m_library.fontMetrics();
    const float gap = float(font.spacing);
    const double sx = double(m_scaleX) * style.scale;
    const double lineH = double(font.lineStep) * m_scaleY * style.scale;

    int x = style.screenX;
    int y = style.screenY;
    const int top = int(y + lineH * 0.5);
    int minX = x, maxX = x;
    bool lineStart = true;
    VectorComp glyphDraw = style;
    for (const char c : text) {
        const GameVectors::Glyph* glyph = m_library.glyph(c);
        if (!glyph) {
            if (c == '\n') {
                lineStart = true;
                x = style.screenX;
                y = int(y - lineH);
            } else {
                x = int(x + (gap + float(font.glyphSize)) * sx);
            }
            continue;
        }
        const double halfWidth = glyph->w * 0.5 * sx;
        glyphDraw.shape = int32_t(glyph->shape);
        if (lineStart) {
            minX = std::min(minX, x - int(halfWidth));
            lineStart = false;
        } else {
            x = int(x + halfWidth);
        }
        if (queue) {
            glyphDraw.screenX = x;
            glyphDraw.screenY = y;
            if (clip) {
                m_glyphDraws.push_back({glyphDraw, *clip});
            } else {
                m_shapeDraws.push_back(glyphDraw);
            }
        }
        x = int(float(int(x + halfWidth)) + gap * sx);
        maxX = std::max(maxX, x);
    }
    IntBox box;
    box.x = minX;
    box.w = int(maxX - gap * sx) - minX;
    const int bottom = lineStart ? y : int(y - lineH);
    box.h = int((top - bottom) - lineH * 0.5);
    box.y = top - box.h;
    return box;
}

}  // namespace Zelmo
