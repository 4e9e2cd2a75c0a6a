#include "engine/vector/DrawingObject.h"

#include <algorithm>

namespace {

// One channel (x or y) of a point under its current step.
struct Channel {
    float value;
    bool done;
    bool following;  // waits for the referenced point's current step to end
};

using Coordinate = float DrawingPoint::*;
using Duration = float DrawingStep::*;

Channel evaluate(const DrawingStep& step, float clock, float fallback, Tween::EaseFn ease, const DrawingPoint* ref,
                 float begin, float change, float duration, Coordinate coordinate, Duration durationOf) {
    Channel channel{fallback, true, false};
    if (ease != nullptr) {
        // A step of no length jumps to where it leads instead of dividing by its zero duration.
        channel.value =
            duration > 0.0f ? ease(std::min(clock - step.start, duration), begin, change, duration) : begin + change;
    } else if (ref != nullptr) {
        channel.value = ref->*coordinate;
    }
    if (duration != 0.0f) {
        channel.done = clock > step.start + duration;
    } else if (ref != nullptr && ref->currentStep() != nullptr) {
        const DrawingStep& followed = *ref->currentStep();
        channel.following = true;
        channel.done = clock > followed.start + followed.*durationOf;
    }
    return channel;
}

}  // namespace

DrawingObject::DrawingObject(std::string name, float x, float y, bool visible, int layer)
    : m_name(std::move(name)), m_visible(visible), m_layer(layer) {
    m_origin.x = m_origin.baseX = x;
    m_origin.y = m_origin.baseY = y;
}

void DrawingObject::registerGroup(DrawingGroup& group) {
    if (!group.name.empty()) {
        m_groupsByName[group.name] = &group;
    }
}

void DrawingObject::registerPoint(DrawingPoint& point, const std::string& name) {
    if (!name.empty()) {
        m_pointsByName[name] = &point;
    }
}

DrawingGroup* DrawingObject::group(const std::string& name) const {
    const auto found = m_groupsByName.find(name);
    return found != m_groupsByName.end() ? found->second : nullptr;
}

DrawingPoint* DrawingObject::point(const std::string& name) const {
    const auto found = m_pointsByName.find(name);
    return found != m_pointsByName.end() ? found->second : nullptr;
}

std::string DrawingObject::updatePoint(DrawingPoint& point) {
    float x = point.refX != nullptr ? point.refX->x : point.x;
    float y = point.refY != nullptr ? point.refY->y : point.y;
    std::string events;
    if (const DrawingStep* current = point.currentStep()) {
        const DrawingStep& s = *current;
        const Channel cx = evaluate(s, m_clock, x, s.easeX, s.refX, s.beginX, s.changeX, s.durationX, &DrawingPoint::x,
                                    &DrawingStep::durationX);
        const Channel cy = evaluate(s, m_clock, y, s.easeY, s.refY, s.beginY, s.changeY, s.durationY, &DrawingPoint::y,
                                    &DrawingStep::durationY);
        x = cx.value;
        y = cy.value;
        if (cx.done && cy.done && !(cx.following && cy.following)) {
            if (DrawingGroup* on = group(s.groupOn)) {
                on->visible = true;
            }
            if (DrawingGroup* off = group(s.groupOff)) {
                off->visible = false;
            }
            if (!s.event.empty()) {
                events = s.event + ",";
            }
            ++point.step;
        }
    }
    point.x = x;
    point.y = y;
    return events;
}

std::string DrawingObject::updatePoints() {
    std::string events = updatePoint(m_origin);
    for (const auto* groups : {&m_polygonGroups, &m_lineGroups}) {
        for (const auto& group : *groups) {
            if (!group->visible) {
                continue;
            }
            for (const auto& point : group->points) {
                events += updatePoint(*point);
            }
        }
    }
    // Each text's event stands on its own, so that two texts ending in one frame both match.
    for (const auto& text : m_texts) {
        if (text->visible && !text->pendingEvent.empty()) {
            events += text->pendingEvent + ",";
            text->pendingEvent.clear();
        }
    }
    return events;
}

void DrawingObject::setSweepMode(bool on) {
    for (const auto& text : m_texts) {
        if (on && !text->sweepMode) {
            text->needsMeasure = true;  // the sweep's steps come from the text's measure
        }
        text->sweepMode = on;
    }
}
