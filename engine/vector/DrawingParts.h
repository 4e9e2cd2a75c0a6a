#pragma once

// The parts an object of an animated drawing is made of: points moving through eased steps,
// groups of points drawn as lines or filled polygons, texts that can be revealed by a sweep,
// and the triggers that react to the events the steps and texts send. Coordinates are percent
// of the display, y upward; times are seconds on the owning object's clock.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/tween/Easing.h"
#include "engine/vector/ScopeSweep.h"
#include "engine/vector/VectorTextStyle.h"

struct DrawingPoint;

struct DrawingStep {
    float start = 0.0f;
    float beginX = 0.0f;
    float beginY = 0.0f;
    float changeX = 0.0f;
    float changeY = 0.0f;
    float durationX = 0.0f;
    float durationY = 0.0f;
    const DrawingPoint* refX = nullptr;
    const DrawingPoint* refY = nullptr;
    Tween::EaseFn easeX = nullptr;
    Tween::EaseFn easeY = nullptr;
    std::string event;
    std::string groupOn;
    std::string groupOff;
};

struct DrawingPoint {
    float x = 0.0f;
    float y = 0.0f;
    size_t step = 0;  // the step being played; steps.size() once all are done
    // Followed while no step moves the point.
    const DrawingPoint* refX = nullptr;
    const DrawingPoint* refY = nullptr;
    float baseX = 0.0f;
    float baseY = 0.0f;
    std::vector<DrawingStep> steps;

    const DrawingStep* currentStep() const { return step < steps.size() ? &steps[step] : nullptr; }
};

struct DrawingGroup {
    std::string name;
    bool visible = true;
    float thickness = 1.0f;
    // The stored value (lines: 0xRRGGBBAA; polygons: packed ABGR for the fill).
    uint32_t colour = 0;
    std::vector<std::unique_ptr<DrawingPoint>> points;
};

struct DrawingText {
    bool visible = true;
    float x = 0.0f;
    float y = 0.0f;
    // Set until the text has been measured on a display, and again when a sweep (re)starts.
    bool needsMeasure = true;
    Vector::VectorTextStyle style;
    std::string text;
    bool sweepMode = false;
    Vector::TextRect rect;  // measured, in display units
    // Where the text stood when measured: the sweep moves with the text from there.
    int measuredX = 0;
    int measuredY = 0;
    float sweepSpeed = 10.0f;
    float sweepRate = 40.0f;
    float stepX = 0.0f;     // display units the sweep moves per frame along a row
    float stepY = 0.0f;     // display units the sweep moves from one row to the next
    float beamEndX = 0.0f;  // percent
    float beamEndY = 0.0f;
    ScopeSweep sweep;  // in display units
    std::string pendingEvent;
};

struct DrawingTrigger {
    std::string event;
    std::string onObject;
    std::string offObject;
    std::string scope;
};
