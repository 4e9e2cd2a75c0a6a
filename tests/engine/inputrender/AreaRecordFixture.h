#pragma once
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/input/InputController.h"
#include "engine/input/ScreenAreaRenderInfo.h"
#include "engine/inputrender/IInputRenderer.h"

// What the input renderers' tests draw: one area in a 640 × 480 window, at (10 %, 20 %) and
// 50 % × 40 % of it, which is 320 × 192 pixels at (64, 96).
namespace AreaRecord {

constexpr float kWindowWidth = 640;
constexpr float kWindowHeight = 480;
// That window drawn at the design size, with the view filling it.
constexpr Util::FrameGeometry kWindowFrame{640, 480, 640, 480, 640, 480};
const Input::AreaRect kRect{10, 20, 50, 40};
constexpr float kX = 64, kY = 96, kW = 320, kH = 192;

// The record of that area as the area controller hands it over, unselected and without countdowns.
inline ScreenAreaRenderInfo area(const std::string& colour, const std::string& label, const std::string& style) {
    ScreenAreaRenderInfo info;
    info.mode = 1;
    info.rect = kRect;
    info.colour = colour;
    info.label = label;
    info.style = style;
    return info;
}

// A render call over a controller without areas, which tells the renderer the window before a
// record is drawn on its own.
inline void renderNothing(Game::IInputRenderer& renderer, vg::Context& overlay) {
    const Input::InputController empty("EMPTY", nullptr, nullptr);
    renderer.render(empty, nullptr, overlay, kWindowFrame);
}

// The box around the vertices of one colour.
struct Extent {
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    float height() const { return maxY - minY; }
    float width() const { return maxX - minX; }
};

template <typename Vertex>
Extent extentOf(const std::vector<Vertex>& vertices, uint32_t abgr) {
    Extent extent;
    for (const Vertex& v : vertices) {
        if (v.abgr != abgr) continue;
        extent.minX = std::min(extent.minX, v.x);
        extent.maxX = std::max(extent.maxX, v.x);
        extent.minY = std::min(extent.minY, v.y);
        extent.maxY = std::max(extent.maxY, v.y);
    }
    return extent;
}

template <typename Vertex>
std::set<uint32_t> colours(const std::vector<Vertex>& vertices) {
    std::set<uint32_t> result;
    for (const Vertex& v : vertices) result.insert(v.abgr);
    return result;
}

}  // namespace AreaRecord
