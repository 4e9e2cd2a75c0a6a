// Turning polylines into textured triangles: bodies across the line texture, joint fans where
// segments meet and caps at open ends.
#include <algorithm>
#include <cmath>
#include <iostream>

#include "engine/vector/VectorDisplay.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 6.2831855f;
// A turn up to a right angle (and a hair over, for rounding) keeps segments joined; sharper
// turns end both segments with caps instead of a long spike.
constexpr float kJoinLimit = kPi / 2.0f + 1.1920929e-7f;
constexpr float kTexelCentre = 32.0f;
constexpr float kTexelEdge = 64.0f;
// A joint's fan steps no finer than the arc needs: its chords stay within this many pixels of
// the arc (a steep stroke shows half a pixel), and never finer than sixteen steps a turn.
constexpr float kChordSag = 0.25f;
constexpr float kFinestFanStep = kPi * 0.125f;
// A turn whose arc is shorter than this many pixels at the rim leaves no gap worth a fan.
constexpr float kLeastVisibleArc = 1.0f;
// A cap is one triangle around the half disc beyond the line's end: its base, on the end's edge,
// and its tip reach sqrt(2) half widths out, so its sides touch the disc.
constexpr float kCapReach = 1.4142136f;

float norm(float angle) {
    float r = std::fmod(angle, kTwoPi);
    return r < 0.0f ? r + kTwoPi : r;
}

// The first frame that outgrows its budget says so once for the whole run; later ones would
// only repeat it every frame.
void warnBudgetOnce(int budget) {
    static bool warned = false;
    if (!warned) {
        warned = true;
        std::cerr << "VectorDisplay: a frame needs more than its budget of " << budget
                  << " vertices; the rest of the frame is not drawn" << std::endl;
    }
}

}  // namespace

void VectorDisplay::beginDraw(float x, float y, bool flip) {
    m_flip = flip;
    m_pendingPoints.push_back(Point{x, y});
}

void VectorDisplay::drawTo(float x, float y) { m_pendingPoints.push_back(Point{x, y}); }

void VectorDisplay::drawBox(float x, float y, float w, float h, bool flip) {
    const float down = flip ? -h : h;
    beginDraw(x, y, flip);
    drawTo(x + w, y);
    drawTo(x + w, y + down);
    drawTo(x, y + down);
    drawTo(x, y);
    endDraw();
}

float VectorDisplay::effectiveThickness() const { return std::max(m_thickness * m_thicknessScale * 0.5f, 3.0f); }

void VectorDisplay::endDraw() {
    if (m_pendingPoints.size() < 2) {
        m_pendingPoints.clear();
        return;
    }
    const float t = effectiveThickness();
    const size_t n = m_pendingPoints.size() - 1;
    const Point& first = m_pendingPoints.front();
    const Point& last = m_pendingPoints.back();
    const bool closed =
        std::fabs(double(first.x) - double(last.x)) < 0.1 && std::fabs(double(first.y) - double(last.y)) < 0.1;

    m_segments.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const Point& p0 = m_pendingPoints[i];
        const Point& p1 = m_pendingPoints[i + 1];
        Segment& s = m_segments[i];
        const float dx = p1.x - p0.x;
        const float dy = p1.y - p0.y;
        s.x0 = p0.x;
        s.y0 = p0.y;
        s.x1 = p1.x;
        s.y1 = p1.y;
        s.angle = std::atan2(dy, dx);
        s.sinA = std::sin(s.angle);
        s.cosA = std::cos(s.angle);
        s.length = std::sqrt(dx * dx + dy * dy);
        s.hasPrevious = i != 0 || closed;
        s.hasNext = i != n - 1 || closed;
        s.left0 = s.left1 = s.right0 = s.right1 = t;
        s.shorten0 = s.shorten1 = 0.0f;
        s.a2pa = s.pa2a = 0.0f;
    }

    // Joints: pull both ends in to the inner corner of the turn; when the segments are too
    // short for that, narrow the inner side instead.
    for (size_t i = 0; i < n; ++i) {
        Segment& s = m_segments[i];
        Segment& prev = m_segments[(i + n - 1) % n];
        if (s.hasPrevious) {
            s.pa2a = norm(prev.angle - s.angle);
            s.a2pa = norm(s.angle - prev.angle);
            const float maxShorten = std::min(s.length, prev.length) * 0.5f;
            const float turn = std::min(s.a2pa, s.pa2a);
            if (turn <= kJoinLimit) {
                const float shorten = t * std::sin(turn / 2.0f) / std::cos(turn / 2.0f);
                const float half = (kPi - turn) / 2.0f;
                if (shorten > maxShorten) {
                    s.shorten0 = prev.shorten1 = maxShorten;
                    const float inner = maxShorten * std::sin(half) / std::cos(half);
                    if (s.a2pa < s.pa2a) {
                        s.right0 = prev.right1 = inner;
                    } else {
                        s.left0 = prev.left1 = inner;
                    }
                } else {
                    s.shorten0 = prev.shorten1 = shorten;
                }
            } else {
                s.hasPrevious = false;
            }
        }
        if (!s.hasPrevious) {
            prev.hasNext = false;
        }
    }

    drawLines(t);
    // The window's tiles the polyline reaches: joints and caps stay within a few half widths of
    // its points.
    float x0 = first.x, x1 = first.x, y0 = first.y, y1 = first.y;
    for (const Point& p : m_pendingPoints) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    const float reach = 3.5f * t;
    const float height = m_height;
    if (m_flip) {
        std::swap(y0, y1);
        y0 = height - y0;
        y1 = height - y1;
    }
    markDrawn(x0 - reach, y0 - reach, x1 + reach, y1 + reach);
    m_pendingPoints.clear();
}

void VectorDisplay::drawLines(float t) {
    const size_t n = m_segments.size();
    for (size_t i = 0; i < n; ++i) {
        const Segment& s = m_segments[i];
        const Segment& prev = m_segments[(i + n - 1) % n];
        const float x0 = s.x0 + s.shorten0 * s.cosA;
        const float y0 = s.y0 + s.shorten0 * s.sinA;
        const float x1 = s.x1 - s.shorten1 * s.cosA;
        const float y1 = s.y1 - s.shorten1 * s.sinA;
        const Point left0{x0 + s.left0 * s.sinA, y0 - s.left0 * s.cosA};
        const Point left1{x1 + s.left1 * s.sinA, y1 - s.left1 * s.cosA};
        const Point right0{x0 - s.right0 * s.sinA, y0 + s.right0 * s.cosA};
        const Point right1{x1 - s.right1 * s.sinA, y1 + s.right1 * s.cosA};
        const float uL0 = kTexelCentre - s.left0 / t * kTexelCentre;
        const float uL1 = kTexelCentre - s.left1 / t * kTexelCentre;
        const float uR0 = kTexelCentre + s.right0 / t * kTexelCentre;
        const float uR1 = kTexelCentre + s.right1 / t * kTexelCentre;
        const float v = kTexelCentre;

        if (s.hasPrevious) {
            const float radius = s.left0 + s.right0;
            if (s.pa2a > s.a2pa) {
                drawFan(right0.x, right0.y, prev.angle, s.angle, radius, uR0, 0.0f);
            } else {
                drawFan(left0.x, left0.y, prev.angle, s.angle, radius, uL0, kTexelEdge);
            }
        }
        emitTriangle({right0, right1, left1}, {{uR0, v}, {uR1, v}, {uL1, v}});
        emitTriangle({left0, right0, left1}, {{uL0, v}, {uR0, v}, {uL1, v}});
        // Caps: an open end has its full width on both sides (joints narrow only joined ends).
        const float reach = kCapReach * t;
        const float nx = s.sinA * reach;  // towards the left side
        const float ny = -s.cosA * reach;
        const float uReach = kCapReach * kTexelCentre;
        if (!s.hasPrevious) {
            emitTriangle({{x0 + nx, y0 + ny}, {x0 - nx, y0 - ny}, {x0 - s.cosA * reach, y0 - s.sinA * reach}},
                         {{kTexelCentre - uReach, v}, {kTexelCentre + uReach, v}, {kTexelCentre, v - uReach}});
        }
        if (!s.hasNext) {
            emitTriangle({{x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x1 + s.cosA * reach, y1 + s.sinA * reach}},
                         {{kTexelCentre - uReach, v}, {kTexelCentre + uReach, v}, {kTexelCentre, v - uReach}});
        }
    }
}

void VectorDisplay::drawFan(float cx, float cy, float pa, float a, float r, float centreU, float edgeU) {
    const float forward = norm(a - pa);
    const float back = norm(pa - a);
    float start = pa;
    float sweep = forward;
    if (forward > back) {
        r = -r;
        start = a;
        sweep = back;
    }
    const float radius = std::fabs(r);
    if (sweep * radius < kLeastVisibleArc) {
        return;
    }
    const float sag = std::clamp(1.0f - kChordSag / radius, -1.0f, 1.0f);
    const float step = std::max(kFinestFanStep, 2.0f * std::acos(sag));
    const int steps = std::max(1, int(std::floor(sweep / step + 0.5f)));
    const Point centre{cx, cy};
    const float v = kTexelCentre;
    float previous = start;
    for (int j = 1; j <= steps; ++j) {
        const float angle = start + float(j) * sweep / float(steps);
        const Point from{cx + r * std::sin(previous), cy - r * std::cos(previous)};
        const Point to{cx + r * std::sin(angle), cy - r * std::cos(angle)};
        emitTriangle({from, centre, to}, {{edgeU, v}, {centreU, v}, {edgeU, v}});
        previous = angle;
    }
}

void VectorDisplay::emitTriangle(const Point (&points)[3], const Point (&uv)[3]) {
    if (m_frameVertices.size() + 3 > size_t(m_vertexBudget)) {
        warnBudgetOnce(m_vertexBudget);
        return;
    }
    const float height = m_height;
    for (int i = 0; i < 3; ++i) {
        m_frameVertices.push_back(PosTexCoordColorVertex{points[i].x, m_flip ? height - points[i].y : points[i].y, 0.0f,
                                                         uv[i].x / kLineTextureSize, 1.0f - uv[i].y / kLineTextureSize,
                                                         m_drawColour});
    }
}
