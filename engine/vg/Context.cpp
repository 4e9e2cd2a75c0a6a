#include "engine/vg/Context.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/vg/DrawListRenderer.h"
#include "engine/vg/FontAtlas.h"
#include "engine/vg/Path.h"
#include "engine/vg/PolygonShape.h"
#include "engine/vg/Tessellator.h"
#include "engine/vg/TextLayout.h"

namespace vg {

namespace {

struct State {
    uint32_t fill = rgba(255, 255, 255, 255);
    uint32_t stroke = rgba(0, 0, 0, 255);
    float strokeWidth = 1.0f;
    LineCap cap = LineCap::Butt;
    int font = 0;
    float fontSize = 16.0f;
    float letterSpacing = 0.0f;
    int align = Align::Left | Align::Baseline;
};

constexpr float kMaxCurveError = 0.3f;  // pixels a curve's segments may stray from it

ImVec2 toImVec(const Point& p) { return ImVec2(p.x, p.y); }

}  // namespace

struct Context::Impl {
    explicit Impl(gfx::ViewId view) : renderer(view), list(&shared) {
        shared.InitialFlags =
            ImDrawListFlags_AntiAliasedLines | ImDrawListFlags_AntiAliasedFill | ImDrawListFlags_AllowVtxOffset;
        shared.ClipRectFullscreen = ImVec4(-8192.0f, -8192.0f, 8192.0f, 8192.0f);
        shared.SetCircleTessellationMaxError(kMaxCurveError);
    }

    State& state() { return states.back(); }

    // The line box's top for a line placed at y by the vertical alignment.
    float lineTop(float y) const {
        const State& s = states.back();
        const ImFont* face = fonts.metricsFace(s.font);
        float ascent = face->Ascent * s.fontSize / face->FontSize;
        if (s.align & Align::Top) {
            return y;
        }
        if (s.align & Align::Middle) {
            return y - s.fontSize * 0.5f;
        }
        if (s.align & Align::Bottom) {
            return y - s.fontSize;
        }
        return y - ascent;
    }

    // x of a line's left edge for its advance width by the horizontal alignment.
    float lineLeft(float x, float width) const {
        int align = states.back().align;
        if (align & Align::Center) {
            return x - width * 0.5f;
        }
        if (align & Align::Right) {
            return x - width;
        }
        return x;
    }

    // Left edge of a row inside a box of breakRowWidth.
    float rowLeft(float x, float breakRowWidth, float rowWidth) const {
        int align = states.back().align;
        if (align & Align::Center) {
            return x + (breakRowWidth - rowWidth) * 0.5f;
        }
        if (align & Align::Right) {
            return x + breakRowWidth - rowWidth;
        }
        return x;
    }

    float snap(float units) const { return std::round(units * pixelRatio) / pixelRatio; }

    // Draws one line with its left edge at left and its line box's top at top.
    void drawLine(float left, float top, std::string_view text) {
        const State& s = states.back();
        const ImFont* metrics = fonts.metricsFace(s.font);
        const ImFont* face = fonts.faceFor(s.font, s.fontSize * pixelRatio);
        float scale = s.fontSize / face->FontSize;
        float baseline = snap(top + metrics->Ascent * s.fontSize / metrics->FontSize);
        left = snap(left);
        TextLayout(*metrics, s.fontSize, s.letterSpacing).forEachGlyph(text, [&](unsigned codepoint, float pen) {
            const ImFontGlyph* glyph =
                codepoint > IM_UNICODE_CODEPOINT_MAX ? face->FallbackGlyph : face->FindGlyph(ImWchar(codepoint));
            float x = left + pen;
            float y = baseline - face->Ascent * scale;
            list.PrimReserve(6, 4);
            list.PrimRectUV(ImVec2(x + glyph->X0 * scale, y + glyph->Y0 * scale),
                            ImVec2(x + glyph->X1 * scale, y + glyph->Y1 * scale), ImVec2(glyph->U0, glyph->V0),
                            ImVec2(glyph->U1, glyph->V1), s.fill);
        });
    }

    TextLayout layout() const {
        const State& s = states.back();
        return TextLayout(*fonts.metricsFace(s.font), s.fontSize, s.letterSpacing);
    }

    bool hasFont() const { return fonts.valid(states.back().font); }

    void fillConvex(const Point* points, uint32_t count, uint32_t colour) {
        imPoints.clear();
        // Dear ImGui puts the anti-aliasing fringe outside only for clockwise outlines.
        if (signedArea2(points, count) < 0) {
            for (uint32_t i = count; i-- > 0;) {
                imPoints.push_back(toImVec(points[i]));
            }
        } else {
            for (uint32_t i = 0; i < count; ++i) {
                imPoints.push_back(toImVec(points[i]));
            }
        }
        list.AddConvexPolyFilled(imPoints.Data, imPoints.Size, colour);
    }

    void fillTessellated(uint32_t colour) {
        if (!tessellator.fillUnion(path.points(), path.subPaths(), tessVertices, tessIndices) ||
            tessVertices.size() >= std::numeric_limits<ImDrawIdx>::max()) {
            return;
        }
        list.PrimReserve(int(tessIndices.size()), int(tessVertices.size()));
        ImDrawIdx base = ImDrawIdx(list._VtxCurrentIdx);
        ImVec2 uv = shared.TexUvWhitePixel;
        for (const Point& p : tessVertices) {
            list.PrimWriteVtx(toImVec(p), uv, colour);
        }
        for (uint32_t index : tessIndices) {
            list.PrimWriteIdx(ImDrawIdx(base + index));
        }
    }

    void strokeOpen(const Point* points, uint32_t count, const State& s) {
        float half = s.strokeWidth * 0.5f;
        imPoints.clear();
        for (uint32_t i = 0; i < count; ++i) {
            imPoints.push_back(toImVec(points[i]));
        }
        if (s.cap == LineCap::Square) {
            extend(imPoints[0], imPoints[1], half);
            extend(imPoints[int(count) - 1], imPoints[int(count) - 2], half);
        }
        list.AddPolyline(imPoints.Data, imPoints.Size, s.stroke, ImDrawFlags_None, s.strokeWidth);
        if (s.cap == LineCap::Round) {
            list.AddCircleFilled(toImVec(points[0]), half, s.stroke);
            list.AddCircleFilled(toImVec(points[count - 1]), half, s.stroke);
        }
    }

    // Moves end away from its neighbour by distance.
    static void extend(ImVec2& end, const ImVec2& neighbour, float distance) {
        float dx = end.x - neighbour.x, dy = end.y - neighbour.y;
        float length = std::sqrt(dx * dx + dy * dy);
        if (length > 0) {
            end.x += dx / length * distance;
            end.y += dy / length * distance;
        }
    }

    DrawListRenderer renderer;
    FontAtlas fonts;
    ImDrawListSharedData shared;
    ImDrawList list;
    Tessellator tessellator;
    Path path;
    std::vector<State> states{State()};
    float width = 0;
    float height = 0;
    float pixelRatio = 1.0f;

    std::vector<TextRow> rows;
    ImVector<ImVec2> imPoints;
    std::vector<Point> tessVertices;
    std::vector<uint32_t> tessIndices;
};

Context::Context(gfx::ViewId view) : m_impl(std::make_unique<Impl>(view)) {}

Context::~Context() = default;

void Context::beginFrame(float width, float height, float pixelRatio) {
    Impl& m = *m_impl;
    m.width = width;
    m.height = height;
    m.pixelRatio = pixelRatio > 0 ? pixelRatio : 1.0f;
    m.states.assign(1, State());
    m.path.clear();
    m.path.setPixelRatio(m.pixelRatio);
    m.shared.TexUvWhitePixel = m.fonts.whitePixelUv();
    if (m.shared.CircleSegmentMaxError != kMaxCurveError / m.pixelRatio) {
        m.shared.SetCircleTessellationMaxError(kMaxCurveError / m.pixelRatio);
    }
    m.list._ResetForNewFrame();
    // Anti-aliasing fringes one pixel wide, whatever the units.
    m.list._FringeScale = 1.0f / m.pixelRatio;
    m.list.PushTextureID(nullptr);
    m.list.PushClipRectFullScreen();
}

bool Context::endFrame() {
    Impl& m = *m_impl;
    return m.renderer.submit(m.list, m.fonts, m.width, m.height, m.pixelRatio);
}

void Context::save() { m_impl->states.push_back(m_impl->states.back()); }

void Context::restore() {
    if (m_impl->states.size() > 1) {
        m_impl->states.pop_back();
    }
}

void Context::reset() { m_impl->state() = State(); }

void Context::beginPath() { m_impl->path.clear(); }

void Context::moveTo(float x, float y) { m_impl->path.moveTo(x, y); }

void Context::lineTo(float x, float y) { m_impl->path.lineTo(x, y); }

void Context::closePath() { m_impl->path.close(); }

void Context::rect(float x, float y, float w, float h) { m_impl->path.roundedRect(x, y, w, h, 0, 0, 0, 0); }

void Context::roundedRect(float x, float y, float w, float h, float radius) {
    m_impl->path.roundedRect(x, y, w, h, radius, radius, radius, radius);
}

void Context::roundedRectVarying(float x, float y, float w, float h, float topLeft, float topRight, float bottomRight,
                                 float bottomLeft) {
    m_impl->path.roundedRect(x, y, w, h, topLeft, topRight, bottomRight, bottomLeft);
}

void Context::circle(float cx, float cy, float radius) { m_impl->path.circle(cx, cy, radius); }

void Context::fillColor(uint32_t abgr) { m_impl->state().fill = abgr; }

void Context::fill() {
    Impl& m = *m_impl;
    const std::vector<Point>& points = m.path.points();
    const SubPath* only = nullptr;
    int shapes = 0;
    for (const SubPath& sub : m.path.subPaths()) {
        if (sub.count >= 3) {
            only = &sub;
            shapes++;
        }
    }
    if (shapes == 0) {
        return;
    }
    uint32_t colour = m.state().fill;
    // One convex outline gets anti-aliased edges; anything else is cut into triangles so that
    // overlaps are covered once.
    if (shapes == 1 && isConvex(&points[only->first], only->count)) {
        m.fillConvex(&points[only->first], only->count, colour);
    } else {
        m.fillTessellated(colour);
    }
}

void Context::strokeColor(uint32_t abgr) { m_impl->state().stroke = abgr; }

void Context::strokeWidth(float width) { m_impl->state().strokeWidth = width; }

void Context::lineCap(LineCap cap) { m_impl->state().cap = cap; }

void Context::stroke() {
    Impl& m = *m_impl;
    const State& s = m.state();
    if (!(s.strokeWidth > 0)) {
        return;
    }
    const std::vector<Point>& points = m.path.points();
    for (const SubPath& sub : m.path.subPaths()) {
        if (sub.count < 2) {
            continue;
        }
        if (sub.closed && sub.count >= 3) {
            m.imPoints.clear();
            for (uint32_t i = 0; i < sub.count; ++i) {
                m.imPoints.push_back(toImVec(points[sub.first + i]));
            }
            m.list.AddPolyline(m.imPoints.Data, m.imPoints.Size, s.stroke, ImDrawFlags_Closed, s.strokeWidth);
        } else {
            m.strokeOpen(&points[sub.first], sub.count, s);
        }
    }
}

int Context::createFont(const std::string& name, const std::string& path) { return m_impl->fonts.create(name, path); }

int Context::findFont(const std::string& name) const { return m_impl->fonts.find(name); }

void Context::fontFace(const std::string& name) { m_impl->state().font = m_impl->fonts.find(name); }

void Context::fontFaceId(int font) { m_impl->state().font = font; }

void Context::fontSize(float size) { m_impl->state().fontSize = size; }

void Context::textLetterSpacing(float spacing) { m_impl->state().letterSpacing = spacing; }

void Context::textAlign(int align) { m_impl->state().align = align; }

float Context::lineHeight() const { return m_impl->states.back().fontSize; }

float Context::text(float x, float y, std::string_view text) {
    Impl& m = *m_impl;
    if (!m.hasFont()) {
        return x;
    }
    TextLayout::Line line = m.layout().measure(text);
    float left = m.lineLeft(x, line.width);
    m.drawLine(left, m.lineTop(y), text);
    return left + line.width;
}

float Context::textBounds(float x, float y, std::string_view text, Bounds* bounds) {
    Impl& m = *m_impl;
    if (!m.hasFont()) {
        if (bounds != nullptr) {
            *bounds = Bounds{x, y, x, y};
        }
        return 0;
    }
    TextLayout::Line line = m.layout().measure(text);
    if (bounds != nullptr) {
        float left = m.lineLeft(x, line.width);
        float top = m.lineTop(y);
        *bounds = Bounds{left + line.minX, top, left + line.maxX, top + lineHeight()};
    }
    return line.width;
}

void Context::textBox(float x, float y, float breakRowWidth, std::string_view text) {
    Impl& m = *m_impl;
    if (!m.hasFont()) {
        return;
    }
    m.layout().breakRows(text, breakRowWidth, std::numeric_limits<int>::max(), m.rows);
    float top = m.lineTop(y);
    for (const TextRow& row : m.rows) {
        m.drawLine(m.rowLeft(x, breakRowWidth, row.width), top, text.substr(row.start, row.end - row.start));
        top += lineHeight();
    }
}

Bounds Context::textBoxBounds(float x, float y, float breakRowWidth, std::string_view text) {
    Impl& m = *m_impl;
    if (!m.hasFont()) {
        return Bounds{x, y, x, y};
    }
    m.layout().breakRows(text, breakRowWidth, std::numeric_limits<int>::max(), m.rows);
    float top = m.lineTop(y);
    Bounds bounds{x, top, x, top + lineHeight() * float(m.rows.size())};
    bool first = true;
    for (const TextRow& row : m.rows) {
        if (row.end == row.start) {
            continue;  // a row without glyphs has no horizontal extent
        }
        float left = m.rowLeft(x, breakRowWidth, row.width);
        bounds.minX = first ? left + row.minX : std::min(bounds.minX, left + row.minX);
        bounds.maxX = first ? left + row.maxX : std::max(bounds.maxX, left + row.maxX);
        first = false;
    }
    return bounds;
}

std::vector<TextRow> Context::textBreakLines(std::string_view text, float breakRowWidth, int maxRows) {
    std::vector<TextRow> rows;
    if (m_impl->hasFont()) {
        m_impl->layout().breakRows(text, breakRowWidth, maxRows, rows);
    }
    return rows;
}

}  // namespace vg
