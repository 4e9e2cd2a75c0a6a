// Advancing a beam's timeline and evaluating its active entries into segments.
#include <algorithm>
#include <cmath>

#include "engine/util/Colour.h"
#include "game/effects/BeamTimeline.h"

namespace Zelmo {
namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr int32_t kBeamBoltPoints = 50;

// A from→to pair's value at one moment of its entry.
struct Easing {
    Tween::EaseFn easer;
    float t;
    float length;

    // An entry without duration shows its end values.
    float operator()(float from, float to) const { return length > 0.0f ? easer(t, from, to - from, length) : to; }
};

float drawnBetween(float min, float max) {
    return min == max ? min : min + beamRandom().nextFloat() * (max - min);
}

int32_t wholeBetween(int32_t min, int32_t max) {
    if (min > max) {
        std::swap(min, max);
    }
    return min == max ? min : min + int32_t(beamRandom().nextInt(uint32_t(int64_t(max) - min + 1)));
}

// Eased values follow the clock, the others are drawn at every update or once when the bolts
// are first made.
float varying(const VaryingValue<float>& value, const Easing& ease, bool isNew, float previous) {
    if (value.mode < 0) {
        return ease(value.min, value.max);
    }
    if (value.mode > 0 || isNew) {
        return drawnBetween(value.min, value.max);
    }
    return previous;
}

float varyingAmplitude(const VaryingValue<int32_t>& value, const Easing& ease, bool isNew, float previous) {
    if (value.mode < 0) {
        return float(int32_t(ease(float(value.min), float(value.max))));
    }
    if (value.mode > 0 || isNew) {
        return drawnBetween(float(value.min), float(value.max));
    }
    return previous;
}

// A bolt end at a whole-degree direction within the definition's range, at the radius's
// distance from the segment origin; direction 0 points along the beam.
void placeBoltEnd(const BeamSegmentDef& def, const VaryingValue<float>& radius, const Easing& ease, float& x,
                  float& y) {
    const int32_t direction = wholeBetween(def.boltAngleMin, def.boltAngleMax);
    const float distance = radius.mode < 0 ? ease(radius.min, radius.max) : drawnBetween(radius.min, radius.max);
    const float angle = float(direction + 90) * kDegreesToRadians;
    x = -std::cos(angle) * distance;
    y = std::sin(angle) * distance;
}

BeamBoltState& boltStateOf(std::vector<BeamBoltState>& states, int32_t entry, bool& isNew) {
    const auto found =
        std::find_if(states.begin(), states.end(), [entry](const BeamBoltState& s) { return s.entry == entry; });
    isNew = found == states.end();
    if (!isNew) {
        return *found;
    }
    states.emplace_back();
    states.back().entry = entry;
    states.back().generator.saveRandomState();
    return states.back();
}

void evaluateLightning(const BeamSegmentDef& def, const Easing& ease, BeamBoltState& state, bool isNew,
                       BeamSegment& segment) {
    state.generator.restoreRandomState();
    BoltParams& params = state.params;
    params.mirror = def.boltMirror;
    if (isNew || def.boltStartRadius.mode != 0) {
        placeBoltEnd(def, def.boltStartRadius, ease, params.x0, params.y0);
    }
    if (isNew || def.boltEndRadius.mode != 0) {
        placeBoltEnd(def, def.boltEndRadius, ease, params.x1, params.y1);
    }
    params.threshold = varying(def.boltThreshold, ease, isNew, params.threshold);
    params.amplitude = varyingAmplitude(def.boltAmplitude, ease, isNew, params.amplitude);
    params.decay = varying(def.boltDecay, ease, isNew, params.decay);
    params.midpointScale = varying(def.boltMidpointScale, ease, isNew, params.midpointScale);
    params.budget = 0;
    params.maxPoints = kBeamBoltPoints;

    const VaryingValue<int32_t>& count = def.boltCount;
    const int32_t bolts = count.mode > 0 ? wholeBetween(count.min, count.max)
                                         : int32_t(ease(float(count.min), float(count.max)));
    segment.polylines.resize(size_t(std::max(bolts, 0)));
    for (Polyline& bolt : segment.polylines) {
        bolt.reserve(2 * kBeamBoltPoints);
        state.generator.generate(params, bolt);
    }
    segment.extent = beamSegmentExtent(segment.polylines);
}

}  // namespace

Util::Random& beamRandom() {
    static Util::Random random;
    return random;
}

float beamSegmentExtent(const std::vector<Polyline>& polylines) {
    float extent = 0.0f;
    for (const Polyline& polyline : polylines) {
        for (float value : polyline) {
            extent = std::max(extent, std::fabs(value));
        }
    }
    return extent;
}

void BeamTimeline::update(float dt, std::vector<BeamSegment>& out, float (&bounds)[4]) {
    time += dt;
    active = false;
    finished = true;
    for (size_t i = 0; i < entries.size(); ++i) {
        const BeamTimelineEntry& entry = entries[i];
        const float rel = time - entry.startMs;
        const float length = entry.endMs - entry.startMs;
        if (rel < 0.0f) {
            finished = false;
            continue;
        }
        if (rel > length) {
            continue;
        }
        active = true;
        finished = false;
        const BeamSegmentDef& def = *entry.segment;
        const Easing ease{def.easer, rel, length};
        BeamSegment& segment = out.emplace_back();
        segment.count = int32_t(ease(float(def.count.from), float(def.count.to)));
        segment.offsetX = ease(def.offsetX.from, def.offsetX.to);
        segment.offsetY = ease(def.offsetY.from, def.offsetY.to);
        segment.scale = ease(def.scale.from, def.scale.to);
        segment.thickness = ease(def.thickness.from, def.thickness.to);
        segment.angle = ease(def.angle.from, def.angle.to);
        segment.stretch = def.stretch;
        segment.mirror = def.mirror;
        segment.filled = def.filled;
        segment.colour = def.colour.from;
        Util::lerpColour(segment.colour, def.colour.to, ease(0.0f, 1.0f));
        if (def.isLightning()) {
            bool isNew = false;
            BeamBoltState& state = boltStateOf(boltStates, int32_t(i), isNew);
            evaluateLightning(def, ease, state, isNew, segment);
        } else {
            segment.polylines = def.polylines;
        }
        const float h = segment.extent * segment.scale;
        bounds[0] = -h;
        bounds[1] = -h;
        bounds[2] = 2.0f * h;
        bounds[3] = 2.0f * h;
    }
    if (finished && loops != 0) {
        finished = false;
        if (loops != kForEver) {
            --loops;
        }
        time = restartTime;
        boltStates.clear();
    }
}

}  // namespace Zelmo
